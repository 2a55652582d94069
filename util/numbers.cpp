#include "util/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace zk {

namespace {

bool IsDigit(QChar ch)
{
    return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
}

qsizetype SkipSpace(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    return i;
}

// Appends the run of digits at i to out and returns the index after it.
qsizetype TakeDigits(const QString& text, qsizetype i, std::string& out)
{
    while (i < text.size() && IsDigit(text.at(i)))
        out.push_back(static_cast<char>(text.at(i++).unicode()));
    return i;
}

// from_chars reports overflow and underflow alike; tell them apart by the
// magnitude the text spells out (its decimal exponent).
double OutOfRange(const std::string& mantissa, long long exponent, bool negative)
{
    long long magnitude = 0;
    const auto point = mantissa.find('.');
    const std::string whole = mantissa.substr(0, point);
    const auto firstNonZero = whole.find_first_not_of('0');
    if (firstNonZero != std::string::npos) {
        magnitude = static_cast<long long>(whole.size() - firstNonZero);
    } else if (point != std::string::npos) {
        const std::string fraction = mantissa.substr(point + 1);
        magnitude = -static_cast<long long>(fraction.find_first_not_of('0'));
    }
    const double value = magnitude + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

} // namespace

int ToInt(const QString& text)
{
    qsizetype i = SkipSpace(text);
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        negative = text.at(i++) == QLatin1Char('-');
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long value = 0;
    for (; i < text.size() && IsDigit(text.at(i)); ++i) {
        value = value * 10 + (text.at(i).unicode() - '0');
        if (value > kLimit)
            value = kLimit; // keep reading digits, but never overflow
    }
    if (negative)
        return static_cast<int>(-value);
    return static_cast<int>(std::min<long long>(value, std::numeric_limits<int>::max()));
}

double ToReal(const QString& text)
{
    qsizetype i = SkipSpace(text);
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        negative = text.at(i++) == QLatin1Char('-');

    std::string mantissa;
    i = TakeDigits(text, i, mantissa);
    if (i < text.size() && text.at(i) == QLatin1Char('.')) {
        mantissa.push_back('.');
        i = TakeDigits(text, i + 1, mantissa);
    }
    if (mantissa.find_first_of("0123456789") == std::string::npos)
        return 0.0;

    // The exponent counts only when digits follow it: "5e" and "5e+" read 5.
    std::string exponent;
    if (i < text.size() && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        std::string sign;
        if (j < text.size() && (text.at(j) == QLatin1Char('+') || text.at(j) == QLatin1Char('-')))
            sign.push_back(static_cast<char>(text.at(j++).unicode()));
        std::string digits;
        TakeDigits(text, j, digits);
        if (!digits.empty())
            exponent = sign + digits;
    }

    const std::string number = exponent.empty() ? mantissa : mantissa + 'e' + exponent;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Exponents too long for long long are clearly out of range either way.
        long long e = 0;
        const auto parsed = std::from_chars(exponent.data() + (exponent.starts_with('+') ? 1 : 0),
                                            exponent.data() + exponent.size(), e);
        if (parsed.ec == std::errc::result_out_of_range)
            e = exponent.starts_with('-') ? -(1LL << 40) : (1LL << 40);
        return OutOfRange(mantissa, e, negative);
    }
    return negative ? -value : value;
}

QString FixedText(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(QLatin1Char('-'))) {
        const bool allZero = std::all_of(text.cbegin() + 1, text.cend(), [](QChar ch) {
            return ch == QLatin1Char('0') || ch == QLatin1Char('.');
        });
        if (allZero)
            text.remove(0, 1);
    }
    return text;
}

} // namespace zk
