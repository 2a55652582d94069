#include "util/money.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zk {
namespace {

TEST(util_money, MoneyToChinese)
{
    const struct {
        double amount;
        const char* text;
    } cases[] = {
        {1234.56, "壹仟贰佰叁拾肆元伍角陆分"},
        {100, "壹佰元整"},
        {105, "壹佰零伍元整"},
        {0.5, "伍角"},
        {0.05, "伍分"},
        {0, "零元整"},
        {10000001, "壹仟万零壹元整"},
        {100000000, "壹亿元整"},
        {1000010.5, "壹佰万零壹拾元零伍角"},
        {1e15, "出错!"},
        {10.2, "壹拾元零贰角"},
        {100020003.04, "壹亿零贰万零叁元零肆分"},
        {9999999999999.99, "玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分"},
        {-12.5, "负壹拾贰元伍角"},
        {-0.001, "零元整"},
        {NAN, "出错!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MoneyToChinese(c.amount).toStdString(), c.text) << c.amount;
}

TEST(util_money, ChequeDigits)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"2024", "贰零贰肆"}, {"03", "零叁"},   {"7", "柒"},
        {"10", "零壹拾"},     {"11", "壹拾壹"}, {"20", "零贰拾"},
        {"25", "贰拾伍"},     {"31", "叁拾壹"}, {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChequeDigits(QString::fromUtf8(c.in)).toStdString(), c.out) << c.in;
}

} // namespace
} // namespace zk
