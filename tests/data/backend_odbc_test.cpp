// ODBC: the plumbing through a driver we can run (SQLite's), and the mapping of the legacy
// SQL Server strings onto the SQL Server drivers that may be installed.
#include "data/backends/odbc/sql_server_driver.h"
#include "data/session/db_session.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zk {
namespace {

class OdbcSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!InstalledOdbcDrivers().contains(u"SQLite3"_s))
            GTEST_SKIP() << "the SQLite3 ODBC driver is not registered";
        session.SetConnectionString(u"Driver={SQLite3};Database="_s + dir.filePath(u"odbc.db"_s));
        ASSERT_TRUE(session.Open()) << session.errorDetail.toStdString();
        ASSERT_TRUE(session.Execute(
            u"CREATE TABLE t (id INTEGER PRIMARY KEY, name VARCHAR(20), qty INTEGER)"_s));
        ASSERT_TRUE(session.Execute(u"INSERT INTO t VALUES (1, '一', 10)"_s));
    }

    QTemporaryDir dir;
    CDbSession session;
};

TEST_F(OdbcSession, OpensQueriesAndExecutesUntranslated)
{
    EXPECT_EQ(session.GetDbType(), u"3"_s);
    QStringList names, values;
    ASSERT_TRUE(session.QueryTable(u"SELECT id, name, qty FROM t"_s, names, values));
    EXPECT_EQ(names, (QStringList{u"id"_s, u"name"_s, u"qty"_s}));
    EXPECT_EQ(values, (QStringList{u"1"_s, u"一"_s, u"10"_s}));
    // Nothing is translated on the way: the driver's engine sees the text as written.
    EXPECT_FALSE(session.Execute(u"SET IDENTITY_INSERT t ON"_s));
    EXPECT_TRUE(session.errorText.startsWith(u"执行操作出错"_s));
}

TEST_F(OdbcSession, CommitsAndRollsBack)
{
    ASSERT_TRUE(session.BeginTrans());
    ASSERT_TRUE(session.Execute(u"INSERT INTO t VALUES (2, 'b', 2)"_s));
    ASSERT_TRUE(session.RollbackTrans());
    ASSERT_TRUE(session.BeginTrans());
    ASSERT_TRUE(session.Execute(u"INSERT INTO t VALUES (3, 'c', 3)"_s));
    ASSERT_TRUE(session.CommitTrans());
    QStringList ids;
    ASSERT_EQ(session.QueryList(u"SELECT id FROM t ORDER BY id"_s, ids), 1);
    EXPECT_EQ(ids, (QStringList{u"1"_s, u"3"_s}));
}

TEST_F(OdbcSession, EmulatesTheRecordsetOperations)
{
    EXPECT_TRUE(session.InsertRecord(u"SELECT * FROM t WHERE id=4"_s,
                                     {u"id"_s, u"name"_s, u"qty"_s}, {u"4"_s, u"d"_s, u""_s}))
        << session.errorDetail.toStdString();
    EXPECT_TRUE(session.Update(u"SELECT * FROM t WHERE id=4"_s, {u"qty"_s}, {u"44"_s}))
        << session.errorDetail.toStdString();
    QStringList row;
    ASSERT_TRUE(session.QueryFields(u"SELECT * FROM t WHERE id=4"_s, {u"name"_s, u"qty"_s}, row));
    EXPECT_EQ(row, (QStringList{u"d"_s, u"44"_s}));
}

TEST(SqlServerDriver, MapsTheLegacyStringOntoTheInstalledDriver)
{
    const QStringList freeTds = {u"SQLite3"_s, u"FreeTDS"_s};
    const QStringList microsoft = {u"FreeTDS"_s, u"ODBC Driver 17 for SQL Server"_s,
                                   u"ODBC Driver 18 for SQL Server"_s};
    struct Case {
        SqlServerLogin login;
        QStringList drivers;
        QString expected;
    };
    const QList<Case> cases = {
        {{u"db1"_s, u"erp"_s, u"sa"_s, u"p;w"_s, false},
         freeTds,
         u"Driver={FreeTDS};Server=db1;Port=1433;Database=erp;UID=sa;PWD={p;w};TDS_Version=7.4;"
         "ClientCharset=UTF-8;"_s},
        {{u"10.0.0.2,1500"_s, u"erp"_s, u"sa"_s, u"x"_s, false},
         freeTds,
         u"Driver={FreeTDS};Server=10.0.0.2;Port=1500;Database=erp;UID=sa;PWD=x;TDS_Version=7.4;"
         "ClientCharset=UTF-8;"_s},
        {{u"(local)\\SQLEXPRESS"_s, u"erp"_s, {}, {}, true},
         freeTds,
         u"Driver={FreeTDS};Server=127.0.0.1\\SQLEXPRESS;Database=erp;Trusted_Connection=Yes;TDS_"
         u"Version=7.4;"
         "ClientCharset=UTF-8;"_s},
        {{u"tcp:db1,1433"_s, u"erp"_s, u"sa"_s, u"x"_s, false},
         microsoft,
         u"Driver={ODBC Driver 18 for SQL Server};Server=db1,1433;Database=erp;UID=sa;PWD=x;"
         "TrustServerCertificate=yes;"_s},
        {{u"db1\\inst"_s, {}, {}, {}, true},
         microsoft,
         u"Driver={ODBC Driver 18 for SQL Server};Server=db1\\inst;Trusted_Connection=Yes;"
         "TrustServerCertificate=yes;"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        QString error;
        EXPECT_EQ(SqlServerOdbcString(c.login, c.drivers, error), c.expected);
        EXPECT_TRUE(error.isEmpty());
    }
    QString error;
    EXPECT_TRUE(
        SqlServerOdbcString({u"db1"_s, {}, {}, {}, false}, {u"SQLite3"_s}, error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
} // namespace zk
