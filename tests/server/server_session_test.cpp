// CDbSession in server mode against zk_server over loopback, on SQLite and on PostgreSQL:
// the same operations as a direct session on the same database, the failure texts, writes,
// transactions, the file store, large results and many clients at once.
#include "data/backends/backend.h"
#include "data/session/db_session.h"
#include "data/session/link_server_ops.h"
#include "server_process.h"
#include "tests/common/test_env.h"
#include "util/files.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

namespace zk {
namespace {

using test::Engine;

std::string Describe(const CDbSession& session)
{
    return (session.errorText + u" | "_s + session.errorDetail).toStdString();
}

QByteArray RandomBytes(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(QRandomGenerator::global()->bounded(256));
    for (int b = 0; b < 256 && b < size; ++b)
        bytes[b] = char(b);
    return bytes;
}

class ServerSessionTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        if (GetParam() == Engine::PostgreSQL)
            ZK_REQUIRE_PG();
        served = std::make_unique<test::ServedDatabase>(GetParam());
        ASSERT_TRUE(served->problem().isEmpty()) << served->problem().toStdString();
        direct.SetConnectionString(served->connection());
        ASSERT_TRUE(direct.Open()) << Describe(direct);
        client.UseServer();
        ASSERT_TRUE(client.Open()) << Describe(client);
    }

    void Run(CDbSession& session, const QString& sql)
    {
        ASSERT_TRUE(session.RunScript(sql)) << Describe(session) << " " << sql.toStdString();
    }

    QString Count(const QString& sql)
    {
        QString value;
        EXPECT_TRUE(direct.IsFind(sql, value)) << Describe(direct);
        return value;
    }

    QString KeyColumn() const
    {
        return GetParam() == Engine::SQLite ? u"INTEGER PRIMARY KEY AUTOINCREMENT"_s
                                            : u"serial PRIMARY KEY"_s;
    }

    test::ScopedHome home; // the client's temp folder for downloads
    std::unique_ptr<test::ServedDatabase> served;
    CDbSession direct;
    CDbSession client;
};

// Every reading operation gives through the server what it gives on the database itself.
TEST_P(ServerSessionTest, ReadsAsTheDirectSessionDoes)
{
    Run(direct, u"CREATE TABLE c_goods (uid_0 int, name_0 nvarchar(40), price_0 decimal(18,2), "
                "note_0 nvarchar(40), img_0 image);"
                "INSERT INTO c_goods VALUES (1, '螺丝', 3.50, NULL, NULL);"
                "INSERT INTO c_goods VALUES (2, 'bolt', 12, '', NULL);"
                "INSERT INTO c_goods VALUES (3, '垫片', 0.25, 'x', NULL)"_s.replace(
                    u"image"_s, GetParam() == Engine::SQLite ? u"blob"_s : u"bytea"_s));
    const QByteArray image = RandomBytes(70000);
    ASSERT_TRUE(direct.UpdateBinaryRecord(u"SELECT img_0 FROM c_goods WHERE uid_0=2"_s,
                                          {u"img_0"_s}, {image}));
    const QString none = u"SELECT uid_0 FROM c_goods WHERE uid_0>99"_s;
    using Probe = std::function<QString(CDbSession&)>;
    auto text = [](bool ok, const QStringList& parts) {
        return QString::number(ok) + u'|' + parts.join(u'|');
    };
    const std::vector<std::pair<const char*, Probe>> probes = {
        {"type", [](CDbSession& s) { return s.GetDbType(); }},
        {"exists",
         [](CDbSession& s) { return QString::number(s.Exists(u"SELECT 1 FROM c_goods"_s)); }},
        {"exists none", [&](CDbSession& s) { return QString::number(s.Exists(none)); }},
        {"isfind",
         [&](CDbSession& s) {
             QString v;
             const bool ok = s.IsFind(u"SELECT name_0 FROM c_goods WHERE uid_0=1"_s, v);
             return text(ok, {v});
         }},
        {"isfind null",
         [&](CDbSession& s) {
             QString v = u"old"_s;
             const bool ok = s.IsFind(u"SELECT note_0 FROM c_goods WHERE uid_0=1"_s, v);
             return text(ok, {v});
         }},
        {"isfind2 none",
         [&](CDbSession& s) {
             QString v = u"old"_s;
             return QString::number(s.IsFind2(none, v)) + v;
         }},
        {"querylist",
         [&](CDbSession& s) {
             QStringList l;
             const int r =
                 s.QueryList(u"SELECT uid_0, price_0, note_0 FROM c_goods ORDER BY uid_0"_s, l);
             return QString::number(r) + l.join(u'|');
         }},
        {"querylist none",
         [&](CDbSession& s) {
             QStringList l{u"old"_s};
             return QString::number(s.QueryList(none, l)) + l.join(u'|');
         }},
        {"queryfields",
         [&](CDbSession& s) {
             QStringList l;
             const bool ok = s.QueryFields(u"SELECT * FROM c_goods ORDER BY uid_0 DESC"_s,
                                           {u"NOTE_0"_s, u"name_0"_s}, l);
             return text(ok, l);
         }},
        {"querytable",
         [&](CDbSession& s) {
             QStringList n{u"kept"_s}, v;
             const bool ok = s.QueryTable(
                 u"SELECT uid_0 AS Uid, name_0, price_0 * 2 AS twice FROM c_goods ORDER BY uid_0"_s,
                 n, v);
             return text(ok, n + v);
         }},
        {"querytable every kind of column",
         [&](CDbSession& s) {
             QStringList n, v;
             const bool ok = s.QueryTable(
                 u"SELECT g.*, CAST('2026-12-11 08:30:15' AS datetime) AS t, 1.5 * uid_0 AS f, "
                 "uid_0 > 1 AS b FROM c_goods g ORDER BY uid_0"_s,
                 n, v);
             EXPECT_EQ(v.size(), 24) << Describe(s);
             return text(ok, n + v);
         }},
        {"querytable one empty value",
         [&](CDbSession& s) {
             QStringList n, v;
             const bool ok = s.QueryTable(u"SELECT note_0 FROM c_goods WHERE uid_0=2"_s, n, v);
             return text(ok, n + v) + QString::number(v.size());
         }},
        {"querytable none",
         [&](CDbSession& s) {
             QStringList n, v;
             const bool ok = s.QueryTable(none, n, v);
             return text(ok, n + v) + QString::number(n.size());
         }},
        {"querypage",
         [&](CDbSession& s) {
             QStringList n, v;
             int total = -1, pages = -1;
             const bool ok = s.QueryPage(u"SELECT uid_0, name_0 FROM c_goods"_s, {}, 2, 2,
                                         u"uid_0 DESC"_s, n, v, total, pages);
             return text(ok, n + v) + u'|' + QString::number(total) + u'|' + QString::number(pages);
         }},
        {"querypage none",
         [&](CDbSession& s) {
             QStringList n, v;
             int total = -1, pages = -1;
             const bool ok = s.QueryPage(u"SELECT uid_0 FROM c_goods"_s, u"WHERE uid_0>99"_s, 2, 1,
                                         u"uid_0"_s, n, v, total, pages);
             return text(ok, n + v) + u'|' + QString::number(total) + u'|' + QString::number(pages);
         }},
        {"readbinary",
         [&](CDbSession& s) {
             QList<QByteArray> b;
             const bool ok =
                 s.ReadBinary(u"SELECT img_0 FROM c_goods WHERE uid_0=2"_s, {u"img_0"_s}, b);
             return text(ok,
                         {QString::number(b.size()), QString::fromLatin1(b.value(0).toBase64())});
         }},
        {"readbinary none",
         [&](CDbSession& s) {
             QList<QByteArray> b;
             s.lastState = 9;
             const bool ok = s.ReadBinary(none, {u"img_0"_s}, b);
             return text(ok, {QString::number(b.size()), QString::number(s.lastState)});
         }},
    };
    for (const auto& [name, probe] : probes)
        EXPECT_EQ(probe(client), probe(direct)) << name;
    EXPECT_EQ(client.dbType, direct.dbType);

    // What only the server knows: the client's address as it sees it.
    const QString address = client.GetClientIp();
    EXPECT_TRUE(address.startsWith(u"127.0.0.1:"_s)) << address.toStdString();
    EXPECT_GT(address.section(u':', 1).toInt(), 0);
    EXPECT_EQ(client.CallServer(u"anything else"_s), u"0"_s);

    // The one difference the session's rules make: no row is success through the server.
    QStringList list{u"old"_s};
    EXPECT_FALSE(direct.QueryFields(none, {u"uid_0"_s}, list));
    list = QStringList{u"old"_s};
    EXPECT_TRUE(client.QueryFields(none, {u"uid_0"_s}, list));
    EXPECT_TRUE(list.isEmpty());
}

TEST_P(ServerSessionTest, FailuresCarryTheServersReason)
{
    const QString bad = u"UPDATE nowhere SET x=1"_s;
    EXPECT_FALSE(client.Execute(bad));
    EXPECT_EQ(client.errorText, u"执行操作出错:\n"_s + bad);
    // The server's direct session wrote its own text; it arrives as the detail.
    EXPECT_EQ(client.errorDetail, u"执行操作出错"_s + bad);
    EXPECT_EQ(client.lastState, -1);

    const QString select = u"SELECT missing FROM nowhere"_s;
    client.errorText = u"A:"_s;
    QString value;
    EXPECT_FALSE(client.IsFind(select, value));
    EXPECT_EQ(client.errorText, u"A:"_s + select + u"\n执行SELECT出错"_s);
    EXPECT_EQ(client.IsFind2(select, value), -1);
    EXPECT_EQ(client.errorText, u"IsFind2出错\n"_s + select);
    EXPECT_EQ(value, client.errorText);
    QStringList names, values;
    EXPECT_FALSE(client.QueryTable(select, names, values));
    EXPECT_EQ(client.errorText, u"SELECT出错\n"_s + select);
    EXPECT_FALSE(client.QueryFields(select, {u"a"_s}, values));
    EXPECT_EQ(client.errorText, u"SQL出错\n"_s + select);
    client.errorText = u"kept"_s;
    EXPECT_EQ(client.QueryList(select, values), -1);
    EXPECT_EQ(client.errorText, u"kept"_s);
    EXPECT_EQ(client.errorDetail, u"SQL出错\n"_s + select);

    // Refusals without an error: a row that is there already, no row to update.
    Run(direct, u"CREATE TABLE c_item (code_0 nvarchar(10), qty_0 int)"_s);
    Run(direct, u"INSERT INTO c_item VALUES ('A1', 1)"_s);
    client.errorText = u"before"_s;
    EXPECT_FALSE(
        client.InsertRecord(u"SELECT * FROM c_item WHERE code_0='A1'"_s, {u"code_0"_s}, {u"A1"_s}));
    EXPECT_FALSE(
        client.Update(u"SELECT * FROM c_item WHERE code_0='B2'"_s, {u"qty_0"_s}, {u"5"_s}));
    EXPECT_EQ(client.errorText, u"before"_s);
    // The pairing of names and values is checked before anything is sent.
    QString id;
    EXPECT_EQ(client.InsertUidRecord(id, u"SELECT * FROM c_item"_s, {u"code_0"_s}, {}), -2);
    EXPECT_EQ(client.errorText, u"字段和值不对应，不能添加"_s);
    client.errorText.clear();
    EXPECT_FALSE(client.UpdateBinaryRecord(u"SELECT * FROM c_item WHERE code_0='B2'"_s,
                                           {u"qty_0"_s}, {QByteArray("x")}));
    EXPECT_TRUE(client.errorText.contains(u"\nUpdateBinaryRecord出错:\n"_s)) << Describe(client);

    // None of it costs the connection.
    EXPECT_TRUE(client.IsOpen());
    EXPECT_TRUE(client.IsFind(u"SELECT qty_0 FROM c_item"_s, value));
    EXPECT_EQ(value, u"1"_s);
}

TEST_P(ServerSessionTest, WritesRecordsAndBinaryFields)
{
    Run(direct, u"CREATE TABLE c_item (uid_0 "_s + KeyColumn() +
                    u", code_0 nvarchar(20), qty_0 int, made_0 datetime, pic_0 "_s +
                    (GetParam() == Engine::SQLite ? u"blob)"_s : u"bytea)"_s));
    const QStringList names{u"code_0"_s, u"qty_0"_s, u"made_0"_s};
    EXPECT_TRUE(client.InsertRecord(u"SELECT * FROM c_item WHERE code_0='甲'"_s, names,
                                    {u"甲"_s, u"12"_s, u"2026-05-01 08:09:10"_s}))
        << Describe(client);
    QString id;
    EXPECT_EQ(client.InsertUidRecord(id, u"SELECT * FROM c_item WHERE code_0='乙'"_s, names,
                                     {u"乙"_s, u""_s, u""_s}),
              1)
        << Describe(client);
    EXPECT_EQ(id, u"2"_s);
    EXPECT_TRUE(client.Update(u"SELECT * FROM c_item WHERE code_0='乙'"_s, {u"qty_0"_s}, {u"7"_s}))
        << Describe(client);
    const QByteArray picture = RandomBytes(3 * 1024 * 1024 + 5);
    EXPECT_TRUE(client.UpdateBinaryRecord(u"SELECT pic_0 FROM c_item WHERE uid_0=1"_s, {u"pic_0"_s},
                                          {picture}))
        << Describe(client);
    QStringList rows;
    ASSERT_EQ(
        direct.QueryList(u"SELECT uid_0, code_0, qty_0, made_0 FROM c_item ORDER BY uid_0"_s, rows),
        1);
    EXPECT_EQ(rows, (QStringList{u"1"_s, u"甲"_s, u"12"_s, u"2026-05-01 08:09:10"_s, u"2"_s,
                                 u"乙"_s, u"7"_s, QString()}));
    QList<QByteArray> read;
    ASSERT_TRUE(client.ReadBinary(u"SELECT pic_0 FROM c_item WHERE uid_0=1"_s, {u"pic_0"_s}, read));
    ASSERT_EQ(read.size(), 1);
    EXPECT_TRUE(read.first() == picture);
}

TEST_P(ServerSessionTest, TransactionsAreTheClientsOwn)
{
    Run(direct, u"CREATE TABLE c_tx (code_0 nvarchar(10) PRIMARY KEY)"_s);
    ASSERT_TRUE(client.BeginTrans());
    Run(client, u"INSERT INTO c_tx VALUES ('gone')"_s);
    ASSERT_TRUE(client.RollbackTrans());
    ASSERT_TRUE(client.BeginTrans());
    Run(client, u"INSERT INTO c_tx VALUES ('kept')"_s);
    ASSERT_TRUE(client.CommitTrans());
    EXPECT_EQ(Count(u"SELECT count(*) FROM c_tx WHERE code_0='kept'"_s), u"1"_s);
    EXPECT_EQ(Count(u"SELECT count(*) FROM c_tx"_s), u"1"_s);

    // A client that goes away inside a transaction leaves nothing behind: the same key
    // can be written again (a commit would have made it a duplicate).
    for (const bool sayGoodbye : {false, true}) {
        auto leaving = std::make_unique<CDbSession>();
        leaving->UseServer();
        ASSERT_TRUE(leaving->Open()) << Describe(*leaving);
        ASSERT_TRUE(leaving->BeginTrans());
        Run(*leaving, u"INSERT INTO c_tx VALUES ('left')"_s);
        if (sayGoodbye)
            leaving->Close(); // "Close" inside the transaction
        leaving.reset();      // else the connection just ends
        ASSERT_TRUE(client.BeginTrans());
        EXPECT_TRUE(client.Execute(u"INSERT INTO c_tx VALUES ('left')"_s)) << Describe(client);
        ASSERT_TRUE(client.RollbackTrans());
    }
}

TEST_P(ServerSessionTest, MovesFilesThroughTheStore)
{
    CServerLink* link = ServerLinkOf(client);
    ASSERT_NE(link, nullptr);
    const QByteArray contract = RandomBytes(5 * 1024 * 1024 + 3);
    ASSERT_TRUE(link->Upload(u"c_file"_s, u"7"_s, u"pdf"_s, QByteArray("old")));
    ASSERT_TRUE(link->Upload(u"c_file"_s, u"7"_s, u"pdf"_s, contract))
        << link->lastError.toStdString();
    QString path;
    ASSERT_TRUE(link->Download(u"C_FILE"_s, u"7"_s, u"pdf"_s, u"合同"_s, path));
    EXPECT_EQ(path, home.file(u"temp/合同.pdf"_s));
    QByteArray downloaded;
    ASSERT_TRUE(ReadFileBytes(path, downloaded));
    EXPECT_TRUE(downloaded == contract);
    // A file without a format, and an empty file.
    ASSERT_TRUE(link->Upload(u"c_file"_s, u"8"_s, {}, {}));
    ASSERT_TRUE(link->Download(u"c_file"_s, u"8"_s, {}, u"8"_s, path));
    EXPECT_EQ(QFileInfo(path).size(), 0);

    EXPECT_TRUE(link->Delete(u"c_file"_s, u"7"_s, u"pdf"_s));
    EXPECT_FALSE(link->Delete(u"c_file"_s, u"7"_s, u"pdf"_s));
    EXPECT_FALSE(link->Download(u"c_file"_s, u"7"_s, u"pdf"_s, u"7"_s, path));
    EXPECT_FALSE(link->Download(u"c_other"_s, u"1"_s, u"jpg"_s, u"1"_s, path));

    // Names that could leave the store are refused before they reach the disk.
    const QString store = served->folder() + u"/files"_s;
    for (const auto& [table, id, format] :
         std::vector<std::tuple<QString, QString, QString>>{{u"../escape"_s, u"1"_s, u"txt"_s},
                                                            {u"c_file"_s, u"../../x"_s, u"txt"_s},
                                                            {u"c_file"_s, u"1"_s, u"/../x"_s},
                                                            {u""_s, u"1"_s, u"txt"_s}}) {
        EXPECT_FALSE(link->Upload(table, id, format, QByteArray("x")));
        EXPECT_EQ(link->lastError, u"文件名不合法"_s);
    }
    EXPECT_FALSE(QFileInfo::exists(served->folder() + u"/escape"_s));
    EXPECT_EQ(QDir(store).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{u"c_file"_s});
    EXPECT_TRUE(client.IsOpen());
}

// The server joins table results straight from the engine's texts: they must be the texts
// the session's own reading gives, for every kind of column and for values that only the
// general reading knows how to show.
TEST_P(ServerSessionTest, JoinsTablesAsTheSessionReadsThem)
{
    Run(direct, u"CREATE TABLE c_kinds (uid_0 int, name_0 nvarchar(20), code_0 char(4), "
                "price_0 decimal(18,4), rate_0 float, at_0 datetime, day_0 date, flag_0 bit, "
                "img_0 image);"
                "INSERT INTO c_kinds VALUES (1, '螺丝', 'ab', 3.5000, 0.1, "
                "'2026-12-11 08:30:15.25', '2026-12-11', 1, NULL);"
                "INSERT INTO c_kinds VALUES (2, NULL, NULL, 10, 2.5e10, '2026-01-02 03:04:05', "
                "NULL, 0, NULL)"_s.replace(u"image"_s,
                                           GetParam() == Engine::SQLite ? u"blob"_s : u"bytea"_s));
    const QStringList queries = {
        u"SELECT * FROM c_kinds ORDER BY uid_0"_s,
        u"SELECT uid_0 AS Uid, price_0 * 2 AS Twice, uid_0 > 1 AS Later FROM c_kinds ORDER BY uid_0"_s,
        u"SELECT uid_0 FROM c_kinds WHERE uid_0 > 5"_s,
        u"UPDATE c_kinds SET uid_0 = uid_0 WHERE uid_0 = 0"_s,
        u"SELECT missing FROM nowhere"_s,
    };
    for (const QString& sql : queries) {
        QStringList names, values;
        const bool read = direct.QueryTable(sql, names, values);
        const QString readText = direct.errorText;
        JoinedRows joined;
        joined.valueSeparator = u'|';
        joined.groupSeparator = u'#';
        const bool joinedOk = direct.QueryTableJoined(sql, joined);
        EXPECT_EQ(joinedOk, read) << sql.toStdString();
        EXPECT_EQ(direct.errorText, readText) << sql.toStdString();
        if (read && !names.isEmpty()) {
            EXPECT_EQ(QString::fromUtf8(joined.utf8), names.join(u'|') + u'#' + values.join(u'|'))
                << sql.toStdString();
            EXPECT_EQ(joined.rowCount * joined.columnCount, values.size());
        } else if (read) {
            EXPECT_EQ(joined.rowCount, 0) << sql.toStdString();
        }
    }
}

// A separator inside a value would shift every later value into the wrong column.
TEST_P(ServerSessionTest, RefusesATableWhoseValuesHoldSeparators)
{
    Run(direct, u"CREATE TABLE c_sep (a_0 nvarchar(20)); INSERT INTO c_sep VALUES ('x'); "
                "INSERT INTO c_sep VALUES ('y')"_s);
    ASSERT_TRUE(
        direct.Execute(u"UPDATE c_sep SET a_0 = 'y"_s + QChar(0x1D) + u"z' WHERE a_0 = 'y'"_s));
    QStringList names, values;
    EXPECT_FALSE(client.QueryTable(u"SELECT a_0 FROM c_sep"_s, names, values));
    EXPECT_TRUE(client.errorDetail.contains(u"分隔字符"_s)) << Describe(client);
    EXPECT_TRUE(values.isEmpty());
}

TEST_P(ServerSessionTest, CarriesResultsOfSeveralMegabytes)
{
    Run(direct,
        u"CREATE TABLE c_big (uid_0 int, a_0 nvarchar(60), b_0 nvarchar(60), c_0 nvarchar(60))"_s);
    const QString filler = u"货品规格说明文字 long description text for the row "_s;
    for (int chunk = 0; chunk < 60; ++chunk) {
        QStringList rows;
        for (int i = chunk * 500; i < (chunk + 1) * 500; ++i)
            rows.append(u"(%1, '%2', '%3', '%4')"_s.arg(i).arg(filler + QString::number(i),
                                                               QString::number(i * 7), filler));
        Run(direct, u"INSERT INTO c_big VALUES "_s + rows.join(u','));
    }
    const QString sql = u"SELECT * FROM c_big ORDER BY uid_0"_s;
    QStringList directNames, directValues, names, values;
    ASSERT_TRUE(direct.QueryTable(sql, directNames, directValues));
    ASSERT_TRUE(client.QueryTable(sql, names, values)) << Describe(client);
    EXPECT_EQ(names, directNames);
    EXPECT_EQ(values.size(), 120000);
    EXPECT_TRUE(values == directValues);
}

TEST_P(ServerSessionTest, ServesFiftyClientsAtOnce)
{
    Run(direct, u"CREATE TABLE c_load (client_0 int, n_0 int, PRIMARY KEY (client_0, n_0))"_s);
    constexpr int kClients = 50;
    constexpr int kTransactions = 5;
    constexpr int kRows = 4;
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int c = 0; c < kClients; ++c) {
        threads.emplace_back([&, c] {
            CDbSession session;
            session.UseServer();
            if (!session.Open()) {
                ++failures;
                return;
            }
            for (int t = 0; t < kTransactions; ++t) {
                bool ok = session.BeginTrans();
                for (int r = 0; ok && r < kRows; ++r)
                    ok = session.Execute(
                        u"INSERT INTO c_load VALUES (%1, %2)"_s.arg(c).arg(t * kRows + r));
                if (!ok || !session.CommitTrans())
                    ++failures;
            }
            session.Close();
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(Count(u"SELECT count(*) FROM c_load"_s),
              QString::number(kClients * kTransactions * kRows));
    EXPECT_EQ(Count(u"SELECT count(DISTINCT client_0) FROM c_load"_s), QString::number(kClients));
}

INSTANTIATE_TEST_SUITE_P(Engines, ServerSessionTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         test::EngineParamName());

} // namespace
} // namespace zk
