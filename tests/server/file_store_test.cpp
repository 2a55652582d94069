// The file store and the session tokens of zk_server, without a wire.
#include "server/file_store.h"
#include "server/token_issuer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zk::server {
namespace {

TEST(FileStore, ChecksEveryPartOfTheName)
{
    const FileStore store(u"/store"_s);
    struct Case {
        QString table, id, format, path; // empty path: refused
    };
    const std::vector<Case> cases = {
        {u"c_file"_s, u"7"_s, u"pdf"_s, u"/store/c_file/7.pdf"_s},
        {u"C_File"_s, u"7"_s, u"PDF"_s, u"/store/c_file/7.pdf"_s},
        {u"附件表"_s, u"12"_s, u"jpg"_s, u"/store/附件表/12.jpg"_s},
        {u"c_file"_s, u"a-1_b"_s, u""_s, u"/store/c_file/a-1_b"_s},
        {u""_s, u"7"_s, u"pdf"_s, {}},
        {u"c_file"_s, u""_s, u"pdf"_s, {}},
        {u".."_s, u"7"_s, u"pdf"_s, {}},
        {u"../etc"_s, u"7"_s, u"pdf"_s, {}},
        {u"c/file"_s, u"7"_s, u"pdf"_s, {}},
        {u"c\\file"_s, u"7"_s, u"pdf"_s, {}},
        {u"c file"_s, u"7"_s, u"pdf"_s, {}},
        {u"c_file"_s, u".."_s, u"pdf"_s, {}},
        {u"c_file"_s, u"7.pdf"_s, u""_s, {}},
        {u"c_file"_s, u"7"_s, u"p.df"_s, {}},
        {u"c_file"_s, u"7"_s, u"p-df"_s, {}},
        {u"c_file"_s, u"7"_s, u"pd"_s + QChar(0) + u"f"_s, {}},
        {u"c"_s + QChar(0) + u"file"_s, u"7"_s, u"pdf"_s, {}},
        {u"c_file"_s, u"7\n"_s, u"pdf"_s, {}},
        {QString(129, u'a'), u"7"_s, u"pdf"_s, {}},
        {QString(128, u'a'), u"7"_s, u"pdf"_s, u"/store/"_s + QString(128, u'a') + u"/7.pdf"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(store.PathOf(c.table, c.id, c.format), c.path)
            << c.table.toStdString() << " " << c.id.toStdString() << " " << c.format.toStdString();
}

TEST(FileStore, WritesReplacesReadsAndRemoves)
{
    QTemporaryDir dir;
    const FileStore store(dir.path());
    QString error;
    QByteArray bytes;
    EXPECT_EQ(store.Read(u"t"_s, u"1"_s, u"bin"_s, 100, bytes, error), FileStore::Result::Missing);
    EXPECT_EQ(store.Remove(u"t"_s, u"1"_s, u"bin"_s, error), FileStore::Result::Missing);
    ASSERT_EQ(store.Write(u"t"_s, u"1"_s, u"bin"_s, QByteArray("first"), error),
              FileStore::Result::Ok);
    ASSERT_EQ(store.Write(u"t"_s, u"1"_s, u"bin"_s, QByteArray("\0second", 7), error),
              FileStore::Result::Ok);
    // Nothing but the file itself is left in the table's folder.
    EXPECT_EQ(QDir(dir.filePath(u"t"_s)).entryList(QDir::Files | QDir::Hidden),
              QStringList{u"1.bin"_s});
    ASSERT_EQ(store.Read(u"T"_s, u"1"_s, u"BIN"_s, 100, bytes, error), FileStore::Result::Ok);
    EXPECT_EQ(bytes, QByteArray("\0second", 7));
    EXPECT_EQ(store.Read(u"t"_s, u"1"_s, u"bin"_s, 3, bytes, error), FileStore::Result::Failed);
    EXPECT_EQ(store.Write(u"../t"_s, u"1"_s, u"bin"_s, {}, error), FileStore::Result::BadName);
    EXPECT_EQ(store.Remove(u"t"_s, u"1"_s, u"bin"_s, error), FileStore::Result::Ok);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(u"t/1.bin"_s)));
}

TEST(TokenIssuer, TokensHoldForTheirSecretAndKeyOnly)
{
    QTemporaryDir dir;
    const QString secret = dir.filePath(u"secret"_s);
    TokenIssuer issuer;
    QString error;
    ASSERT_TRUE(issuer.Load(secret, u"k"_s, error)) << error.toStdString();
    EXPECT_EQ(QFileInfo(secret).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
              QFileDevice::Permissions());
    EXPECT_TRUE(issuer.KeyMatches(u"k"_s));
    EXPECT_FALSE(issuer.KeyMatches(u"K"_s));
    EXPECT_FALSE(issuer.KeyMatches({}));
    const QString token = issuer.Issue();
    EXPECT_NE(token, issuer.Issue());
    EXPECT_TRUE(issuer.Verify(token));

    // The same secret file after a restart.
    TokenIssuer restarted;
    ASSERT_TRUE(restarted.Load(secret, u"k"_s, error));
    EXPECT_TRUE(restarted.Verify(token));
    EXPECT_TRUE(restarted.Verify(token.toUpper()));
    // Another key, another secret, or a changed token.
    TokenIssuer rekeyed;
    ASSERT_TRUE(rekeyed.Load(secret, u"k2"_s, error));
    EXPECT_FALSE(rekeyed.Verify(token));
    TokenIssuer stranger;
    ASSERT_TRUE(stranger.Load(dir.filePath(u"other"_s), u"k"_s, error));
    EXPECT_FALSE(stranger.Verify(token));
    QString changed = token;
    changed[40] = changed[40] == u'0' ? u'1' : u'0';
    for (const QString& bad : {changed, token.left(94), token + u"00"_s, QString(), u"zz"_s,
                               QString(token).replace(0, 2, u"g0"_s)})
        EXPECT_FALSE(issuer.Verify(bad)) << bad.toStdString();

    // A file that holds no secret is reported and left alone.
    const QString broken = dir.filePath(u"broken"_s);
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a secret\n");
    file.close();
    TokenIssuer refused;
    EXPECT_FALSE(refused.Load(broken, u"k"_s, error));
    EXPECT_TRUE(error.contains(u"holds no secret"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("not a secret\n"));
}

} // namespace
} // namespace zk::server
