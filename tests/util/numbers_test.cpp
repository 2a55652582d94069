#include "util/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zk {
namespace {

TEST(util_numbers, ToInt)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"42", 42},
        {"  -17abc", -17},
        {"+8", 8},
        {"\t 3.9", 3},
        {"", 0},
        {"abc", 0},
        {"- 5", 0},
        {"12 34", 12},
        {"0010", 10},
        {"99999999999", std::numeric_limits<int>::max()},
        {"-99999999999", std::numeric_limits<int>::min()},
        {"-2147483648", std::numeric_limits<int>::min()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToInt(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(util_numbers, ToReal)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"1234.5", 1234.5}, {"  -0.25kg", -0.25}, {".5", 0.5}, {"5.", 5.0},
        {"1e3", 1000.0},    {"1.5E-2x", 0.015},   {"2e", 2.0}, {"2e+", 2.0},
        {"", 0.0},          {".", 0.0},           {"-", 0.0},  {"abc", 0.0},
        {"1,234.5", 1.0},   {"1e-400", 0.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ToReal(QString::fromUtf8(c.text)), c.value) << c.text;
    EXPECT_TRUE(std::isinf(ToReal(QStringLiteral("1e999"))));
    EXPECT_LT(ToReal(QStringLiteral("-1e999")), 0);
}

TEST(util_numbers, FixedTextHasNoNegativeZero)
{
    EXPECT_EQ(FixedText(1234.567, 2), QStringLiteral("1234.57"));
    EXPECT_EQ(FixedText(-1.005, 1), QStringLiteral("-1.0"));
    EXPECT_EQ(FixedText(-0.001, 2), QStringLiteral("0.00"));
    EXPECT_EQ(FixedText(-0.0, 4), QStringLiteral("0.0000"));
}

} // namespace
} // namespace zk
