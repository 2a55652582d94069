// The program's own statements and typical form statements through CDbSession, translated
// and run on real SQLite and real PostgreSQL, on the schema that zk_admin init creates.
#include "data/schema/company_init.h"
#include "data/session/db_session.h"
#include "tests/data/session_test_env.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace zk {
namespace {

using test::Engine;

class CompanyTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        if (GetParam() == Engine::PostgreSQL)
            ZK_REQUIRE_PG();
        database = std::make_unique<test::ScratchDatabase>(GetParam());
        ASSERT_FALSE(database->connection().isEmpty());
        session.SetConnectionString(database->connection());
        ASSERT_TRUE(session.Open()) << Failure();
        QString message;
        ASSERT_TRUE(InitCompanyDatabase(session, {u"测试公司"_s, u"123456"_s}, message))
            << message.toStdString();
        kind = session.GetDbType();
    }

    std::string Failure() const
    {
        return (session.errorText + u" | "_s + session.errorDetail).toStdString();
    }

    void Run(const QString& sql) { ASSERT_TRUE(session.RunScript(sql)) << Failure(); }

    QStringList List(const QString& sql)
    {
        QStringList list;
        EXPECT_GE(session.QueryList(sql, list), 0) << Failure();
        return list;
    }

    QString Value(const QString& sql)
    {
        QString value;
        EXPECT_TRUE(session.IsFind(sql, value)) << Failure() << " " << sql.toStdString();
        return value;
    }

    // Menu items 1 (folder) > 2, 3 (leaves) and 4 (leaf at the root).
    void AddMenu()
    {
        Run(u"INSERT INTO c_menu_dh(uid_0,pUid_0,level_0,leaf_0,order_0,name_0) "
            u"VALUES(1,0,0,0,1,'采购');"
            "INSERT INTO c_menu_dh(uid_0,pUid_0,level_0,leaf_0,order_0,name_0) "
            "VALUES(2,1,1,1,1,'订单');"
            "INSERT INTO c_menu_dh(uid_0,pUid_0,level_0,leaf_0,order_0,name_0) "
            "VALUES(3,1,1,1,2,'入库');"
            "INSERT INTO c_menu_dh(uid_0,pUid_0,level_0,leaf_0,order_0,name_0) VALUES(4,0,0,1,2,'报表')"_s);
    }

    // A file table as forms name them, with an identity key.
    void AddFileTable()
    {
        const QString key = GetParam() == Engine::SQLite ? u"INTEGER PRIMARY KEY AUTOINCREMENT"_s
                                                         : u"serial PRIMARY KEY"_s;
        Run(u"CREATE TABLE c_file (uid_0 "_s + key +
            u", puid_0 int, name_0 nvarchar(100), format_0 nvarchar(20), size_0 decimal(18,2), "
            "up_date_0 datetime, create_user_uid_0 int, up_user_uid_0 int)"_s);
    }

    std::unique_ptr<test::ScratchDatabase> database;
    CDbSession session;
    QString kind;
};

TEST_P(CompanyTest, LogsInAsTheLoginDialogDoes)
{
    EXPECT_EQ(kind, GetParam() == Engine::SQLite ? u"2"_s : u"3"_s);
    EXPECT_EQ(List(u"SELECT id_0 FROM c_user WHERE state_0='正常' ORDER BY id_0"_s),
              QStringList{u"admin"_s});
    const QString digest = PasswordDigest(u"123456"_s);
    const QString login =
        u"SELECT A.uid_0,A.auth_0,A.name_0,A.pass_0,B.user_group_uid_0 FROM view_c_user A LEFT "
        "JOIN c_user B ON A.uid_0=B.uid_0 WHERE  A.state_0='正常' AND  A.id_0='%1' AND "
        "A.pass_0='%2'"_s;
    EXPECT_EQ(List(login.arg(u"admin"_s, digest)),
              (QStringList{u"1"_s, QString(), u"系统管理员"_s, digest, u"1"_s}));
    EXPECT_TRUE(List(login.arg(u"admin"_s, PasswordDigest(u"wrong"_s))).isEmpty());

    const QString tabs9 = QString(9, u'\t');
    const QString record =
        u"INSERT INTO log_client_login(user_uid_0,name_0,ip_0,time_0,cpt_name_0,mac_0,ip_1) "_s;
    // The Access texts, as every database type but 1 gets them, and the SQL Server ones.
    Run(u"UPDATE c_user SET loginTime_0=date() WHERE uid_0=1"_s);
    Run(record + tabs9 +
        u"select top 1 1 as user_uid_0,'admin' as name_0,'10.0.0.5' as ip_0,now() as  time_0,'pc1' "
        u"as "
        "cpt_name_0,'00-11-22' as mac_0,'' AS ip_1 "_s);
    Run(record + QString(7, u'\t') +
        u"select top 1 0 as user_uid_0,'nobody' as name_0,'10.0.0.5' as ip_0,now() as  "
        u"time_0,'pc1' as "
        "cpt_name_0,'00-11-22' as mac_0,'' AS ip_1"_s);
    Run(u"UPDATE c_user SET loginTime_0=getdate() WHERE uid_0=1"_s);
    Run(record + tabs9 +
        u"select top 1 1 as user_uid_0,'admin' as name_0,'10.0.0.5' as ip_0,getdate() as  "
        u"time_0,'pc1' as "
        "cpt_name_0,'00-11-22' as mac_0,'' AS ip_1 "_s);
    EXPECT_EQ(List(u"SELECT user_uid_0, name_0 FROM log_client_login ORDER BY uid_0"_s),
              (QStringList{u"1"_s, u"admin"_s, u"0"_s, u"nobody"_s, u"1"_s, u"admin"_s}));
    EXPECT_EQ(Value(u"SELECT count(1) FROM log_client_login WHERE time_0 IS NOT NULL"_s), u"3"_s);
    EXPECT_FALSE(Value(u"SELECT loginTime_0 FROM c_user WHERE uid_0=1"_s).isEmpty());
}

TEST_P(CompanyTest, BuildsTheNavigationInBothDialects)
{
    AddMenu();
    Run(u"UPDATE c_user SET auth_0='2,3,4', auth1_0='3' WHERE uid_0=1"_s);
    const QString select = u"SELECT order_0,pUid_0,leaf_0,name_0,uid_0 FROM c_menu_dh "_s;
    const QString order = u"order by level_0,pUid_0,order_0,uid_0"_s;
    const QString t2 = u"\t\t"_s;
    const QString t3 = u"\t\t\t"_s;
    const QString rights =
        u"where CHARINDEX(','+rtrim(uid_0)+',' ,(select N','+auth_0+N','  from view_c_user where "
        "uid_0=1))>0 "_s;
    const QString favourites =
        u"AND CHARINDEX(','+rtrim(uid_0)+',' ,(select N','+auth1_0+N','  from view_c_user "
        "where uid_0=1))>0 "_s;
    const QStringList permitted = {u"2"_s, u"0"_s, u"1"_s, u"报表"_s, u"4"_s,
                                   u"1"_s, u"1"_s, u"1"_s, u"订单"_s, u"2"_s,
                                   u"2"_s, u"1"_s, u"1"_s, u"入库"_s, u"3"_s};
    const QStringList fav = {u"2"_s, u"1"_s, u"1"_s, u"入库"_s, u"3"_s};
    EXPECT_EQ(List(select + t2 + rights + t2 + order), permitted);
    EXPECT_EQ(List(select + t2 + rights + t2 + favourites + t2 + order), fav);

    const QString r =
        u","_s + List(u"select auth_0 from view_c_user where uid_0=1"_s).value(0) + u","_s;
    const QString f =
        u","_s + List(u"select auth1_0 from view_c_user where uid_0=1"_s).value(0) + u","_s;
    const QStringList jet = List(select + t3 + u"where InStr((' "_s + r +
                                 u"'),(','+CStr(uid_0)+','))>0 "_s + t3 + order);
    EXPECT_EQ(jet, List(select + t2 + rights + t2 + order));
    EXPECT_EQ(List(select + t3 + u"where InStr(('"_s + r + u"'),(','+CStr(uid_0)+','))>0 "_s + t3 +
                   u"AND InStr(('"_s + f + u"'),(','+CStr(uid_0)+','))>0 "_s + t3 + order),
              fav);
    EXPECT_EQ(List(select + order).size(), 20);

    // Favourites are written back as the main window does.
    QString list;
    EXPECT_TRUE(session.IsFind(u"SELECT auth1_0 FROM c_user WHERE uid_0=1 "_s, list));
    EXPECT_EQ(list, u"3"_s);
    Run(u"UPDATE c_user SET auth1_0='%1' WHERE uid_0=1"_s.arg(u"3,2"_s));
    EXPECT_EQ(Value(u"SELECT auth1_0 FROM view_c_user WHERE uid_0=1"_s), u"3,2"_s);

    EXPECT_EQ(Value(u"SELECT appName_0 FROM c_app WHERE uid_0=1"_s), u"Zk_ERP"_s);
    EXPECT_EQ(Value(u"SELECT company_0 FROM c_app WHERE uid_0=1"_s), u"测试公司"_s);
    EXPECT_EQ(Value(u"SELECT userCount_0 FROM c_app WHERE uid_0=2"_s), u"0"_s);
    EXPECT_EQ(Value(u"SELECT app_0 FROM c_app WHERE uid_0=1"_s).size(), 36);
}

TEST_P(CompanyTest, AppliesButtonRightsAndLogsFormUse)
{
    AddMenu();
    Run(u"INSERT INTO c_menu_button(menu_uid_0,button_id_0,value_0,sta_0) VALUES(2,7,'删除',0);"
        "INSERT INTO c_menu_button(menu_uid_0,button_id_0,value_0,sta_0) VALUES(2,8,'审核',-1);"
        "INSERT INTO c_menu_button(menu_uid_0,button_id_0,value_0,sta_0) VALUES(2,9,'保存',0);"
        "INSERT INTO c_menu_button_group(menu_button_uid_0,group_uid_0,sta_0) VALUES(1,1,-2);"
        "INSERT INTO c_menu_button_group(menu_button_uid_0,group_uid_0,sta_0) VALUES(2,1,0);"
        "INSERT INTO c_menu_button_group(menu_button_uid_0,group_uid_0,sta_0) VALUES(3,1,1)"_s);
    EXPECT_EQ(
        List(
            u"SELECT B.button_id_0,A.sta_0 FROM c_menu_button_group A LEFT JOIN c_menu_button B ON "
            "A.menu_button_uid_0=B.uid_0 WHERE B.menu_uid_0=%1 AND A.group_uid_0=(SELECT "
            "user_group_uid_0 "
            "FROM c_user WHERE uid_0=%2) ORDER BY B.button_id_0"_s.arg(u"2"_s, u"1"_s)),
        (QStringList{u"7"_s, u"-2"_s, u"8"_s, u"0"_s, u"9"_s, u"1"_s}));
    const QString forbidden =
        u"SELECT c_menu_button.menu_uid_0, c_menu_button.button_id_0, "
        u"c_menu_button_group.menu_button_uid_0, "
        "c_menu_button_group.group_uid_0, c_menu_button.sta_0, c_menu_button_group.sta_0, "
        "c_user.uid_0 FROM "
        "(c_menu_button LEFT JOIN c_menu_button_group ON c_menu_button.uid_0 = "
        "c_menu_button_group.menu_button_uid_0) "
        "LEFT JOIN c_user ON c_menu_button_group.group_uid_0 = c_user.user_group_uid_0 WHERE "
        "c_menu_button.menu_uid_0=0%1 AND c_menu_button.button_id_0=%2 AND c_user.uid_0=%3 AND "
        "(c_menu_button_group.sta_0<0 OR (c_menu_button.sta_0<0 AND c_menu_button_group.sta_0=0))"_s;
    EXPECT_TRUE(session.Exists(forbidden.arg(u"2"_s, u"7"_s, u"1"_s)));
    EXPECT_TRUE(session.Exists(forbidden.arg(u"2"_s, u"8"_s, u"1"_s)));
    EXPECT_FALSE(session.Exists(forbidden.arg(u"2"_s, u"9"_s, u"1"_s))) << Failure();

    EXPECT_TRUE(session.Execute(
        u"INSERT INTO log_dh_open(menu_uid_0,open_user_uid_0,menu_name_0,open_user_id_0) "
        "values(%1,%2,'%3','%4')"_s.arg(u"2"_s, u"1"_s, u"订单"_s, u"admin"_s)));
    EXPECT_TRUE(session.Execute(
        u"INSERT INTO log_dh_open(menu_uid_0,open_user_uid_0,menu_name_0,open_user_id_0,"
        "control_id_0) values(%1,%2,'%3 -> %4','%5',%6)"_s.arg(u"2"_s, u"1"_s, u"订单"_s, u"保存"_s,
                                                               u"admin"_s, u"9"_s)));
    EXPECT_EQ(List(u"SELECT menu_name_0, control_id_0 FROM log_dh_open ORDER BY uid_0"_s),
              (QStringList{u"订单"_s, QString(), u"订单 -> 保存"_s, u"9"_s}));
    EXPECT_EQ(Value(u"SELECT count(1) FROM log_dh_open WHERE open_time_0 IS NOT NULL"_s), u"2"_s);
}

TEST_P(CompanyTest, RecordsUploadedFilesWithTheirNewUid)
{
    AddFileTable();
    const QString insert =
        u"INSERT INTO  %1(puid_0,name_0,format_0,size_0,up_date_0,create_user_uid_0,up_user_uid_0)"
        " VALUES(%2,'%3','%4',%5,%6,%7,%8)"_s;
    for (const QString& now : {u"now()"_s, u"getdate()"_s}) {
        SCOPED_TRACE(now.toStdString());
        Run(insert.arg(u"c_file"_s, u"12"_s, u"合同"_s, u"pdf"_s, u"1.50"_s, now, u"1"_s, u"1"_s));
        QString uid;
        EXPECT_EQ(session.IsFind2(u"SELECT @@IDENTITY AS z_uid"_s, uid), 1) << Failure();
        EXPECT_EQ(uid, Value(u"SELECT max(uid_0) FROM c_file"_s));
        Run(u"UPDATE %1 SET name_0='%2',format_0='%3',size_0=%4,up_user_uid_0=%5,up_date_0=%6 WHERE uid_0=%7"_s
                .arg(u"c_file"_s, u"合同2"_s, u"docx"_s, u"2.25"_s, u"1"_s, now, uid));
        EXPECT_EQ(List(u"SELECT name_0,format_0,size_0 FROM c_file WHERE uid_0="_s + uid),
                  (QStringList{u"合同2"_s, u"docx"_s, u"2.25"_s}));
    }
    EXPECT_EQ(Value(u"SELECT count(1) FROM c_file WHERE up_date_0 IS NOT NULL AND puid_0=12"_s),
              u"2"_s);
    Run(u"DELETE FROM c_file WHERE uid_0=1"_s);
    EXPECT_EQ(Value(u"SELECT count(1) FROM c_file"_s), u"1"_s);
}

TEST_P(CompanyTest, SynchronisesTheMenuThroughTheStagingTables)
{
    AddMenu();
    const QByteArray oldForm1("form one"), oldForm2("form two"), newForm5("form five");
    ASSERT_TRUE(session.UpdateBinaryRecord(u"SELECT uid_0,form_0  FROM c_menu_dh where uid_0=1"_s,
                                           {u"form_0"_s}, {oldForm1}))
        << Failure();
    ASSERT_TRUE(session.UpdateBinaryRecord(u"SELECT uid_0,form_0  FROM c_menu_dh where uid_0=2"_s,
                                           {u"form_0"_s}, {oldForm2}));
    Run(u"INSERT INTO c_menu_button(uid_0,menu_uid_0,button_id_0,value_0,sta_0) VALUES(1,2,7,'删除',-1)"_s);
    const QStringList backupNames = {
        u"uid_0"_s,  u"level_0"_s,           u"leaf_0"_s,       u"order_0"_s, u"pUid_0"_s,
        u"name_0"_s, u"update_user_uid_0"_s, u"update_time_0"_s};
    QStringList backup;
    ASSERT_TRUE(
        session.QueryFields(u"SELECT uid_0,level_0,leaf_0,order_0,pUid_0,name_0,update_user_uid_0,"
                            "update_time_0  FROM c_menu_dh order by uid_0"_s,
                            backupNames, backup));
    EXPECT_EQ(backup.size(), 32);

    const bool jet = kind == u"2"_s;
    Run(jet ? u"DELETE FROM c_menu_button_down"_s : u"TRUNCATE TABLE c_menu_button_down"_s);
    for (const QStringList& row : {QStringList{u"1"_s, u"2"_s, u"7"_s, u"删除\r"_s.remove(u'\r')},
                                   QStringList{u"2"_s, u"5"_s, u"1"_s, u"查询"_s}}) {
        EXPECT_TRUE(session.InsertRecord(
            u"SELECT uid_0,menu_uid_0,button_id_0,value_0  FROM c_menu_button_down "
            "where uid_0<0"_s,
            {u"uid_0"_s, u"menu_uid_0"_s, u"button_id_0"_s, u"value_0"_s}, row))
            << Failure();
    }
    Run(jet ? u"DELETE FROM c_menu_dh_down"_s : u"TRUNCATE TABLE c_menu_dh_down"_s);
    const QList<QStringList> menu = {
        {u"1"_s, u"0"_s, u"0"_s, u"1"_s, u"0"_s, u"采购部"_s, u"1"_s, u"2026-01-02 03:04:05"_s},
        {u"2"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"订单"_s, u""_s, u""_s},
        {u"5"_s, u"1"_s, u"1"_s, u"3"_s, u"1"_s, u"退货"_s, u"1"_s, u"2026-01-02 03:04:05"_s}};
    for (const QStringList& row : menu) {
        EXPECT_TRUE(session.InsertRecord(
            u"SELECT uid_0,level_0,leaf_0,order_0,pUid_0,name_0,update_user_uid_0,"
            "update_time_0  FROM c_menu_dh_down where uid_0<0"_s,
            backupNames, row))
            << Failure();
    }
    Run(u"UPDATE c_menu_dh_down SET form_0=NULL where uid_0=%1"_s.arg(1));
    ASSERT_TRUE(session.UpdateBinaryRecord(
        u"SELECT uid_0,form_0  FROM c_menu_dh_down where uid_0=%1"_s.arg(5), {u"form_0"_s},
        {newForm5}));

    if (jet) {
        for (
            const QString& statement :
            {u"UPDATE c_menu_dh_down,c_menu_dh B SET c_menu_dh_down.form_0=B.form_0 WHERE "
             "c_menu_dh_down.uid_0=B.uid_0 AND c_menu_dh_down.form_0 IS NULL AND B.form_0 IS NOT NULL;"_s,
             u"DELETE FROM c_menu_dh;"_s,
             u"INSERT INTO "
             u"c_menu_dh(uid_0,level_0,leaf_0,order_0,pUid_0,name_0,form_0,update_user_uid_0,"
             "update_time_0)SELECT "
             "uid_0,level_0,leaf_0,order_0,pUid_0,name_0,form_0,update_user_uid_0,"
             "update_time_0  FROM  c_menu_dh_down ORDER BY uid_0;"_s,
             u"DELETE FROM c_menu_button;"_s,
             u"INSERT INTO c_menu_button(uid_0,menu_uid_0,button_id_0,value_0,sta_0) SELECT "
             u"uid_0,menu_uid_0,"
             "button_id_0,value_0,sta_0  FROM  c_menu_button_down ORDER BY uid_0;"_s,
             u"UPDATE c_app SET ver_1='%1' WHERE uid_0=1"_s.arg(u"2.0"_s),
             u"DELETE FROM c_menu_dh_down"_s})
            Run(statement);
    } else {
        Run(u"UPDATE c_menu_dh_down SET form_0=B.form_0 FROM c_menu_dh B WHERE "
            u"c_menu_dh_down.uid_0=B.uid_0 AND "
            "c_menu_dh_down.form_0 IS NULL AND B.form_0 IS NOT NULL;TRUNCATE TABLE "
            "c_menu_dh;INSERT INTO "
            "c_menu_dh(uid_0,level_0,leaf_0,order_0,pUid_0,name_0,form_0,update_user_uid_0,update_"
            "time_0)SELECT "
            "uid_0,level_0,leaf_0,order_0,pUid_0,name_0,form_0,update_user_uid_0,update_time_0  "
            "FROM  c_menu_dh_down "
            "ORDER BY uid_0;update c_menu_button_down set sta_0=B.sta_0 FROM c_menu_button B where "
            "c_menu_button_down.uid_0=B.uid_0 TRUNCATE TABLE c_menu_button;INSERT INTO "
            "c_menu_button(uid_0,menu_uid_0,button_id_0,value_0,sta_0) SELECT "
            "uid_0,menu_uid_0,button_id_0,value_0,"
            "sta_0  FROM  c_menu_button_down ORDER BY uid_0;UPDATE c_app SET ver_1=N'%1' WHERE uid_0=1"_s
                .arg(u"2.0"_s));
        Run(u"TRUNCATE TABLE c_menu_dh_down"_s);
    }
    EXPECT_EQ(List(u"SELECT uid_0, name_0 FROM c_menu_dh ORDER BY uid_0"_s),
              (QStringList{u"1"_s, u"采购部"_s, u"2"_s, u"订单"_s, u"5"_s, u"退货"_s}));
    QList<QByteArray> forms;
    ASSERT_TRUE(
        session.ReadBinary(u"SELECT form_0 FROM c_menu_dh ORDER BY uid_0"_s, {u"form_0"_s}, forms));
    EXPECT_EQ(forms, (QList<QByteArray>{oldForm1, oldForm2, newForm5}));
    // The Jet swap takes the states of the staging table; the others carry the old ones over.
    EXPECT_EQ(List(u"SELECT sta_0 FROM c_menu_button ORDER BY uid_0"_s),
              (QStringList{jet ? u"0"_s : u"-1"_s, u"0"_s}));
    EXPECT_EQ(Value(u"SELECT ver_1 FROM c_app WHERE uid_0=1"_s), u"2.0"_s);
    EXPECT_EQ(Value(u"SELECT count(1) FROM c_menu_dh_down"_s), u"0"_s);
    EXPECT_EQ(List(u"SELECT update_time_0 FROM c_menu_dh WHERE uid_0=1"_s),
              QStringList{u"2026-01-02 03:04:05"_s});

    // The rows came with their uids; new ones still get fresh uids.
    QString uid;
    EXPECT_EQ(session.InsertUidRecord(uid, u"SELECT uid_0 FROM c_menu_dh WHERE name_0='新'"_s,
                                      {u"name_0"_s}, {u"新"_s}),
              1)
        << Failure();
    EXPECT_EQ(uid, u"6"_s);
    Run(u"INSERT INTO c_menu_button(menu_uid_0,button_id_0,value_0) VALUES(5,2,'x')"_s);
    EXPECT_EQ(Value(u"SELECT max(uid_0) FROM c_menu_button"_s), u"3"_s);
}

TEST_P(CompanyTest, PublishesAndReadsBackAProgramVersion)
{
    QByteArray program(200000, '\0');
    for (qsizetype i = 0; i < program.size(); ++i)
        program[i] = static_cast<char>(i * 7 % 256);
    const QByteArray helper("helper bytes\0with a zero", 24);
    const QString select =
        u"SELECT uid_0,ver_0,exe_0, date_exe_0,date_up_0 FROM c_app where uid_0=%1"_s;
    QStringList version;
    ASSERT_TRUE(
        session.QueryFields(u"SELECT ver_0 FROM c_app where uid_0=1"_s, {u"ver_0"_s}, version));
    EXPECT_EQ(version, QStringList{QString()});
    ASSERT_TRUE(session.UpdateBinaryRecord(select.arg(1), {u"exe_0"_s}, {program})) << Failure();
    ASSERT_TRUE(session.UpdateBinaryRecord(select.arg(2), {u"exe_0"_s}, {helper})) << Failure();
    Run(u"UPDATE c_app SET ver_0='%1',date_exe_0='%2',date_up_0=date() where uid_0=1"_s.arg(
        u"1.2.10.0"_s, u"2026-12-01 08:00:00"_s));
    ASSERT_TRUE(
        session.QueryFields(u"SELECT ver_0 FROM c_app where uid_0=1"_s, {u"ver_0"_s}, version));
    EXPECT_EQ(version, QStringList{u"1.2.10.0"_s});
    QList<QByteArray> files;
    ASSERT_TRUE(session.ReadBinary(
        u"SELECT exe_0 FROM c_app where uid_0=1 OR uid_0=2 order by uid_0"_s, {u"exe_0"_s}, files));
    EXPECT_EQ(files, (QList<QByteArray>{program, helper}));
    EXPECT_FALSE(Value(u"SELECT date_up_0 FROM c_app WHERE uid_0=1"_s).isEmpty());
}

TEST_P(CompanyTest, RunsTypicalFormStatements)
{
    Run(u"CREATE TABLE p_sto (uid_0 int, name_0 nvarchar(50), qty_0 decimal(18,2), price_0 float, in_date_0 datetime)"_s);
    Run(u"INSERT INTO p_sto VALUES (1, N'螺丝', 10, 0.5, '2026-01-05 10:00:00');"
        "INSERT INTO p_sto VALUES (2, N'螺母', 0, 0.25, '2026-02-01 09:30:00');"
        "INSERT INTO p_sto VALUES (3, N'垫片', 5.5, NULL, '2026-03-01')"_s);
    struct Case {
        QString sql;
        QStringList expected;
    };
    const QList<Case> cases = {
        {u"SELECT TOP 2 name_0 FROM p_sto ORDER BY uid_0 DESC"_s, {u"垫片"_s, u"螺母"_s}},
        {u"SELECT name_0 + '-' + CStr(uid_0) FROM p_sto WHERE name_0 LIKE N'%螺%' ORDER BY uid_0"_s,
         {u"螺丝-1"_s, u"螺母-2"_s}},
        {u"SELECT IIf(qty_0>0, '有货', '缺货') FROM p_sto ORDER BY uid_0"_s,
         {u"有货"_s, u"缺货"_s, u"有货"_s}},
        {u"SELECT ISNULL(price_0, 0) FROM p_sto ORDER BY uid_0"_s, {u"0.5"_s, u"0.25"_s, u"0"_s}},
        {u"SELECT sum(qty_0) FROM p_sto"_s, {u"15.5"_s}},
        {u"SELECT count(1) FROM p_sto WHERE in_date_0 >= '2026-02-01'"_s, {u"2"_s}},
        {u"SELECT uid_0 FROM p_sto WHERE in_date_0 < #2026-01-31# "_s, {u"1"_s}},
        {u"SELECT qty_0 * price_0 FROM p_sto WHERE uid_0=1"_s, {u"5"_s}},
        {u"SELECT count(1) as zk_counts FROM (SELECT * FROM p_sto WHERE qty_0>0) AS TABLE_A"_s,
         {u"2"_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql.toStdString());
        QStringList list;
        EXPECT_GE(session.QueryList(c.sql, list), 0) << Failure();
        EXPECT_EQ(list, c.expected);
    }
}

TEST_P(CompanyTest, PagesThroughAQuery)
{
    Run(u"CREATE TABLE c_page (uid_0 int, name_0 nvarchar(20))"_s);
    ASSERT_TRUE(session.BeginTrans());
    for (int i = 1; i <= 25; ++i)
        Run(u"INSERT INTO c_page VALUES (%1, 'n%1')"_s.arg(i));
    ASSERT_TRUE(session.CommitTrans());
    auto page = [&](const QString& condition, int size, int number, const QString& order,
                    int& total, int& count) {
        QStringList names, values;
        total = count = -1;
        EXPECT_TRUE(session.QueryPage(u"SELECT uid_0 FROM c_page"_s, condition, size, number, order,
                                      names, values, total, count))
            << Failure();
        return values;
    };
    auto uids = [](int from, int to) {
        QStringList list;
        for (int i = from; from <= to ? i <= to : i >= to; i += from <= to ? 1 : -1)
            list.append(QString::number(i));
        return list;
    };
    int total = 0, count = 0;
    EXPECT_EQ(page({}, 10, 1, u"uid_0"_s, total, count), uids(1, 10));
    EXPECT_EQ(total, 25);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(page({}, 10, 2, u"uid_0 ASC"_s, total, count), uids(11, 20));
    EXPECT_EQ(page({}, 10, 3, u"uid_0 ASC"_s, total, count), uids(21, 25));
    EXPECT_EQ(page({}, 10, 3, u"uid_0 DESC"_s, total, count), uids(5, 1));
    // Without a direction the order is not reversed: the outer query takes the first rows.
    EXPECT_EQ(page({}, 10, 3, u"uid_0"_s, total, count), uids(1, 5));
    // Past the last page (or before the first) the nearest page comes back.
    EXPECT_EQ(page({}, 10, 9, u"uid_0 ASC"_s, total, count), uids(21, 25));
    EXPECT_EQ(page({}, 10, 0, u"uid_0 ASC"_s, total, count), uids(1, 10));
    EXPECT_EQ(page(u"WHERE uid_0<=5"_s, 10, 2, u"uid_0"_s, total, count), uids(1, 5));
    EXPECT_EQ(total, 5);
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(page(u"WHERE uid_0>99"_s, 10, 1, u"uid_0"_s, total, count).isEmpty());
    EXPECT_EQ(total, 0);
    EXPECT_EQ(count, -1); // untouched

    QStringList names, values;
    session.errorText = u"A:"_s;
    EXPECT_FALSE(session.QueryPage(u"SELECT uid_0 FROM nowhere"_s, {}, 10, 1, u"uid_0"_s, names,
                                   values, total, count));
    EXPECT_TRUE(session.errorText.endsWith(u"执行分页查询功能统计总数出错"_s)) << Failure();
}

TEST_P(CompanyTest, InsertsRecordsOnlyWhenAbsent)
{
    Run(u"CREATE TABLE c_item (uid_0 "_s +
        (GetParam() == Engine::SQLite ? u"INTEGER PRIMARY KEY AUTOINCREMENT"_s
                                      : u"serial PRIMARY KEY"_s) +
        u", code_0 nvarchar(20), qty_0 int, price_0 decimal(18,2), made_0 datetime, note_0 nvarchar(50))"_s);
    const QStringList names = {u"code_0"_s, u"qty_0"_s, u"price_0"_s, u"made_0"_s, u"note_0"_s};
    const QString absent = u"SELECT uid_0 FROM c_item WHERE code_0='A1'"_s;
    EXPECT_TRUE(session.InsertRecord(
        absent, names, {u"A1"_s, u"12"_s, u"3.50"_s, u"2026-05-01 08:09:10"_s, u"x"_s}))
        << Failure();
    session.errorText = u"before"_s;
    EXPECT_FALSE(
        session.InsertRecord(absent, names, {u"A1"_s, u"1"_s, u"1"_s, u"2026-05-01"_s, u"y"_s}));
    EXPECT_EQ(session.errorText, u"before"_s);
    EXPECT_EQ(List(u"SELECT qty_0 + 1, price_0 * 2, made_0, note_0 FROM c_item"_s),
              (QStringList{u"13"_s, u"7"_s, u"2026-05-01 08:09:10"_s, u"x"_s}));

    // Empty texts leave numbers and dates without a value; texts keep them.
    QString id;
    EXPECT_EQ(session.InsertUidRecord(id, u"SELECT uid_0 FROM c_item WHERE code_0='B2'"_s, names,
                                      {u"B2"_s, QString(), u""_s, u""_s, u""_s}),
              1)
        << Failure();
    EXPECT_EQ(id, u"2"_s);
    EXPECT_EQ(Value(u"SELECT count(1) FROM c_item WHERE qty_0 IS NULL AND price_0 IS NULL AND "
                    u"made_0 IS NULL AND "
                    "note_0 = ''"_s),
              u"1"_s);
    EXPECT_EQ(session.InsertUidRecord(id, u"SELECT uid_0 FROM c_item WHERE code_0='B2'"_s, names,
                                      {u"B2"_s, u"1"_s, u"1"_s, u"2026-05-01"_s, u"y"_s}),
              -1);

    // Values beyond the names are refused, not half inserted.
    session.lastState = 1;
    EXPECT_FALSE(session.InsertRecord(absent, {u"code_0"_s}, {u"C3"_s, u"C4"_s}));
    EXPECT_EQ(session.errorText, u"字段和值不对应，不能添加"_s);
    EXPECT_EQ(session.lastState, -1);
    EXPECT_EQ(session.InsertUidRecord(id, absent, {u"code_0"_s}, {u"C3"_s, u"C4"_s}), -2);

    // A value the column cannot take.
    session.errorText.clear();
    const QString other = u"SELECT uid_0 FROM c_item WHERE code_0='D4'"_s;
    const bool inserted =
        session.InsertRecord(other, names, {u"D4"_s, u"many"_s, u"1"_s, u"2026-01-01"_s, u""_s});
    if (GetParam() == Engine::PostgreSQL) {
        EXPECT_FALSE(inserted);
        EXPECT_TRUE(session.errorText.endsWith(u"\nInsertRecord出错:\n"_s + other)) << Failure();
        EXPECT_EQ(session.lastState, -1);
    } else {
        EXPECT_TRUE(inserted); // SQLite keeps the text as it is
    }
    session.errorText.clear();
    const QString fresh = u"SELECT uid_0 FROM c_item WHERE code_0='F6'"_s;
    EXPECT_EQ(session.InsertUidRecord(id, fresh, {u"missing_0"_s}, {u"x"_s}), -1);
    EXPECT_TRUE(session.errorText.endsWith(u"\nInsertUidRecord出错:\n"_s + fresh)) << Failure();
    EXPECT_EQ(session.InsertUidRecord(id, u"SELECT uid_0 FROM nowhere"_s, names,
                                      {u"E"_s, u""_s, u""_s, u""_s, u""_s}),
              -1);
}

TEST_P(CompanyTest, UpdatesTheFirstRowFound)
{
    Run(u"CREATE TABLE c_stock (code_0 nvarchar(20), qty_0 int, note_0 nvarchar(50))"_s);
    Run(u"INSERT INTO c_stock VALUES ('a', 1, 'one');INSERT INTO c_stock VALUES ('a', 2, 'two');"
        "INSERT INTO c_stock VALUES ('b', 3, 'three')"_s);
    EXPECT_TRUE(session.Update(
        u"SELECT S.qty_0, S.note_0 FROM c_stock S WHERE S.code_0='a' ORDER BY S.qty_0 DESC"_s,
        {u"note_0"_s, u"qty_0"_s}, {u"changed"_s, u""_s}))
        << Failure();
    EXPECT_EQ(List(u"SELECT code_0, qty_0, note_0 FROM c_stock ORDER BY note_0"_s),
              (QStringList{u"a"_s, QString(), u"changed"_s, u"a"_s, u"1"_s, u"one"_s, u"b"_s,
                           u"3"_s, u"three"_s}));
    session.errorText = u"kept"_s;
    EXPECT_FALSE(
        session.Update(u"SELECT * FROM c_stock WHERE code_0='z'"_s, {u"qty_0"_s}, {u"9"_s}));
    EXPECT_EQ(session.errorText, u"kept"_s);
    EXPECT_FALSE(session.Update(u"SELECT * FROM c_stock"_s, {u"qty_0"_s}, {u"9"_s, u"10"_s}));
    EXPECT_EQ(session.errorText, u"字段和值不对应，不能添加"_s);
    session.errorText.clear();
    EXPECT_FALSE(session.Update(u"SELECT * FROM c_stock"_s, {u"missing_0"_s}, {u"9"_s}));
    EXPECT_TRUE(session.errorText.contains(u"\nUpdate出错:\nSELECT * FROM c_stock"_s)) << Failure();
}

TEST_P(CompanyTest, BinaryFieldsRoundTrip)
{
    QByteArray blob(3 * 1024 * 1024 + 17, '\0');
    for (qsizetype i = 0; i < blob.size(); ++i)
        blob[i] = static_cast<char>(QRandomGenerator::global()->bounded(256));
    for (int b = 0; b < 256; ++b)
        blob[b] = static_cast<char>(b);
    AddMenu();
    const QString sql = u"SELECT uid_0, form_0 FROM c_menu_dh WHERE uid_0=2"_s;
    ASSERT_TRUE(session.UpdateBinaryRecord(sql, {u"form_0"_s}, {blob})) << Failure();
    QList<QByteArray> read;
    ASSERT_TRUE(session.ReadBinary(sql, {u"form_0"_s}, read));
    ASSERT_EQ(read.size(), 1);
    EXPECT_TRUE(read.first() == blob);
    // Writing again replaces the value.
    ASSERT_TRUE(session.UpdateBinaryRecord(sql, {u"form_0"_s}, {QByteArray("short")}));
    read.clear();
    ASSERT_TRUE(session.ReadBinary(sql, {u"FORM_0"_s}, read));
    EXPECT_EQ(read, QList<QByteArray>{QByteArray("short")});
    // A NULL field reads as an empty buffer; no row reads as nothing.
    read.clear();
    ASSERT_TRUE(
        session.ReadBinary(u"SELECT form_0 FROM c_menu_dh WHERE uid_0=3"_s, {u"form_0"_s}, read));
    EXPECT_EQ(read, QList<QByteArray>{QByteArray()});
    EXPECT_FALSE(
        session.ReadBinary(u"SELECT form_0 FROM c_menu_dh WHERE uid_0=99"_s, {u"form_0"_s}, read));
    EXPECT_EQ(session.lastState, 0);

    session.errorText.clear();
    EXPECT_FALSE(session.UpdateBinaryRecord(u"SELECT form_0 FROM c_menu_dh WHERE uid_0=99"_s,
                                            {u"form_0"_s}, {blob}));
    EXPECT_TRUE(session.errorText.contains(u"\nUpdateBinaryRecord出错:\n"_s)) << Failure();
    EXPECT_FALSE(session.UpdateBinaryRecord(sql, {u"form_0"_s, u"name_0"_s}, {blob}));
    EXPECT_EQ(session.errorText, u"字段和值不对应，不能添加"_s);
}

// A failing statement inside a transaction undoes only itself, as on the legacy engines.
TEST_P(CompanyTest, AFailedStatementLeavesTheTransactionUsable)
{
    ASSERT_TRUE(session.BeginTrans());
    EXPECT_TRUE(session.Execute(u"UPDATE c_app SET ver_0='a' WHERE uid_0=1"_s));
    EXPECT_FALSE(session.Execute(u"UPDATE nowhere SET x=1"_s));
    QString value;
    EXPECT_EQ(session.IsFind2(u"SELECT missing FROM c_app"_s, value), -1);
    EXPECT_TRUE(session.Execute(u"UPDATE c_app SET ver_1='b' WHERE uid_0=1"_s)) << Failure();
    ASSERT_TRUE(session.CommitTrans()) << Failure();
    EXPECT_EQ(List(u"SELECT ver_0, ver_1 FROM c_app WHERE uid_0=1"_s),
              (QStringList{u"a"_s, u"b"_s}));
    // A body in dollar quotes keeps its own ';'.
    if (GetParam() == Engine::PostgreSQL) {
        EXPECT_TRUE(session.Execute(u"DO $$ BEGIN PERFORM 1; PERFORM 2; END $$"_s)) << Failure();
    }
}

TEST_P(CompanyTest, NamesComeBackAsTheStatementWroteThem)
{
    QStringList names, values;
    ASSERT_TRUE(session.QueryTable(
        u"SELECT uid_0 AS Uid, appName_0, userCount_0 FROM c_app ORDER BY uid_0"_s, names, values));
    EXPECT_EQ(names, (QStringList{u"Uid"_s, u"appName_0"_s, u"userCount_0"_s}));
    QStringList fields;
    ASSERT_TRUE(session.QueryFields(u"SELECT * FROM c_app ORDER BY uid_0"_s,
                                    {u"USERCOUNT_0"_s, u"AppName_0"_s}, fields));
    EXPECT_EQ(fields, (QStringList{u"0"_s, u"Zk_ERP"_s, u"0"_s, QString()}));
}

TEST_P(CompanyTest, InitRefusesADatabaseThatHasUsers)
{
    QString message;
    EXPECT_FALSE(InitCompanyDatabase(session, {}, message));
    EXPECT_FALSE(message.isEmpty());
    QString uid;
    EXPECT_TRUE(AddUser(session, {u"o'neil"_s, u"奥"_s, u"pw"_s, u"2"_s, u"2,3"_s}, uid, message))
        << message.toStdString();
    EXPECT_FALSE(AddUser(session, {u"o'neil"_s, u"奥"_s, u"pw"_s, {}, {}}, uid, message));
    EXPECT_EQ(
        List(u"SELECT uid_0, pass_0, user_group_uid_0, auth_0 FROM c_user WHERE id_0='o''neil'"_s),
        (QStringList{uid, PasswordDigest(u"pw"_s), u"2"_s, u"2,3"_s}));
}

INSTANTIATE_TEST_SUITE_P(Engines, CompanyTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         test::EngineParamName());

} // namespace
} // namespace zk
