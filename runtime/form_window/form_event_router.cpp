#include "runtime/form_window/form_event_router.h"

#include "forms/controls/colour_button.h"
#include "forms/controls/control_values.h"
#include "forms/controls/file_edit_ctrl.h"
#include "forms/controls/standard_buttons.h"
#include "forms/controls/zk_drop_list.h"
#include "forms/controls/zk_edit.h"
#include "forms/controls/zk_hyperlink.h"
#include "forms/controls/zk_picture.h"
#include "forms/controls/zk_tree_ctrl.h"
#include "forms/grid/list_ctrl_ex.h"
#include "runtime/definition/form_events.h"
#include "runtime/form_window/form_window.h"

#include <QAbstractButton>
#include <QPointer>

namespace zk {

namespace {

const QString kClick = QStringLiteral("CLICK");
const QString kDoubleClick = QStringLiteral("DCLICK");
const QString kRightClick = QStringLiteral("RCLICK");
const QString kChange = QStringLiteral("EN_CHANGE");
const QString kKillFocus = QStringLiteral("EN_KILLFOCUS");

// Drop lists whose typed text is matched against their items when they lose
// the focus: window ids above 1044 (element ids above 20).
constexpr int kFirstMatchedDropList = 1045;

} // namespace

FormEventRouter::FormEventRouter(D_T1& form)
    : form_(form)
{
}

void FormEventRouter::ConnectControls()
{
    for (QWidget* control : form_.Registry().Controls())
        Connect(control, WindowIdOf(control));
}

void FormEventRouter::Run(int windowId, const QString& eventName)
{
    form_.RunControlEvent(windowId, eventName);
}

void FormEventRouter::RunScriptOnly(int windowId, const QString& eventName)
{
    form_.RunEventScript(windowId, eventName);
}

void FormEventRouter::Connect(QWidget* control, int windowId)
{
    const auto run = [this, windowId](const QString& name) {
        return [this, windowId, name] { Run(windowId, name); };
    };
    if (auto* box = qobject_cast<ZkEdit*>(control)) {
        connect(box, &ZkEdit::textChanged, this,
                [this, box, windowId] { TextChanged(box, windowId); });
        connect(box, &ZkEdit::focusLost, this, run(kKillFocus));
        return;
    }
    if (auto* list = qobject_cast<ZkDropList*>(control)) {
        connect(list, &ZkDropList::dropDownOpened, this, run(kClick));
        connect(list, &ZkDropList::selectionChanged, this, run(kChange));
        connect(list, &ZkDropList::editTextEdited, this, run(kDoubleClick));
        connect(list, &ZkDropList::focusLost, this,
                [this, list, windowId] { DropListFocusLost(list, windowId); });
        return;
    }
    if (auto* link = qobject_cast<ZkHyperLink*>(control)) {
        connect(link, &ZkHyperLink::clicked, this, run(kClick));
        return;
    }
    if (auto* grid = qobject_cast<CListCtrlEx*>(control)) {
        connect(grid, &CListCtrlEx::cellClicked, this, run(kClick));
        connect(grid, &CListCtrlEx::cellDoubleClicked, this, run(kDoubleClick));
        connect(grid, &CListCtrlEx::cellRightClicked, this,
                [this, windowId] { RunScriptOnly(windowId, kRightClick); });
        connect(grid, &CListCtrlEx::rowFocusedSelected, this, run(kChange));
        return;
    }
    if (auto* tree = qobject_cast<CZkTreeCtrl*>(control)) {
        connect(tree, &CZkTreeCtrl::clicked, this, run(kClick));
        connect(tree, &CZkTreeCtrl::doubleClicked, this, run(kDoubleClick));
        connect(tree, &CZkTreeCtrl::rightClicked, this,
                [this, windowId] { RunScriptOnly(windowId, kRightClick); });
        connect(tree, &CZkTreeCtrl::selectionChanged, this, run(kChange));
        return;
    }
    if (auto* picture = qobject_cast<ZkPicture*>(control)) {
        connect(picture, &ZkPicture::clicked, this, run(kClick));
        // The static control's double click arrives as notification 1, which
        // the table maps to EN_CHANGE.
        connect(picture, &ZkPicture::doubleClicked, this, run(kChange));
        return;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        connect(button, &QAbstractButton::clicked, this, run(kClick));
        if (auto* colour = qobject_cast<CColorButton*>(control))
            connect(colour, &CColorButton::doubleClicked, this, run(kDoubleClick));
        else if (auto* push = qobject_cast<ZkPushButton*>(control))
            connect(push, &ZkPushButton::doubleClicked, this, run(kDoubleClick));
        else if (auto* radio = qobject_cast<ZkRadioButton*>(control))
            connect(radio, &ZkRadioButton::doubleClicked, this, run(kDoubleClick));
        else if (auto* check = qobject_cast<ZkCheckBox*>(control))
            connect(check, &ZkCheckBox::doubleClicked, this, run(kDoubleClick));
    }
}

void FormEventRouter::TextChanged(QWidget* control, int windowId)
{
    const CXmlNodePtr event = form_.EventElement(windowId, kChange);
    if (event->IsNull())
        return;
    const EventSettings settings = ReadEventSettings(*event);
    if (settings.FiresAtLength(int(ControlWindowText(control).size())))
        Run(windowId, kChange);
}

void FormEventRouter::DropListFocusLost(QWidget* control, int windowId)
{
    QPointer<QWidget> alive(control);
    if (windowId >= kFirstMatchedDropList) {
        if (auto* list = qobject_cast<ZkDropList*>(control))
            list->MatchTypedText();
        Run(windowId, kChange);
    }
    if (alive)
        Run(windowId, kKillFocus);
}

} // namespace zk
