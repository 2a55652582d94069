#include "util/dates.h"

#include <QFileInfo>

namespace zk {

namespace {

QString Format(const QDateTime& now, const QString& pattern)
{
    return now.isValid() ? now.toLocalTime().toString(pattern) : QString();
}

constexpr int kWeeks = 10;
constexpr int kDaysPerWeek = 7;

} // namespace

QString NowText(const QDateTime& now)
{
    return Format(now, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString TodayText(const QDateTime& now)
{
    return Format(now, QStringLiteral("yyyy-MM-dd"));
}

QString TodaySlashText(const QDateTime& now)
{
    return Format(now, QStringLiteral("yyyy/MM/dd"));
}

QString YearText(const QDateTime& now)
{
    return Format(now, QStringLiteral("yyyy"));
}

QString MonthText(const QDateTime& now)
{
    return Format(now, QStringLiteral("MM"));
}

QString DayText(const QDateTime& now)
{
    return Format(now, QStringLiteral("dd"));
}

// Steps are whole calendar days, so a change of daylight saving time never
// shifts a date.
QString WeeksBeforeList(const QDateTime& now)
{
    if (!now.isValid())
        return QString();
    const QDateTime local = now.toLocalTime();
    QString list = TodayText(local);
    for (int week = 1; week <= kWeeks; ++week)
        list.prepend(TodayText(local.addDays(-week * kDaysPerWeek)) + QLatin1Char(';'));
    return list;
}

QString WeeksAfterList(const QDateTime& now)
{
    if (!now.isValid())
        return QString();
    const QDateTime local = now.toLocalTime();
    QString list = TodayText(local);
    for (int week = 1; week <= kWeeks; ++week)
        list += QLatin1Char(';') + TodayText(local.addDays(week * kDaysPerWeek));
    return list;
}

QString FileTimeText(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QString();
    const QDateTime time = info.lastModified().toLocalTime();
    QString text = QString::asprintf("%4d-%2d-%2d,%d:%d", time.date().year(), time.date().month(),
                                     time.date().day(), time.time().hour(), time.time().minute());
    text.replace(QLatin1Char(' '), QLatin1Char('0'));
    text.replace(QLatin1Char(','), QLatin1Char(' '));
    return text;
}

} // namespace zk
