#include "forms/controls/zk_drop_list.h"

#include "forms/controls/control_kind.h"
#include "forms/definition/style_bits.h"

#include <QFocusEvent>
#include <QLineEdit>

namespace zk {

using namespace style;

ZkDropList::ZkDropList(int style, QWidget* parent)
    : QComboBox(parent)
    , ControlTag(ControlKind::DropList)
{
    setFocusPolicy(Qt::StrongFocus);
    setEditable(IsEditableStyle(style));
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(30);
    if (isEditable()) {
        // Typing keeps exactly what was typed; matching happens on leaving.
        setCompleter(nullptr);
        connect(lineEdit(), &QLineEdit::textEdited, this, [this] { emit editTextEdited(); });
    }
    connect(this, &QComboBox::activated, this, [this] {
        if (!leaving_)
            emit selectionChanged();
    });
    setCurrentIndex(-1);
}

QRect ZkDropList::AdjustedRect(const QRect& definitionRect)
{
    QRect rect = definitionRect;
    if (rect.height() >= 20)
        rect.setBottom(rect.bottom() - 5);
    return rect;
}

bool ZkDropList::IsEditableStyle(int style)
{
    return ((kComboDropDown | style) & kComboKindMask) != kComboDropDownList;
}

void ZkDropList::SetItems(const QStringList& items)
{
    clear();
    addItems(items);
    setCurrentIndex(-1);
}

int ZkDropList::FindExact(const QString& text) const
{
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int ZkDropList::SelectedIndex() const
{
    const int index = currentIndex();
    if (index < 0)
        return -1;
    if (isEditable() && currentText() != itemText(index))
        return -1;
    return index;
}

void ZkDropList::SelectOrInsert(const QString& text)
{
    int index = FindExact(text);
    if (index < 0 && !text.isEmpty()) {
        insertItem(0, text);
        index = 0;
    }
    setCurrentIndex(index);
    if (index < 0 && isEditable())
        setEditText(QString());
}

int ZkDropList::MatchTypedText()
{
    const QString typed = currentText();
    const int index = FindExact(typed);
    setCurrentIndex(index);
    if (isEditable())
        setEditText(typed);
    return index;
}

QString ZkDropList::WindowText() const
{
    return currentText();
}

void ZkDropList::SetWindowText(const QString& text)
{
    if (isEditable()) {
        setEditText(text);
        return;
    }
    setCurrentIndex(FindExact(text));
}

void ZkDropList::showPopup()
{
    emit dropDownOpened();
    QComboBox::showPopup();
}

void ZkDropList::focusOutEvent(QFocusEvent* event)
{
    // Leaving an editable box, Qt selects the item that equals the typed text
    // and reports it as activated; that is no choice of the user's.
    leaving_ = true;
    QComboBox::focusOutEvent(event);
    leaving_ = false;
    if (event->reason() != Qt::PopupFocusReason)
        emit focusLost();
}

} // namespace zk
