#include "util/url_coding.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(util_url_coding, EncodeEveryByte)
{
    EXPECT_EQ(UrlEncode(QStringLiteral(" ")), QStringLiteral("%20"));
    EXPECT_EQ(UrlEncode(QStringLiteral("A")), QStringLiteral("%41"));
    EXPECT_EQ(UrlEncode(QStringLiteral("\n")), QStringLiteral("%0a"));
    EXPECT_EQ(UrlEncode(QStringLiteral("中")), QStringLiteral("%e4%b8%ad"));
    EXPECT_EQ(UrlEncode(QString()), QString());
    const QString lone(QChar(0xDC00));
    EXPECT_EQ(UrlEncode(lone), lone);
}

TEST(util_url_coding, Decode)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"%E4%B8%AD", "中"}, {"%e4%b8%ad", "中"}, {"%zz", "%zz"},   {"a+b", "a+b"},
        {"%4", "%4"},        {"100%", "100%"},    {"中%41", "中A"}, {"%41%4g", "A%4g"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UrlDecode(QString::fromUtf8(c.in)).toStdString(), c.out) << c.in;
    const QString text = QStringLiteral("订单 #1 & 张三");
    EXPECT_EQ(UrlDecode(UrlEncode(text)), text);
}

TEST(util_url_coding, Base64OfGb18030Text)
{
    EXPECT_EQ(Base64DecodeText(QStringLiteral("1tDOxGFiYw==")), QStringLiteral("中文abc"));
    EXPECT_EQ(Base64DecodeText(QStringLiteral("YWI=")), QStringLiteral("ab"));
    EXPECT_EQ(Base64DecodeText(QStringLiteral("YWJj\r\nZA==")), QStringLiteral("abcd"));
    EXPECT_EQ(Base64DecodeText(QString()), QString());
    EXPECT_EQ(Base64DecodeText(QStringLiteral("not base64!")), QString());
}

} // namespace
} // namespace zk
