#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace zk {

class CListCtrlEx;

// Row states, read by the save commands to decide what to insert, update or
// renumber. Values of 3 and above all count as edited.
enum GridRowState : int {
    kRowLoaded = 0, // filled from the database, unchanged
    kRowNew = 1,    // added by a command, not saved yet
    kRowMoved = 2,  // only its position changed
    kRowEdited = 3, // a cell was changed by an edit
};

// How a sortable column compares its cell texts.
enum class GridSortKind : int {
    None = 0,
    Text = 1,   // case-insensitive
    Number = 2, // "," removed, then compared as decimal numbers
    Date = 3,   // date and time read by the user's locale rules
};

// Called when an edit starts, after the grid chose the editor. It puts the cell
// text into the editor (the form's default does so by the editor's kind).
using BeginEditCallback = std::function<void(CListCtrlEx& grid, QWidget* editor, int row,
                                             int column, const QString& cellText)>;

// Called when an edit ends with commit. `text` holds the cell text and may be
// replaced; it is written into the cell when the result is non-zero. A result
// of -1 also sorts the grid again by the edited column (without toggling).
using EndEditCallback = std::function<int(CListCtrlEx& grid, QWidget* editor, int row, int column,
                                          QString& text, int rowKey)>;

// An editor at one level (column, row or cell): a form control moved over the
// cell while it is edited, and its callbacks. Without a window the level has
// no editor. The control stays the form's: the grid never reparents it.
struct CellEditor {
    QPointer<QWidget> window;
    BeginEditCallback begin;
    EndEditCallback end;

    bool HasWindow() const { return !window.isNull(); }
};

// One shown column as the definition gives it. The factory passes only the
// columns that are shown (it drops those with a non-zero col_id or a zero
// id), in definition order; their position is the column number.
struct GridColumnDefinition {
    QString title;
    int format = 0; // 0 left, 1 right, 2 centre
    int width = 0;  // 0: hidden column; negative with type -1: fixed, shown at |width|
    int sort = 0;   // GridSortKind as a number, 0 none
    int type = 0;   // -1: the user cannot resize, double-click or click its header
    QColor background = QColor(255, 255, 255);
    QColor text = QColor(0, 0, 0);
    QWidget* editor = nullptr; // the hidden_wnd control, when the form has it
};

} // namespace zk
