#include "util/split.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(util_split, PiecesIncludingEmptyOnes)
{
    const struct {
        const char* text;
        const char* separator;
        QStringList pieces;
    } cases[] = {
        {"a;b;", ";", {"a", "b", ""}},
        {"", ";", {""}},
        {"abc", ";", {"abc"}},
        {";;", ";", {"", "", ""}},
        {"1,,2,,3", ",,", {"1", "2", "3"}},
        {"a;b", "", {"a;b"}},
    };
    for (const auto& c : cases) {
        QStringList pieces;
        SplitText(QString::fromUtf8(c.text), QString::fromUtf8(c.separator), pieces);
        EXPECT_EQ(pieces, c.pieces) << c.text;
    }
}

TEST(util_split, TargetsAreAppendedTo)
{
    QStringList list = {QStringLiteral("old")};
    SplitToList(QStringLiteral("x|y"), QStringLiteral("|"), list);
    EXPECT_EQ(list, (QStringList{"old", "x", "y"}));

    QList<int> ints = {7};
    SplitInts(QStringLiteral("1; -2;x;3px;"), QStringLiteral(";"), ints);
    EXPECT_EQ(ints, (QList<int>{7, 1, -2, 0, 3, 0}));
}

} // namespace
} // namespace zk
