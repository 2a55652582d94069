#include "forms/grid/grid_editors.h"

#include "forms/controls/in_place_editor.h"
#include "forms/controls/locale_date.h"
#include "forms/controls/zk_edit.h"
#include "forms/grid/list_ctrl_ex.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace zk {

namespace {

bool IsTextKind(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QDateTimeEdit*>(widget);
}

// The widget that holds an editor's text: the editor itself when it is a
// known kind or has a "text" property; for a compound control (a box that
// wraps a line edit or a text box) the first inner edit that is not hidden.
// A form's edit box says itself which widget edits.
QWidget* TextHolder(const QWidget* editor)
{
    if (const auto* box = qobject_cast<const ZkEdit*>(editor))
        return box->Editor();
    auto* self = const_cast<QWidget*>(editor);
    if (IsTextKind(editor) || editor->metaObject()->indexOfProperty("text") >= 0)
        return self;
    for (QWidget* child : editor->findChildren<QWidget*>()) {
        if (child->isVisibleTo(editor) &&
            (qobject_cast<QLineEdit*>(child) || qobject_cast<QPlainTextEdit*>(child) ||
             qobject_cast<QTextEdit*>(child)))
            return child;
    }
    return self;
}

} // namespace

bool IsWidgetWithin(const QWidget* widget, const QWidget* ancestor)
{
    if (!ancestor)
        return false;
    for (const QWidget* walk = widget; walk; walk = walk->parentWidget()) {
        if (walk == ancestor)
            return true;
    }
    return false;
}

QString EditorText(const QWidget* editor)
{
    if (!editor)
        return {};
    const QWidget* holder = TextHolder(editor);
    if (auto* line = qobject_cast<const QLineEdit*>(holder))
        return line->text();
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(holder))
        return plain->toPlainText();
    if (auto* rich = qobject_cast<const QTextEdit*>(holder))
        return rich->toPlainText();
    if (auto* combo = qobject_cast<const QComboBox*>(holder))
        return combo->currentText();
    if (auto* date = qobject_cast<const QDateTimeEdit*>(holder))
        return date->text();
    return holder->property("text").toString();
}

void SetEditorText(QWidget* editor, const QString& text)
{
    if (!editor)
        return;
    QWidget* holder = TextHolder(editor);
    if (auto* line = qobject_cast<QLineEdit*>(holder)) {
        line->setText(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(holder)) {
        plain->setPlainText(text);
    } else if (auto* rich = qobject_cast<QTextEdit*>(holder)) {
        rich->setPlainText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(holder)) {
        if (combo->isEditable())
            combo->setEditText(text);
        else
            combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
    } else if (auto* date = qobject_cast<QDateTimeEdit*>(holder)) {
        const QDateTime value = ParseLocaleDateTime(text);
        if (value.isValid())
            date->setDateTime(value);
    } else {
        holder->setProperty("text", text);
    }
}

bool IsEditorPopupOpen(const QWidget* editor)
{
    // Combo box lists and calendars are pop-up windows owned by their control.
    const QWidget* popup = QApplication::activePopupWidget();
    return editor && popup && IsWidgetWithin(popup, editor);
}

void DefaultBeginEdit(CListCtrlEx& grid, QWidget* editor, int row, int column,
                      const QString& cellText)
{
    if (auto* linked = dynamic_cast<InPlaceEditor*>(editor))
        linked->AttachToCell(&grid, row, column);
    SetEditorText(editor, cellText);
    QWidget* holder = TextHolder(editor);
    if (auto* line = qobject_cast<QLineEdit*>(holder))
        line->selectAll();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(holder))
        plain->selectAll();
    else if (auto* rich = qobject_cast<QTextEdit*>(holder))
        rich->selectAll();
}

int DefaultEndEdit(CListCtrlEx& grid, QWidget* editor, int row, int column, QString& text,
                   int /*rowKey*/)
{
    const QString edited = EditorText(editor);
    // An editor that cannot show the cell text (a drop list without that item,
    // a date picker over a text that is no date) shows something else from the
    // start; as long as the user did not change it, the cell keeps its text.
    if (edited == text || edited == grid.EditorStartText())
        return 1;
    grid.MarkRowEdited(row);
    grid.SetCellText(row, column, edited);
    grid.NotifyCellEdited(row, column);
    text = grid.CellText(row, column);
    return 1;
}

} // namespace zk
