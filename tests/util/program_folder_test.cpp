#include "util/program_folder.h"

#include "tests/common/test_env.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(util_program_folder, HomeOverrideWithTrailingSlash)
{
    test::ScopedHome home;
    EXPECT_EQ(ProgramFolder(), QDir(home.path()).absolutePath() + QLatin1Char('/'));

    const QString other = home.file(QStringLiteral("sub/dir"));
    SetProgramFolderOverride(other);
    EXPECT_EQ(ProgramFolder(), other + QLatin1Char('/'));
    EXPECT_TRUE(QDir(other).exists()); // made on demand
}

TEST(util_program_folder, WithoutOverrideTheExecutablesFolder)
{
    test::ScopedHome home;
    SetProgramFolderOverride(QString());
    // The test binary's folder is writable, so it is the program folder.
    EXPECT_EQ(ProgramFolder(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    EXPECT_EQ(ModuleFileName(), QCoreApplication::applicationFilePath());
}

} // namespace
} // namespace zk
