#include "forms/definition/value_forms.h"

#include "util/numbers.h"

#include <array>

namespace zk {

namespace {

// Integers of a separated text; nullopt unless there are exactly `count`.
template <int count> std::optional<std::array<int, count>> IntParts(const QString& text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != count)
        return std::nullopt;
    std::array<int, count> values{};
    for (int i = 0; i < count; ++i)
        values[i] = ToInt(parts[i]);
    return values;
}

bool HasLeadingDigits(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    return i < text.size() && text[i] >= u'0' && text[i] <= u'9';
}

} // namespace

bool IsIntegerText(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = (t.startsWith(u'-') || t.startsWith(u'+')) ? 1 : 0;
    if (i >= t.size())
        return false;
    for (; i < t.size(); ++i) {
        if (t[i] < u'0' || t[i] > u'9')
            return false;
    }
    return true;
}

std::optional<DefRect> ParseRect(const QString& text)
{
    const auto v = IntParts<4>(text);
    if (!v)
        return std::nullopt;
    return DefRect{(*v)[0], (*v)[1], (*v)[2], (*v)[3]};
}

std::optional<RgbColor> ParseColor(const QString& text)
{
    const auto v = IntParts<3>(text);
    if (!v)
        return std::nullopt;
    return RgbColor{(*v)[0] & 0xFF, (*v)[1] & 0xFF, (*v)[2] & 0xFF};
}

bool IsValidFontText(const QString& text)
{
    if (text.isEmpty())
        return true;
    const QStringList parts = text.split(u',');
    return parts.size() <= 2 && HasLeadingDigits(parts[0]);
}

DefRect ReadRect(const QString& text, const DefinitionMessages& messages)
{
    if (const auto rect = ParseRect(text))
        return *rect;
    messages.Show(QString::fromUtf16(kRectFormatMessage));
    return {};
}

RgbColor ReadColor(const QString& text, const DefinitionMessages& messages)
{
    if (const auto color = ParseColor(text))
        return *color;
    messages.Show(QString::fromUtf16(kColorFormatMessage));
    return kRgbRed;
}

std::optional<RgbColor> ReadOptionalColor(const QString& text, const DefinitionMessages& messages)
{
    if (text.isEmpty())
        return std::nullopt;
    return ReadColor(text, messages);
}

FontSpec ReadFont(const QString& text, const QString& defaultFace)
{
    FontSpec font;
    if (text.isEmpty())
        return font;
    const QStringList parts = text.split(u',');
    font.isDefault = false;
    font.size = ToInt(parts[0]);
    font.cellHeight = font.size * 4 / 3;
    font.face = parts.size() > 1 ? parts[1].trimmed() : QString();
    if (font.face.isEmpty())
        font.face = defaultFace;
    return font;
}

QList<int> ParseIdList(const QString& text)
{
    QList<int> ids;
    for (const QString& part : text.split(u';', Qt::SkipEmptyParts))
        ids.append(ToInt(part));
    return ids;
}

QStringList ParseItemList(const QString& text)
{
    if (text.isEmpty())
        return {};
    return text.split(u';');
}

} // namespace zk
