#include "forms/controls/colour_button.h"

#include "forms/controls/control_kind.h"
#include "forms/resources/program_images.h"

#include <QApplication>
#include <QEnterEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace zk {

namespace {

constexpr int kGap = 4;
constexpr qreal kRadius = 3;

QColor Darker(const QColor& colour, int by)
{
    return QColor(qMax(0, colour.red() - by), qMax(0, colour.green() - by),
                  qMax(0, colour.blue() - by));
}

} // namespace

CColorButton::ShadeFill CColorButton::ShadeFillFor(int maxlen)
{
    if (maxlen == 0)
        return ShadeFill::None;
    return maxlen == 2 ? ShadeFill::AlwaysDarkens : ShadeFill::HoverLight;
}

CColorButton::CColorButton(ShadeFill fill, QWidget* parent)
    : QAbstractButton(parent)
    , ControlTag(ControlKind::Button)
    , fill_(fill)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    const QPalette system = QApplication::palette();
    for (int role : {HoverBackground, NormalBackground, FocusBackground})
        roles_[role] = system.color(QPalette::Button);
    for (int role : {HoverText, NormalText, FocusText})
        roles_[role] = system.color(QPalette::ButtonText);
}

void CColorButton::SetRoleColour(int role, const QColor& colour)
{
    if (role < 0 || role >= int(roles_.size()))
        return;
    roles_[size_t(role)] = colour;
    update();
}

QColor CColorButton::RoleColour(int role) const
{
    if (role < 0 || role >= int(roles_.size()))
        return {};
    return roles_[size_t(role)];
}

void CColorButton::SetImagePlacementStyle(int style)
{
    if (style >= 0 && style <= 2)
        placement_ = static_cast<ImagePlacement>(style);
    update();
}

void CColorButton::SetImage(const QPixmap& image)
{
    image_ = image;
    updateGeometry();
    update();
}

void CColorButton::SetBadge(const QPixmap& badge)
{
    badge_ = badge;
    updateGeometry();
    update();
}

void CColorButton::SetTransparentBackground(bool transparent)
{
    transparent_ = transparent;
    update();
}

CColorButton::Look CColorButton::CurrentLook() const
{
    const bool hot = isDown() || hovered_;
    Look look;
    if (!isEnabled())
        look.text = palette().color(QPalette::Disabled, QPalette::ButtonText);
    else if (hot)
        look.text = roles_[HoverText];
    else if (hasFocus())
        look.text = roles_[FocusText];
    else
        look.text = roles_[NormalText];

    const QColor rest = hasFocus() ? roles_[FocusBackground] : roles_[NormalBackground];
    switch (fill_) {
    case ShadeFill::AlwaysDarkens:
        look.fill = hot ? Darker(roles_[HoverBackground], 20) : rest;
        break;
    case ShadeFill::HoverLight:
        if (hot)
            look.fill = QColor(250, 250, 250);
        break;
    case ShadeFill::None:
        if (!transparent_)
            look.fill = hot ? roles_[HoverBackground] : rest;
        break;
    }
    return look;
}

QSize CColorButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    const QSize textSize = metrics.size(Qt::TextHideMnemonic, text());
    int width = textSize.width() + 16;
    int height = qMax(textSize.height(), 16) + 10;
    if (!image_.isNull()) {
        if (placement_ == ImagePlacement::Above)
            height += image_.height() + kGap;
        else
            width += image_.width() + kGap;
    }
    if (!badge_.isNull())
        width += badge_.width() + kGap;
    return {width, height};
}

void CColorButton::PaintFrame(QPainter& p, const Look& look) const
{
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (look.fill) {
        p.setPen(fill_ == ShadeFill::None ? QPen(look.fill->darker(135), 1) : QPen(Qt::NoPen));
        p.setBrush(*look.fill);
        p.drawRoundedRect(box, kRadius, kRadius);
    } else if (hovered_ || isDown()) {
        // Without a background of its own, the pointer still shows where it is.
        QColor outline = look.text;
        outline.setAlpha(110);
        p.setPen(QPen(outline, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(box, kRadius, kRadius);
    }
    if (hasFocus()) {
        QColor mark = look.text;
        mark.setAlpha(150);
        p.setPen(QPen(mark, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(box.adjusted(2.5, 2.5, -2.5, -2.5), kRadius - 1, kRadius - 1);
    }
}

void CColorButton::PaintContent(QPainter& p, const Look& look) const
{
    const QFontMetrics metrics(font());
    const QSize textSize =
        text().isEmpty() ? QSize(0, 0) : metrics.size(Qt::TextHideMnemonic, text());
    const bool image = !image_.isNull();
    const bool badge = !badge_.isNull();
    const QSize imageSize = image ? image_.deviceIndependentSize().toSize() : QSize(0, 0);
    const QSize badgeSize = badge ? badge_.deviceIndependentSize().toSize() : QSize(0, 0);
    const bool above = image && placement_ == ImagePlacement::Above;

    int rowWidth = textSize.width();
    if (image && !above)
        rowWidth += imageSize.width() + (textSize.isEmpty() ? 0 : kGap);
    if (badge)
        rowWidth += badgeSize.width() + kGap;
    const int rowHeight =
        std::max({textSize.height(), above ? 0 : imageSize.height(), badgeSize.height()});
    const int totalHeight = rowHeight + (above ? imageSize.height() + kGap : 0);

    const QPoint shift = isDown() ? QPoint(1, 1) : QPoint();
    int x = (width() - rowWidth) / 2 + shift.x();
    int top = (height() - totalHeight) / 2 + shift.y();
    if (above) {
        p.drawPixmap(QPoint((width() - imageSize.width()) / 2 + shift.x(), top), image_);
        top += imageSize.height() + kGap;
    }
    const auto centred = [&](const QSize& size) { return top + (rowHeight - size.height()) / 2; };
    if (image && placement_ == ImagePlacement::Left) {
        p.drawPixmap(QPoint(x, centred(imageSize)), image_);
        x += imageSize.width() + kGap;
    }
    if (!textSize.isEmpty()) {
        p.setPen(look.text);
        p.drawText(QRect(QPoint(x, centred(textSize)), textSize),
                   Qt::AlignCenter | Qt::TextHideMnemonic, text());
        x += textSize.width() + kGap;
    }
    if (image && placement_ == ImagePlacement::Right) {
        p.drawPixmap(QPoint(x, centred(imageSize)), image_);
        x += imageSize.width() + kGap;
    }
    if (badge)
        p.drawPixmap(QPoint(x, centred(badgeSize)), badge_);
}

void CColorButton::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const Look look = CurrentLook();
    PaintFrame(p, look);
    p.setRenderHint(QPainter::Antialiasing, false);
    PaintContent(p, look);
}

void CColorButton::enterEvent(QEnterEvent* event)
{
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CColorButton::leaveEvent(QEvent* event)
{
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CColorButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    QAbstractButton::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

ShadeScheme ShadeSchemeOf(const QString& shade)
{
    if (shade.isEmpty())
        return ShadeScheme::None;
    if (shade == QLatin1String("1"))
        return ShadeScheme::One;
    if (shade == QLatin1String("2"))
        return ShadeScheme::Two;
    return ShadeScheme::Colour;
}

QColor InverseColour(const QColor& colour)
{
    return QColor(255 - colour.red(), 255 - colour.green(), colour.blue());
}

void ApplyColourScheme(CColorButton& button, ShadeScheme scheme, std::optional<QColor> color,
                       const QColor& shadeColour)
{
    using R = CColorButton::Role;
    const auto backgrounds = [&button](const QColor& colour) {
        for (int role : {R::HoverBackground, R::NormalBackground, R::FocusBackground})
            button.SetRoleColour(role, colour);
    };
    button.SetRoleColour(R::FocusText, QColor(0, 0, 128));
    button.SetRoleColour(R::HoverText, QColor(0, 128, 0));
    if (color)
        button.SetRoleColour(R::NormalText, *color);
    switch (scheme) {
    case ShadeScheme::None:
        button.SetTransparentBackground(true);
        break;
    case ShadeScheme::One:
        if (!color)
            break;
        backgrounds(*color);
        button.SetRoleColour(R::NormalText, Qt::black);
        button.SetRoleColour(R::HoverText, InverseColour(*color));
        break;
    case ShadeScheme::Two:
        if (!color)
            break;
        backgrounds(*color);
        button.SetRoleColour(R::HoverText, InverseColour(*color));
        button.SetRoleColour(R::NormalText, Qt::white);
        button.SetRoleColour(R::FocusText, Qt::white);
        button.setCursor(ProgramCursor(kHandCursorId));
        break;
    case ShadeScheme::Colour:
        backgrounds(shadeColour);
        if (color) {
            for (int role : {R::HoverText, R::NormalText, R::FocusText})
                button.SetRoleColour(role, *color);
        }
        break;
    }
}

} // namespace zk
