#include "util/files.h"

#include "util/codec.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zk {
namespace {

class FilesTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

// Test names carry the library's name so that "ctest -R util" selects them.
using util_files = FilesTest;

TEST_F(util_files, BytesRoundTrip)
{
    const QByteArray bytes("a\0b\xFF", 4);
    ASSERT_TRUE(WriteFileBytes(path(QStringLiteral("b.bin")), bytes));
    QByteArray read;
    ASSERT_TRUE(ReadFileBytes(path(QStringLiteral("b.bin")), read));
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(read.constData()[read.size()], '\0');

    ASSERT_TRUE(WriteFileBytes(path(QStringLiteral("b.bin")), QByteArray()));
    EXPECT_TRUE(ReadFileBytes(path(QStringLiteral("b.bin")), read));
    EXPECT_TRUE(read.isEmpty());

    read = "stale";
    EXPECT_FALSE(ReadFileBytes(path(QStringLiteral("missing")), read));
    EXPECT_TRUE(read.isEmpty());
    EXPECT_FALSE(WriteFileBytes(path(QStringLiteral("no/such/folder/f")), bytes));
}

TEST_F(util_files, GbkTextFiles)
{
    const QString file = path(QStringLiteral("t.txt"));
    ASSERT_TRUE(SaveTextFile(file, QStringLiteral("第一行\n第二行\r\nend\n")));
    QByteArray raw;
    ASSERT_TRUE(ReadFileBytes(file, raw));
    EXPECT_EQ(raw, ToGb18030(QStringLiteral("第一行\r\n第二行\r\nend\r\n")));

    QString text;
    ASSERT_TRUE(ReadTextFileGbk(file, text));
    EXPECT_EQ(text, QStringLiteral("第一行\r\n第二行\r\nend\r\n"));

    ASSERT_TRUE(WriteFileBytes(file, "x"));
    EXPECT_FALSE(ReadTextFileGbk(file, text)); // one byte is too short
    EXPECT_FALSE(ReadTextFileGbk(path(QStringLiteral("missing")), text));
}

TEST_F(util_files, ClearFolderDeletesFilesOnly)
{
    ASSERT_TRUE(CreateFolder(path(QStringLiteral("c/sub/deeper"))));
    const QString folder = path(QStringLiteral("c"));
    for (const char* name : {"a.txt", "readonly.txt", ".hidden"})
        ASSERT_TRUE(WriteFileBytes(folder + QLatin1Char('/') + QLatin1String(name), "x"));
    ASSERT_TRUE(WriteFileBytes(folder + QStringLiteral("/sub/kept.txt"), "x"));
    ASSERT_TRUE(QFile::setPermissions(folder + QStringLiteral("/readonly.txt"),
                                      QFileDevice::ReadOwner | QFileDevice::ReadUser));

    ClearFolder(folder);
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("sub")});
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/sub/kept.txt")));
}

TEST_F(util_files, FileAge)
{
    const QString file = path(QStringLiteral("age.txt"));
    EXPECT_EQ(FileAgeSeconds(file), -1);
    ASSERT_TRUE(WriteFileBytes(file, "x"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-120),
                              QFileDevice::FileModificationTime));
    f.close();
    EXPECT_NEAR(static_cast<double>(FileAgeSeconds(file)), 120.0, 2.0);
}

} // namespace
} // namespace zk
