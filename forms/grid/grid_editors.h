#pragma once

#include "forms/grid/grid_types.h"

#include <QString>

class QWidget;

namespace zk {

// The text an editor shows: a line edit's text, a plain or rich text box's
// plain text, a combo box's current text (empty for a drop list without a
// selection), a date picker's text in its display format; for other widgets
// their "text" property, else the text of the first inner line edit or text
// box that is not hidden (a compound control that wraps one).
QString EditorText(const QWidget* editor);

// Puts a text into an editor by the same rules (a drop list selects the item
// with exactly that text, or nothing; a date picker takes the text when it is
// a date). Used when an editor has no begin callback.
void SetEditorText(QWidget* editor, const QString& text);

// True while a drop-down of the editor (a combo box list, a date picker's
// calendar, any pop-up window it owns) is open.
bool IsEditorPopupOpen(const QWidget* editor);

// True when `widget` is `ancestor` or lies inside it, also across pop-up
// windows (a combo box's list belongs to the combo box).
bool IsWidgetWithin(const QWidget* widget, const QWidget* ancestor);

// The form's begin callback: an edit-with-button learns the grid, row and
// column it edits and gets the text; a drop list selects the matching item;
// an editable combo box gets the text; a date picker gets the date when the
// text is one; a line edit or text box gets the text, all of it selected.
void DefaultBeginEdit(CListCtrlEx& grid, QWidget* editor, int row, int column,
                      const QString& cellText);

// The form's end callback. When the editor's text differs from the cell text
// (and the user changed it since the edit began), the row is marked edited
// (unless it is new), the cell is written and the grid's cell-edited handler
// runs; `text` then holds what the cell shows afterwards. Always 1.
int DefaultEndEdit(CListCtrlEx& grid, QWidget* editor, int row, int column, QString& text,
                   int rowKey);

} // namespace zk
