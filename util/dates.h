#pragma once

#include <QDateTime>
#include <QString>

namespace zk {

// Date and time texts of the local time. Each takes the moment to write so
// that callers can pass a fixed clock; by default it is the current time.
// An invalid moment gives the empty text.

// "yyyy-MM-dd HH:mm:ss"
QString NowText(const QDateTime& now = QDateTime::currentDateTime());
// "yyyy-MM-dd"
QString TodayText(const QDateTime& now = QDateTime::currentDateTime());
// "yyyy/MM/dd"
QString TodaySlashText(const QDateTime& now = QDateTime::currentDateTime());
// "yyyy"
QString YearText(const QDateTime& now = QDateTime::currentDateTime());
// "MM"
QString MonthText(const QDateTime& now = QDateTime::currentDateTime());
// "dd"
QString DayText(const QDateTime& now = QDateTime::currentDateTime());

// Eleven dates seven days apart, separated by ";": from ten weeks ago up to
// today (oldest first) and from today up to ten weeks ahead.
QString WeeksBeforeList(const QDateTime& now = QDateTime::currentDateTime());
QString WeeksAfterList(const QDateTime& now = QDateTime::currentDateTime());

// The last-write time of a file in local time as "yyyy-MM-dd h:m": hours and
// minutes are not padded (nine minutes past three is "3:9"). The empty text
// when the file does not exist.
QString FileTimeText(const QString& path);

} // namespace zk
