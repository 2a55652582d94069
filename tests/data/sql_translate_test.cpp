// The dialect translator: legacy statements against the exact SQLite and PostgreSQL texts.
#include "data/sql/sql_translate.h"

#include <gtest/gtest.h>

namespace {

using zk::sql::Dialect;
using zk::sql::TranslateSql;

struct Case {
    const char* legacy;
    const char* sqlite;
    const char* pg;
};

void ExpectTranslations(const Case& c)
{
    const QString legacy = QString::fromUtf8(c.legacy);
    EXPECT_EQ(TranslateSql(legacy, Dialect::SQLite).toStdString(), c.sqlite)
        << "SQLite: " << c.legacy;
    EXPECT_EQ(TranslateSql(legacy, Dialect::PostgreSQL).toStdString(), c.pg)
        << "PostgreSQL: " << c.legacy;
}

// The statements the program itself sends.
const Case kProgramStatements[] = {
    // Login: the user query passes as it is; the login time in both dialects.
    {"SELECT A.uid_0,A.auth_0,A.name_0,A.pass_0,B.user_group_uid_0 FROM view_c_user A LEFT JOIN "
     "c_user B ON "
     "A.uid_0=B.uid_0 WHERE  A.state_0='正常' AND  A.id_0='admin' AND A.pass_0='e10a'",
     "SELECT A.uid_0,A.auth_0,A.name_0,A.pass_0,B.user_group_uid_0 FROM view_c_user A LEFT JOIN "
     "c_user B ON "
     "A.uid_0=B.uid_0 WHERE  A.state_0='正常' AND  A.id_0='admin' AND A.pass_0='e10a'",
     "SELECT A.uid_0,A.auth_0,A.name_0,A.pass_0,B.user_group_uid_0 FROM view_c_user A LEFT JOIN "
     "c_user B ON "
     "A.uid_0=B.uid_0 WHERE  A.state_0='正常' AND  A.id_0='admin' AND A.pass_0='e10a'"},
    {"UPDATE c_user SET loginTime_0=getdate() WHERE uid_0=5",
     "UPDATE c_user SET loginTime_0=getdate() WHERE uid_0=5",
     "UPDATE c_user SET loginTime_0=LOCALTIMESTAMP(0) WHERE uid_0=5"},
    {"UPDATE c_user SET loginTime_0=date() WHERE uid_0=5",
     "UPDATE c_user SET loginTime_0=date() WHERE uid_0=5",
     "UPDATE c_user SET loginTime_0=CURRENT_DATE WHERE uid_0=5"},
    // Login records: INSERT … SELECT TOP 1 of constants, with its closing blank.
    {"INSERT INTO log_client_login(user_uid_0,name_0,ip_0,time_0,cpt_name_0,mac_0,ip_1) "
     "\t\t\t\t\t\t\t\t\tselect top 1 "
     "5 as user_uid_0,'admin' as name_0,'10.0.0.2' as ip_0,getdate() as  time_0,'pc1' as "
     "cpt_name_0,'00:11' as "
     "mac_0,'' AS ip_1 ",
     "INSERT INTO log_client_login(user_uid_0,name_0,ip_0,time_0,cpt_name_0,mac_0,ip_1) "
     "\t\t\t\t\t\t\t\t\tselect 5 "
     "as user_uid_0,'admin' as name_0,'10.0.0.2' as ip_0,getdate() as  time_0,'pc1' as "
     "cpt_name_0,'00:11' as "
     "mac_0,'' AS ip_1 LIMIT 1 ",
     "INSERT INTO log_client_login(user_uid_0,name_0,ip_0,time_0,cpt_name_0,mac_0,ip_1) "
     "\t\t\t\t\t\t\t\t\tselect 5 "
     "as user_uid_0,'admin' as name_0,'10.0.0.2' as ip_0,LOCALTIMESTAMP(0) as  time_0,'pc1' as "
     "cpt_name_0,'00:11' "
     "as mac_0,'' AS ip_1 LIMIT 1 "},
    {"INSERT INTO log_client_login(user_uid_0,name_0,ip_0,time_0,cpt_name_0,mac_0,ip_1) "
     "\t\t\t\t\t\t\tselect top 1 0 "
     "as user_uid_0,'bad' as name_0,'10.0.0.2' as ip_0,now() as  time_0,'pc1' as "
     "cpt_name_0,'00:11' as mac_0,'' AS "
     "ip_1",
     "INSERT INTO log_client_login(user_uid_0,name_0,ip_0,time_0,cpt_name_0,mac_0,ip_1) "
     "\t\t\t\t\t\t\tselect 0 as "
     "user_uid_0,'bad' as name_0,'10.0.0.2' as ip_0,now() as  time_0,'pc1' as cpt_name_0,'00:11' "
     "as mac_0,'' AS "
     "ip_1 LIMIT 1",
     "INSERT INTO log_client_login(user_uid_0,name_0,ip_0,time_0,cpt_name_0,mac_0,ip_1) "
     "\t\t\t\t\t\t\tselect 0 as "
     "user_uid_0,'bad' as name_0,'10.0.0.2' as ip_0,LOCALTIMESTAMP(0) as  time_0,'pc1' as "
     "cpt_name_0,'00:11' as "
     "mac_0,'' AS ip_1 LIMIT 1"},
    // Navigation, SQL Server and Jet forms.
    {"SELECT order_0,pUid_0,leaf_0,name_0,uid_0 FROM c_menu_dh \t\twhere "
     "CHARINDEX(','+rtrim(uid_0)+',' ,(select "
     "N','+auth_0+N','  from view_c_user where uid_0=5))>0 \t\torder by "
     "level_0,pUid_0,order_0,uid_0",
     "SELECT order_0,pUid_0,leaf_0,name_0,uid_0 FROM c_menu_dh \t\twhere "
     "CHARINDEX(zk_plus(zk_plus(',',rtrim(uid_0)),',') ,(select zk_plus(zk_plus(',',auth_0),',')  "
     "from view_c_user "
     "where uid_0=5))>0 \t\torder by level_0,pUid_0,order_0,uid_0",
     "SELECT order_0,pUid_0,leaf_0,name_0,uid_0 FROM c_menu_dh \t\twhere "
     "charindex(','::text+rtrim(CAST(uid_0 AS text))+','::text, CAST((select "
     "','::text+auth_0+','::text  from "
     "view_c_user where uid_0=5) AS text))>0 \t\torder by level_0,pUid_0,order_0,uid_0"},
    {"SELECT order_0,pUid_0,leaf_0,name_0,uid_0 FROM c_menu_dh \t\t\twhere InStr((' "
     ",1,2,'),(','+CStr(uid_0)+','))>0 "
     "\t\t\torder by level_0,pUid_0,order_0,uid_0",
     "SELECT order_0,pUid_0,leaf_0,name_0,uid_0 FROM c_menu_dh \t\t\twhere InStr((' "
     ",1,2,'),(zk_plus(zk_plus(',',CStr(uid_0)),',')))>0 \t\t\torder by "
     "level_0,pUid_0,order_0,uid_0",
     "SELECT order_0,pUid_0,leaf_0,name_0,uid_0 FROM c_menu_dh \t\t\twhere instr((' ,1,2,'), "
     "(','::text+CAST(uid_0 AS text)+','::text))>0 \t\t\torder by level_0,pUid_0,order_0,uid_0"},
    // The paged query: each TOP becomes a LIMIT after the ORDER BY of its own select.
    {"SELECT * FROM ( SELECT Top 5 * FROM (SELECT Top 25 * FROM (SELECT uid_0,name_0 FROM c_goods  "
     "WHERE qty_0>0) AS "
     "TABLE_A ORDER By uid_0 ) DERIVEDTBL Order By uid_0 DESC ) DERIVEDTBL Order By uid_0",
     "SELECT * FROM ( SELECT * FROM (SELECT * FROM (SELECT uid_0,name_0 FROM c_goods  WHERE "
     "qty_0>0) AS TABLE_A "
     "ORDER By uid_0 LIMIT 25 ) DERIVEDTBL Order By uid_0 DESC LIMIT 5 ) DERIVEDTBL Order By uid_0",
     "SELECT * FROM ( SELECT * FROM (SELECT * FROM (SELECT uid_0,name_0 FROM c_goods  WHERE "
     "qty_0>0) AS TABLE_A "
     "ORDER By uid_0 LIMIT 25 ) DERIVEDTBL Order By uid_0 DESC LIMIT 5 ) DERIVEDTBL Order By "
     "uid_0"},
    {"SELECT @@IDENTITY AS z_uid", "SELECT last_insert_rowid() AS z_uid",
     "SELECT zk_identity() AS z_uid"},
    // Upload with getdate() (the form's other dialect).
    {"INSERT INTO  c_file(puid_0,name_0,format_0,size_0,up_date_0,create_user_uid_0,up_user_uid_0) "
     "VALUES(3,'图纸','pdf',12.50,getdate(),5,5)",
     "INSERT INTO  c_file(puid_0,name_0,format_0,size_0,up_date_0,create_user_uid_0,up_user_uid_0) "
     "VALUES(3,'图纸','pdf',12.50,getdate(),5,5)",
     "INSERT INTO  c_file(puid_0,name_0,format_0,size_0,up_date_0,create_user_uid_0,up_user_uid_0) "
     "VALUES(3,'图纸','pdf',12.50,LOCALTIMESTAMP(0),5,5)"},
    // Synchronisation: the Jet multi-table UPDATE, the T-SQL one, a T-SQL statement following
    // without ';', TRUNCATE, and IDENTITY_INSERT dropped with its separator.
    {"UPDATE c_menu_dh_down,c_menu_dh B SET c_menu_dh_down.form_0=B.form_0 WHERE "
     "c_menu_dh_down.uid_0=B.uid_0 AND "
     "c_menu_dh_down.form_0 IS NULL AND B.form_0 IS NOT NULL;",
     "UPDATE c_menu_dh_down SET form_0=B.form_0 FROM c_menu_dh B WHERE "
     "c_menu_dh_down.uid_0=B.uid_0 AND "
     "c_menu_dh_down.form_0 IS NULL AND B.form_0 IS NOT NULL;",
     "UPDATE c_menu_dh_down SET form_0=B.form_0 FROM c_menu_dh B WHERE "
     "c_menu_dh_down.uid_0=B.uid_0 AND "
     "c_menu_dh_down.form_0 IS NULL AND B.form_0 IS NOT NULL;"},
    {"update c_menu_button_down set sta_0=B.sta_0 FROM c_menu_button B where "
     "c_menu_button_down.uid_0=B.uid_0 "
     "TRUNCATE TABLE c_menu_button",
     "update c_menu_button_down set sta_0=B.sta_0 FROM c_menu_button B where "
     "c_menu_button_down.uid_0=B.uid_0; DELETE "
     "FROM c_menu_button",
     "update c_menu_button_down set sta_0=B.sta_0 FROM c_menu_button B where "
     "c_menu_button_down.uid_0=B.uid_0; "
     "TRUNCATE TABLE c_menu_button"},
    {"TRUNCATE TABLE c_menu_dh;SET IDENTITY_INSERT c_menu_dh ON;INSERT INTO c_menu_dh(uid_0)SELECT "
     "uid_0  FROM  "
     "c_menu_dh_down ORDER BY uid_0;SET IDENTITY_INSERT c_menu_dh OFF;UPDATE c_app SET ver_1=N'7' "
     "WHERE uid_0=1",
     "DELETE FROM c_menu_dh;INSERT INTO c_menu_dh(uid_0)SELECT uid_0  FROM  c_menu_dh_down ORDER "
     "BY uid_0;UPDATE "
     "c_app SET ver_1='7' WHERE uid_0=1",
     "TRUNCATE TABLE c_menu_dh;INSERT INTO c_menu_dh(uid_0)SELECT uid_0  FROM  c_menu_dh_down "
     "ORDER BY uid_0;UPDATE "
     "c_app SET ver_1='7' WHERE uid_0=1"},
    {"SET IDENTITY_INSERT c_menu_button OFF", "", ""},
    {"UPDATE c_app SET ver_0='1.0.0.2',date_exe_0='2024-05-01 10:00:00',date_up_0=date() where "
     "uid_0=1",
     "UPDATE c_app SET ver_0='1.0.0.2',date_exe_0='2024-05-01 10:00:00',date_up_0=date() where "
     "uid_0=1",
     "UPDATE c_app SET ver_0='1.0.0.2',date_exe_0='2024-05-01 10:00:00',date_up_0=CURRENT_DATE "
     "where uid_0=1"},
};

TEST(SqlTranslate, ProgramStatements)
{
    for (const Case& c : kProgramStatements)
        ExpectTranslations(c);
}

// What form authors write, in either dialect.
const Case kFormStatements[] = {
    {"SELECT DISTINCT TOP 5 name_0 FROM c_goods ORDER BY name_0",
     "SELECT DISTINCT name_0 FROM c_goods ORDER BY name_0 LIMIT 5",
     "SELECT DISTINCT name_0 FROM c_goods ORDER BY name_0 LIMIT 5"},
    {"SELECT TOP (3) * FROM t WHERE uid_0 IN (SELECT TOP 2 uid_0 FROM t ORDER BY uid_0 DESC)",
     "SELECT * FROM t WHERE uid_0 IN (SELECT uid_0 FROM t ORDER BY uid_0 DESC LIMIT 2) LIMIT (3)",
     "SELECT * FROM t WHERE uid_0 IN (SELECT uid_0 FROM t ORDER BY uid_0 DESC LIMIT 2) LIMIT (3)"},
    {"SELECT TOP 1 a FROM t UNION SELECT b FROM u",
     "SELECT * FROM (SELECT a FROM t LIMIT 1) AS zk_top UNION SELECT b FROM u",
     "SELECT * FROM (SELECT a FROM t LIMIT 1) AS zk_top UNION SELECT b FROM u"},
    {"SELECT TOP 10 PERCENT a FROM t ORDER BY a",
     "SELECT a FROM t ORDER BY a LIMIT (SELECT (count(*) * 10 + 99) / 100 FROM (SELECT a FROM t "
     "ORDER BY a) AS "
     "zk_percent)",
     "SELECT a FROM t ORDER BY a LIMIT (SELECT (count(*) * 10 + 99) / 100 FROM (SELECT a FROM t "
     "ORDER BY a) AS "
     "zk_percent)"},
    // '+': precedence and left association; plain arithmetic only between visible numbers.
    {"SELECT a + b * c + d, 1 + 2, qty_0 + 1, uid_0 + '', 'a' + name_0, name_0 + 'x', -a + b, "
     "COUNT(*) + 1 FROM t",
     "SELECT zk_plus(zk_plus(a, b * c), d), 1 + 2, zk_plus(qty_0, 1), zk_plus(uid_0, ''), "
     "zk_plus('a', name_0), "
     "zk_plus(name_0, 'x'), zk_plus(-a, b), COUNT(*) + 1 FROM t",
     "SELECT a + b * c + d, 1 + 2, qty_0 + 1, uid_0 + ''::text, 'a'::text + name_0, name_0 + "
     "'x'::text, -a + b, "
     "COUNT(*) + 1 FROM t"},
    {"SELECT getdate() - 7, #2024-05-01# + 1 FROM t",
     "SELECT zk_minus(getdate(), 7), zk_plus('2024-05-01', 1) FROM t",
     "SELECT LOCALTIMESTAMP(0) - 7, CAST('2024-05-01' AS timestamp) + 1 FROM t"},
    // Jet '&' joins with NULL read as empty; its operands bind '+' first.
    {"SELECT code_0 & '-' & qty_0 + 1 FROM t",
     "SELECT zk_concat(code_0, '-', zk_plus(qty_0, 1)) FROM t",
     "SELECT zk_concat(CAST(code_0 AS text), '-', CAST(qty_0 + 1 AS text)) FROM t"},
    // Names and literals.
    {"SELECT N'中文' + [单价] + [order] + [unit price] FROM [dbo].[c_goods] WHERE [pUid_0] = 1",
     "SELECT zk_plus(zk_plus(zk_plus('中文', [单价]), [order]), [unit price]) FROM [c_goods] WHERE "
     "[pUid_0] = 1",
     "SELECT '中文'::text + 单价 + \"order\" + \"unit price\" FROM c_goods WHERE pUid_0 = 1"},
    {"SELECT * FROM t WHERE d BETWEEN #5/1/2024# AND #1/5/2024 1:05:00 PM# AND e > #2024-05-01 "
     "13:45# AND f = True "
     "AND g IS TRUE",
     "SELECT * FROM t WHERE d BETWEEN '2024-05-01' AND '2024-01-05 13:05:00' AND e > '2024-05-01 "
     "13:45:00' AND f = 1 "
     "AND g IS TRUE",
     "SELECT * FROM t WHERE d BETWEEN '2024-05-01' AND '2024-01-05 13:05:00' AND e > '2024-05-01 "
     "13:45:00' AND f = 1 "
     "AND g IS TRUE"},
    {"SELECT a FROM dbo.t WITH (NOLOCK) WHERE name_0 LIKE '%螺%' AND b NOT LIKE 'x%'",
     "SELECT a FROM t WHERE name_0 LIKE '%螺%' AND b NOT LIKE 'x%'",
     "SELECT a FROM t WHERE name_0 ILIKE '%螺%' AND b NOT ILIKE 'x%'"},
    // Functions of both dialects.
    {"SELECT IIf(qty_0 > 5, 'many', 'few'), ISNULL(a, 0), IsNull(b), Nz(c), Nz(c, 1) FROM t "
     "(nolock)",
     "SELECT CASE WHEN qty_0 > 5 THEN 'many' ELSE 'few' END, COALESCE(a, 0), (b IS NULL), "
     "COALESCE(c, ''), COALESCE(c, "
     "1) FROM t",
     "SELECT CASE WHEN qty_0 > 5 THEN 'many' ELSE 'few' END, COALESCE(a, 0), (b IS NULL), "
     "COALESCE(CAST(c AS text), "
     "''), COALESCE(c, 1) FROM t"},
    {"SELECT Len(n), Left(n, 2), Right(n, 1), Mid(n, 2, 1), UCase(n), LCase(n), CStr(q), Val(v), "
     "Trim(n) FROM t",
     "SELECT Len(n), \"left\"(n, 2), \"right\"(n, 1), Mid(n, 2, 1), UCase(n), LCase(n), CStr(q), "
     "Val(v), Trim(n) FROM t",
     "SELECT length(CAST(n AS text)), left(CAST(n AS text), 2), right(CAST(n AS text), 1), "
     "substr(CAST(n AS text), 2, "
     "1), upper(CAST(n AS text)), lower(CAST(n AS text)), CAST(q AS text), val(CAST(v AS text)), "
     "Trim(CAST(n AS "
     "text)) FROM t"},
    {"SELECT InStr(2, n, 'x'), CHARINDEX('x', n, 2) FROM t",
     "SELECT InStr(2, n, 'x'), CHARINDEX('x', n, 2) FROM t",
     "SELECT instr(2, CAST(n AS text), 'x'), charindex('x', CAST(n AS text), 2) FROM t"},
    {"SELECT DATEADD(day, 1, getdate()), DateAdd('m', 1, d), DATEDIFF(month, a, b), "
     "DATEPART(weekday, d) FROM t",
     "SELECT DATEADD('day', 1, getdate()), DateAdd('m', 1, d), DATEDIFF('month', a, b), "
     "DATEPART('weekday', d) FROM t",
     "SELECT DATEADD('day', 1, LOCALTIMESTAMP(0)), DateAdd('m', 1, d), DATEDIFF('month', a, b), "
     "DATEPART('weekday', "
     "d) FROM t"},
    {"SELECT CONVERT(varchar(10), getdate(), 120), CONVERT(varchar, d, 112), CONVERT(int, '12'), "
     "CAST(x AS "
     "nvarchar(20)), CAST(p AS decimal(10,2)), CAST(s AS datetime) FROM t",
     "SELECT substr(zk_convert(getdate(), 120), 1, 10), zk_convert(d, 112), CAST('12' AS INTEGER), "
     "substr(CAST(x AS "
     "TEXT), 1, 20), round(CAST(p AS REAL), 2), zk_datetime(s) FROM t",
     "SELECT CAST(zk_convert(LOCALTIMESTAMP(0), 120) AS varchar(10)), zk_convert(d, 112), "
     "CAST('12' AS int), CAST(x "
     "AS varchar(20)), CAST(p AS decimal(10,2)), CAST(s AS timestamp) FROM t"},
    {"SELECT a Mod 3, SCOPE_IDENTITY(), CURRENT_TIMESTAMP FROM t",
     "SELECT a % 3, last_insert_rowid(), CURRENT_TIMESTAMP FROM t",
     "SELECT a % 3, zk_identity(), LOCALTIMESTAMP FROM t"},
    // UPDATE and DELETE forms.
    {"UPDATE t SET t.a = 1, t.b = t.c + 1 WHERE t.id = 2",
     "UPDATE t SET a = 1, b = zk_plus(t.c, 1) WHERE t.id = 2",
     "UPDATE t SET a = 1, b = t.c + 1 WHERE t.id = 2"},
    {"UPDATE t INNER JOIN u ON t.id = u.id SET t.f = u.f WHERE u.x = 1",
     "UPDATE t SET f = u.f FROM u WHERE (t.id = u.id) AND (u.x = 1)",
     "UPDATE t SET f = u.f FROM u WHERE (t.id = u.id) AND (u.x = 1)"},
    {"UPDATE A SET A.f = B.f FROM t A INNER JOIN u B ON A.id = B.id WHERE B.x = 1 OR B.y = 2",
     "UPDATE t AS A SET f = B.f FROM u B WHERE (A.id = B.id) AND (B.x = 1 OR B.y = 2)",
     "UPDATE t AS A SET f = B.f FROM u B WHERE (A.id = B.id) AND (B.x = 1 OR B.y = 2)"},
    {"DELETE * FROM t WHERE a = 1", "DELETE FROM t WHERE a = 1", "DELETE FROM t WHERE a = 1"},
    {"SET NOCOUNT ON;DELETE FROM t", "DELETE FROM t", "DELETE FROM t"},
};

TEST(SqlTranslate, FormStatements)
{
    for (const Case& c : kFormStatements)
        ExpectTranslations(c);
}

// What is already written for the targets passes unchanged.
TEST(SqlTranslate, TargetSqlPassesUnchanged)
{
    const char* const statements[] = {
        "SELECT a FROM t ORDER BY a LIMIT 5 OFFSET 2",
        "INSERT INTO t(a) VALUES (1) ON CONFLICT (a) DO UPDATE SET b = 2 RETURNING a || 'x', "
        "COALESCE(b, 0)",
        "SELECT CAST(a AS TEXT), x::text FROM t WHERE a IS NOT NULL",
        "CREATE TABLE c_goods (uid_0 INTEGER PRIMARY KEY, name_0 TEXT, price_0 NUMERIC)",
        "UPDATE t SET a = 1 FROM u WHERE t.id = u.id",
    };
    for (const char* s : statements) {
        EXPECT_EQ(TranslateSql(QString::fromUtf8(s), Dialect::SQLite).toStdString(), s);
        if (QByteArray(s).contains("||"))
            continue; // '||' is text joining in both, with different precedence: checked above
        EXPECT_EQ(TranslateSql(QString::fromUtf8(s), Dialect::PostgreSQL).toStdString(), s);
    }
}

TEST(SqlTranslate, ColumnTypesInTableDefinitions)
{
    const QString ddl =
        QStringLiteral("CREATE TABLE t (uid_0 int IDENTITY(1,1) PRIMARY KEY, name_0 nvarchar(50), "
                       "memo_0 nvarchar(max), time_0 datetime, ok_0 bit, price_0 money)");
    EXPECT_EQ(TranslateSql(ddl, Dialect::PostgreSQL).toStdString(),
              "CREATE TABLE t (uid_0 int GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY, name_0 "
              "varchar(50), memo_0 "
              "text, time_0 timestamp, ok_0 smallint, price_0 numeric(19,4))");
    // Only "INTEGER PRIMARY KEY" numbers SQLite's rows, so the identity folds into it.
    EXPECT_EQ(
        TranslateSql(ddl, Dialect::SQLite).toStdString(),
        "CREATE TABLE t (uid_0 INTEGER PRIMARY KEY AUTOINCREMENT, name_0 nvarchar(50), memo_0 "
        "nvarchar, time_0 "
        "datetime, ok_0 bit, price_0 money)");
    EXPECT_EQ(
        TranslateSql(QStringLiteral("CREATE TABLE u (k bigint IDENTITY(1,1) NOT NULL, v int)"),
                     Dialect::SQLite)
            .toStdString(),
        "CREATE TABLE u (k INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL, v int)");
    // PostgreSQL's own identity columns pass unchanged.
    const char* native = "CREATE TABLE v (k int GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY)";
    EXPECT_EQ(TranslateSql(QString::fromUtf8(native), Dialect::PostgreSQL).toStdString(), native);
}

TEST(SqlTranslate, ScriptsKeepTheirSeparators)
{
    EXPECT_EQ(
        TranslateSql(QStringLiteral("SELECT TOP 1 a FROM t;\nSELECT N'x';  ;"), Dialect::SQLite)
            .toStdString(),
        "SELECT a FROM t LIMIT 1;\nSELECT 'x';  ;");
    // A statement that becomes nothing goes with its separator, also when it is the last one.
    EXPECT_EQ(
        TranslateSql(
            QStringLiteral(
                "DELETE FROM a;SET IDENTITY_INSERT b ON;DELETE FROM b;SET IDENTITY_INSERT b OFF"),
            Dialect::PostgreSQL)
            .toStdString(),
        "DELETE FROM a;DELETE FROM b");
    // A ';' inside a text or a comment separates nothing.
    EXPECT_EQ(
        TranslateSql(QStringLiteral("SELECT 'a;b' + x -- c;d\n"), Dialect::SQLite).toStdString(),
        "SELECT zk_plus('a;b', x) -- c;d\n");
}

// Garbage never crashes and comes back unchanged (or sensibly translated).
TEST(SqlTranslate, MalformedInputIsReturnedUnchanged)
{
    const QString unchanged[] = {
        QString(),
        QStringLiteral("   "),
        QStringLiteral(";;;"),
        QStringLiteral("SELECT 'abc + N'x"),
        QStringLiteral("SELECT [abc + 1"),
        QStringLiteral("SELECT \"abc + 1"),
        QStringLiteral("SELECT a /* + b"),
        QStringLiteral("SELECT TOP"),
        QStringLiteral("SELECT TOP FROM t"),
        QStringLiteral("SELECT ((((a"),
        QStringLiteral("SELECT a)))"),
        QStringLiteral(")))"),
        QStringLiteral("SELECT a + "),
        QStringLiteral("SELECT #1/2/2024"),
        QStringLiteral("UPDATE SET"),
        QStringLiteral("SELECT CAST("),
        QStringLiteral("SELECT CONVERT(int"),
        QStringLiteral("SELECT IIf(a, b)"),
        QStringLiteral("UPDATE a, b SET"),
        QStringLiteral("SELECT TOP 5 WITH TIES a FROM t ORDER BY a"),
        QString(5000, u'(') + QStringLiteral("1"),
        QStringLiteral("SELECT ") + QStringLiteral("- ").repeated(5000) + QStringLiteral("1"),
        QStringLiteral("\x01\x02 SELECT \xff\xfe"),
    };
    for (const QString& s : unchanged) {
        EXPECT_EQ(TranslateSql(s, Dialect::SQLite), s) << s.left(60).toStdString();
        EXPECT_EQ(TranslateSql(s, Dialect::PostgreSQL), s) << s.left(60).toStdString();
    }
    // Unbalanced but readable: the part it understands is translated.
    EXPECT_EQ(TranslateSql(QStringLiteral("SELECT N'a' + b)"), Dialect::SQLite).toStdString(),
              "SELECT zk_plus('a', b))");
}

} // namespace
