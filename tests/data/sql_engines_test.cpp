// The program's statements and typical form statements, translated and run on real SQLite
// (with the legacy functions registered) and real PostgreSQL (with the compat schema).
#include "data/backends/postgres/compat_schema.h"
#include "data/backends/sqlite/legacy_functions.h"
#include "data/sql/sql_translate.h"
#include "tests/data/pg_test_env.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <memory>

namespace {

using zk::sql::Dialect;
using zk::sql::TranslateSql;
using Rows = QList<QStringList>;

// Cells as text the same way on both engines: NULL as "NULL", numbers without trailing
// zeros, blobs as "x:" + hex, dates as 'YYYY-MM-DD HH:MM:SS', booleans as 1/0.
QString NormalCell(QString text)
{
    static const QRegularExpression decimal(QStringLiteral("^-?\\d+\\.\\d+$"));
    if (decimal.match(text).hasMatch()) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text;
}

class Engine {
public:
    virtual ~Engine() = default;
    virtual Dialect Target() const = 0;
    virtual QString ExecNative(const QString& sql) = 0; // error text, empty on success
    virtual QString QueryNative(const QString& sql, Rows* rows) = 0;
};

class SqliteEngine : public Engine {
public:
    SqliteEngine()
    {
        sqlite3_open(":memory:", &db_);
        registered = zk::RegisterLegacyFunctions(db_);
    }
    ~SqliteEngine() override { sqlite3_close(db_); }

    Dialect Target() const override { return Dialect::SQLite; }

    QString ExecNative(const QString& sql) override
    {
        char* message = nullptr;
        if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message) == SQLITE_OK)
            return {};
        const QString error = QString::fromUtf8(message ? message : sqlite3_errmsg(db_));
        sqlite3_free(message);
        return error.isEmpty() ? QStringLiteral("error") : error;
    }

    QString QueryNative(const QString& sql, Rows* rows) override
    {
        const QByteArray utf8 = sql.toUtf8();
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, utf8.constData(), static_cast<int>(utf8.size()), &st,
                               nullptr) != SQLITE_OK)
            return QString::fromUtf8(sqlite3_errmsg(db_));
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                row << Cell(st, c);
            rows->append(row);
        }
        const QString error =
            rc == SQLITE_DONE ? QString() : QString::fromUtf8(sqlite3_errmsg(db_));
        sqlite3_finalize(st);
        return error;
    }

    bool registered = false;

private:
    static QString Cell(sqlite3_stmt* st, int c)
    {
        switch (sqlite3_column_type(st, c)) {
        case SQLITE_NULL:
            return QStringLiteral("NULL");
        case SQLITE_INTEGER:
            return QString::number(sqlite3_column_int64(st, c));
        case SQLITE_FLOAT:
            return NormalCell(QString::number(sqlite3_column_double(st, c), 'f', 6));
        case SQLITE_BLOB: {
            const auto* p = static_cast<const char*>(sqlite3_column_blob(st, c));
            return "x:" + QString::fromLatin1(QByteArray(p, sqlite3_column_bytes(st, c)).toHex());
        }
        default:
            return NormalCell(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c))));
        }
    }

    sqlite3* db_ = nullptr;
};

// Works in a schema of its own (tests run in parallel processes on one database), with
// the compat schema behind it on the search path.
class PostgresEngine : public Engine {
public:
    PostgresEngine()
    {
        static int counter = 0;
        schema_ = QStringLiteral("zk_sqltest_%1_%2")
                      .arg(QCoreApplication::applicationPid())
                      .arg(++counter);
        if (!conn_.IsOpen()) {
            error = conn_.ErrorText();
            return;
        }
        QSqlDatabase db = conn_.Db();
        if (!zk::EnsurePostgresCompat(db, &error))
            return;
        error = ExecNative("CREATE SCHEMA " + schema_ + "; SET search_path TO " + schema_ +
                           ", zk_compat");
    }
    ~PostgresEngine() override
    {
        if (conn_.IsOpen())
            ExecNative("SET client_min_messages TO warning; DROP SCHEMA IF EXISTS " + schema_ +
                       " CASCADE");
    }

    Dialect Target() const override { return Dialect::PostgreSQL; }

    QString ExecNative(const QString& sql) override
    {
        QSqlQuery q(conn_.Db());
        return q.exec(sql) ? QString() : q.lastError().text();
    }

    QString QueryNative(const QString& sql, Rows* rows) override
    {
        QSqlQuery q(conn_.Db());
        q.setForwardOnly(true);
        q.setNumericalPrecisionPolicy(QSql::HighPrecision);
        if (!q.exec(sql))
            return q.lastError().text();
        while (q.next()) {
            QStringList row;
            for (int c = 0; c < q.record().count(); ++c)
                row << Cell(q.value(c));
            rows->append(row);
        }
        return {};
    }

    QString error;

private:
    static QString Cell(const QVariant& v)
    {
        if (v.isNull())
            return QStringLiteral("NULL");
        switch (v.typeId()) {
        case QMetaType::QDateTime:
            return v.toDateTime().toString(u"yyyy-MM-dd HH:mm:ss");
        case QMetaType::QDate:
            return v.toDate().toString(u"yyyy-MM-dd");
        case QMetaType::QByteArray:
            return "x:" + QString::fromLatin1(v.toByteArray().toHex());
        case QMetaType::Bool:
            return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        case QMetaType::Double:
            return NormalCell(QString::number(v.toDouble(), 'f', 6));
        default:
            return NormalCell(v.toString());
        }
    }

    zk::test::ScopedPgConnection conn_;
    QString schema_;
};

enum class Backend { SQLite, PostgreSQL };

void PrintTo(Backend b, std::ostream* os)
{
    *os << (b == Backend::SQLite ? "SQLite" : "PostgreSQL");
}

// The system tables' relevant columns and a small business table, in each engine's DDL.
QStringList FixtureDdl(Backend b)
{
    const bool pg = b == Backend::PostgreSQL;
    const QString id = pg ? QStringLiteral("serial PRIMARY KEY")
                          : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    const QString blob = pg ? QStringLiteral("bytea") : QStringLiteral("BLOB");
    const QString time = pg ? QStringLiteral("timestamp") : QStringLiteral("DATETIME");
    const QStringList ddl = {
        "CREATE TABLE c_user (uid_0 {ID}, id_0 varchar(50), name_0 varchar(50), pass_0 "
        "varchar(50), state_0 "
        "varchar(10), loginTime_0 {TIME}, auth_0 varchar(200), auth1_0 varchar(200), "
        "user_group_uid_0 int)",
        "CREATE VIEW view_c_user AS SELECT uid_0, id_0, name_0, pass_0, state_0, auth_0, auth1_0 "
        "FROM c_user",
        "CREATE TABLE log_client_login (uid_0 {ID}, user_uid_0 int, name_0 varchar(50), ip_0 "
        "varchar(50), time_0 "
        "{TIME}, cpt_name_0 varchar(50), mac_0 varchar(50), ip_1 varchar(50))",
        "CREATE TABLE c_menu_dh (uid_0 {ID}, level_0 int, leaf_0 int, order_0 int, pUid_0 int, "
        "name_0 varchar(50), "
        "form_0 {BLOB}, update_user_uid_0 int, update_time_0 varchar(30))",
        "CREATE TABLE c_menu_dh_down (uid_0 int, level_0 int, leaf_0 int, order_0 int, pUid_0 int, "
        "name_0 "
        "varchar(50), form_0 {BLOB}, update_user_uid_0 int, update_time_0 varchar(30))",
        "CREATE TABLE c_menu_button (uid_0 {ID}, menu_uid_0 int, button_id_0 int, value_0 "
        "varchar(50), sta_0 int)",
        "CREATE TABLE c_menu_button_down (uid_0 int, menu_uid_0 int, button_id_0 int, value_0 "
        "varchar(50), sta_0 int "
        "DEFAULT 0)",
        "CREATE TABLE c_menu_button_group (uid_0 {ID}, menu_button_uid_0 int, group_uid_0 int, "
        "sta_0 int)",
        "CREATE TABLE c_app (uid_0 int PRIMARY KEY, appName_0 varchar(50), company_0 varchar(50), "
        "app_0 varchar(40), "
        "ver_0 varchar(20), ver_1 varchar(20), exe_0 {BLOB}, date_exe_0 varchar(30), date_up_0 "
        "{TIME}, userCount_0 "
        "int)",
        "CREATE TABLE log_dh_open (uid_0 {ID}, menu_uid_0 int, open_user_uid_0 int, menu_name_0 "
        "varchar(100), "
        "open_user_id_0 varchar(50), control_id_0 int)",
        "CREATE TABLE c_file (uid_0 {ID}, puid_0 int, name_0 varchar(100), format_0 varchar(10), "
        "size_0 "
        "numeric(12,2), up_date_0 {TIME}, create_user_uid_0 int, up_user_uid_0 int)",
        "CREATE TABLE c_goods (uid_0 {ID}, code_0 varchar(20), name_0 varchar(50), qty_0 int, "
        "price_0 numeric(12,2), "
        "made_0 {TIME})",
        "CREATE TABLE c_stock (code_0 varchar(20), qty_0 int)",
    };
    QStringList out;
    for (QString s : ddl)
        out << s.replace(QStringLiteral("{ID}"), id)
                   .replace(QStringLiteral("{BLOB}"), blob)
                   .replace(QStringLiteral("{TIME}"), time);
    return out;
}

QString Blob(Backend b, const char* hex)
{
    return b == Backend::PostgreSQL ? QStringLiteral("'\\x%1'::bytea").arg(QLatin1StringView(hex))
                                    : QStringLiteral("X'%1'").arg(QLatin1StringView(hex));
}

// The menu and its buttons as the program finds them before a synchronisation.
QStringList MenuRows(Backend b)
{
    return {
        "INSERT INTO c_menu_dh VALUES (1, 0, 0, 1, 0, '仓库', NULL, 1, '2024-01-01')",
        "INSERT INTO c_menu_dh VALUES (2, 1, 1, 1, 1, '入库', " + Blob(b, "01") +
            ", 1, '2024-01-01')",
        "INSERT INTO c_menu_dh VALUES (3, 1, 1, 2, 1, '出库', " + Blob(b, "02") +
            ", 1, '2024-01-01')",
        "INSERT INTO c_menu_dh VALUES (4, 0, 1, 2, 0, '报表', " + Blob(b, "03") +
            ", 1, '2024-01-01')",
        "INSERT INTO c_menu_button VALUES (1, 2, 10, 'save', 0)",
        "INSERT INTO c_menu_button VALUES (2, 2, 11, 'delete', -1)",
        "INSERT INTO c_menu_button VALUES (3, 3, 10, 'save', 0)",
    };
}

QStringList FixtureRows(Backend b)
{
    QStringList rows =
        MenuRows(b) +
        QStringList{
            "INSERT INTO c_user(id_0, name_0, pass_0, state_0, auth_0, auth1_0, user_group_uid_0) "
            "VALUES ('admin', "
            "'管理员', 'e10a', '正常', '1,2,3,4', '2', 1)",
            "INSERT INTO c_user(id_0, name_0, pass_0, state_0, auth_0, auth1_0, user_group_uid_0) "
            "VALUES ('li', '李四', "
            "'c4ca', '正常', '2,4', '4', 2)",
            "INSERT INTO c_user(id_0, name_0, pass_0, state_0, auth_0, auth1_0, user_group_uid_0) "
            "VALUES ('old', "
            "'旧用户', 'x', '停用', '2', '', 2)",
            "INSERT INTO c_menu_button_group(menu_button_uid_0, group_uid_0, sta_0) VALUES (1, 2, "
            "-1)",
            "INSERT INTO c_menu_button_group(menu_button_uid_0, group_uid_0, sta_0) VALUES (2, 2, "
            "-2)",
            "INSERT INTO c_menu_button_group(menu_button_uid_0, group_uid_0, sta_0) VALUES (3, 1, "
            "1)",
            "INSERT INTO c_app(uid_0, appName_0, company_0, app_0, ver_0, ver_1, exe_0, "
            "date_exe_0, "
            "userCount_0) VALUES "
            "(1, 'ZK ERP', '测试公司', 'APP-1', '1.0.0.1', '5', " +
                Blob(b, "4d5a") + ", '2024-01-01', 0)",
            "INSERT INTO c_app(uid_0, appName_0, company_0, app_0, ver_0, ver_1, exe_0, "
            "date_exe_0, "
            "userCount_0) VALUES "
            "(2, '', '', '', '', '', " +
                Blob(b, "5a4b") + ", '', 3)",
            "INSERT INTO c_stock VALUES ('A001', 7)",
            "INSERT INTO c_stock VALUES ('A002', 0)",
        };
    for (int i = 1; i <= 25; ++i) {
        rows << QStringLiteral("INSERT INTO c_goods(code_0, name_0, qty_0, price_0, made_0) VALUES "
                               "('A%1', '%2', %3, "
                               "%4.5, '2024-05-%5 08:30:00')")
                    .arg(i, 3, 10, QChar(u'0'))
                    .arg(i == 1 ? QStringLiteral("十字螺丝刀") : QStringLiteral("零件%1").arg(i))
                    .arg(i * 10)
                    .arg(i)
                    .arg(i, 2, 10, QChar(u'0'));
    }
    return rows;
}

class EnginesTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        if (GetParam() == Backend::PostgreSQL) {
            ZK_REQUIRE_PG();
            auto pg = std::make_unique<PostgresEngine>();
            ASSERT_TRUE(pg->error.isEmpty()) << pg->error.toStdString();
            engine_ = std::move(pg);
        } else {
            auto lite = std::make_unique<SqliteEngine>();
            ASSERT_TRUE(lite->registered);
            engine_ = std::move(lite);
        }
        for (const QString& s : FixtureDdl(GetParam()) + FixtureRows(GetParam()))
            ASSERT_EQ(engine_->ExecNative(s).toStdString(), "") << s.toStdString();
    }

    // Runs a legacy statement as the session will: translated, an empty translation a no-op.
    bool Run(const QString& legacy)
    {
        const QString sql = TranslateSql(legacy, engine_->Target());
        if (sql.trimmed().isEmpty())
            return true;
        const QString error = engine_->ExecNative(sql);
        EXPECT_EQ(error.toStdString(), "")
            << "statement: " << legacy.toStdString() << "\nran as: " << sql.toStdString();
        return error.isEmpty();
    }

    // The session's RunScript on the Jet dialect: pieces split at ';', leading line feeds
    // removed, pieces shorter than 6 characters or starting with "--" skipped.
    void RunScript(const QString& script)
    {
        for (QString piece : script.split(u';')) {
            while (piece.startsWith(u'\n'))
                piece.remove(0, 1);
            if (piece.size() < 6 || piece.startsWith(u"--"))
                continue;
            if (!Run(piece))
                return;
        }
    }

    Rows Query(const QString& legacy)
    {
        Rows rows;
        const QString sql = TranslateSql(legacy, engine_->Target());
        const QString error = engine_->QueryNative(sql, &rows);
        EXPECT_EQ(error.toStdString(), "")
            << "query: " << legacy.toStdString() << "\nran as: " << sql.toStdString();
        return rows;
    }

    QStringList Column(const QString& legacy, int column = 0)
    {
        QStringList values;
        for (const QStringList& row : Query(legacy))
            values << row.value(column);
        return values;
    }

    QString Value(const QString& legacy)
    {
        const Rows rows = Query(legacy);
        return rows.isEmpty() ? QStringLiteral("<no row>") : rows.front().value(0);
    }

    // Whether a legacy statement fails on the engine (rather than giving a wrong result).
    bool Fails(const QString& legacy)
    {
        Rows rows;
        return !engine_->QueryNative(TranslateSql(legacy, engine_->Target()), &rows).isEmpty();
    }

    std::unique_ptr<Engine> engine_;
};

QStringList L(std::initializer_list<const char*> items)
{
    QStringList l;
    for (const char* s : items)
        l << QString::fromUtf8(s);
    return l;
}

TEST_P(EnginesTest, LoginQueriesAndLoginRecords)
{
    EXPECT_EQ(Column("SELECT id_0 FROM c_user WHERE state_0='正常' ORDER BY id_0"),
              L({"admin", "li"}));
    const Rows user = Query(
        "SELECT A.uid_0,A.auth_0,A.name_0,A.pass_0,B.user_group_uid_0 FROM view_c_user A LEFT JOIN "
        "c_user B ON A.uid_0=B.uid_0 WHERE  A.state_0='正常' AND  A.id_0='admin' AND "
        "A.pass_0='e10a'");
    ASSERT_EQ(user.size(), 1);
    EXPECT_EQ(user[0], L({"1", "1,2,3,4", "管理员", "e10a", "1"}));

    Run("UPDATE c_user SET loginTime_0=getdate() WHERE uid_0=1");
    Run("UPDATE c_user SET loginTime_0=date() WHERE uid_0=2");
    // The four login records, success and failure in both dialects, with the runs of tabs and
    // the closing blanks the login dialog writes.
    auto record = [&](int tabs, int uid, const char* name, const char* now, const char* end) {
        Run("INSERT INTO log_client_login(user_uid_0,name_0,ip_0,time_0,cpt_name_0,mac_0,ip_1) " +
            QString(tabs, u'\t') + "select top 1 " + QString::number(uid) + " as user_uid_0,'" +
            name + "' as name_0,'10.0.0.2' as ip_0," + now +
            " as  time_0,'pc1' as cpt_name_0,'00:11' as mac_0,'' AS ip_1" + end);
    };
    record(9, 1, "admin", "getdate()", " ");
    record(9, 2, "li", "now()", " ");
    record(4, 0, "bad", "getdate()", " ");
    record(7, 0, "bad", "now()", "");

    const QString year = QString::number(QDate::currentDate().year());
    EXPECT_EQ(
        Column("SELECT Year(loginTime_0) FROM c_user WHERE loginTime_0 IS NOT NULL ORDER BY uid_0"),
        QStringList({year, year}));
    EXPECT_EQ(Value("SELECT count(*) FROM log_client_login WHERE Year(time_0) = Year(getdate()) "
                    "AND ip_1 = ''"),
              "4");
    EXPECT_EQ(Column("SELECT name_0 FROM log_client_login WHERE user_uid_0 = 0 ORDER BY uid_0"),
              L({"bad", "bad"}));
}

TEST_P(EnginesTest, NavigationQueriesInBothDialects)
{
    const QString columns = "SELECT order_0,pUid_0,leaf_0,name_0,uid_0 FROM c_menu_dh ";
    const QString order = "order by level_0,pUid_0,order_0,uid_0";
    // SQL Server form.
    const QString tsqlAuth =
        "where CHARINDEX(','+rtrim(uid_0)+',' ,(select N','+auth_0+N','  from view_c_user where "
        "uid_0=2))>0 \t\t";
    const QString tsqlFav =
        "AND CHARINDEX(','+rtrim(uid_0)+',' ,(select N','+auth1_0+N','  from view_c_user where "
        "uid_0=2))>0 \t\t";
    EXPECT_EQ(Column(columns + "\t\t" + tsqlAuth + order, 4), L({"4", "2"}));
    EXPECT_EQ(Column(columns + "\t\t" + tsqlAuth + tsqlFav + order, 4), L({"4"}));
    // Jet form, with the blank the program puts before the first list.
    EXPECT_EQ(
        Column(columns + "\t\t\twhere InStr((' ,2,4,'),(','+CStr(uid_0)+','))>0 \t\t\t" + order, 4),
        L({"4", "2"}));
    EXPECT_EQ(Column(columns +
                         "\t\t\twhere InStr((',2,4,'),(','+CStr(uid_0)+','))>0 \t\t\tAND "
                         "InStr((',4,'),(','+CStr(uid_0)+','))>0 \t\t\t" +
                         order,
                     4),
              L({"4"}));
    EXPECT_EQ(Column(columns + order, 4), L({"1", "4", "2", "3"}));

    // Favourites, menu form and caption.
    EXPECT_EQ(Value("SELECT auth1_0 FROM c_user WHERE uid_0=2 "), "4");
    Run("UPDATE c_user SET auth1_0='4,2' WHERE uid_0=2");
    EXPECT_EQ(Column(columns + "\t\t" + tsqlAuth + tsqlFav + order, 4), L({"4", "2"}));
    EXPECT_EQ(Value("SELECT form_0 FROM c_menu_dh WHERE leaf_0=1 AND uid_0=2"), "x:01");
    EXPECT_EQ(Value("SELECT appName_0 FROM c_app WHERE uid_0=1"), "ZK ERP");
    EXPECT_EQ(Value("SELECT userCount_0 FROM c_app WHERE uid_0=2"), "3");
}

TEST_P(EnginesTest, RightsAndOpenLog)
{
    Run("INSERT INTO log_dh_open(menu_uid_0,open_user_uid_0,menu_name_0,open_user_id_0) "
        "values(2,2,'入库','li')");
    Run("INSERT INTO "
        "log_dh_open(menu_uid_0,open_user_uid_0,menu_name_0,open_user_id_0,control_id_0) "
        "values(2,2,'入库 -> 保存','li',10)");
    EXPECT_EQ(Column("SELECT menu_name_0 FROM log_dh_open ORDER BY uid_0"),
              L({"入库", "入库 -> 保存"}));

    Rows states = Query(
        "SELECT B.button_id_0,A.sta_0 FROM c_menu_button_group A LEFT JOIN c_menu_button B ON "
        "A.menu_button_uid_0=B.uid_0 WHERE B.menu_uid_0=2 AND A.group_uid_0=(SELECT "
        "user_group_uid_0 "
        "FROM c_user WHERE uid_0=2)");
    std::sort(states.begin(), states.end());
    EXPECT_EQ(states, Rows({L({"10", "-1"}), L({"11", "-2"})}));

    auto forbidden = [&](int button, int user) {
        return Query(
                   QStringLiteral("SELECT c_menu_button.menu_uid_0, c_menu_button.button_id_0, "
                                  "c_menu_button_group.menu_button_uid_0, "
                                  "c_menu_button_group.group_uid_0, c_menu_button.sta_0, "
                                  "c_menu_button_group.sta_0, c_user.uid_0 FROM (c_menu_button "
                                  "LEFT JOIN c_menu_button_group "
                                  "ON c_menu_button.uid_0 = c_menu_button_group.menu_button_uid_0) "
                                  "LEFT JOIN c_user ON "
                                  "c_menu_button_group.group_uid_0 = c_user.user_group_uid_0 WHERE "
                                  "c_menu_button.menu_uid_0=0%1 AND c_menu_button.button_id_0=%2 "
                                  "AND c_user.uid_0=%3 AND "
                                  "(c_menu_button_group.sta_0<0 OR (c_menu_button.sta_0<0 AND "
                                  "c_menu_button_group.sta_0=0))")
                       .arg(2)
                       .arg(button)
                       .arg(user))
            .size();
    };
    EXPECT_EQ(forbidden(10, 2), 1);
    EXPECT_EQ(forbidden(10, 1), 0);
}

TEST_P(EnginesTest, UploadAndIdentity)
{
    Run("INSERT INTO  "
        "c_file(puid_0,name_0,format_0,size_0,up_date_0,create_user_uid_0,up_user_uid_0) "
        "VALUES(3,'图纸','pdf',12.50,now(),2,2)");
    EXPECT_EQ(Value("SELECT @@IDENTITY AS z_uid"), "1");
    Run("INSERT INTO  "
        "c_file(puid_0,name_0,format_0,size_0,up_date_0,create_user_uid_0,up_user_uid_0) "
        "VALUES(3,'照片','jpg',0.75,getdate(),2,2)");
    EXPECT_EQ(Value("SELECT @@IDENTITY AS z_uid"), "2");
    Run("UPDATE c_file SET "
        "name_0='图纸2',format_0='png',size_0=3.25,up_user_uid_0=1,up_date_0=now() WHERE uid_0=1");
    Run("DELETE FROM c_file WHERE uid_0=2");
    EXPECT_EQ(Query("SELECT name_0, format_0, size_0, Year(up_date_0) FROM c_file"),
              Rows({L({"图纸2", "png", "3.25"}) << QString::number(QDate::currentDate().year())}));
    Run("INSERT INTO c_goods(code_0, name_0, qty_0) VALUES('B001', '新件', 1)");
    EXPECT_EQ(Value("SELECT @@IDENTITY AS z_uid"), "26");
}

struct SwapScript {
    const char* name;
    QStringList statements; // each run with RunScript
    bool carriesButtonStates;
};

QList<SwapScript> SwapScripts()
{
    const QString menuInsert =
        "INSERT INTO "
        "c_menu_dh(uid_0,level_0,leaf_0,order_0,pUid_0,name_0,form_0,update_user_uid_0,update_time_"
        "0)SELECT "
        "uid_0,level_0,leaf_0,order_0,pUid_0,name_0,form_0,update_user_uid_0,update_time_0 "
        " FROM  c_menu_dh_down ORDER BY uid_0";
    const QString buttonInsert =
        "INSERT INTO c_menu_button(uid_0,menu_uid_0,button_id_0,value_0,sta_0) SELECT "
        "uid_0,menu_uid_0,button_id_0,value_0,sta_0  FROM  c_menu_button_down ORDER BY uid_0";
    const QString keepForms =
        "UPDATE c_menu_dh_down SET form_0=B.form_0 FROM c_menu_dh B WHERE "
        "c_menu_dh_down.uid_0=B.uid_0 AND c_menu_dh_down.form_0 IS NULL AND B.form_0 IS NOT NULL";
    const QString buttonStates =
        "update c_menu_button_down set sta_0=B.sta_0 FROM c_menu_button B where "
        "c_menu_button_down.uid_0=B.uid_0 TRUNCATE TABLE c_menu_button";
    return {
        {"jet",
         {"UPDATE c_menu_dh_down,c_menu_dh B SET c_menu_dh_down.form_0=B.form_0 WHERE "
          "c_menu_dh_down.uid_0=B.uid_0 "
          "AND c_menu_dh_down.form_0 IS NULL AND B.form_0 IS NOT NULL;",
          "DELETE FROM c_menu_dh;", menuInsert + ";", "DELETE FROM c_menu_button;",
          buttonInsert + ";", "UPDATE c_app SET ver_1='8' WHERE uid_0=1",
          "DELETE FROM c_menu_dh_down"},
         false},
        {"sql server",
         {keepForms + ";TRUNCATE TABLE c_menu_dh;SET IDENTITY_INSERT c_menu_dh ON;" + menuInsert +
              ";SET IDENTITY_INSERT c_menu_dh OFF;" + buttonStates +
              ";SET IDENTITY_INSERT c_menu_button ON;" + buttonInsert +
              ";SET IDENTITY_INSERT c_menu_button OFF;UPDATE c_app SET ver_1=N'8' WHERE uid_0=1",
          "TRUNCATE TABLE c_menu_dh_down"},
         true},
        {"type 3",
         {keepForms + ";TRUNCATE TABLE c_menu_dh;" + menuInsert + ";" + buttonStates + ";" +
              buttonInsert + ";UPDATE c_app SET ver_1=N'8' WHERE uid_0=1",
          "TRUNCATE TABLE c_menu_dh_down"},
         true},
    };
}

// The start-up synchronisation's swap of the staging tables, in all three forms the
// program sends; each on fresh staging tables.
TEST_P(EnginesTest, SynchronisationSwapScripts)
{
    const Backend b = GetParam();
    for (const SwapScript& script : SwapScripts()) {
        SCOPED_TRACE(script.name);
        for (const char* table :
             {"c_menu_dh", "c_menu_button", "c_menu_dh_down", "c_menu_button_down"})
            ASSERT_TRUE(
                engine_->ExecNative(QStringLiteral("DELETE FROM %1").arg(QLatin1StringView(table)))
                    .isEmpty());
        const QStringList setup =
            MenuRows(b) +
            QStringList{
                "INSERT INTO c_menu_dh_down VALUES (1, 0, 0, 1, 0, '仓库', NULL, 1, '2024-06-01')",
                "INSERT INTO c_menu_dh_down VALUES (2, 1, 1, 1, 1, '入库(新)', NULL, 1, "
                "'2024-06-01')",
                "INSERT INTO c_menu_dh_down VALUES (3, 1, 1, 2, 1, '出库', " + Blob(b, "22") +
                    ", 1, '2024-06-01')",
                "INSERT INTO c_menu_dh_down VALUES (5, 1, 1, 3, 1, '盘点', " + Blob(b, "05") +
                    ", 1, '2024-06-01')",
                "INSERT INTO c_menu_button_down(uid_0, menu_uid_0, button_id_0, value_0) VALUES "
                "(1, 2, "
                "10, 'save')",
                "INSERT INTO c_menu_button_down(uid_0, menu_uid_0, button_id_0, value_0) VALUES "
                "(2, 2, "
                "11, 'delete')",
                "INSERT INTO c_menu_button_down(uid_0, menu_uid_0, button_id_0, value_0) VALUES "
                "(4, 5, "
                "10, 'save')",
            };
        for (const QString& s : setup)
            ASSERT_TRUE(engine_->ExecNative(s).isEmpty()) << s.toStdString();

        for (const QString& statement : script.statements)
            RunScript(statement);

        EXPECT_EQ(Query("SELECT uid_0, name_0, form_0 FROM c_menu_dh ORDER BY uid_0"),
                  Rows({L({"1", "仓库", "NULL"}), L({"2", "入库(新)", "x:01"}),
                        L({"3", "出库", "x:22"}), L({"5", "盘点", "x:05"})}));
        EXPECT_EQ(Column("SELECT sta_0 FROM c_menu_button ORDER BY uid_0"),
                  script.carriesButtonStates ? L({"0", "-1", "0"}) : L({"0", "0", "0"}));
        EXPECT_EQ(Value("SELECT ver_1 FROM c_app where uid_0=1"), "8");
        EXPECT_EQ(Value("SELECT count(1) FROM c_menu_dh_down"), "0");
    }
}

TEST_P(EnginesTest, PublishingStatements)
{
    EXPECT_EQ(Value("SELECT ver_0 FROM c_app where uid_0=1"), "1.0.0.1");
    EXPECT_EQ(Column("SELECT exe_0 FROM c_app where uid_0=1 OR uid_0=2 order by uid_0"),
              L({"x:4d5a", "x:5a4b"}));
    Run("UPDATE c_app SET ver_0='1.0.0.2',date_exe_0='2024-05-01 10:00:00',date_up_0=getdate() "
        "where uid_0=1");
    Run("UPDATE c_app SET ver_0='1.0.0.3',date_exe_0='2024-05-02 10:00:00',date_up_0=date() where "
        "uid_0=2");
    EXPECT_EQ(Query("SELECT ver_0, Year(date_up_0) FROM c_app ORDER BY uid_0"),
              Rows({{"1.0.0.2", QString::number(QDate::currentDate().year())},
                    {"1.0.0.3", QString::number(QDate::currentDate().year())}}));
    EXPECT_EQ(Value("SELECT app_0 FROM c_app WHERE uid_0=1"), "APP-1");
    EXPECT_EQ(Value("SELECT count(1) FROM c_goods"), "25");
}

// The session's paged query, built as it builds it.
QString PageSql(const QString& select, const QString& condition, int size, int page,
                const QString& order, int total)
{
    const QString table = QStringLiteral("(%1 %2) AS TABLE_A").arg(select, condition);
    const int upper = size * (total > size ? page : 1);
    const int outerTop = upper > total ? total - upper + size : size;
    const int innerTop = std::min(upper, total);
    QString reversed = order;
    reversed.replace(" ASC", " ASC_DESC")
        .replace(" DESC", " DESC_ASC")
        .replace(" ASC_DESC", " DESC")
        .replace(" DESC_ASC", " ASC");
    const QString pageSql =
        QStringLiteral("( SELECT Top %1 * FROM (SELECT Top %2 * FROM %3 ORDER By %4 ) DERIVEDTBL "
                       "Order By %5 ) DERIVEDTBL")
            .arg(outerTop)
            .arg(innerTop)
            .arg(table, order, reversed);
    return QStringLiteral("SELECT * FROM %1 Order By %2").arg(pageSql, order);
}

QStringList Numbers(int from, int to)
{
    QStringList l;
    for (int i = from; from <= to ? i <= to : i >= to; i += from <= to ? 1 : -1)
        l << QString::number(i);
    return l;
}

TEST_P(EnginesTest, PagedQuery)
{
    const QString select = "SELECT uid_0, name_0 FROM c_goods";
    const QString where = " WHERE qty_0>0";
    EXPECT_EQ(Value("SELECT count(1) as zk_counts FROM (" + select + " " + where + ") AS TABLE_A"),
              "25");
    EXPECT_EQ(Column(PageSql(select, where, 10, 1, "uid_0 ASC", 25)), Numbers(1, 10));
    EXPECT_EQ(Column(PageSql(select, where, 10, 2, "uid_0 ASC", 25)), Numbers(11, 20));
    EXPECT_EQ(Column(PageSql(select, where, 10, 3, "uid_0 ASC", 25)), Numbers(21, 25));
    EXPECT_EQ(Column(PageSql(select, where, 10, 1, "uid_0 DESC", 25)), Numbers(25, 16));
    EXPECT_EQ(Column(PageSql(select, " WHERE qty_0<=50", 10, 2, "uid_0 ASC", 5)), Numbers(1, 5));
}

struct ExpressionCase {
    const char* expression;
    const char* expected;
};

// Evaluated on row 1 of c_goods: code_0 'A001', name_0 '十字螺丝刀', qty_0 10, price_0 1.5,
// made_0 2024-05-01 08:30:00.
const ExpressionCase kExpressions[] = {
    // '+' and '&'
    {"'a' + name_0", "a十字螺丝刀"},
    {"name_0 + 'x'", "十字螺丝刀x"},
    {"1 + 2", "3"},
    {"qty_0 + 1", "11"},
    {"uid_0 + ''", "1"},
    {"'5' + qty_0", "15"},
    {"price_0 + qty_0", "11.5"},
    {"'x' + Null", "NULL"},
    {"code_0 & '-' & qty_0", "A001-10"},
    {"Null & 'x' & Null", "x"},
    {"CStr(qty_0) + '件'", "10件"},
    {"IIf(getdate() + 1 > getdate(), 'later', 'not')", "later"},
    {"DateDiff('d', getdate() - 7, getdate())", "7"},
    {"5 Mod 3", "2"},
    // InStr / CHARINDEX, positions in characters, case ignored
    {"InStr('abcabc', 'c')", "3"},
    {"InStr(4, 'abcabc', 'C')", "6"},
    {"InStr('abc', 'z')", "0"},
    {"InStr(name_0, '螺丝')", "3"},
    {"CHARINDEX('c', 'abcabc')", "3"},
    {"CHARINDEX('c', 'abcabc', 4)", "6"},
    {"CHARINDEX(',2,', ',1,2,3,')", "3"},
    // IIf, ISNULL, Nz
    {"IIf(qty_0 > 5, 'many', 'few')", "many"},
    {"IIf(IsNull(Null), 'y', 'n')", "y"},
    {"ISNULL(Null, 'd')", "d"},
    {"Nz(Null, 5)", "5"},
    // DateAdd / DateDiff / DatePart in both argument forms
    {"DateAdd('d', 1, '2024-02-28')", "2024-02-29"},
    {"DATEADD(month, 1, '2024-01-31')", "2024-02-29"},
    {"DateAdd('yyyy', 1, '2024-02-29')", "2025-02-28"},
    {"DateAdd('h', 5, '2024-05-01 22:00:00')", "2024-05-02 03:00:00"},
    {"DateAdd('ww', 1, made_0)", "2024-05-08 08:30:00"},
    {"DateAdd('s', 100000000, '2024-01-01')", "2027-03-03 09:46:40"},
    {"DateDiff('d', '2024-01-01', '2024-03-01')", "60"},
    {"DATEDIFF(month, '2023-12-31', '2024-01-01')", "1"},
    {"DateDiff('yyyy', '2023-12-31', '2024-01-01')", "1"},
    {"DateDiff('ww', '2024-05-04', '2024-05-05')", "1"},
    {"DateDiff('w', '2024-05-01', '2024-05-15')", "2"},
    {"DateDiff('h', '2024-05-01 23:59:00', '2024-05-02 00:01:00')", "1"},
    {"DATEDIFF(mi, '2024-05-01 23:59:00', '2024-05-02 00:01:00')", "2"},
    {"DateDiff('d', made_0, '2024-05-11')", "10"},
    {"DatePart('w', '2024-05-05')", "1"},
    {"DATEPART(weekday, '2024-05-04')", "7"},
    {"DatePart('ww', '2024-01-07')", "2"},
    {"DatePart('q', made_0)", "2"},
    // Year / Month / Day
    {"Year(made_0)", "2024"},
    {"Month(made_0)", "5"},
    {"Day('2024-05-01')", "1"},
    {"Year('2024/5/1')", "2024"},
    // Val
    {"Val('  12.5abc')", "12.5"},
    {"Val('1 2 3')", "123"},
    {"Val('abc')", "0"},
    {"Val('-3')", "-3"},
    // Len / Left / Right / Mid in Chinese text
    {"Len('中文字符')", "4"},
    {"LEN(name_0)", "5"},
    {"Left('中文字符', 2)", "中文"},
    {"Right('中文字符', 1)", "符"},
    {"Mid('中文字符', 2, 2)", "文字"},
    {"Mid('中文字符', 3)", "字符"},
    {"SUBSTRING(name_0, 3, 2)", "螺丝"},
    {"Left(qty_0, 1)", "1"},
    {"UCase('abc') + LCase('DEF')", "ABCdef"},
    // Conversions and literals
    {"CONVERT(varchar(10), made_0, 120)", "2024-05-01"},
    {"CONVERT(varchar(19), made_0, 120)", "2024-05-01 08:30:00"},
    {"CONVERT(varchar, made_0, 112)", "20240501"},
    {"CAST(qty_0 AS nvarchar(10)) + '个'", "10个"},
    {"CAST(price_0 AS decimal(10,1))", "1.5"},
    {"IIf(made_0 > #4/30/2024#, 'after', 'before')", "after"},
    {"IIf(made_0 < #5/1/2024 9:00:00 AM#, 'before', 'after')", "before"},
    {"True + 0", "1"},
    {"N'中' + N'文'", "中文"},
    {"[name_0]", "十字螺丝刀"},
    {"Len(newid())", "36"},
};

TEST_P(EnginesTest, LegacyExpressions)
{
    for (const ExpressionCase& c : kExpressions) {
        const QString legacy =
            "SELECT " + QString::fromUtf8(c.expression) + " FROM c_goods WHERE uid_0=1";
        EXPECT_EQ(Value(legacy).toStdString(), c.expected) << c.expression;
    }
    const QDate today = QDate::currentDate();
    EXPECT_EQ(Value("SELECT Day(date()) FROM c_goods WHERE uid_0=1"), QString::number(today.day()));
    EXPECT_EQ(Value("SELECT CONVERT(varchar(10), getdate(), 120) FROM c_goods WHERE uid_0=1"),
              today.toString(u"yyyy-MM-dd"));
    EXPECT_EQ(Value("SELECT count(1) FROM dbo.c_goods WITH (NOLOCK) WHERE code_0 LIKE 'a00%'"),
              "9");
}

// A number and a text that is no number: an error on both engines, as in both legacy
// engines, never a silently wrong value.
TEST_P(EnginesTest, AddingATextThatIsNoNumberFails)
{
    EXPECT_TRUE(Fails("SELECT 'No.' + qty_0 FROM c_goods"));
    EXPECT_TRUE(Fails("SELECT DateAdd('fortnight', 1, made_0) FROM c_goods"));
}

TEST_P(EnginesTest, MultiTableUpdates)
{
    Run("UPDATE c_goods INNER JOIN c_stock ON c_goods.code_0 = c_stock.code_0 SET c_goods.qty_0 = "
        "c_stock.qty_0 "
        "WHERE c_stock.qty_0 > 0");
    Run("UPDATE c_goods, c_stock S SET c_goods.name_0 = 'x' & S.qty_0 WHERE c_goods.code_0 = "
        "S.code_0");
    Run("UPDATE A SET A.price_0 = A.price_0 + B.qty_0 FROM c_goods A INNER JOIN c_stock B ON "
        "A.code_0 = B.code_0");
    Run("UPDATE c_goods SET qty_0 = B.qty_0 FROM c_stock B WHERE c_goods.code_0 = B.code_0 AND "
        "B.qty_0 = 0");
    EXPECT_EQ(
        Query("SELECT code_0, name_0, qty_0, price_0 FROM c_goods WHERE uid_0 <= 3 ORDER BY uid_0"),
        Rows({L({"A001", "x7", "7", "8.5"}), L({"A002", "x0", "0", "2.5"}),
              L({"A003", "零件3", "30", "3.5"})}));
}

TEST_P(EnginesTest, ScriptsWithNoOpStatements)
{
    Run("SET IDENTITY_INSERT c_goods ON;INSERT INTO c_goods(uid_0,code_0,name_0,qty_0,price_0) "
        "VALUES(100,'Z100','z',1,1);SET IDENTITY_INSERT c_goods OFF");
    Run("SET NOCOUNT ON");
    Run("TRUNCATE TABLE c_stock");
    EXPECT_EQ(Value("SELECT code_0 FROM c_goods WHERE uid_0=100"), "Z100");
    EXPECT_EQ(Value("SELECT count(*) FROM c_stock"), "0");
}

// A table created the T-SQL way numbers its rows on both engines.
TEST_P(EnginesTest, IdentityColumnsNumberTheirRows)
{
    Run("CREATE TABLE c_ident_t (uid_0 int IDENTITY(1,1) PRIMARY KEY, name_0 nvarchar(20))");
    Run("INSERT INTO c_ident_t(name_0) VALUES('a')");
    Run("INSERT INTO c_ident_t(name_0) VALUES('b')");
    EXPECT_EQ(Query("SELECT uid_0, name_0 FROM c_ident_t ORDER BY uid_0"),
              Rows({L({"1", "a"}), L({"2", "b"})}));
    EXPECT_EQ(Value("SELECT @@IDENTITY AS z_uid"), "2");
}

INSTANTIATE_TEST_SUITE_P(Engines, EnginesTest,
                         ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const ::testing::TestParamInfo<Backend>& info) {
                             return info.param == Backend::SQLite ? std::string("SQLite")
                                                                  : std::string("PostgreSQL");
                         });

// Connections installing the compat schema at the same time, on a fresh database.
TEST(PostgresCompat, ConcurrentInstallIntoAFreshDatabase)
{
    ZK_REQUIRE_PG();
    const QString database =
        QStringLiteral("zk_sqlcompat_%1").arg(QCoreApplication::applicationPid());
    {
        zk::test::ScopedPgConnection admin;
        ASSERT_TRUE(admin.IsOpen()) << admin.ErrorText().toStdString();
        QSqlQuery q(admin.Db());
        q.exec("DROP DATABASE IF EXISTS " + database);
        ASSERT_TRUE(q.exec("CREATE DATABASE " + database)) << q.lastError().text().toStdString();
    }
    constexpr int kConnections = 6;
    QStringList errors(kConnections);
    QList<QThread*> threads;
    for (int i = 0; i < kConnections; ++i) {
        threads << QThread::create([&errors, i, database] {
            zk::test::ScopedPgConnection conn(database);
            if (!conn.IsOpen()) {
                errors[i] = conn.ErrorText();
                return;
            }
            QSqlDatabase db = conn.Db();
            if (!zk::EnsurePostgresCompat(db, &errors[i]))
                return;
            // @@IDENTITY before any sequence was used in the session, then after.
            QSqlQuery q(db);
            const QString none =
                TranslateSql(QStringLiteral("SELECT @@IDENTITY"), Dialect::PostgreSQL);
            if (!q.exec(none) || !q.next() || !q.value(0).isNull())
                errors[i] = QStringLiteral("@@IDENTITY of a fresh session is not NULL");
        });
        threads.back()->start();
    }
    for (QThread* t : threads) {
        t->wait();
        delete t;
    }
    for (int i = 0; i < kConnections; ++i)
        EXPECT_EQ(errors[i].toStdString(), "") << "connection " << i;
    {
        zk::test::ScopedPgConnection conn(database);
        ASSERT_TRUE(conn.IsOpen());
        QSqlQuery q(conn.Db());
        ASSERT_TRUE(q.exec(zk::PostgresCompatMarkerSql()) && q.next());
        EXPECT_EQ(q.value(0).toString(), zk::PostgresCompatMarker());
    }
    zk::test::ScopedPgConnection admin;
    QSqlQuery q(admin.Db());
    EXPECT_TRUE(q.exec("DROP DATABASE " + database + " WITH (FORCE)"))
        << q.lastError().text().toStdString();
}

} // namespace
