#include "forms/controls/control_values.h"

#include "forms/controls/colour_button.h"
#include "forms/controls/control_host.h"
#include "forms/controls/control_kind.h"
#include "forms/controls/control_registry.h"
#include "forms/controls/zk_date_ctrl.h"
#include "forms/controls/zk_drop_list.h"
#include "forms/controls/zk_edit.h"
#include "forms/controls/zk_hyperlink.h"
#include "forms/controls/zk_static.h"
#include "forms/controls/zk_tab_ctrl.h"
#include "forms/resources/program_images.h"
#include "util/numbers.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace zk {

namespace {

QWidget* FindOnTabPage(const ControlHost& host, const QStringList& parts)
{
    auto* tab = qobject_cast<CZkTabCtrl*>(host.Registry().Find(WindowIdOfElement(ToInt(parts[0]))));
    if (!tab)
        return nullptr;
    const auto* page = dynamic_cast<const ControlHost*>(tab->Page(ToInt(parts[1]) - 1));
    if (!page)
        return nullptr;
    return page->Registry().Find(WindowIdOfElement(ToInt(parts[2])));
}

int BadgeIconFor(int n)
{
    if (n > 10)
        return kLastBadgeIconId;
    if (n >= 1)
        return kFirstBadgeIconId - 1 + n;
    return 0;
}

} // namespace

QWidget* FindControl(const ControlHost& host, const QString& reference)
{
    if (reference.isEmpty())
        return nullptr;
    if (reference.indexOf(QLatin1Char(':'), 1) < 0) {
        const int n = ToInt(reference);
        return n == 0 ? host.HostWidget() : host.Registry().Find(WindowIdOfElement(n));
    }
    const QStringList parts = reference.split(QLatin1Char(':'));
    if (parts.size() == 2) {
        const ControlHost* opener = host.Opener();
        return opener ? opener->Registry().Find(WindowIdOfElement(ToInt(parts[1]))) : nullptr;
    }
    if (parts.size() == 3)
        return FindOnTabPage(host, parts);
    return nullptr;
}

QString ControlWindowText(const QWidget* control)
{
    if (!control)
        return {};
    if (const auto* edit = qobject_cast<const ZkEdit*>(control))
        return edit->Text();
    if (const auto* list = qobject_cast<const ZkDropList*>(control))
        return list->WindowText();
    if (const auto* date = qobject_cast<const ZkDateCtrl*>(control))
        return date->WindowText();
    if (const auto* label = qobject_cast<const CZkStatic*>(control))
        return label->WindowText();
    if (const auto* link = qobject_cast<const ZkHyperLink*>(control))
        return link->WindowText();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(control))
        return group->title();
    return control->windowTitle();
}

QString GetControlValue(const QWidget* control)
{
    if (const auto* list = qobject_cast<const ZkDropList*>(control)) {
        const int selected = list->SelectedIndex();
        if (selected >= 0)
            return list->itemText(selected);
    }
    return ControlWindowText(control);
}

QString GetControlValue(const ControlHost& host, int windowId)
{
    return GetControlValue(host.Registry().Find(windowId));
}

QString GetControlValue(const ControlHost& host, const QString& reference)
{
    return GetControlValue(FindControl(host, reference));
}

int GetControlNumber(const ControlHost& host, const QString& reference)
{
    if (reference.isEmpty())
        return -1;
    const QWidget* control = FindControl(host, reference);
    return control ? ToInt(ControlWindowText(control)) : 0;
}

bool SetControlValue(QWidget* control, const QString& text)
{
    if (!control)
        return true;
    switch (ControlKindOf(control)) {
    case ControlKind::EditButton:
        if (auto* edit = qobject_cast<ZkEdit*>(control))
            edit->SetText(text);
        return true;
    case ControlKind::DropList:
        if (auto* list = qobject_cast<ZkDropList*>(control))
            list->SelectOrInsert(text);
        return true;
    case ControlKind::DateCtrl:
        if (auto* date = qobject_cast<ZkDateCtrl*>(control))
            date->SetDateText(text);
        return true;
    case ControlKind::TextBox:
        if (auto* edit = qobject_cast<ZkEdit*>(control)) {
            edit->SetText(text);
            edit->SelectAllCaretAtStart();
        }
        return true;
    default:
        return SetControlText(control, text);
    }
}

bool SetControlText(QWidget* control, const QString& text)
{
    if (!control)
        return true;
    if (auto* edit = qobject_cast<ZkEdit*>(control))
        edit->SetText(text);
    else if (auto* list = qobject_cast<ZkDropList*>(control))
        list->SetWindowText(text);
    else if (auto* date = qobject_cast<ZkDateCtrl*>(control))
        date->SetDateText(text);
    else if (auto* label = qobject_cast<CZkStatic*>(control))
        label->SetWindowText(text);
    else if (auto* link = qobject_cast<ZkHyperLink*>(control))
        link->SetWindowText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        group->setTitle(text);
    else
        control->setWindowTitle(text);
    return true;
}

void SetControlTextById(const ControlHost& host, int windowId, const QString& text)
{
    SetControlText(host.Registry().Find(windowId), text);
}

bool EnableControl(const ControlHost& host, QWidget* control, bool enable)
{
    if (!control)
        return true;
    switch (ControlKindOf(control)) {
    case ControlKind::TextBox:
    case ControlKind::EditButton:
        control->setEnabled(enable);
        if (auto* edit = qobject_cast<ZkEdit*>(control))
            edit->SetReadOnly(!enable);
        return true;
    case ControlKind::Button: {
        const QString mark = QStringLiteral(";%1;").arg(ElementIdOf(control));
        control->setEnabled(host.ForbiddenIds().contains(mark) ? false : enable);
        return true;
    }
    default:
        control->setEnabled(enable);
        return true;
    }
}

bool SetButtonBadge(QWidget* control, const QString& number)
{
    if (!control || ControlKindOf(control) != ControlKind::Button || !control->isEnabled())
        return true;
    const int icon = BadgeIconFor(ToInt(number));
    const QPixmap badge = icon ? ProgramPixmap(icon) : QPixmap();
    if (auto* colour = qobject_cast<CColorButton*>(control)) {
        colour->SetBadge(badge);
        return true;
    }
    if (auto* push = qobject_cast<QPushButton*>(control)) {
        // Icons of push buttons go before the caption; mirrored, they follow it.
        push->setIcon(badge.isNull() ? QIcon() : QIcon(badge));
        push->setLayoutDirection(badge.isNull() ? Qt::LeftToRight : Qt::RightToLeft);
        return true;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setIcon(badge.isNull() ? QIcon() : QIcon(badge));
    return true;
}

QString ElementKindOf(const QWidget* control)
{
    // A picture control's scripts are those of a tree list; labels and tab
    // controls have none.
    switch (const ControlKind kind = ControlKindOf(control)) {
    case ControlKind::Picture:
        return QStringLiteral("treelist");
    case ControlKind::Static:
    case ControlKind::Panel:
    case ControlKind::None:
        return {};
    default:
        return ControlKindText(kind);
    }
}

int GetCheckState(const QWidget* control)
{
    if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
        switch (box->checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        default:
            return 0;
        }
    }
    if (const auto* radio = qobject_cast<const QRadioButton*>(control))
        return radio->isChecked() ? 1 : 0;
    return 0;
}

bool SetCheckState(QWidget* control, int state)
{
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
        if (state == 0)
            box->setCheckState(Qt::Unchecked);
        else if (state == 2 && box->isTristate())
            box->setCheckState(Qt::PartiallyChecked);
        else
            box->setCheckState(Qt::Checked);
    } else if (auto* radio = qobject_cast<QRadioButton*>(control)) {
        radio->setChecked(state != 0);
    }
    return true;
}

} // namespace zk
