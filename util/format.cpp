#include "util/format.h"

#include "util/numbers.h"

namespace zk {

QString FormatThousands(const QString& text)
{
    QString result = FixedText(ToReal(text), 2);
    const qsizetype point = result.indexOf(QLatin1Char('.'));
    if (point < 0)
        return result; // inf or nan: nothing to group
    const qsizetype firstDigit = result.startsWith(QLatin1Char('-')) ? 1 : 0;
    for (qsizetype at = point - 3; at > firstDigit; at -= 3)
        result.insert(at, QLatin1Char(','));
    return result;
}

bool FormatTwoDecimals(QString& text)
{
    if (text.isEmpty())
        return false;
    text = FixedText(ToReal(text), 2);
    return true;
}

QString TrimZeros(const QString& text)
{
    if (!text.contains(QLatin1Char('.')))
        return text;
    QString result = text;
    while (result.endsWith(QLatin1Char('0')))
        result.chop(1);
    if (result.endsWith(QLatin1Char('.')))
        result.chop(1);
    return result.isEmpty() ? QStringLiteral("0") : result;
}

QString ColorText(quint32 colour)
{
    return QStringLiteral("%1,%2,%3")
        .arg(colour & 0xFF)
        .arg((colour >> 8) & 0xFF)
        .arg((colour >> 16) & 0xFF);
}

} // namespace zk
