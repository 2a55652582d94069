// The start-up pieces that need no server: the program-name check, the command line and
// the exit sequence.

#include "app/app_startup.h"
#include "app/main_app.h"
#include "tests/common/test_env.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace zk::test {
namespace {

TEST(StartUpTest, OnlyTheExactProgramNamePasses)
{
    EXPECT_TRUE(ProgramNameProblem(QStringLiteral("Zk_ERP")).isEmpty());
    for (const char* name : {"zk_erp", "Zk_ERP.exe", "Zk_ERP2", ""}) {
        const QString problem = ProgramNameProblem(QString::fromLatin1(name));
        EXPECT_TRUE(problem.startsWith(
            QStringLiteral("主程序名不能改为 %1 须是默认的 Zk_ERP").arg(QString::fromLatin1(name))))
            << problem.toStdString();
    }
}

TEST(StartUpTest, CommandLine)
{
    const StartOptions options = ParseStartOptions(
        {QStringLiteral("Zk_ERP"), QStringLiteral("--home"), QStringLiteral("/tmp/h"),
         QStringLiteral("--tour"), QStringLiteral("out"), QStringLiteral("--password"),
         QStringLiteral("pw")});
    EXPECT_TRUE(options.ok);
    EXPECT_EQ(options.home, QStringLiteral("/tmp/h"));
    EXPECT_EQ(options.tourDir, QStringLiteral("out"));
    EXPECT_EQ(options.password, QStringLiteral("pw"));
    EXPECT_FALSE(ParseStartOptions({QStringLiteral("Zk_ERP"), QStringLiteral("--home")}).ok);
    EXPECT_FALSE(ParseStartOptions({QStringLiteral("Zk_ERP"), QStringLiteral("-x")}).ok);
}

TEST(StartUpTest, ExitEmptiesTheCacheAndRemovesTempAndUpdateWhenAsked)
{
    for (const bool cleanup : {false, true}) {
        ScopedHome home;
        QDir::setCurrent(home.path());
        for (const char* folder : {"temp", "update"}) {
            QDir(home.path()).mkdir(QString::fromLatin1(folder));
            QFile file(home.file(QString::fromLatin1(folder) + QStringLiteral("/a.bin")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        CMainApp app;
        app.program_folder = home.path() + QStringLiteral("/");
        app.update_cleanup = cleanup;
        app.form_cache.Store(QStringLiteral("11"), QStringLiteral("<html/>"));
        ExitInstance(app);
        EXPECT_EQ(app.form_cache.size(), 0);
        EXPECT_FALSE(QDir(home.file(QStringLiteral("temp"))).exists());
        EXPECT_EQ(QDir(home.file(QStringLiteral("update"))).exists(), !cleanup);
        QDir::setCurrent(QDir::tempPath());
    }
}

} // namespace
} // namespace zk::test
