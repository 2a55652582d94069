#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>

namespace zk::sql {

// A date and time as the legacy dialects' date functions see it: a calendar day and a time
// of day in whole seconds, local time, no zone.
struct LegacyDateTime {
    qint64 julianDay = 0;
    int seconds = 0;      // since midnight, 0 to 86399
    bool hasDate = true;  // false for a time alone (its day is the legacy zero day 1899-12-30)
    bool hasTime = false; // the text named a time of day

    QDate Date() const { return QDate::fromJulianDay(julianDay); }
    int Hour() const { return seconds / 3600; }
    int Minute() const { return seconds / 60 % 60; }
    int Second() const { return seconds % 60; }
};

// The intervals of DateAdd, DateDiff and DatePart under every name either dialect gives them
// (T-SQL datepart words and abbreviations, Jet interval texts).
enum class DatePart {
    Year,      // yyyy, yy, year
    Quarter,   // q, qq, quarter
    Month,     // m, mm, month
    DayOfYear, // y, dy, dayofyear
    Day,       // d, dd, day
    Weekday,   // dw, weekday
    JetWeek,   // w: a weekday in DateAdd/DatePart, whole 7-day periods in DateDiff
    Week,      // ww, wk, week: calendar weeks starting on Sunday
    Hour,      // h, hh, hour
    Minute,    // n, mi, minute
    Second,    // s, ss, second
};

// Reads the date texts callers write: 2024-05-01, 2024/5/1, 2024.05.01, 20240501,
// 5/1/2024 (month first unless the first number cannot be a month), 1-May-2024, May 1, 2024,
// each optionally followed by a time h:mm[:ss[.fff]] [AM|PM] (after a blank or a 'T'), or a
// time alone. Two-digit years below 30 are 20xx, others 19xx.
std::optional<LegacyDateTime> ParseLegacyDateTime(QStringView text);

// 'YYYY-MM-DD' for a date without time, 'HH:MM:SS' for a time alone, else
// 'YYYY-MM-DD HH:MM:SS'.
QString FormatLegacyDateTime(const LegacyDateTime& value);

// Always 'YYYY-MM-DD HH:MM:SS'.
QString FormatLegacyTimestamp(const LegacyDateTime& value);

// The text of one of the T-SQL CONVERT styles (101, 111, 112, 120, 23, …); an unknown style
// gives style 120.
QString FormatDateStyle(const LegacyDateTime& value, int style);

std::optional<DatePart> ParseDatePart(QStringView name);

// DateAdd: months and years keep the day where the target month has it, else its last day.
// The result keeps its time of day; it has one when the input had or the interval is a time.
std::optional<LegacyDateTime> AddToDate(DatePart part, qint64 count, const LegacyDateTime& value);

// DateDiff (to − from): the number of interval boundaries crossed, as both dialects count.
std::optional<qint64> DiffDates(DatePart part, const LegacyDateTime& from,
                                const LegacyDateTime& to);

// DatePart: the weekday counts from Sunday = 1, week 1 is the week of January 1st.
int DatePartOf(DatePart part, const LegacyDateTime& value);

LegacyDateTime LegacyNow();

} // namespace zk::sql
