#pragma once

#include "forms/definition/definition_context.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

// The value texts of form definitions: rectangles, colours, fonts, id lists and
// item lists. Integers everywhere follow ToInt's leading-number rule (util).
//
// Each form has a pure Parse function (nothing reported; the linter uses
// these) and a Read function that reports a format error through the form's
// message hook and gives the fallback value, so that a broken attribute never
// stops a form from opening.

namespace zk {

// The messages of broken value texts, as the user sees them.
inline constexpr char16_t kRectFormatMessage[] = u"矩形数据格式错误";
inline constexpr char16_t kColorFormatMessage[] = u"RGB颜色格式错误(x,y,z)";

// A rectangle as written: "left,top,right,bottom" in client pixels. Right and
// bottom are exclusive edges, not a width and height.
struct DefRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    // The same area as a QRect (whose right() is inclusive).
    QRect toQRect() const { return QRect(left, top, right - left, bottom - top); }
    bool operator==(const DefRect&) const = default;
};

// A colour "r,g,b"; each part keeps its low 8 bits.
struct RgbColor {
    int r = 0;
    int g = 0;
    int b = 0;

    bool operator==(const RgbColor&) const = default;
};

inline constexpr RgbColor kRgbRed{255, 0, 0};
inline constexpr RgbColor kRgbWhite{255, 255, 255};
inline constexpr RgbColor kRgbBlack{0, 0, 0};

// A font text "size" or "size,face" as a plain value; the widget layer makes
// the real font from it. Fonts of definitions are always bold (weight 700,
// swiss family, default character set).
struct FontSpec {
    // The text was empty: the control takes the form's default font and the
    // other fields mean nothing.
    bool isDefault = true;
    int size = 0;
    QString face;
    // Cell height in pixels: size * 4 / 3 in integer arithmetic.
    int cellHeight = 0;
    int weight = 700;

    bool operator==(const FontSpec&) const = default;
};

// True for a text that is a whole integer: optional blanks and sign, then
// decimal digits and nothing else. The readers accept more ("12px" reads as
// 12, "px" as 0); the linter holds definitions to this.
bool IsIntegerText(const QString& text);

// Exactly four integers separated by ","; nullopt for any other count.
std::optional<DefRect> ParseRect(const QString& text);
// Exactly three integers separated by ","; nullopt for any other count.
std::optional<RgbColor> ParseColor(const QString& text);
// True when the text is a usable font text: empty (the default font), or a
// size with leading digits, optionally followed by one face. Texts with more
// parts still give a font (size and face of the first two) but are flagged by
// the linter.
bool IsValidFontText(const QString& text);

// The rectangle; on a format error "矩形数据格式错误" and 0,0,0,0.
DefRect ReadRect(const QString& text, const DefinitionMessages& messages);
// The colour; on a format error "RGB颜色格式错误(x,y,z)" and pure red.
RgbColor ReadColor(const QString& text, const DefinitionMessages& messages);
// An optional colour attribute: nullopt for an empty text (the control keeps
// its own colour), else as ReadColor.
std::optional<RgbColor> ReadOptionalColor(const QString& text, const DefinitionMessages& messages);
// The font; an empty text gives the default font. Without a face (or with an
// empty one) the form's default face is used. Parts beyond the second are
// ignored.
FontSpec ReadFont(const QString& text, const QString& defaultFace);

// "a;b;c" as integers. Empty parts (a trailing ";") are left out, so that they
// do not turn into element id 0.
QList<int> ParseIdList(const QString& text);
// "a;b;c" as texts. An empty text gives no items; otherwise every part is an
// item, empty ones included.
QStringList ParseItemList(const QString& text);

} // namespace zk
