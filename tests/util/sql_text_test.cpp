#include "util/sql_text.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(util_sql_text, EscapeSql)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"O'Neil [x]", "O''Neil [[]x]"}, {"say \"hi\"", "say [\"]hi[\"]"}, {"''", "''''"}, {"", ""},
        {"名称 N'张'", "名称 N''张''"},
    };
    for (const auto& c : cases) {
        QString text = QString::fromUtf8(c.in);
        EscapeSql(text);
        EXPECT_EQ(text.toStdString(), c.out) << c.in;
    }
}

// Whatever the user types, the escaped text placed between quotes must not
// end the literal: every quote in it comes in a pair.
TEST(util_sql_text, EscapedTextNeverEndsTheLiteral)
{
    const char* attempts[] = {"x' or '1'='1", "x N'; delete from c_user; --", " N'", "'''"};
    for (const char* attempt : attempts) {
        QString text = QString::fromUtf8(attempt);
        EscapeSql(text);
        EXPECT_FALSE(text.replace(QStringLiteral("''"), QString()).contains(QLatin1Char('\'')))
            << attempt;
    }
}

TEST(util_sql_text, EscapeSqlTextLeavesBracketsAndTheInput)
{
    const QString in = QStringLiteral("O'Neil [x] \"q\"");
    EXPECT_EQ(EscapeSqlText(in), QStringLiteral("O''Neil [x] [\"]q[\"]"));
    EXPECT_EQ(in, QStringLiteral("O'Neil [x] \"q\""));
}

} // namespace
} // namespace zk
