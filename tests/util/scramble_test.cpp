#include "util/scramble.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(util_scramble, KnownShifts)
{
    // Length 3: each character moves by (a mod 7) - 3 with a = 0, 3, 6.
    EXPECT_EQ(ScrambleText(QStringLiteral("aaa"), 1), QStringLiteral("^ad"));
    // Length 20: only the running term (0,3,6,2,5,1,4,0,...) moves a character.
    const QString twenty(20, QLatin1Char('A'));
    EXPECT_EQ(ScrambleText(twenty, 1), QStringLiteral("ADGCFBEADGCFBEADGCFB"));
}

TEST(util_scramble, RoundTrips)
{
    const QString texts[] = {
        QString(),
        QStringLiteral("a"),
        QStringLiteral("Provider=SQLite;Data Source=demo.db"),
        QStringLiteral("12345678901234567890"),
        QStringLiteral("密码：张三的账户"),
        QString(QChar(0)) + QChar(0xFFFF) + QChar(0x0001), // wraps at both ends
    };
    for (const QString& text : texts) {
        for (int key : {1, 2, -5}) {
            const QString scrambled = ScrambleText(text, key);
            EXPECT_EQ(scrambled.size(), text.size());
            EXPECT_EQ(UnscrambleText(scrambled, key), text) << text.toStdString() << key;
        }
    }
    EXPECT_NE(ScrambleText(QStringLiteral("password"), 1), QStringLiteral("password"));
}

} // namespace
} // namespace zk
