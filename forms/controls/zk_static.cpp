#include "forms/controls/zk_static.h"

#include "forms/controls/control_kind.h"
#include "forms/definition/style_bits.h"

namespace zk {

using namespace style;

CZkStatic::CZkStatic(int style, QWidget* parent)
    : QLabel(parent)
    , ControlTag(ControlKind::Static)
    , noPrefix_((style & kStaticNoPrefix) != 0)
{
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(false);
    const int type = style & kStaticTypeMask;
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (type == kStaticCenter)
        horizontal = Qt::AlignHCenter;
    else if (type == kStaticRight)
        horizontal = Qt::AlignRight;
    const Qt::Alignment vertical = (style & kStaticCenterImage) ? Qt::AlignVCenter : Qt::AlignTop;
    setAlignment(horizontal | vertical);
    // Left, centred and right labels wrap at word ends; the simple kinds do not.
    setWordWrap(type <= kStaticRight);
    if (style & kStaticSunken)
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SetTextColour(textColour_);
}

QString CZkStatic::ShownText(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
                shown += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        shown += text[i];
    }
    return shown;
}

void CZkStatic::SetWindowText(const QString& text)
{
    text_ = text;
    setText(noPrefix_ ? text : ShownText(text));
    // A transparent label leaves its old text on the parent's background
    // unless the parent repaints the area under it too.
    if (isVisible() && parentWidget())
        parentWidget()->update(geometry());
}

void CZkStatic::SetTextColour(const QColor& colour)
{
    textColour_ = colour;
    // Most labels keep the black the palette already has: a palette of their own
    // would only cost time (forms have hundreds of labels).
    if (palette().color(QPalette::WindowText) == colour)
        return;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

} // namespace zk
