#include "data/sql/legacy_dates.h"

#include <QDateTime>

#include <array>
#include <cstdlib>

namespace zk::sql {

namespace {

constexpr int kSecondsPerDay = 86400;
// Beyond these the calendar arithmetic is meaningless; DateAdd gives nothing rather than overflow.
constexpr qint64 kMaxYears = 100000;
constexpr qint64 kMaxDays = kMaxYears * 366;

const QDate kZeroDay(1899, 12, 30);

// A small cursor over the text of a date.
class DateCursor {
public:
    explicit DateCursor(QStringView s)
        : s_(s)
    {
    }

    bool AtEnd() const { return i_ >= s_.size(); }
    char16_t Peek(int k = 0) const { return i_ + k < s_.size() ? s_[i_ + k].unicode() : u'\0'; }
    int Pos() const { return static_cast<int>(i_); }
    void Reset(int pos) { i_ = pos; }

    void SkipBlanks()
    {
        while (Peek() == ' ' || Peek() == '\t')
            ++i_;
    }

    bool Eat(char16_t c)
    {
        if (Peek() != c)
            return false;
        ++i_;
        return true;
    }

    // Reads up to maxDigits digits; digits gets their count (0 when there are none).
    int Number(int maxDigits, int* digits)
    {
        int value = 0;
        int n = 0;
        while (n < maxDigits && Peek() >= '0' && Peek() <= '9') {
            value = value * 10 + (Peek() - '0');
            ++i_;
            ++n;
        }
        *digits = n;
        return value;
    }

    // A run of ASCII letters, lower-cased.
    QString Letters()
    {
        QString w;
        while (true) {
            const char16_t c = Peek() | 0x20;
            if (c < 'a' || c > 'z')
                break;
            w += QChar(c);
            ++i_;
        }
        return w;
    }

private:
    QStringView s_;
    qsizetype i_ = 0;
};

int MonthFromName(const QString& w)
{
    static const std::array<const char*, 12> kMonths = {
        "january", "february", "march",     "april",   "may",      "june",
        "july",    "august",   "september", "october", "november", "december"};
    if (w.size() < 3)
        return 0;
    for (int m = 0; m < 12; ++m) {
        const QLatin1StringView name(kMonths[m]);
        if (w.size() <= name.size() && name.startsWith(w))
            return m + 1;
    }
    return 0;
}

int FullYear(int year, int digits)
{
    if (digits > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

bool IsDateSeparator(char16_t c)
{
    return c == '-' || c == '/' || c == '.';
}

// Year first: 2024-05-01, 2024/5/1, 2024.05.01, or 20240501.
std::optional<QDate> YearFirst(DateCursor& c)
{
    const int start = c.Pos();
    int digits = 0;
    const int first = c.Number(8, &digits);
    if (digits == 8 && !(c.Peek() >= '0' && c.Peek() <= '9'))
        return QDate(first / 10000, first / 100 % 100, first % 100);
    if (digits != 4 || !IsDateSeparator(c.Peek())) {
        c.Reset(start);
        return std::nullopt;
    }
    const char16_t sep = c.Peek();
    c.Eat(sep);
    int d2 = 0;
    int d3 = 0;
    const int month = c.Number(2, &d2);
    if (d2 == 0 || !c.Eat(sep)) {
        c.Reset(start);
        return std::nullopt;
    }
    const int day = c.Number(2, &d3);
    if (d3 == 0) {
        c.Reset(start);
        return std::nullopt;
    }
    return QDate(first, month, day);
}

// Day or month first: 5/1/2024 (month first, as Jet reads it, unless the first number cannot
// be a month), 1-May-2024, 1 May 2024.
std::optional<QDate> DayOrMonthFirst(DateCursor& c)
{
    const int start = c.Pos();
    int d1 = 0;
    const int first = c.Number(2, &d1);
    if (d1 == 0) {
        c.Reset(start);
        return std::nullopt;
    }
    const char16_t sep = c.Peek();
    if (!IsDateSeparator(sep) && sep != ' ') {
        c.Reset(start);
        return std::nullopt;
    }
    c.Eat(sep);
    int d2 = 0;
    int d3 = 0;
    int second = c.Number(2, &d2);
    int monthByName = 0;
    if (d2 == 0) {
        monthByName = MonthFromName(c.Letters());
        if (monthByName == 0) {
            c.Reset(start);
            return std::nullopt;
        }
    }
    if (!c.Eat(sep)) {
        c.Reset(start);
        return std::nullopt;
    }
    const int rawYear = c.Number(4, &d3);
    const int year = FullYear(rawYear, d3);
    if (d3 == 0 || d3 == 1 || d3 == 3) {
        c.Reset(start);
        return std::nullopt;
    }
    if (monthByName)
        return QDate(year, monthByName, first);
    if (first > 12 && second <= 12)
        return QDate(year, second, first);
    return QDate(year, first, second);
}

// Month name first: May 1, 2024 or May 1 2024.
std::optional<QDate> MonthNameFirst(DateCursor& c)
{
    const int start = c.Pos();
    const int month = MonthFromName(c.Letters());
    if (month == 0) {
        c.Reset(start);
        return std::nullopt;
    }
    c.Eat('.');
    c.SkipBlanks();
    int d1 = 0;
    int d2 = 0;
    const int day = c.Number(2, &d1);
    c.Eat(',');
    c.SkipBlanks();
    const int rawYear = c.Number(4, &d2);
    const int year = FullYear(rawYear, d2);
    if (d1 == 0 || (d2 != 2 && d2 != 4)) {
        c.Reset(start);
        return std::nullopt;
    }
    return QDate(year, month, day);
}

// h:mm[:ss[.fff]] [AM|PM]; seconds since midnight.
std::optional<int> TimeOfDay(DateCursor& c)
{
    const int start = c.Pos();
    int d1 = 0;
    int d2 = 0;
    int d3 = 0;
    int hour = c.Number(2, &d1);
    if (d1 == 0 || !c.Eat(':')) {
        c.Reset(start);
        return std::nullopt;
    }
    const int minute = c.Number(2, &d2);
    int second = 0;
    if (d2 == 0) {
        c.Reset(start);
        return std::nullopt;
    }
    if (c.Eat(':')) {
        second = c.Number(2, &d3);
        if (d3 == 0) {
            c.Reset(start);
            return std::nullopt;
        }
        if (c.Eat('.')) {
            int frac = 0;
            c.Number(9, &frac);
        }
    }
    c.SkipBlanks();
    const int afterTime = c.Pos();
    const QString marker = c.Letters();
    if (marker == u"am" || marker == u"pm") {
        if (hour < 1 || hour > 12) {
            c.Reset(start);
            return std::nullopt;
        }
        hour = hour % 12 + (marker == u"pm" ? 12 : 0);
    } else {
        c.Reset(afterTime);
    }
    if (hour > 23 || minute > 59 || second > 59) {
        c.Reset(start);
        return std::nullopt;
    }
    return hour * 3600 + minute * 60 + second;
}

std::optional<QDate> CalendarDay(DateCursor& c)
{
    if (auto d = YearFirst(c))
        return d;
    if (auto d = DayOrMonthFirst(c))
        return d;
    return MonthNameFirst(c);
}

LegacyDateTime FromParts(qint64 totalSeconds, bool hasDate, bool hasTime)
{
    qint64 day = totalSeconds / kSecondsPerDay;
    qint64 rest = totalSeconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --day;
    }
    LegacyDateTime v;
    v.julianDay = day;
    v.seconds = static_cast<int>(rest);
    v.hasDate = hasDate;
    v.hasTime = hasTime;
    return v;
}

qint64 TotalSeconds(const LegacyDateTime& v)
{
    return v.julianDay * kSecondsPerDay + v.seconds;
}

// Day of the week with Sunday = 0.
int SundayBased(const QDate& d)
{
    return d.dayOfWeek() % 7;
}

qint64 FloorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

QString TwoDigits(int v)
{
    return QString::number(v).rightJustified(2, u'0');
}

LegacyDateTime WithDate(const LegacyDateTime& v, const QDate& d)
{
    LegacyDateTime r = v;
    r.julianDay = d.toJulianDay();
    r.hasDate = true;
    return r;
}

} // namespace

std::optional<LegacyDateTime> ParseLegacyDateTime(QStringView text)
{
    DateCursor c(text.trimmed());
    if (c.AtEnd())
        return std::nullopt;
    LegacyDateTime v;
    if (auto day = CalendarDay(c)) {
        if (!day->isValid())
            return std::nullopt;
        v.julianDay = day->toJulianDay();
        if (c.Peek() == 'T' || c.Peek() == ' ') {
            const int before = c.Pos();
            c.Eat('T');
            c.SkipBlanks();
            if (auto t = TimeOfDay(c)) {
                v.seconds = *t;
                v.hasTime = true;
            } else {
                c.Reset(before);
            }
        }
    } else if (auto t = TimeOfDay(c)) {
        v.julianDay = kZeroDay.toJulianDay();
        v.seconds = *t;
        v.hasDate = false;
        v.hasTime = true;
    } else {
        return std::nullopt;
    }
    c.SkipBlanks();
    if (!c.AtEnd())
        return std::nullopt;
    return v;
}

QString FormatLegacyTimestamp(const LegacyDateTime& v)
{
    return v.Date().toString(u"yyyy-MM-dd") + u' ' + TwoDigits(v.Hour()) + u':' +
           TwoDigits(v.Minute()) + u':' + TwoDigits(v.Second());
}

QString FormatLegacyDateTime(const LegacyDateTime& v)
{
    if (!v.hasDate)
        return TwoDigits(v.Hour()) + u':' + TwoDigits(v.Minute()) + u':' + TwoDigits(v.Second());
    if (!v.hasTime)
        return v.Date().toString(u"yyyy-MM-dd");
    return FormatLegacyTimestamp(v);
}

QString FormatDateStyle(const LegacyDateTime& v, int style)
{
    const QDate d = v.Date();
    const QString time =
        TwoDigits(v.Hour()) + u':' + TwoDigits(v.Minute()) + u':' + TwoDigits(v.Second());
    switch (style) {
    case 1:
        return d.toString(u"MM/dd/yy");
    case 101:
        return d.toString(u"MM/dd/yyyy");
    case 2:
        return d.toString(u"yy.MM.dd");
    case 102:
        return d.toString(u"yyyy.MM.dd");
    case 3:
        return d.toString(u"dd/MM/yy");
    case 103:
        return d.toString(u"dd/MM/yyyy");
    case 4:
        return d.toString(u"dd.MM.yy");
    case 104:
        return d.toString(u"dd.MM.yyyy");
    case 5:
        return d.toString(u"dd-MM-yy");
    case 105:
        return d.toString(u"dd-MM-yyyy");
    case 8:
    case 24:
    case 108:
        return time;
    case 10:
        return d.toString(u"MM-dd-yy");
    case 110:
        return d.toString(u"MM-dd-yyyy");
    case 11:
        return d.toString(u"yy/MM/dd");
    case 111:
        return d.toString(u"yyyy/MM/dd");
    case 12:
        return d.toString(u"yyMMdd");
    case 112:
        return d.toString(u"yyyyMMdd");
    case 21:
    case 121:
        return d.toString(u"yyyy-MM-dd") + u' ' + time + ".000";
    case 126:
        return d.toString(u"yyyy-MM-dd") + u'T' + time + ".000";
    case 23:
        return d.toString(u"yyyy-MM-dd");
    default:
        return d.toString(u"yyyy-MM-dd") + u' ' + time;
    }
}

std::optional<DatePart> ParseDatePart(QStringView name)
{
    struct Alias {
        const char* name;
        DatePart part;
    };
    static const Alias kAliases[] = {
        {"yyyy", DatePart::Year},       {"yy", DatePart::Year},
        {"year", DatePart::Year},       {"q", DatePart::Quarter},
        {"qq", DatePart::Quarter},      {"quarter", DatePart::Quarter},
        {"m", DatePart::Month},         {"mm", DatePart::Month},
        {"month", DatePart::Month},     {"y", DatePart::DayOfYear},
        {"dy", DatePart::DayOfYear},    {"dayofyear", DatePart::DayOfYear},
        {"d", DatePart::Day},           {"dd", DatePart::Day},
        {"day", DatePart::Day},         {"dw", DatePart::Weekday},
        {"weekday", DatePart::Weekday}, {"w", DatePart::JetWeek},
        {"ww", DatePart::Week},         {"wk", DatePart::Week},
        {"week", DatePart::Week},       {"h", DatePart::Hour},
        {"hh", DatePart::Hour},         {"hour", DatePart::Hour},
        {"n", DatePart::Minute},        {"mi", DatePart::Minute},
        {"minute", DatePart::Minute},   {"s", DatePart::Second},
        {"ss", DatePart::Second},       {"second", DatePart::Second},
    };
    const QStringView trimmed = name.trimmed();
    for (const Alias& a : kAliases) {
        if (trimmed.compare(QLatin1StringView(a.name), Qt::CaseInsensitive) == 0)
            return a.part;
    }
    return std::nullopt;
}

std::optional<LegacyDateTime> AddToDate(DatePart part, qint64 count, const LegacyDateTime& v)
{
    const qint64 unit = part == DatePart::Hour ? 3600 : part == DatePart::Minute ? 60 : 1;
    const qint64 limit =
        part == DatePart::Second || part == DatePart::Minute || part == DatePart::Hour
            ? kMaxDays * kSecondsPerDay / unit
            : kMaxDays;
    if (count > limit || count < -limit)
        return std::nullopt;
    const QDate d = v.Date();
    QDate moved;
    switch (part) {
    case DatePart::Year:
        if (count > kMaxYears || count < -kMaxYears)
            return std::nullopt;
        moved = d.addYears(static_cast<int>(count));
        break;
    case DatePart::Quarter:
    case DatePart::Month: {
        const qint64 months = part == DatePart::Quarter ? count * 3 : count;
        if (months > kMaxYears * 12 || months < -kMaxYears * 12)
            return std::nullopt;
        moved = d.addMonths(static_cast<int>(months));
        break;
    }
    case DatePart::DayOfYear:
    case DatePart::Day:
    case DatePart::Weekday:
    case DatePart::JetWeek:
        moved = d.addDays(count);
        break;
    case DatePart::Week:
        moved = d.addDays(count * 7);
        break;
    case DatePart::Hour:
    case DatePart::Minute:
    case DatePart::Second: {
        // A time alone stays a time alone while it stays on the zero day.
        LegacyDateTime r = FromParts(TotalSeconds(v) + count * unit, true, true);
        r.hasDate = v.hasDate || r.julianDay != kZeroDay.toJulianDay();
        return r;
    }
    }
    if (!moved.isValid())
        return std::nullopt;
    return WithDate(v, moved);
}

std::optional<qint64> DiffDates(DatePart part, const LegacyDateTime& from, const LegacyDateTime& to)
{
    const QDate a = from.Date();
    const QDate b = to.Date();
    switch (part) {
    case DatePart::Year:
        return b.year() - a.year();
    case DatePart::Quarter:
        return (b.year() * 4 + (b.month() - 1) / 3) - (a.year() * 4 + (a.month() - 1) / 3);
    case DatePart::Month:
        return (b.year() * 12 + b.month()) - (a.year() * 12 + a.month());
    case DatePart::DayOfYear:
    case DatePart::Day:
    case DatePart::Weekday:
        return to.julianDay - from.julianDay;
    case DatePart::JetWeek:
        return (to.julianDay - from.julianDay) / 7;
    case DatePart::Week:
        return ((to.julianDay - SundayBased(b)) - (from.julianDay - SundayBased(a))) / 7;
    case DatePart::Hour:
        return FloorDiv(TotalSeconds(to), 3600) - FloorDiv(TotalSeconds(from), 3600);
    case DatePart::Minute:
        return FloorDiv(TotalSeconds(to), 60) - FloorDiv(TotalSeconds(from), 60);
    case DatePart::Second:
        return TotalSeconds(to) - TotalSeconds(from);
    }
    return std::nullopt;
}

int DatePartOf(DatePart part, const LegacyDateTime& v)
{
    const QDate d = v.Date();
    switch (part) {
    case DatePart::Year:
        return d.year();
    case DatePart::Quarter:
        return (d.month() - 1) / 3 + 1;
    case DatePart::Month:
        return d.month();
    case DatePart::DayOfYear:
        return d.dayOfYear();
    case DatePart::Day:
        return d.day();
    case DatePart::Weekday:
    case DatePart::JetWeek:
        return SundayBased(d) + 1;
    case DatePart::Week:
        return (d.dayOfYear() - 1 + SundayBased(QDate(d.year(), 1, 1))) / 7 + 1;
    case DatePart::Hour:
        return v.Hour();
    case DatePart::Minute:
        return v.Minute();
    case DatePart::Second:
        return v.Second();
    }
    return 0;
}

LegacyDateTime LegacyNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    LegacyDateTime v;
    v.julianDay = now.date().toJulianDay();
    v.seconds = now.time().msecsSinceStartOfDay() / 1000;
    v.hasTime = true;
    return v;
}

} // namespace zk::sql
