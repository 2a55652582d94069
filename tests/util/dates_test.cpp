#include "util/dates.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zk {
namespace {

const QDateTime kNow(QDate(2022, 6, 26), QTime(9, 5, 7));

TEST(util_dates, TextsOfAFixedClock)
{
    EXPECT_EQ(NowText(kNow), QStringLiteral("2022-06-26 09:05:07"));
    EXPECT_EQ(TodayText(kNow), QStringLiteral("2022-06-26"));
    EXPECT_EQ(TodaySlashText(kNow), QStringLiteral("2022/06/26"));
    EXPECT_EQ(YearText(kNow), QStringLiteral("2022"));
    EXPECT_EQ(MonthText(kNow), QStringLiteral("06"));
    EXPECT_EQ(DayText(kNow), QStringLiteral("26"));
    EXPECT_EQ(NowText(QDateTime()), QString());
    EXPECT_EQ(TodayText(), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
}

TEST(util_dates, WeekLists)
{
    EXPECT_EQ(WeeksBeforeList(kNow),
              QStringLiteral("2022-04-17;2022-04-24;2022-05-01;2022-05-08;2022-05-15;2022-05-22;"
                             "2022-05-29;2022-06-05;2022-06-12;2022-06-19;2022-06-26"));
    EXPECT_EQ(WeeksAfterList(kNow),
              QStringLiteral("2022-06-26;2022-07-03;2022-07-10;2022-07-17;2022-07-24;2022-07-31;"
                             "2022-08-07;2022-08-14;2022-08-21;2022-08-28;2022-09-04"));
    EXPECT_EQ(WeeksBeforeList(QDateTime()), QString());
}

TEST(util_dates, FileTimeTextDoesNotPadHoursAndMinutes)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("f.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2024, 3, 5), QTime(3, 9, 30)),
                                 QFileDevice::FileModificationTime));
    file.close();
    EXPECT_EQ(FileTimeText(file.fileName()), QStringLiteral("2024-03-05 3:9"));
    EXPECT_EQ(FileTimeText(dir.filePath(QStringLiteral("missing"))), QString());
}

} // namespace
} // namespace zk
