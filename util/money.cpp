#include "util/money.h"

#include "util/numbers.h"

#include <array>
#include <cmath>

namespace zk {

namespace {

const QString kErrorText = QStringLiteral("出错!");
const QString kZero = QStringLiteral("零");

QString DigitName(QChar digit)
{
    static constexpr std::array<char16_t, 10> kNames = {u'零', u'壹', u'贰', u'叁', u'肆',
                                                        u'伍', u'陆', u'柒', u'捌', u'玖'};
    return QString(QChar(kNames[digit.unicode() - '0']));
}

// Unit of the character at position k counted from the right end (k = 1 is
// the last character, k = 3 the decimal point of the "%.2f" text).
QString Unit(qsizetype k)
{
    static constexpr std::array<const char16_t*, 17> kUnits = {
        u"",   u"分", u"角", u"",   u"元", u"拾", u"佰", u"仟", u"万",
        u"拾", u"佰", u"仟", u"亿", u"拾", u"佰", u"仟", u"万"};
    return k >= 0 && k < static_cast<qsizetype>(kUnits.size()) ? QString::fromUtf16(kUnits[k])
                                                               : QString();
}

// A zero digit: it stands for nothing itself, but at the 亿, 万 and 元
// positions the unit must still be written, and the "零" it leaves behind
// is merged with its neighbours later.
void AppendZero(QString& result, qsizetype k)
{
    const bool groupEnd = k == 12 || k == 8 || k == 4;
    if (result.endsWith(kZero)) {
        if (groupEnd) {
            const QString unit = Unit(k);
            result += unit;
            result.replace(kZero + unit, unit);
        }
        result += kZero;
    } else if (groupEnd) {
        result += Unit(k) + kZero;
    } else {
        result += kZero + kZero;
    }
}

QString Tidy(QString result)
{
    result.replace(QStringLiteral("零零"), kZero);
    result.replace(QStringLiteral("零亿"), QStringLiteral("亿"));
    result.replace(QStringLiteral("零万"), QStringLiteral("万"));
    result.replace(QStringLiteral("亿万"), QStringLiteral("亿"));
    return result;
}

QString Finish(QString result)
{
    if (result.endsWith(QStringLiteral("元零")))
        result.replace(QStringLiteral("元零"), QStringLiteral("元整"));
    if (result.endsWith(QStringLiteral("角零")))
        result.replace(QStringLiteral("角零"), QStringLiteral("角"));
    if (result.startsWith(QStringLiteral("元零")))
        result.remove(0, 2);
    result.replace(QStringLiteral("零元"), QStringLiteral("元"));
    if (result == QStringLiteral("元整"))
        result = QStringLiteral("零元整");
    return result;
}

// The text is the amount written with "%.2f", without a sign.
QString Convert(const QString& text)
{
    const qsizetype n = text.size();
    QString result;
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype k = n - i;
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('.'))
            result += Unit(k);
        else if (ch >= QLatin1Char('1') && ch <= QLatin1Char('9'))
            result += DigitName(ch) + Unit(k);
        else
            AppendZero(result, k);
    }
    // Merging runs of "零" once per character is always enough to reach the
    // shortest form, since every pass at least halves each run.
    for (qsizetype i = 0; i < n; ++i)
        result = Tidy(result);
    return Finish(result);
}

} // namespace

QString MoneyToChinese(double amount)
{
    if (!std::isfinite(amount))
        return kErrorText;
    QString text = FixedText(amount, 2);
    const bool negative = text.startsWith(QLatin1Char('-'));
    if (negative)
        text.remove(0, 1);
    if (text.size() > 16)
        return kErrorText;
    const QString result = Convert(text);
    return negative ? QStringLiteral("负") + result : result;
}

QString ChequeDigits(const QString& text)
{
    QString result;
    result.reserve(text.size() + 1);
    for (const QChar ch : text)
        result += ch >= QLatin1Char('0') && ch <= QLatin1Char('9') ? DigitName(ch) : QString(ch);
    const int value = ToInt(text);
    if (value >= 10 && value <= 99) {
        result.insert(1, QStringLiteral("拾"));
        result.remove(kZero);
        if (result.size() == 2)
            result.prepend(kZero);
    }
    return result;
}

} // namespace zk
