#include "util/codec.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(util_codec, KnownGb18030Bytes)
{
    const struct {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QStringLiteral("abc"), "abc"},
        {QStringLiteral("中文"), "\xD6\xD0\xCE\xC4"},
        {QStringLiteral("€·"), "\xA2\xE3\xA1\xA4"},
        {QStringLiteral("𠀀"), "\x95\x32\x82\x36"}, // outside the BMP: four bytes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToGb18030(c.text), c.bytes) << c.text.toStdString();
        EXPECT_EQ(FromGb18030(c.bytes), c.text) << c.text.toStdString();
    }
}

TEST(util_codec, RoundTripOfMixedText)
{
    const QString text = QStringLiteral("订单 No.42：客户「张三」¥1,234.50 𠀀 end\r\n");
    EXPECT_EQ(FromGb18030(ToGb18030(text)), text);
}

TEST(util_codec, InvalidInputKeepsTheRest)
{
    const QChar bad(0xFFFD);
    EXPECT_EQ(FromGb18030("a\xFF"
                          "b"),
              QStringLiteral("a") + bad + QStringLiteral("b"));
    EXPECT_EQ(FromGb18030("\xD6\xD0\x81"), QStringLiteral("中") + bad); // cut off
    EXPECT_EQ(FromGb18030("\x80\x80\xD6\xD0"), QString(2, bad) + QStringLiteral("中"));

    QString loneSurrogate = QStringLiteral("中x");
    loneSurrogate.insert(1, QChar(0xD800));
    EXPECT_EQ(ToGb18030(loneSurrogate), QByteArray("\xD6\xD0?x"));
}

TEST(util_codec, Utf8Validity)
{
    const struct {
        QByteArray bytes;
        bool valid;
    } cases[] = {
        {"", true},
        {"plain ascii", true},
        {"\xE4\xB8\xAD", true},      // 中
        {"\xF0\xA0\x80\x80", true},  // U+20000
        {"\xE4\xB8", false},         // cut off
        {"\xC0\x80", false},         // overlong
        {"\xED\xA0\x80", false},     // surrogate
        {"\xF4\x90\x80\x80", false}, // above U+10FFFF
        {"\xD6\xD0\xCE\xC4", false}, // GB18030 中文
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes.toHex().toStdString();
    EXPECT_EQ(FromUtf8OrGb18030("\xE4\xB8\xAD"), QStringLiteral("中"));
    EXPECT_EQ(FromUtf8OrGb18030("\xD6\xD0"), QStringLiteral("中"));
}

} // namespace
} // namespace zk
