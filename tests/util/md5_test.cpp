#include "util/md5.h"

#include "util/codec.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(util_md5, Rfc1321Suite)
{
    const struct {
        const char* text;
        const char* digest;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"1234567890123456789012345678901234567890123456789012345678901234567890123456789"
         "0",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases) {
        CMd5 md5;
        EXPECT_TRUE(md5.Digest(QString::fromLatin1(c.text)));
        EXPECT_EQ(md5.Result().toStdString(), c.digest) << c.text;
        EXPECT_TRUE(md5.ok);
    }
}

TEST(util_md5, ChineseTextIsDigestedInGb18030)
{
    EXPECT_EQ(Md5Text(QStringLiteral("中文")), QStringLiteral("bcce109775e8e1972e9f5fcda3e12895"));
    EXPECT_EQ(Md5Text(QStringLiteral("密码123")),
              QStringLiteral("023b1f07f0a78fc82f15fc1cebe93524"));
}

// Every length around the padding boundaries (55/56 and 63/64 bytes left over).
TEST(util_md5, AgreesWithQtAtEveryPaddingLength)
{
    QString text;
    for (int length = 0; length <= 200; ++length) {
        const QByteArray bytes = ToGb18030(text);
        const QString expected =
            QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
        CMd5 md5;
        md5.Digest(text);
        ASSERT_EQ(md5.Result(), expected) << "length " << length;
        text += length % 3 ? QChar(u'a' + length % 26) : QChar(u'汉');
    }
}

TEST(util_md5, ResultWithoutDigestIsAnError)
{
    CMd5 md5;
    EXPECT_EQ(md5.Result(), QString());
    EXPECT_FALSE(md5.ok);
    EXPECT_EQ(md5.errorMessage, QStringLiteral("Have something wrong with MD5!"));
}

} // namespace
} // namespace zk
