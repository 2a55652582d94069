#include "forms/controls/locale_date.h"

#include <QLocale>
#include <QRegularExpression>

namespace zk {

namespace {

QDateTime FromParts(int year, int month, int day, int hour, int minute, int second)
{
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

int Group(const QRegularExpressionMatch& match, int n)
{
    return match.captured(n).isEmpty() ? 0 : match.captured(n).toInt();
}

// Groups: year, month, day, then optionally hour, minute, second.
QDateTime MatchDateTime(const QRegularExpression& pattern, const QString& text)
{
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    return FromParts(Group(match, 1), Group(match, 2), Group(match, 3), Group(match, 4),
                     Group(match, 5), Group(match, 6));
}

// Year first, as the Chinese locale and every database write it.
QDateTime ParseYearFirst(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})"
                       "(?:(?:\\s+|T)(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2})(?:\\.\\d+)?)?)?$"));
    return MatchDateTime(pattern, text);
}

QDateTime ParseChinese(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4})\\x{5E74}(\\d{1,2})\\x{6708}(\\d{1,2})\\x{65E5}"
                       "(?:\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?)?$"));
    return MatchDateTime(pattern, text);
}

QDateTime ParseTimeOnly(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    return FromParts(1899, 12, 30, Group(match, 1), Group(match, 2), Group(match, 3));
}

QDateTime ParseWithLocale(const QString& text, const QLocale& locale)
{
    for (QLocale::FormatType format : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QDateTime both = locale.toDateTime(text, format);
        if (both.isValid())
            return both;
        const QDate date = locale.toDate(text, format);
        if (date.isValid())
            return QDateTime(date, QTime(0, 0));
        // A time may follow a date written in the locale's own way.
        const qsizetype blank = text.indexOf(QLatin1Char(' '));
        if (blank > 0) {
            const QDate head = locale.toDate(text.left(blank), format);
            if (head.isValid())
                return QDateTime(head, QTime(0, 0));
        }
    }
    return {};
}

QDateTime ParseDatePart(const QString& text, const QLocale& locale)
{
    for (auto parse : {ParseYearFirst, ParseChinese}) {
        const QDateTime value = parse(text);
        if (value.isValid())
            return value;
    }
    return ParseWithLocale(text, locale);
}

} // namespace

QDateTime ParseLocaleDateTime(const QString& text, const QLocale& locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    const QDateTime timeOnly = ParseTimeOnly(trimmed);
    return timeOnly.isValid() ? timeOnly : ParseDatePart(trimmed, locale);
}

std::optional<QDate> ParseLocaleDate(const QString& text, const QLocale& locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    const QDateTime value = ParseDatePart(trimmed, locale);
    if (!value.isValid())
        return std::nullopt;
    return value.date();
}

} // namespace zk
