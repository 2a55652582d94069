#include "forms/controls/standard_buttons.h"

#include "forms/controls/control_kind.h"
#include "forms/definition/style_bits.h"

namespace zk {

using namespace style;

namespace {

int ButtonType(int style)
{
    return style & kButtonTypeMask;
}

void SetUp(QWidget& button, int style)
{
    if (style & kButtonLeftText)
        button.setLayoutDirection(Qt::RightToLeft);
}

} // namespace

ButtonKind ButtonKindFor(int popup, int style, const QString& shade, int maxlen)
{
    if (popup == 1)
        return ButtonKind::HyperLink;
    if (style > 0 && shade.isEmpty())
        return ButtonKind::Standard;
    return maxlen == 0 ? ButtonKind::Colour : ButtonKind::Shaded;
}

ZkPushButton::ZkPushButton(int style, QWidget* parent)
    : QPushButton(parent)
    , ControlTag(ControlKind::Button)
    , notify_((style & kButtonNotify) != 0)
{
    setFlat((style & kButtonFlat) != 0);
    setAutoDefault(false);
}

void ZkPushButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    QPushButton::mouseDoubleClickEvent(event);
    if (notify_)
        emit doubleClicked();
}

ZkCheckBox::ZkCheckBox(int style, QWidget* parent)
    : QCheckBox(parent)
    , ControlTag(ControlKind::Button)
    , automatic_(ButtonType(style) == kButtonAutoCheckBox || ButtonType(style) == kButtonAuto3State)
    , notify_((style & kButtonNotify) != 0)
{
    SetUp(*this, style);
    setTristate(ButtonType(style) == kButton3State || ButtonType(style) == kButtonAuto3State);
}

void ZkCheckBox::nextCheckState()
{
    if (automatic_)
        QCheckBox::nextCheckState();
}

void ZkCheckBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QCheckBox::mouseDoubleClickEvent(event);
    if (notify_)
        emit doubleClicked();
}

ZkRadioButton::ZkRadioButton(int style, QWidget* parent)
    : QRadioButton(parent)
    , ControlTag(ControlKind::Button)
    , automatic_(ButtonType(style) == kButtonAutoRadio)
{
    SetUp(*this, style);
    setAutoExclusive(automatic_);
}

void ZkRadioButton::nextCheckState()
{
    if (automatic_)
        QRadioButton::nextCheckState();
}

void ZkRadioButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    QRadioButton::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

ZkGroupBox::ZkGroupBox(QWidget* parent)
    : QGroupBox(parent)
    , ControlTag(ControlKind::Button)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QWidget* CreateStandardButton(int style, const QString& caption, QWidget* parent)
{
    switch (ButtonType(style)) {
    case kButtonCheckBox:
    case kButtonAutoCheckBox:
    case kButton3State:
    case kButtonAuto3State: {
        auto* box = new ZkCheckBox(style, parent);
        box->setText(caption);
        return box;
    }
    case kButtonRadio:
    case kButtonAutoRadio: {
        auto* radio = new ZkRadioButton(style, parent);
        radio->setText(caption);
        return radio;
    }
    case kButtonGroupBox: {
        auto* group = new ZkGroupBox(parent);
        group->setTitle(caption);
        return group;
    }
    default: {
        auto* button = new ZkPushButton(style, parent);
        button->setText(caption);
        return button;
    }
    }
}

} // namespace zk
