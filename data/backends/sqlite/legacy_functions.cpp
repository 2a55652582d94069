#include "data/backends/sqlite/legacy_functions.h"

#include "data/sql/legacy_dates.h"

#include <QString>
#include <QUuid>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace zk {

namespace {

using sql::LegacyDateTime;

// ---- values ------------------------------------------------------------------------------

bool IsNumber(sqlite3_value* v)
{
    const int t = sqlite3_value_type(v);
    return t == SQLITE_INTEGER || t == SQLITE_FLOAT;
}

bool AnyNull(int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    }
    return false;
}

QString RawText(sqlite3_value* v)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return QString::fromUtf8(text, sqlite3_value_bytes(v));
}

// How the legacy dialects write a number as text: whole numbers without a fraction.
QString NumberText(double v)
{
    if (std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < 1e15)
        return QString::number(static_cast<qint64>(v));
    return QString::number(v, 'g', 15);
}

QString ValueText(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return QString::number(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
        return NumberText(sqlite3_value_double(v));
    case SQLITE_NULL:
        return {};
    default:
        return RawText(v);
    }
}

void ResultText(sqlite3_context* ctx, const QString& s)
{
    const QByteArray utf8 = s.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void ResultError(sqlite3_context* ctx, const QString& message)
{
    const QByteArray utf8 = message.toUtf8();
    sqlite3_result_error(ctx, utf8.constData(), static_cast<int>(utf8.size()));
}

// A number written as a whole text: [sign] digits [. digits] [e [sign] digits].
struct ParsedNumber {
    double value = 0;
    qint64 integer = 0;
    bool isInteger = false;
};

std::optional<ParsedNumber> ParseNumberText(QStringView text)
{
    const QStringView t = text.trimmed();
    if (t.isEmpty() || !(t[0].isDigit() || t[0] == u'.' || t[0] == u'-' || t[0] == u'+'))
        return std::nullopt;
    ParsedNumber n;
    bool ok = false;
    n.integer = t.toLongLong(&ok);
    if (ok) {
        n.isInteger = true;
        n.value = static_cast<double>(n.integer);
        return n;
    }
    n.value = t.toDouble(&ok);
    if (!ok || !std::isfinite(n.value))
        return std::nullopt;
    return n;
}

void ResultNumber(sqlite3_context* ctx, const ParsedNumber& n)
{
    if (n.isInteger)
        sqlite3_result_int64(ctx, n.integer);
    else
        sqlite3_result_double(ctx, n.value);
}

ParsedNumber NumberOf(sqlite3_value* v)
{
    ParsedNumber n;
    if (sqlite3_value_type(v) == SQLITE_INTEGER) {
        n.isInteger = true;
        n.integer = sqlite3_value_int64(v);
        n.value = static_cast<double>(n.integer);
    } else {
        n.value = sqlite3_value_double(v);
    }
    return n;
}

ParsedNumber Add(const ParsedNumber& a, const ParsedNumber& b, int sign)
{
    ParsedNumber r;
    if (a.isInteger && b.isInteger) {
        const bool overflow = sign > 0 ? __builtin_add_overflow(a.integer, b.integer, &r.integer)
                                       : __builtin_sub_overflow(a.integer, b.integer, &r.integer);
        if (!overflow) {
            r.isInteger = true;
            r.value = static_cast<double>(r.integer);
            return r;
        }
    }
    r.value = sign > 0 ? a.value + b.value : a.value - b.value;
    return r;
}

std::optional<LegacyDateTime> DateOf(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_TEXT:
        return sql::ParseLegacyDateTime(RawText(v));
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: {
        // SQLite's own convention for a number standing for a date: a julian day number.
        const double jd = sqlite3_value_double(v) + 0.5;
        if (!std::isfinite(jd) || std::fabs(jd) > 1e9)
            return std::nullopt;
        LegacyDateTime d;
        d.julianDay = static_cast<qint64>(std::floor(jd));
        d.seconds = std::min(86399, static_cast<int>(std::lround((jd - std::floor(jd)) * 86400)));
        d.hasTime = d.seconds != 0;
        return d;
    }
    default:
        return std::nullopt;
    }
}

// Adds a number of days (a fraction adds a time of day), as both legacy dialects do for
// date + number.
// A count of days or intervals as an integer; none when it is beyond any calendar.
std::optional<qint64> WholeCount(double count)
{
    if (!std::isfinite(count) || std::fabs(count) > 1e12)
        return std::nullopt;
    return static_cast<qint64>(std::trunc(count));
}

std::optional<LegacyDateTime> AddDays(const LegacyDateTime& d, double days)
{
    const auto count = WholeCount(days);
    if (!count)
        return std::nullopt;
    const double whole = static_cast<double>(*count);
    auto r = sql::AddToDate(sql::DatePart::Day, *count, d);
    const auto seconds = static_cast<qint64>(std::llround((days - whole) * 86400));
    if (r && seconds != 0) {
        r = sql::AddToDate(sql::DatePart::Second, seconds, *r);
        if (r)
            r->hasTime = true;
    }
    return r;
}

// Code point counts: SQLite texts are UTF-8, QString is UTF-16, and a character outside
// the basic plane is two UTF-16 units.
QList<uint> CodePoints(sqlite3_value* v)
{
    return ValueText(v).toUcs4();
}

QString FromCodePoints(const QList<uint>& cps, qsizetype from, qsizetype count)
{
    from = std::clamp<qsizetype>(from, 0, cps.size());
    count = std::clamp<qsizetype>(count, 0, cps.size() - from);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(cps.constData() + from), count);
}

// 1-based position of sub in s from the 1-based start, 0 when absent, ignoring case.
qsizetype Find(const QString& s, const QString& sub, qsizetype start)
{
    const QList<uint> cps = s.toUcs4();
    const QString tail = FromCodePoints(cps, start - 1, cps.size());
    const qsizetype at = tail.indexOf(sub, 0, Qt::CaseInsensitive);
    if (at < 0)
        return 0;
    return start + tail.left(at).toUcs4().size();
}

// ---- the functions -----------------------------------------------------------------------

void NowFn(sqlite3_context* ctx, int, sqlite3_value**)
{
    ResultText(ctx, sql::FormatLegacyTimestamp(sql::LegacyNow()));
}

void TodayFn(sqlite3_context* ctx, int, sqlite3_value**)
{
    LegacyDateTime d = sql::LegacyNow();
    d.hasTime = false;
    ResultText(ctx, sql::FormatLegacyDateTime(d));
}

void TimeOfDayFn(sqlite3_context* ctx, int, sqlite3_value**)
{
    LegacyDateTime d = sql::LegacyNow();
    d.hasDate = false;
    ResultText(ctx, sql::FormatLegacyDateTime(d));
}

void NewIdFn(sqlite3_context* ctx, int, sqlite3_value**)
{
    ResultText(ctx, QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
}

// Jet InStr([start,] text, sought): a sought empty text is found at start.
void InStrFn(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (AnyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const qint64 start = argc == 3 ? sqlite3_value_int64(argv[0]) : 1;
    const QString s = ValueText(argv[argc - 2]);
    const QString sub = ValueText(argv[argc - 1]);
    if (start < 1)
        return ResultError(ctx, QStringLiteral("InStr: the start must be 1 or more"));
    if (start > s.toUcs4().size())
        return sqlite3_result_int64(ctx, 0);
    sqlite3_result_int64(ctx, sub.isEmpty() ? start : Find(s, sub, start));
}

// T-SQL CHARINDEX(sought, text[, start]): an empty sought text is not found.
void CharIndexFn(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (AnyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const QString sub = ValueText(argv[0]);
    const QString s = ValueText(argv[1]);
    const qint64 start = argc == 3 ? std::max<qint64>(1, sqlite3_value_int64(argv[2])) : 1;
    if (sub.isEmpty() || start > s.toUcs4().size())
        return sqlite3_result_int64(ctx, 0);
    sqlite3_result_int64(ctx, Find(s, sub, start));
}

void CStrFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    ResultText(ctx, ValueText(argv[0]));
}

// IsNull(x) tests; IsNull(x, y) is T-SQL's ISNULL.
void IsNullFn(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    const bool isNull = sqlite3_value_type(argv[0]) == SQLITE_NULL;
    if (argc == 1)
        return sqlite3_result_int(ctx, isNull ? 1 : 0);
    sqlite3_result_value(ctx, isNull ? argv[1] : argv[0]);
}

// Nz(x[, instead]): NULL becomes instead, or an empty text.
void NzFn(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) != SQLITE_NULL)
        return sqlite3_result_value(ctx, argv[0]);
    if (argc == 2)
        return sqlite3_result_value(ctx, argv[1]);
    sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
}

void LenFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, CodePoints(argv[0]).size());
}

void LeftFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (AnyNull(2, argv))
        return sqlite3_result_null(ctx);
    const qint64 n = sqlite3_value_int64(argv[1]);
    if (n < 0)
        return ResultError(ctx, QStringLiteral("Left: the length must not be negative"));
    ResultText(ctx, FromCodePoints(CodePoints(argv[0]), 0, n));
}

void RightFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (AnyNull(2, argv))
        return sqlite3_result_null(ctx);
    const qint64 n = sqlite3_value_int64(argv[1]);
    if (n < 0)
        return ResultError(ctx, QStringLiteral("Right: the length must not be negative"));
    const QList<uint> cps = CodePoints(argv[0]);
    ResultText(ctx, FromCodePoints(cps, cps.size() - std::min<qint64>(n, cps.size()), n));
}

// Mid(text, start[, length]), also T-SQL SUBSTRING's arguments.
void MidFn(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (AnyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const qint64 start = sqlite3_value_int64(argv[1]);
    const qint64 length =
        argc == 3 ? sqlite3_value_int64(argv[2]) : std::numeric_limits<int>::max();
    if (start < 1 || length < 0)
        return ResultError(
            ctx, QStringLiteral("Mid: the start must be 1 or more and the length not negative"));
    ResultText(ctx, FromCodePoints(CodePoints(argv[0]), start - 1, length));
}

void TrimFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    QString s = ValueText(argv[0]);
    qsizetype a = 0;
    qsizetype b = s.size();
    while (a < b && s[a] == u' ')
        ++a;
    while (b > a && s[b - 1] == u' ')
        --b;
    ResultText(ctx, s.mid(a, b - a));
}

void UCaseFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    ResultText(ctx, ValueText(argv[0]).toUpper());
}

void LCaseFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    ResultText(ctx, ValueText(argv[0]).toLower());
}

// Jet Val: blanks anywhere are skipped, reading stops at the first character that cannot
// continue the number; no number gives 0.
void ValFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    if (IsNumber(argv[0]))
        return sqlite3_result_value(ctx, argv[0]);
    QString digits;
    const QString s = ValueText(argv[0]);
    bool point = false;
    bool exponent = false;
    for (const QChar c : s) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r')
            continue;
        const QChar last = digits.isEmpty() ? QChar() : digits.back();
        if (c.isDigit() && c.unicode() < 0x80) {
            digits += c;
        } else if ((c == u'-' || c == u'+') && (digits.isEmpty() || last == u'e')) {
            digits += c;
        } else if (c == u'.' && !point && !exponent) {
            digits += c;
            point = true;
        } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && !exponent &&
                   last.isDigit()) {
            digits += u'e';
            exponent = true;
        } else {
            break;
        }
    }
    while (!digits.isEmpty() && !digits.back().isDigit())
        digits.chop(1);
    const auto n = ParseNumberText(digits);
    if (!n)
        return sqlite3_result_int64(ctx, 0);
    ResultNumber(ctx, *n);
}

template <int Part> void DateFieldFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const auto d = DateOf(argv[0]);
    if (!d)
        return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, sql::DatePartOf(static_cast<sql::DatePart>(Part), *d));
}

std::optional<sql::DatePart> PartArg(sqlite3_context* ctx, sqlite3_value* v, const char* fn)
{
    const auto part = sql::ParseDatePart(ValueText(v));
    if (!part)
        ResultError(
            ctx,
            QStringLiteral("%1: unknown interval '%2'").arg(QLatin1StringView(fn), ValueText(v)));
    return part;
}

void DateAddFn(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (AnyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const auto part = PartArg(ctx, argv[0], "DateAdd");
    const auto d = DateOf(argv[2]);
    if (!part)
        return;
    if (!d)
        return sqlite3_result_null(ctx);
    const auto count = WholeCount(sqlite3_value_double(argv[1]));
    const auto r = count ? sql::AddToDate(*part, *count, *d) : std::nullopt;
    if (!r)
        return sqlite3_result_null(ctx);
    ResultText(ctx, sql::FormatLegacyDateTime(*r));
}

// DateDiff(interval, from, to[, first day of week[, first week]]): the extra Jet arguments
// are accepted and Sunday weeks counted.
void DateDiffFn(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (AnyNull(3, argv))
        return sqlite3_result_null(ctx);
    (void)argc;
    const auto part = PartArg(ctx, argv[0], "DateDiff");
    const auto from = DateOf(argv[1]);
    const auto to = DateOf(argv[2]);
    if (!part)
        return;
    if (!from || !to)
        return sqlite3_result_null(ctx);
    const auto r = sql::DiffDates(*part, *from, *to);
    if (!r)
        return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, *r);
}

void DatePartFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (AnyNull(2, argv))
        return sqlite3_result_null(ctx);
    const auto part = PartArg(ctx, argv[0], "DatePart");
    const auto d = DateOf(argv[1]);
    if (!part)
        return;
    if (!d)
        return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, sql::DatePartOf(*part, *d));
}

// The '+' of both legacy dialects on SQLite's dynamic types: NULL stays NULL, numbers add,
// texts join; a number and a text add when the text is a number (an empty text counting
// as 0, as T-SQL converts it) and add days when the text is a date; any other text with a
// number is an error, as in both legacy engines.
void PlusFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (AnyNull(2, argv))
        return sqlite3_result_null(ctx);
    const bool an = IsNumber(argv[0]);
    const bool bn = IsNumber(argv[1]);
    if (an && bn)
        return ResultNumber(ctx, Add(NumberOf(argv[0]), NumberOf(argv[1]), 1));
    if (!an && !bn)
        return ResultText(ctx, ValueText(argv[0]) + ValueText(argv[1]));
    sqlite3_value* number = an ? argv[0] : argv[1];
    const QString text = ValueText(an ? argv[1] : argv[0]);
    if (text.trimmed().isEmpty())
        return sqlite3_result_value(ctx, number);
    if (const auto n = ParseNumberText(text))
        return ResultNumber(ctx, Add(NumberOf(number), *n, 1));
    if (const auto d = sql::ParseLegacyDateTime(text); d && d->hasDate) {
        if (const auto r = AddDays(*d, sqlite3_value_double(number)))
            return ResultText(ctx, sql::FormatLegacyDateTime(*r));
        return sqlite3_result_null(ctx); // beyond the calendar
    }
    ResultError(ctx, QStringLiteral("cannot add the text '%1' to a number").arg(text));
}

// '-' beside a date: a date less a number of days, or the days between two dates.
void MinusFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (AnyNull(2, argv))
        return sqlite3_result_null(ctx);
    const bool an = IsNumber(argv[0]);
    const bool bn = IsNumber(argv[1]);
    const auto ad = an ? std::nullopt : sql::ParseLegacyDateTime(ValueText(argv[0]));
    if (ad && bn) {
        if (const auto r = AddDays(*ad, -sqlite3_value_double(argv[1])))
            return ResultText(ctx, sql::FormatLegacyDateTime(*r));
        return sqlite3_result_null(ctx);
    }
    const auto bd = bn ? std::nullopt : sql::ParseLegacyDateTime(ValueText(argv[1]));
    if (ad && bd) {
        const qint64 seconds = (ad->julianDay - bd->julianDay) * 86400 + ad->seconds - bd->seconds;
        if (seconds % 86400 == 0)
            return sqlite3_result_int64(ctx, seconds / 86400);
        return sqlite3_result_double(ctx, static_cast<double>(seconds) / 86400);
    }
    const auto a = an ? std::optional(NumberOf(argv[0])) : ParseNumberText(ValueText(argv[0]));
    const auto b = bn ? std::optional(NumberOf(argv[1])) : ParseNumberText(ValueText(argv[1]));
    if (a && b)
        return ResultNumber(ctx, Add(*a, *b, -1));
    ResultError(ctx, QStringLiteral("cannot subtract '%1' from '%2'")
                         .arg(ValueText(argv[1]), ValueText(argv[0])));
}

// Jet '&': NULL reads as an empty text; only all NULL gives NULL.
void ConcatJetFn(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    QString s;
    bool any = false;
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            continue;
        any = true;
        s += ValueText(argv[i]);
    }
    if (!any)
        return sqlite3_result_null(ctx);
    ResultText(ctx, s);
}

// T-SQL CONCAT: NULL reads as an empty text, the result is never NULL.
void ConcatFn(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    QString s;
    for (int i = 0; i < argc; ++i)
        s += ValueText(argv[i]);
    ResultText(ctx, s);
}

void DateTimeCastFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const auto d = DateOf(argv[0]);
    if (!d)
        return sqlite3_result_null(ctx);
    ResultText(ctx, sql::FormatLegacyTimestamp(*d));
}

void DateCastFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    auto d = DateOf(argv[0]);
    if (!d)
        return sqlite3_result_null(ctx);
    d->hasTime = false;
    d->hasDate = true;
    ResultText(ctx, sql::FormatLegacyDateTime(*d));
}

// CONVERT(varchar, x, style): dates in the style's layout, anything else as text.
void ConvertFn(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const auto d = sqlite3_value_type(argv[0]) == SQLITE_TEXT ? DateOf(argv[0]) : std::nullopt;
    if (!d)
        return ResultText(ctx, ValueText(argv[0]));
    ResultText(ctx, sql::FormatDateStyle(*d, sqlite3_value_int(argv[1])));
}

struct FunctionDef {
    const char* name;
    int args;
    bool deterministic;
    void (*fn)(sqlite3_context*, int, sqlite3_value**);
};

constexpr FunctionDef kFunctions[] = {
    {"now", 0, false, NowFn},
    {"getdate", 0, false, NowFn},
    {"date", 0, false, TodayFn},
    {"time", 0, false, TimeOfDayFn},
    {"newid", 0, false, NewIdFn},
    {"InStr", 2, true, InStrFn},
    {"InStr", 3, true, InStrFn},
    {"CHARINDEX", 2, true, CharIndexFn},
    {"CHARINDEX", 3, true, CharIndexFn},
    {"CStr", 1, true, CStrFn},
    {"IsNull", 1, true, IsNullFn},
    {"IsNull", 2, true, IsNullFn},
    {"Nz", 1, true, NzFn},
    {"Nz", 2, true, NzFn},
    {"Len", 1, true, LenFn},
    {"left", 2, true, LeftFn},
    {"right", 2, true, RightFn},
    {"Mid", 2, true, MidFn},
    {"Mid", 3, true, MidFn},
    {"Trim", 1, true, TrimFn},
    {"UCase", 1, true, UCaseFn},
    {"LCase", 1, true, LCaseFn},
    {"Val", 1, true, ValFn},
    {"Year", 1, true, DateFieldFn<static_cast<int>(sql::DatePart::Year)>},
    {"Month", 1, true, DateFieldFn<static_cast<int>(sql::DatePart::Month)>},
    {"Day", 1, true, DateFieldFn<static_cast<int>(sql::DatePart::Day)>},
    {"DateAdd", 3, true, DateAddFn},
    {"DateDiff", 3, true, DateDiffFn},
    {"DateDiff", 4, true, DateDiffFn},
    {"DateDiff", 5, true, DateDiffFn},
    {"DatePart", 2, true, DatePartFn},
    {"DatePart", 3, true, DatePartFn},
    {"DatePart", 4, true, DatePartFn},
    {"concat", -1, true, ConcatFn},
    {"zk_plus", 2, true, PlusFn},
    {"zk_minus", 2, true, MinusFn},
    {"zk_concat", -1, true, ConcatJetFn},
    {"zk_datetime", 1, true, DateTimeCastFn},
    {"zk_date", 1, true, DateCastFn},
    {"zk_convert", 2, true, ConvertFn},
};

} // namespace

bool RegisterLegacyFunctions(sqlite3* db)
{
    if (!db)
        return false;
    bool ok = true;
    for (const FunctionDef& f : kFunctions) {
        const int flags =
            SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS : 0);
        ok = sqlite3_create_function_v2(db, f.name, f.args, flags, nullptr, f.fn, nullptr, nullptr,
                                        nullptr) == SQLITE_OK &&
             ok;
    }
    return ok;
}

} // namespace zk
