#pragma once

// The PostgreSQL cluster of the tests. `make test` starts one and exports
//   ZK_TEST_PG="Provider=PostgreSQL;Host=…;Port=…;Database=…;User ID=…;Password=…"
//   ZK_TEST_PG_REQUIRED=1
// By hand: export ZK_TEST_PG=$(scripts/pg-test-cluster.sh start /tmp/mypg).
// Without ZK_TEST_PG the PostgreSQL tests skip, unless ZK_TEST_PG_REQUIRED=1 makes them fail.

#include <QAtomicInt>
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace zk::test {

inline QString PgTestConnectionString()
{
    return qEnvironmentVariable("ZK_TEST_PG");
}

inline bool PgTestRequired()
{
    return qEnvironmentVariable("ZK_TEST_PG_REQUIRED") == u"1";
}

struct PgConnectionParts {
    QString host = QStringLiteral("127.0.0.1");
    int port = 5432;
    QString database;
    QString user;
    QString password;
};

// Reads the key=value pairs of a connection string (keys without regard to case).
inline PgConnectionParts ParsePgConnectionString(const QString& text)
{
    PgConnectionParts p;
    for (const QString& pair : text.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString key = pair.left(eq).trimmed().toLower();
        const QString value = pair.mid(eq + 1).trimmed();
        if (key == u"host" || key == u"server")
            p.host = value;
        else if (key == u"port")
            p.port = value.toInt();
        else if (key == u"database")
            p.database = value;
        else if (key == u"user id" || key == u"user" || key == u"uid")
            p.user = value;
        else if (key == u"password" || key == u"pwd")
            p.password = value;
    }
    return p;
}

// A QPSQL connection to the test cluster that removes itself when it goes. database
// names another database of the cluster; empty means the one of ZK_TEST_PG.
class ScopedPgConnection {
public:
    explicit ScopedPgConnection(const QString& database = {})
    {
        static QAtomicInt counter;
        name_ = QStringLiteral("zk_test_pg_%1_%2")
                    .arg(QCoreApplication::applicationPid())
                    .arg(counter.fetchAndAddRelaxed(1));
        const PgConnectionParts p = ParsePgConnectionString(PgTestConnectionString());
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
        db.setHostName(p.host);
        db.setPort(p.port);
        db.setDatabaseName(database.isEmpty() ? p.database : database);
        db.setUserName(p.user);
        db.setPassword(p.password);
        if (!db.open())
            error_ = db.lastError().text();
    }
    ~ScopedPgConnection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    ScopedPgConnection(const ScopedPgConnection&) = delete;
    ScopedPgConnection& operator=(const ScopedPgConnection&) = delete;

    bool IsOpen() const { return error_.isEmpty(); }
    QString ErrorText() const { return error_; }
    QSqlDatabase Db() const { return QSqlDatabase::database(name_, false); }

private:
    QString name_;
    QString error_;
};

} // namespace zk::test

// In a test body or a fixture's SetUp: skips without a cluster, or fails when one is required.
#define ZK_REQUIRE_PG()                                                                            \
    do {                                                                                           \
        if (::zk::test::PgTestConnectionString().isEmpty()) {                                      \
            if (::zk::test::PgTestRequired())                                                      \
                FAIL() << "ZK_TEST_PG is not set but ZK_TEST_PG_REQUIRED=1";                       \
            else                                                                                   \
                GTEST_SKIP() << "ZK_TEST_PG is not set";                                           \
        }                                                                                          \
    } while (0)
