#pragma once

#include "data/backends/backend.h"
#include "data/backends/column_kind_cache.h"
#include "data/backends/qt_sql_connection.h"

#include <QHash>

namespace zk {

struct PostgresParams {
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString password;
    // A schema put first on the search path (each test suite, or company, its own).
    QString schema;
};

// The multi-user engine, on Qt SQL's QPSQL driver. Every connection installs the dialect
// translator's compat schema when it is missing and sets its search path. Inside a
// transaction each statement runs under a savepoint, so that a failing statement undoes only
// itself (as on the legacy engines) instead of aborting the whole transaction.
//
// PostgreSQL folds unquoted names to lower case: result column names are given back in the
// spelling the statement used, and names are looked up without case. After an INSERT that
// wrote explicit values into an identity column the column's sequence is moved past the
// largest value, so that later inserts without an id do not collide.
class PostgresBackend : public Backend {
public:
    explicit PostgresBackend(PostgresParams params);

    OpenResult Open(QString& error) override;
    int DbType() const override { return 3; }
    bool Execute(const QString& sql, const QVariantList& params, QString& error) override;
    bool Query(const QString& sql, const QVariantList& params, RowSet& rows,
               QString& error) override;
    bool Begin(QString& error) override;
    bool Commit(QString& error) override;
    bool Rollback(QString& error) override;
    QStringList RowKey(const QString& table) override;
    bool ColumnKinds(const QString& table, const QStringList& names, QList<ColumnKind>& kinds,
                     QString& error) override;
    bool LastInsertId(const QString& table, QString& id, QString& error) override;
    bool QueryJoined(const QString& sql, JoinedRows& rows, QString& error) override;

private:
    struct Identity {
        QString column;
        QString sequence;
    };

    bool RunScript(const QString& translated, const QVariantList& params, RowSet* rows,
                   QString& error);
    bool RunGuarded(const QString& statement, const QVariantList& params, RowSet* rows,
                    QString& error, QList<QMetaType>* types = nullptr);
    // The joined result read through libpq itself; false (nothing kept) where that path
    // does not apply or fails.
    bool JoinFromEngine(const QString& sql, JoinedRows& rows);
    bool KeepIdentityInStep(const QString& statement, QString& error);
    bool IdentityOf(const QString& table, QList<Identity>& identity, QString& error);

    PostgresParams params_;
    QtSqlConnection connection_;
    bool inTransaction_ = false;
    ColumnKindCache kinds_;
    QHash<QString, QList<Identity>> identities_;
};

} // namespace zk
