#pragma once

// A fresh company database for the session tests, on SQLite (a file in a temporary folder)
// or on the PostgreSQL test cluster (a schema of its own, dropped afterwards, so that suites
// may run side by side).

#include "tests/data/pg_test_env.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QString>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

#include <memory>

namespace zk::test {

enum class Engine { SQLite, PostgreSQL };

inline const char* EngineName(Engine engine)
{
    return engine == Engine::SQLite ? "SQLite" : "PostgreSQL";
}

// gtest parameter names.
struct EngineParamName {
    template <class ParamType>
    std::string operator()(const ::testing::TestParamInfo<ParamType>& info) const
    {
        return EngineName(info.param);
    }
};

// An empty database and the connection string that reaches it.
class ScratchDatabase {
public:
    explicit ScratchDatabase(Engine engine)
        : engine_(engine)
    {
        if (engine == Engine::SQLite) {
            connection_ = QStringLiteral("Provider=SQLite;Data Source=") +
                          dir_.filePath(QStringLiteral("company.db"));
            return;
        }
        admin_ = std::make_unique<ScopedPgConnection>();
        if (!admin_->IsOpen())
            return;
        schema_ =
            QStringLiteral("zk_session_") + QUuid::createUuid().toString(QUuid::Id128).left(12);
        QSqlQuery query(admin_->Db());
        if (!query.exec(QStringLiteral("CREATE SCHEMA ") + schema_))
            return;
        connection_ = PgTestConnectionString() + QStringLiteral(";Schema=") + schema_;
    }
    ~ScratchDatabase()
    {
        if (admin_ && admin_->IsOpen() && !schema_.isEmpty()) {
            QSqlQuery query(admin_->Db());
            query.exec(QStringLiteral("SET client_min_messages TO warning"));
            query.exec(QStringLiteral("DROP SCHEMA IF EXISTS ") + schema_ +
                       QStringLiteral(" CASCADE"));
        }
    }
    ScratchDatabase(const ScratchDatabase&) = delete;
    ScratchDatabase& operator=(const ScratchDatabase&) = delete;

    Engine engine() const { return engine_; }
    // Empty when the database could not be made.
    QString connection() const { return connection_; }
    QString folder() const { return dir_.path(); }

private:
    Engine engine_;
    QTemporaryDir dir_;
    std::unique_ptr<ScopedPgConnection> admin_;
    QString schema_;
    QString connection_;
};

} // namespace zk::test
