#include "util/format.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(util_format, FormatThousands)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"1234567.891", "1,234,567.89"},
        {"999.5", "999.50"},
        {"1000", "1,000.00"},
        {"-1234.5", "-1,234.50"},
        {"-999", "-999.00"},
        {"-123456", "-123,456.00"},
        {"", "0.00"},
        {"abc", "0.00"},
        {"-0.001", "0.00"},
        {"123456789012345", "123,456,789,012,345.00"},
        {"12345678901234567", "12,345,678,901,234,568.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatThousands(QString::fromUtf8(c.in)).toStdString(), c.out) << c.in;
}

TEST(util_format, FormatTwoDecimals)
{
    QString empty;
    EXPECT_FALSE(FormatTwoDecimals(empty));
    EXPECT_TRUE(empty.isEmpty());

    QString cell = QStringLiteral(" 12.345abc");
    EXPECT_TRUE(FormatTwoDecimals(cell));
    EXPECT_EQ(cell, QStringLiteral("12.35"));

    QString text = QStringLiteral("x");
    EXPECT_TRUE(FormatTwoDecimals(text));
    EXPECT_EQ(text, QStringLiteral("0.00"));
}

TEST(util_format, TrimZeros)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"12.500", "12.5"}, {"12.000", "12"},    {".000", "0"}, {"1200", "1200"},
        {"0.0", "0"},       {"100.10", "100.1"}, {"", ""},      {"-3.40", "-3.4"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TrimZeros(QString::fromUtf8(c.in)).toStdString(), c.out) << c.in;
}

TEST(util_format, ColorTextReadsRedFromTheLowByte)
{
    EXPECT_EQ(ColorText(0x00FF8001), QStringLiteral("1,128,255"));
    EXPECT_EQ(ColorText(0), QStringLiteral("0,0,0"));
    EXPECT_EQ(ColorText(0xAA0000FF), QStringLiteral("255,0,0")); // high byte ignored
}

} // namespace
} // namespace zk
