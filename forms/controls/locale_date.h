#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <optional>

namespace zk {

// A date, optionally with a time, read the way users type and databases
// return them: "2024-05-01", "2024/5/1", "2024.5.1", each optionally followed
// by "13:45" or "13:45:30" (also after a "T"), "2024年5月1日", a time alone
// ("13:45", on the day the legacy engines count from, 1899-12-30), or any
// short or long date (and date-time) format of the user's locale. Blanks
// around the text are ignored. Invalid when the text is none of these or
// names no real day.
QDateTime ParseLocaleDateTime(const QString& text, const QLocale& locale = QLocale::system());

// The date part of the same forms; a time alone is no date. Used where only a
// day counts (the date picker), so a time after the date is ignored.
std::optional<QDate> ParseLocaleDate(const QString& text,
                                     const QLocale& locale = QLocale::system());

} // namespace zk
