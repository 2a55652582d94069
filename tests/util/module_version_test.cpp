#include "util/module_version.h"

#include "util/program_folder.h"

#include "zk_version.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(util_module_version, ThisProgramsCompiledInVersion)
{
    const QString expected = QStringLiteral("%1.%2.%3.%4")
                                 .arg(ZK_VERSION_MAJOR)
                                 .arg(ZK_VERSION_MINOR)
                                 .arg(ZK_VERSION_PATCH)
                                 .arg(ZK_VERSION_TWEAK);
    const QString self = QFileInfo(ModuleFileName()).fileName();
    for (const QString& name :
         {QString(), self, self.toUpper() + QStringLiteral(".exe"), ModuleFileName()})
        EXPECT_EQ(FileVersionText(name), expected) << name.toStdString();

    CModuleVersion version;
    ASSERT_TRUE(version.Read());
    EXPECT_EQ(version.signature, CModuleVersion::kSignature);
    EXPECT_EQ(version.fileVersionMS >> 16, quint32(ZK_VERSION_MAJOR));
    EXPECT_EQ(version.fileVersionLS & 0xFFFF, quint32(ZK_VERSION_TWEAK));
}

TEST(util_module_version, OtherModulesAreUnknown)
{
    CModuleVersion version;
    EXPECT_FALSE(version.Read(QStringLiteral("kernel32.dll")));
    EXPECT_EQ(version.signature, 0u);
    EXPECT_EQ(version.translation >> 16, 1252u);
    EXPECT_EQ(FileVersionText(QStringLiteral("not_loaded.dll")), QStringLiteral("0.0.0.0"));
}

TEST(util_module_version, CompareVersions)
{
    const struct {
        const char* a;
        const char* b;
        int result;
    } cases[] = {
        {"1.2.10", "1.2.9", 1},    {"1.2", "1.2.0", 0},        {"2", "10", -8},
        {"1.0.0.1", "1.0.0.1", 0}, {"1.0.0.2", "1.0.1.0", -1}, {"", "0.0", 0},
        {"3.x", "3.0", 0},         {"1.5", "1.2.9", 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompareVersions(QString::fromLatin1(c.a), QString::fromLatin1(c.b)), c.result)
            << c.a << " vs " << c.b;
}

} // namespace
} // namespace zk
