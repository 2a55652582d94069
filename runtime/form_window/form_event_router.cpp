#include "runtime/form_window/form_event_router.h"

#include "data/xml/xml_nodes.h"
#include "forms/controls/colour_button.h"
#include "forms/controls/control_values.h"
#include "forms/controls/file_edit_ctrl.h"
#include "forms/controls/standard_buttons.h"
#include "forms/controls/zk_drop_list.h"
#include "forms/controls/zk_edit.h"
#include "forms/controls/zk_hyperlink.h"
#include "forms/controls/zk_picture.h"
#include "forms/controls/zk_tree_ctrl.h"
#include "forms/definition/body_reader.h"
#include "forms/grid/list_ctrl_ex.h"
#include "runtime/definition/form_events.h"
#include "runtime/form_window/form_window.h"

#include <QAbstractButton>
#include <QHash>
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

// The routed events as bits, so that a control's scripts are read once.
enum EventBit : unsigned {
    kClickBit = 1,
    kDoubleClickBit = 2,
    kRightClickBit = 4,
    kChangeBit = 8,
    kKillFocusBit = 16,
};

unsigned EventBitOf(const QString& name)
{
    if (name == kClick)
        return kClickBit;
    if (name == kDoubleClick)
        return kDoubleClickBit;
    if (name == kRightClick)
        return kRightClickBit;
    if (name == kChange)
        return kChangeBit;
    if (name == kKillFocus)
        return kKillFocusBit;
    return 0;
}

// The routed events a control element has scripts for (children of its ACTION).
unsigned ScriptedEvents(const CXmlNode& element)
{
    const CXmlNodesPtr scripts = element.GetChild(QStringLiteral("ACTION"))->GetChildren();
    unsigned events = 0;
    for (int i = 0; i < scripts->GetCount(); ++i)
        events |= EventBitOf(scripts->GetItem(i)->GetName());
    return events;
}

} // namespace

FormEventRouter::FormEventRouter(D_T1& form)
    : form_(form)
{
}

void FormEventRouter::ConnectControls(const FormBody& body)
{
    // By window id: a script is found by the id, whichever element of that id
    // carries it.
    QHash<int, unsigned> events;
    for (const ControlDefinition& def : body.controls)
        events[def.windowId()] |= ScriptedEvents(*def.element);
    form_.Registry().ForEach([this, &events](int windowId, QWidget* control) {
        Connect(control, windowId, events.value(windowId));
    });
}

void FormEventRouter::Run(int windowId, const QString& eventName)
{
    form_.RunControlEvent(windowId, eventName);
}

void FormEventRouter::RunScriptOnly(int windowId, const QString& eventName)
{
    form_.RunEventScript(windowId, eventName);
}

void FormEventRouter::Connect(QWidget* control, int windowId, unsigned events)
{
    const auto run = [this, windowId](const QString& name) {
        return [this, windowId, name] { Run(windowId, name); };
    };
    const auto has = [events](unsigned bit) { return (events & bit) != 0; };
    if (auto* box = qobject_cast<ZkEdit*>(control)) {
        if (has(kChangeBit))
            connect(box, &ZkEdit::textChanged, this,
                    [this, box, windowId] { TextChanged(box, windowId); });
        if (has(kKillFocusBit))
            connect(box, &ZkEdit::focusLost, this, run(kKillFocus));
        return;
    }
    if (auto* list = qobject_cast<ZkDropList*>(control)) {
        if (has(kClickBit))
            connect(list, &ZkDropList::dropDownOpened, this, run(kClick));
        if (has(kChangeBit))
            connect(list, &ZkDropList::selectionChanged, this, run(kChange));
        if (has(kDoubleClickBit))
            connect(list, &ZkDropList::editTextEdited, this, run(kDoubleClick));
        // Late drop lists match their typed text on leaving, scripts or not.
        if (windowId >= kFirstMatchedDropList || has(kKillFocusBit))
            connect(list, &ZkDropList::focusLost, this,
                    [this, list, windowId] { DropListFocusLost(list, windowId); });
        return;
    }
    if (auto* link = qobject_cast<ZkHyperLink*>(control)) {
        if (has(kClickBit))
            connect(link, &ZkHyperLink::clicked, this, run(kClick));
        return;
    }
    // Grids and trees route the same four events from signals of their own.
    const auto connectView = [&](auto* view, auto clicked, auto doubleClicked, auto rightClicked,
                                 auto changed) {
        if (has(kClickBit))
            connect(view, clicked, this, run(kClick));
        if (has(kDoubleClickBit))
            connect(view, doubleClicked, this, run(kDoubleClick));
        if (has(kRightClickBit))
            connect(view, rightClicked, this,
                    [this, windowId] { RunScriptOnly(windowId, kRightClick); });
        if (has(kChangeBit))
            connect(view, changed, this, run(kChange));
    };
    if (auto* grid = qobject_cast<CListCtrlEx*>(control)) {
        connectView(grid, &CListCtrlEx::cellClicked, &CListCtrlEx::cellDoubleClicked,
                    &CListCtrlEx::cellRightClicked, &CListCtrlEx::rowFocusedSelected);
        return;
    }
    if (auto* tree = qobject_cast<CZkTreeCtrl*>(control)) {
        connectView(tree, &CZkTreeCtrl::clicked, &CZkTreeCtrl::doubleClicked,
                    &CZkTreeCtrl::rightClicked, &CZkTreeCtrl::selectionChanged);
        return;
    }
    if (auto* picture = qobject_cast<ZkPicture*>(control)) {
        if (has(kClickBit))
            connect(picture, &ZkPicture::clicked, this, run(kClick));
        // The static control's double click arrives as notification 1, which
        // the table maps to EN_CHANGE.
        if (has(kChangeBit))
            connect(picture, &ZkPicture::doubleClicked, this, run(kChange));
        return;
    }
    auto* button = qobject_cast<QAbstractButton*>(control);
    if (!button)
        return;
    if (has(kClickBit))
        connect(button, &QAbstractButton::clicked, this, run(kClick));
    if (!has(kDoubleClickBit))
        return;
    if (auto* colour = qobject_cast<CColorButton*>(control))
        connect(colour, &CColorButton::doubleClicked, this, run(kDoubleClick));
    else if (auto* push = qobject_cast<ZkPushButton*>(control))
        connect(push, &ZkPushButton::doubleClicked, this, run(kDoubleClick));
    else if (auto* radio = qobject_cast<ZkRadioButton*>(control))
        connect(radio, &ZkRadioButton::doubleClicked, this, run(kDoubleClick));
    else if (auto* check = qobject_cast<ZkCheckBox*>(control))
        connect(check, &ZkCheckBox::doubleClicked, this, run(kDoubleClick));
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
