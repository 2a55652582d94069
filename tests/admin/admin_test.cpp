// zk_admin through the real executable on SQLite and PostgreSQL: exit statuses, output and
// what it leaves in the database.
#include "data/schema/company_init.h"
#include "tests/common/test_env.h"
#include "tests/data/session_test_env.h"
#include "util/scramble.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace zk {
namespace {

using test::Engine;

struct Result {
    int status = -1;
    QString out;
    QString err;
};

Result Admin(const QStringList& args)
{
    QProcess process;
    process.start(test::BinDir() + u"/zk_admin"_s, args);
    Result result;
    if (!process.waitForFinished(60000))
        return result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

class AdminTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        if (GetParam() == Engine::PostgreSQL)
            ZK_REQUIRE_PG();
        database = std::make_unique<test::ScratchDatabase>(GetParam());
        ASSERT_FALSE(database->connection().isEmpty());
    }

    Result Db(const QStringList& args)
    {
        return Admin(QStringList{u"--db"_s, database->connection()} + args);
    }

    std::unique_ptr<test::ScratchDatabase> database;
};

TEST_P(AdminTest, InitCreatesTheCompanyOnce)
{
    const Result init =
        Db({u"init"_s, u"--company"_s, u"示例公司"_s, u"--admin-password"_s, u"s3cret"_s});
    ASSERT_EQ(init.status, 0) << init.err.toStdString();
    const Result app =
        Db({u"query"_s, u"SELECT uid_0, company_0, userCount_0 FROM c_app ORDER BY uid_0"_s});
    EXPECT_EQ(app.status, 0);
    EXPECT_EQ(app.out, u"uid_0\tcompany_0\tuserCount_0\n1\t示例公司\t0\n2\t\t0\n"_s);
    const Result admin = Db({u"query"_s, u"SELECT uid_0, id_0, pass_0 FROM view_c_user"_s});
    EXPECT_EQ(admin.out,
              u"uid_0\tid_0\tpass_0\n1\tadmin\t"_s + PasswordDigest(u"s3cret"_s) + u'\n');

    const Result again = Db({u"init"_s});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.err.contains(u"c_user"_s));
}

TEST_P(AdminTest, AddsUsersAndRunsStatementsAsTheClient)
{
    ASSERT_EQ(Db({u"init"_s}).status, 0);
    const Result added =
        Db({u"user"_s, u"add"_s, u"--id"_s, u"li"_s, u"--name"_s, u"李四"_s, u"--password"_s,
            u"pw"_s, u"--group"_s, u"2"_s, u"--auth"_s, u"1,2"_s});
    ASSERT_EQ(added.status, 0) << added.err.toStdString();
    const QString uid = added.out.trimmed();
    EXPECT_FALSE(uid.isEmpty());
    EXPECT_EQ(
        Db({u"user"_s, u"add"_s, u"--id"_s, u"li"_s, u"--name"_s, u"x"_s, u"--password"_s, u"x"_s})
            .status,
        1);

    const Result script =
        Db({u"exec"_s, u"UPDATE c_user SET name_0='李\t四' WHERE id_0='li';"
                       "INSERT INTO log_dh_open(menu_uid_0,menu_name_0) values(1,'a')"_s});
    ASSERT_EQ(script.status, 0) << script.err.toStdString();
    const Result rows =
        Db({u"query"_s, u"SELECT uid_0, name_0, user_group_uid_0, auth_0 FROM c_user WHERE "
                        "id_0='li'"_s});
    EXPECT_EQ(rows.out,
              u"uid_0\tname_0\tuser_group_uid_0\tauth_0\n"_s + uid + u"\t李\\t四\t2\t1,2\n"_s);
    EXPECT_EQ(Db({u"query"_s, u"SELECT uid_0 FROM c_user WHERE uid_0=0"_s}).out, QString());

    const Result bad = Db({u"query"_s, u"SELECT missing FROM c_user"_s});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.err.startsWith(u"SQL出错\nSELECT missing FROM c_user\n"_s))
        << bad.err.toStdString();
    EXPECT_GT(bad.err.count(u'\n'), 2); // the engine's message follows
    const Result failed = Db({u"exec"_s, u"UPDATE nowhere SET x=1"_s});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.err.startsWith(u"执行操作出错UPDATE nowhere SET x=1\n"_s));
}

// The form tools: files hold UTF-8 XML, form_0 the encoded UTF-16 text.
TEST_P(AdminTest, FormToolsEncodeImportExportAndLint)
{
    QTemporaryDir dir;
    const QString xml = dir.filePath(u"form.xml"_s);
    const QString text = u"<html version='1.0' id='0'><head title='订单' pos='0'/></html>"_s;
    {
        QFile file(xml);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    const QString blob = dir.filePath(u"form.blob"_s);
    const QString back = dir.filePath(u"back.xml"_s);
    ASSERT_EQ(Admin({u"form"_s, u"encode"_s, xml, blob}).status, 0);
    ASSERT_EQ(Admin({u"form"_s, u"decode"_s, blob, back}).status, 0);
    QFile decoded(back);
    ASSERT_TRUE(decoded.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(decoded.readAll()), text);
    EXPECT_EQ(Admin({u"form"_s, u"decode"_s, xml, back}).status, 1) << "XML is no blob";
    EXPECT_EQ(Admin({u"form"_s, u"encode"_s, xml}).status, 2);

    ASSERT_EQ(Db({u"init"_s}).status, 0);
    const Result imported = Db({u"form"_s, u"import"_s, xml, u"--uid"_s, u"500"_s, u"--name"_s,
                                u"O'Brien 订单"_s, u"--leaf"_s, u"1"_s, u"--order"_s, u"3"_s});
    ASSERT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_EQ(
        Db({u"query"_s, u"SELECT name_0, leaf_0, order_0 FROM c_menu_dh WHERE uid_0=500"_s}).out,
        u"name_0\tleaf_0\torder_0\nO'Brien 订单\t1\t3\n"_s);
    const Result exported = Db({u"form"_s, u"export"_s, u"--uid"_s, u"500"_s});
    EXPECT_EQ(exported.status, 0) << exported.err.toStdString();
    EXPECT_EQ(exported.out, text + u'\n');
    ASSERT_EQ(Db({u"form"_s, u"import"_s, xml, u"--uid"_s, u"7"_s, u"--kind"_s, u"2"_s}).status, 0);
    const QString out = dir.filePath(u"out.xml"_s);
    ASSERT_EQ(Db({u"form"_s, u"export"_s, u"--uid"_s, u"7"_s, u"--kind"_s, u"2"_s, out}).status, 0);
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(written.readAll()), text);
    EXPECT_EQ(Db({u"form"_s, u"export"_s, u"--uid"_s, u"8"_s}).status, 1) << "no such row";
    EXPECT_EQ(Db({u"form"_s, u"import"_s, xml, u"--uid"_s, u"x"_s}).status, 2);

    const QString broken = dir.filePath(u"broken.xml"_s);
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "<html id='0'><head pos='0'/>\n<body><dialog><textbx id='1'/></dialog></body></html>");
    }
    const Result clean = Admin({u"form"_s, u"lint"_s, xml});
    EXPECT_EQ(clean.status, 0);
    EXPECT_TRUE(clean.out.isEmpty());
    const Result findings = Admin({u"form"_s, u"lint"_s, broken});
    EXPECT_EQ(findings.status, 1);
    EXPECT_EQ(findings.out, u"2: 未知元素 <textbx>\n"_s);
    EXPECT_EQ(Admin({u"form"_s, u"lint"_s}).status, 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, AdminTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         test::EngineParamName());

TEST(AdminCommandLine, RejectsBadArgumentsWithUsage)
{
    const QString db = u"Provider=SQLite;Data Source=/nonexistent/dir/x.db"_s;
    for (const QStringList& args : QList<QStringList>{{},
                                                      {u"bogus"_s},
                                                      {u"--frob"_s, u"init"_s},
                                                      {u"init"_s},
                                                      {u"--db"_s},
                                                      {u"scramble"_s},
                                                      {u"scramble"_s, u"a"_s, u"b"_s}}) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const Result result = Admin(args);
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(result.err.contains(u"usage: zk_admin"_s)) << result.err.toStdString();
    }
    test::ScopedHome home;
    const QString file = u"Provider=SQLite;Data Source="_s + home.file(u"c.db"_s);
    for (const QStringList& args :
         QList<QStringList>{{u"--db"_s, file, u"user"_s, u"add"_s, u"--id"_s, u"x"_s},
                            {u"--db"_s, file, u"query"_s, u"SELECT 1"_s, u"SELECT 2"_s},
                            {u"--db"_s, file, u"init"_s, u"--company"_s}}) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        EXPECT_EQ(Admin(args).status, 2);
    }
    // A database that cannot be opened is a failure, not a usage error.
    const Result unreachable = Admin({u"--db"_s, db, u"query"_s, u"SELECT 1"_s});
    EXPECT_EQ(unreachable.status, 1);
    EXPECT_TRUE(unreachable.err.startsWith(u"连接服务器出错"_s));
}

TEST(AdminCommandLine, ScramblesConfigurationValues)
{
    const QString text = u"Provider=SQLite;Data Source=公司.db"_s;
    const Result scrambled = Admin({u"scramble"_s, text});
    ASSERT_EQ(scrambled.status, 0);
    EXPECT_EQ(scrambled.out.chopped(1), ScrambleText(text, 1));
    const Result plain = Admin({u"unscramble"_s, scrambled.out.chopped(1)});
    EXPECT_EQ(plain.out, text + u'\n');
}

} // namespace
} // namespace zk
