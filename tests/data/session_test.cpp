// CDbSession in direct mode on SQLite: outcome markers, error texts, opening rules, script
// splitting, and the pure pieces the operations are built from.
#include "data/session/connection_string.h"
#include "data/session/db_session.h"
#include "data/session/page_query.h"
#include "data/session/script_pieces.h"
#include "data/session/select_parts.h"
#include "tests/data/http_test_servers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <httplib.h>

#include <functional>
#include <thread>

using namespace Qt::StringLiterals;

namespace zk {
namespace {

// A session open on a new SQLite file holding table t(id, name, qty).
class SqliteSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        connection = u"Provider=SQLite;Data Source="_s + dir.filePath(u"s.db"_s);
        session.SetConnectionString(connection);
        ASSERT_TRUE(session.Open())
            << session.errorText.toStdString() << session.errorDetail.toStdString();
        ASSERT_TRUE(
            session.RunScript(u"CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT, qty INTEGER);"
                              "INSERT INTO t VALUES (1, 'a', 10);"
                              "INSERT INTO t VALUES (2, NULL, 20)"_s));
    }

    QTemporaryDir dir;
    QString connection;
    CDbSession session;
};

TEST(SessionState, StartsClosedInServerModeAndSwitchesWithTheConnectionString)
{
    CDbSession session;
    EXPECT_EQ(session.dbType, 1);
    EXPECT_TRUE(session.useServer);
    EXPECT_EQ(session.lastState, -1);
    EXPECT_EQ(session.errorText, u"未设置错误信息"_s);
    EXPECT_FALSE(session.IsOpen());
    session.SetConnectionString(u"Provider=SQLite;Data Source=x.db"_s);
    EXPECT_FALSE(session.useServer);
    session.SetConnectionString({});
    EXPECT_TRUE(session.useServer);
}

// Without a server link every server-mode operation fails the same way.
TEST(SessionState, ServerModeWithoutALinkReportsAServerFault)
{
    CDbSession session;
    session.SetServerOps(nullptr);
    EXPECT_FALSE(session.Open());
    EXPECT_EQ(session.errorText, u"服务端故障"_s);
    EXPECT_EQ(session.GetDbType(), u"0"_s);
    session.errorText.clear();
    QStringList list{u"old"_s};
    EXPECT_FALSE(session.QueryFields(u"SELECT 1"_s, {u"a"_s}, list));
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(session.errorText, u"服务端故障"_s);
    QString value;
    EXPECT_EQ(session.IsFind2(u"SELECT 1"_s, value), -1);
    EXPECT_EQ(session.CallServer(u"x"_s), u"0"_s);
}

TEST_F(SqliteSession, DirectModeReportsItsTypeAndHasNoClientAddress)
{
    EXPECT_TRUE(session.IsOpen());
    EXPECT_EQ(session.GetDbType(), u"2"_s);
    EXPECT_EQ(session.GetClientIp(), QString());
    EXPECT_EQ(session.CallServer(u"GetIP"_s), u"0"_s);
}

TEST_F(SqliteSession, CloseForgetsTheConnectionString)
{
    session.Close();
    EXPECT_FALSE(session.IsOpen());
    EXPECT_FALSE(session.Open());
    EXPECT_EQ(session.errorText, u"空连接字符串"_s);
    session.SetConnectionString(connection);
    EXPECT_TRUE(session.Open());
}

TEST_F(SqliteSession, ExecuteFailureMarksTheSessionNotOpenButKeepsTheConnection)
{
    const QString bad = u"UPDATE nowhere SET x=1"_s;
    EXPECT_FALSE(session.Execute(bad));
    EXPECT_EQ(session.errorText, u"执行操作出错"_s + bad);
    EXPECT_EQ(session.lastState, -1);
    EXPECT_FALSE(session.IsOpen());
    EXPECT_FALSE(session.errorDetail.isEmpty());
    // The caller still rolls back on the same connection, then reopens.
    EXPECT_TRUE(session.Execute(u"UPDATE t SET qty=11 WHERE id=1"_s));
    EXPECT_EQ(session.lastState, 1);
    EXPECT_TRUE(session.Open());
    QString qty;
    EXPECT_TRUE(session.IsFind(u"SELECT qty FROM t WHERE id=1"_s, qty));
    EXPECT_EQ(qty, u"11"_s);
}

// What each reading operation leaves behind for a statement the engine rejects.
TEST_F(SqliteSession, ReadingOperationsReportBadSqlWithTheirOwnTexts)
{
    const QString bad = u"SELECT missing FROM nowhere"_s;
    struct Case {
        const char* name;
        std::function<bool(CDbSession&)> run; // true when the result is the failure value
        QString text;
    };
    const QList<Case> cases = {
        {"Exists", [&](CDbSession& s) { return !s.Exists(bad); }, bad + u"\n执行SELECT出错"_s},
        {"IsFind",
         [&](CDbSession& s) {
             QString v;
             return !s.IsFind(bad, v) && v.isEmpty();
         },
         bad + u"\n执行SELECT出错"_s},
        {"IsFind2",
         [&](CDbSession& s) {
             QString v;
             return s.IsFind2(bad, v) == -1;
         },
         bad + u"\n执行SELECT出错"_s},
        {"QueryList",
         [&](CDbSession& s) {
             QStringList l;
             return s.QueryList(bad, l) == -1;
         },
         u"SQL出错\n"_s + bad},
        {"QueryFields",
         [&](CDbSession& s) {
             QStringList l;
             return !s.QueryFields(bad, {u"a"_s}, l);
         },
         bad + u"\n执行SELECT出错"_s},
        {"QueryTable",
         [&](CDbSession& s) {
             QStringList n, v;
             return !s.QueryTable(bad, n, v);
         },
         u"SQL出错\n"_s + bad},
        {"ReadBinary",
         [&](CDbSession& s) {
             QList<QByteArray> b;
             return !s.ReadBinary(bad, {u"a"_s}, b);
         },
         bad + u"\n执行SELECT出错"_s},
        {"InsertRecord", [&](CDbSession& s) { return !s.InsertRecord(bad, {u"a"_s}, {u"1"_s}); },
         bad + u"\n执行SELECT出错"_s},
        {"Update", [&](CDbSession& s) { return !s.Update(bad, {u"a"_s}, {u"1"_s}); },
         bad + u"\n执行SELECT出错"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        session.errorText = u"earlier"_s;
        session.lastState = 1;
        ASSERT_TRUE(session.Open());
        EXPECT_TRUE(c.run(session));
        EXPECT_EQ(session.errorText, c.text);
        EXPECT_EQ(session.lastState, -1);
        EXPECT_FALSE(session.IsOpen());
        EXPECT_TRUE(session.errorDetail.contains(u"no such table"_s))
            << session.errorDetail.toStdString();
    }
}

// A statement that returns no result set where a query was expected.
TEST_F(SqliteSession, QueriesOnStatementsWithoutResultSets)
{
    const QString sql = u"UPDATE t SET qty=qty WHERE id=1"_s;
    QString value;
    session.errorText = u"A"_s;
    EXPECT_FALSE(session.IsFind(sql, value));
    EXPECT_TRUE(value.contains(u"\nIsFind出错:\n"_s + sql));
    EXPECT_EQ(session.errorText, u"A"_s + value);
    EXPECT_EQ(session.IsFind2(sql, value), -1);
    EXPECT_EQ(value, u"IsFind2出错"_s);
    EXPECT_EQ(session.errorText, u"IsFind2出错\n"_s + sql);
    QStringList list;
    EXPECT_FALSE(session.QueryFields(sql, {u"id"_s}, list));
    EXPECT_EQ(session.errorText, u"执行SQL出错"_s);
}

TEST_F(SqliteSession, FindsFirstValuesAndNulls)
{
    QString value;
    EXPECT_TRUE(session.IsFind(u"SELECT name FROM t WHERE id=2"_s, value));
    EXPECT_EQ(value, QString());
    EXPECT_FALSE(session.IsFind(u"SELECT name FROM t WHERE id=3"_s, value));
    EXPECT_EQ(session.IsFind2(u"SELECT name FROM t ORDER BY id"_s, value), 1);
    EXPECT_EQ(value, u"a"_s);
    EXPECT_EQ(session.IsFind2(u"SELECT name FROM t WHERE id=3"_s, value), 0);
    EXPECT_TRUE(session.Exists(u"SELECT 1 FROM t"_s));
    EXPECT_FALSE(session.Exists(u"SELECT 1 FROM t WHERE id=9"_s));
}

TEST_F(SqliteSession, ListsFieldsAndTablesWithTheirOutcomeMarkers)
{
    QStringList list{u"stale"_s};
    session.lastState = -1;
    EXPECT_EQ(session.QueryList(u"SELECT id, name FROM t ORDER BY id"_s, list), 1);
    EXPECT_EQ(list, (QStringList{u"1"_s, u"a"_s, u"2"_s, QString()}));
    EXPECT_EQ(session.lastState, 1);
    EXPECT_EQ(session.QueryList(u"SELECT id FROM t WHERE id=9"_s, list), 0);
    EXPECT_TRUE(list.isEmpty());

    EXPECT_TRUE(session.QueryFields(u"SELECT * FROM t ORDER BY id"_s, {u"QTY"_s, u"id"_s}, list));
    EXPECT_EQ(list, (QStringList{u"10"_s, u"1"_s, u"20"_s, u"2"_s}));
    EXPECT_FALSE(session.QueryFields(u"SELECT * FROM t WHERE id=9"_s, {u"id"_s}, list));
    EXPECT_EQ(session.lastState, 0);
    EXPECT_FALSE(session.QueryFields(u"SELECT * FROM t"_s, {u"missing"_s}, list));
    EXPECT_EQ(session.errorText, u"执行SQL出错"_s);
    EXPECT_EQ(session.lastState, -1);

    QStringList names{u"x"_s};
    QStringList values;
    EXPECT_TRUE(session.QueryTable(u"SELECT id, qty FROM t WHERE id=9"_s, names, values));
    EXPECT_EQ(names, QStringList{u"x"_s}); // no row: nothing added
    EXPECT_TRUE(session.QueryTable(u"SELECT id, qty FROM t ORDER BY id"_s, names, values));
    EXPECT_EQ(names, (QStringList{u"x"_s, u"id"_s, u"qty"_s}));
    EXPECT_EQ(values, (QStringList{u"1"_s, u"10"_s, u"2"_s, u"20"_s}));
}

TEST_F(SqliteSession, RunScriptSplitsOnFileDatabasesAndSkipsShortAndCommentPieces)
{
    const QString script =
        u"INSERT INTO t VALUES (3, 'c', 30);\nUPDATE t SET qty=31 WHERE id=3;-- done;x"_s;
    EXPECT_TRUE(session.RunScript(script));
    QStringList list;
    EXPECT_EQ(session.QueryList(u"SELECT qty FROM t WHERE id=3"_s, list), 1);
    EXPECT_EQ(list, QStringList{u"31"_s});

    const QString failing =
        u"UPDATE t SET qty=1 WHERE id=1;UPDATE nowhere SET x=1;UPDATE t SET qty=2 WHERE id=2"_s;
    EXPECT_FALSE(session.RunScript(failing));
    EXPECT_EQ(session.QueryList(u"SELECT qty FROM t ORDER BY id"_s, list), 1);
    EXPECT_EQ(list, (QStringList{u"1"_s, u"20"_s, u"31"_s}));
    EXPECT_TRUE(session.RunScript(failing, false));
    EXPECT_TRUE(session.RunScriptAll(u"UPDATE nowhere SET x=1;UPDATE t SET qty=5 WHERE id=2"_s));
    EXPECT_EQ(session.QueryList(u"SELECT qty FROM t ORDER BY id"_s, list), 1);
    EXPECT_EQ(list, (QStringList{u"1"_s, u"5"_s, u"31"_s}));
    EXPECT_TRUE(session.RunScript(QString()));
}

TEST_F(SqliteSession, StatementsThatTranslateToNothingSucceed)
{
    EXPECT_TRUE(session.Execute(u"SET IDENTITY_INSERT t ON"_s));
    EXPECT_EQ(session.lastState, 1);
}

// Two clients' transactions on one file queue instead of one failing.
TEST_F(SqliteSession, ConcurrentTransactionsWaitForEachOther)
{
    ASSERT_TRUE(session.BeginTrans());
    ASSERT_TRUE(session.Execute(u"UPDATE t SET qty=qty+1 WHERE id=1"_s));
    bool otherOk = false;
    std::thread other([&] {
        CDbSession second;
        second.SetConnectionString(connection);
        otherOk = second.Open() && second.BeginTrans() &&
                  second.Execute(u"UPDATE t SET qty=qty+1 WHERE id=1"_s) && second.CommitTrans();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(session.CommitTrans());
    other.join();
    EXPECT_TRUE(otherOk);
    QString qty;
    EXPECT_TRUE(session.IsFind(u"SELECT qty FROM t WHERE id=1"_s, qty));
    EXPECT_EQ(qty, u"12"_s);
}

TEST_F(SqliteSession, RollbackUndoesTheTransaction)
{
    ASSERT_TRUE(session.BeginTrans());
    ASSERT_TRUE(session.Execute(u"DELETE FROM t"_s));
    ASSERT_TRUE(session.RollbackTrans());
    EXPECT_TRUE(session.Exists(u"SELECT 1 FROM t"_s));
}

// Jet connection strings: a SQLite file of that name opens, an Access file is refused and a
// missing file is never created.
TEST(SessionOpen, JetDataSources)
{
    QTemporaryDir dir;
    const QString jet = u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source="_s;
    {
        CDbSession create;
        create.SetConnectionString(u"Provider=SQLite;Data Source="_s +
                                   dir.filePath(u"imported.mdb"_s));
        ASSERT_TRUE(create.Open());
        ASSERT_TRUE(create.Execute(u"CREATE TABLE x (a INTEGER)"_s));
    }
    CDbSession session;
    session.SetConnectionString(jet + dir.filePath(u"imported.mdb"_s) +
                                u";Persist Security Info=False"_s);
    EXPECT_TRUE(session.Open());
    EXPECT_EQ(session.GetDbType(), u"2"_s);

    QFile access(dir.filePath(u"old.mdb"_s));
    ASSERT_TRUE(access.open(QIODevice::WriteOnly));
    access.write(QByteArray("\0\1\0\0Standard Jet DB\0", 20) + QByteArray(2000, '\0'));
    access.close();
    session.SetConnectionString(jet + access.fileName());
    EXPECT_FALSE(session.Open());
    EXPECT_EQ(session.errorText, u"不支持Access数据库文件，请用 zk_admin 导入"_s);
    EXPECT_EQ(session.lastState, 0);

    const QString missing = dir.filePath(u"missing.mdb"_s);
    session.SetConnectionString(jet + missing);
    EXPECT_FALSE(session.Open());
    EXPECT_EQ(session.errorText, u"连接服务器出错，请正确设置服务器，并确认网络正常"_s);
    EXPECT_TRUE(session.errorDetail.contains(missing));
    EXPECT_FALSE(QFile::exists(missing));
}

TEST(SessionOpen, UnreachableAndUnknownDatabasesFailToConnect)
{
    for (const QString& connection :
         {u"Provider=PostgreSQL;Host=127.0.0.1;Port=%1;Database=x;User ID=x;Password=x"_s.arg(
              test::ClosedPort()),
          u"Provider=SQLOLEDB;Data Source=x"_s}) {
        SCOPED_TRACE(connection.toStdString());
        CDbSession session;
        session.SetConnectionString(connection);
        EXPECT_FALSE(session.Open());
        EXPECT_EQ(session.lastState, 0);
        EXPECT_EQ(session.errorText, u"连接服务器出错，请正确设置服务器，并确认网络正常"_s);
        EXPECT_FALSE(session.errorDetail.isEmpty());
        EXPECT_FALSE(session.IsOpen());
    }
}

// The server part of a SQL Server string that is a web address is fetched and put in its
// place; a plain host stays.
TEST(SessionOpen, SqlServerAddressFromTheWeb)
{
    httplib::Server web;
    web.Get("/ip", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("127.0.0.1", "text/plain");
    });
    const int port = web.bind_to_any_port("127.0.0.1");
    std::thread serving([&] { web.listen_after_bind(); });
    const QString url = u"http://127.0.0.1:%1/ip"_s.arg(port);
    const QString rest = u",%1;Database=erp;Uid=sa;Pwd=x"_s.arg(test::ClosedPort());

    CDbSession session;
    session.SetConnectionString(u"driver={SQL Server};Server="_s + url + rest);
    EXPECT_FALSE(session.Open()); // nothing listens there
    EXPECT_EQ(session.ConnectionString(), u"driver={SQL Server};Server=127.0.0.1"_s + rest);
    EXPECT_EQ(session.dbType, 1);
    EXPECT_EQ(ResolveSqlServerAddress(u"driver={SQL Server};Server=db.example,1433;Database=x"_s),
              u"driver={SQL Server};Server=db.example,1433;Database=x"_s);
    web.stop();
    serving.join();
}

TEST(PageQuery, PlansPagesAndClampsPageNumbers)
{
    struct Case {
        int total, size, page, outer, inner, count;
    };
    for (const Case& c :
         {Case{25, 10, 1, 10, 10, 3}, Case{25, 10, 2, 10, 20, 3}, Case{25, 10, 3, 5, 25, 3},
          Case{5, 10, 2, 5, 5, 1}, Case{25, 10, 7, 5, 25, 3}, Case{25, 10, 0, 10, 10, 3},
          Case{3, 0, 2, 1, 2, 3}}) {
        SCOPED_TRACE(testing::Message() << c.total << " " << c.size << " " << c.page);
        const PagePlan plan = PlanPage(c.total, c.size, c.page);
        EXPECT_EQ(plan.outerTop, c.outer);
        EXPECT_EQ(plan.innerTop, c.inner);
        EXPECT_EQ(plan.pageCount, c.count);
    }
    EXPECT_EQ(
        PageSql(PlanPage(25, 10, 3), PageTable(u"SELECT * FROM t"_s, u"WHERE a>0"_s),
                u"uid_0 DESC"_s),
        u"SELECT * FROM ( SELECT Top 5 * FROM (SELECT Top 25 * FROM (SELECT * FROM t WHERE a>0) AS "
        u"TABLE_A "
        "ORDER By uid_0 DESC ) DERIVEDTBL Order By uid_0 ASC ) DERIVEDTBL Order By uid_0 DESC"_s);
}

TEST(PageQuery, ReversesOrderTextByPlainReplacement)
{
    EXPECT_EQ(ReversedOrder(u"uid_0 DESC,name_0 ASC"_s), u"uid_0 ASC,name_0 DESC"_s);
    EXPECT_EQ(ReversedOrder(u"uid_0"_s), u"uid_0"_s);
    EXPECT_EQ(ReversedOrder(u"a DESCRIPTION"_s), u"a ASCRIPTION"_s);
}

TEST(ScriptPieces, SplitsAtEverySemicolon)
{
    EXPECT_EQ(ScriptPieces(u"INSERT INTO t VALUES(1);\n\nUPDATE t SET a=2;-- note;x"_s),
              (QStringList{u"INSERT INTO t VALUES(1)"_s, u"UPDATE t SET a=2"_s}));
    // A ';' inside a literal splits too: scripts are written for the plain split.
    EXPECT_EQ(ScriptPieces(u"UPDATE t SET a='x;y'"_s), (QStringList{u"UPDATE t SET a='x"_s}));
    EXPECT_EQ(ScriptPieces(u"\r\nSELECT 1"_s), QStringList{u"\r\nSELECT 1"_s});
}

TEST(SelectParts, TakesTableConditionAndOrderFromTheSelect)
{
    struct Case {
        QString sql, table, qualifier, from, where, order;
    };
    const QList<Case> cases = {
        {u"SELECT a FROM t WHERE x=1 ORDER BY a DESC"_s, u"t"_s, u"t"_s, u"t"_s, u"x=1"_s,
         u"a DESC"_s},
        {u"SELECT uid_0,form_0  FROM c_menu_dh_down where uid_0=5"_s, u"c_menu_dh_down"_s,
         u"c_menu_dh_down"_s, u"c_menu_dh_down"_s, u"uid_0=5"_s, QString()},
        {u"select A.x from c_user A left join t B on A.id=B.id where A.uid_0=(select max(uid_0) "
         u"from c_user) "
         "order by A.x"_s,
         u"c_user"_s, u"A"_s, u"c_user A left join t B on A.id=B.id"_s,
         u"A.uid_0=(select max(uid_0) from c_user)"_s, u"A.x"_s},
        {u"SELECT * FROM [dbo].[t] AS q WHERE a='from x order by' ORDER BY b;"_s, u"[dbo].[t]"_s,
         u"q"_s, u"[dbo].[t] AS q"_s, u"a='from x order by'"_s, u"b"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql.toStdString());
        const SelectParts parts = ReadSelectParts(c.sql);
        ASSERT_TRUE(parts.ok);
        EXPECT_EQ(parts.table, c.table);
        EXPECT_EQ(parts.qualifier, c.qualifier);
        EXPECT_EQ(parts.from, c.from);
        EXPECT_EQ(parts.where, c.where);
        EXPECT_EQ(parts.order, c.order);
    }
    EXPECT_FALSE(ReadSelectParts(u"SELECT 1"_s).ok);
    EXPECT_FALSE(ReadSelectParts(u"SELECT * FROM (SELECT 1) x"_s).ok);
}

TEST(ConnectionString, ReadsEveryFormTheSystemKnows)
{
    using Kind = ConnectionTarget::Kind;
    struct Case {
        QString text;
        Kind kind;
        int legacyType;
    };
    const QList<Case> cases = {
        {u"Provider=SQLite;Data Source=/d/c.db"_s, Kind::SqliteFile, 3},
        {u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/d/c.mdb;Persist Security Info=False"_s,
         Kind::JetFile, 2},
        {u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/d/;Extended Properties=text;Persist Security Info=False;"_s,
         Kind::TextFolder, 2},
        {u"Provider=PostgreSQL;Host=h;Port=5;Database=d;User ID=u;Password=p"_s, Kind::PostgreSQL,
         3},
        {u"driver={SQL Server};Server=h,1433;Database=d;Uid=u;Pwd=p"_s, Kind::SqlServer, 1},
        {u"Driver={SQL Server};Server=h"_s, Kind::SqlServer, 1},
        {u"Driver={SQLite3};Database=/d/c.db"_s, Kind::Odbc, 3},
        {u"DSN=erp;UID=u"_s, Kind::Odbc, 3},
        {u"Provider=SQLOLEDB;Data Source=h"_s, Kind::Unsupported, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(ParseConnectionTarget(c.text).kind, c.kind);
        EXPECT_EQ(LegacyDbType(c.text), c.legacyType);
    }
    const QList<ConnectionPair> pairs = ParseConnectionPairs(
        u" Data Source = \"a;b\" ;Pwd={x;}}y};Extended Properties='text;HDR=Yes';junk"_s);
    ASSERT_EQ(pairs.size(), 3);
    EXPECT_EQ(ConnectionValue(pairs, {u"data source"_s}), u"a;b"_s);
    EXPECT_EQ(ConnectionValue(pairs, {u"PWD"_s}), u"x;}y"_s);
    EXPECT_EQ(ConnectionValue(pairs, {u"Extended Properties"_s}), u"text;HDR=Yes"_s);
}

} // namespace
} // namespace zk
