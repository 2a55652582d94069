#include "forms/grid/grid_editors.h"

#include "forms/grid/in_place_editor_link.h"
#include "forms/grid/list_ctrl_ex.h"
#include "forms/grid/locale_date.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVariant>

namespace zk {

namespace {

bool HasTextProperty(const QWidget* widget)
{
    return widget->metaObject()->indexOfProperty("text") >= 0;
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
    if (auto* line = qobject_cast<const QLineEdit*>(editor))
        return line->text();
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(editor))
        return plain->toPlainText();
    if (auto* rich = qobject_cast<const QTextEdit*>(editor))
        return rich->toPlainText();
    if (auto* combo = qobject_cast<const QComboBox*>(editor))
        return combo->currentText();
    if (auto* date = qobject_cast<const QDateTimeEdit*>(editor))
        return date->text();
    if (HasTextProperty(editor))
        return editor->property("text").toString();
    if (auto* line = editor->findChild<QLineEdit*>())
        return line->text();
    return {};
}

void SetEditorText(QWidget* editor, const QString& text)
{
    if (!editor)
        return;
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(editor)) {
        plain->setPlainText(text);
    } else if (auto* rich = qobject_cast<QTextEdit*>(editor)) {
        rich->setPlainText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->isEditable())
            combo->setEditText(text);
        else
            combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
    } else if (auto* date = qobject_cast<QDateTimeEdit*>(editor)) {
        const QDateTime value = ParseLocaleDateTime(text);
        if (value.isValid())
            date->setDateTime(value);
    } else if (HasTextProperty(editor)) {
        editor->setProperty("text", text);
    } else if (auto* child = editor->findChild<QLineEdit*>()) {
        child->setText(text);
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
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->selectAll();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(editor))
        plain->selectAll();
    else if (auto* rich = qobject_cast<QTextEdit*>(editor))
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
