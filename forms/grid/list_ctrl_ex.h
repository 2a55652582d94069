#pragma once

#include "forms/controls/control_kind.h"
#include "forms/controls/in_place_editor.h"
#include "forms/grid/grid_types.h"

#include <QColor>
#include <QItemSelection>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTableView>

#include <functional>
#include <memory>
#include <vector>

namespace zk {

class CEditorHook;
class CGridModel;
class CHeaderCtrlZk;
struct GridRow;

// The cfg.ini key (section TABLECOLS) of a saved column width:
// "T<form number>_<element id>_<1-based column>_<user uid>".
QString SavedWidthKey(int formNumber, int elementId, int column, const QString& userUid);

// The editable grid of a form: a table view over CGridModel with per-column,
// per-row and per-cell colours, sorting by column kind, in-place editing
// through the form's own controls, keyboard navigation from cell to cell, row
// states for the save commands, fast fills and saved column widths.
//
// Rows and columns count from 0 unless a comment says 1-based. Indexes out of
// range make every operation do nothing (readers give 0, -1 or empty).
//
// Events for the form's scripts are signals: cellClicked (CLICK),
// cellDoubleClicked (DCLICK), cellRightClicked (RCLICK), rowFocusedSelected
// (EN_CHANGE, only when a row becomes focused and selected). The form's
// cell-edited handler is a callback (SetCellEditedHandler).
//
// Editors are form controls (siblings of the grid on the form; never
// reparented): while a cell is edited the control is moved over the cell,
// shown and focused, and an event filter (CEditorHook) ends the edit on
// Enter, Escape, a focus change or a click elsewhere.
class CListCtrlEx : public QTableView, public InPlaceEditorOwner, public ControlTag {
    Q_OBJECT

public:
    using CellEditedHandler = std::function<void(int gridWindowId, int row, int column)>;

    explicit CListCtrlEx(QWidget* parent = nullptr);
    ~CListCtrlEx() override;

    // --- Identity and settings ------------------------------------------------

    // Form number (the form's id as a number), the table element's id and the
    // logged-in user's uid: the parts of the saved-width keys. Widths are read
    // and written only for form numbers above 0.
    void SetIdentity(int formNumber, int elementId, const QString& userUid);
    int FormNumber() const { return formNumber_; }
    int ElementId() const { return elementId_; }
    int WindowId() const { return elementId_ + 1024; }

    // Row-number flag (true by default): the first field of every filled row
    // is the row key and does not become a column.
    void SetRowNumberFlag(bool keyInFirstField) { rowNumberFlag_ = keyInFirstField; }
    bool RowNumberFlag() const { return rowNumberFlag_; }

    // Colour-by-column (is_col_color): rows get no stripes, column colours show.
    void SetColorByColumn(bool byColumn) { colorByColumn_ = byColumn; }
    bool ColorByColumn() const { return colorByColumn_; }

    // Row height in pixels, the same for every grid of a form (the form passes
    // its setting to each of its grids).
    void SetRowHeight(int pixels);
    int RowHeight() const;

    // --- Columns -------------------------------------------------------------

    // Builds the columns of the definition (the shown ones only, in order):
    // editors with the form's default callbacks, widths (0: hidden and fixed;
    // saved width replaces a positive width; a negative width is shown at its
    // absolute value), alignment, colours, fixed columns (type -1), sort kinds.
    // The hidden- and fixed-column lists start anew. Rows are removed.
    void SetupColumns(const QList<GridColumnDefinition>& columns);

    int ColumnCount() const;
    QString HeaderText(int column) const;
    void SetHeaderText(int column, const QString& text);
    Qt::Alignment ColumnAlignment(int column) const;
    void SetColumnAlignment(int column, Qt::Alignment alignment);
    // 0 for a collapsed column. A width of 0 or less collapses it (the user
    // cannot drag it open); a positive width shows it again.
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);

    // Fixed columns (1-based numbers): their header ignores the user. The list
    // text is ",c1,c2," (empty when there is none), as the commands read it.
    QString FixedColumnList() const;
    bool IsFixedColumn(int column1) const;
    void AddFixedColumn(int column1);
    // Columns created hidden by the definition (width 0), 1-based.
    QString HiddenColumnList() const;
    bool IsHiddenColumn(int column1) const;

    void SetColumnColors(int column, const QColor& background, const QColor& text);
    void SetColumnSort(int column, GridSortKind kind);
    void SetColumnEditor(int column, QWidget* editor, BeginEditCallback begin, EndEditCallback end);
    void SetColumnReadOnly(int column, bool readOnly);
    bool IsColumnReadOnly(int column) const;

    // --- Rows and cells --------------------------------------------------------

    int RowCount() const;
    // Inserts a row before `row` (at the end when row >= RowCount) with `text`
    // in column 0, state 0, and the stripe colours unless colour-by-column.
    // Returns the new row's index, -1 for a negative index.
    int InsertRow(int row, const QString& text);
    void DeleteRow(int row);
    void DeleteAllRows();

    int RowState(int row) const; // -1 out of range
    void SetRowState(int row, int state);
    // State 3 unless the row is new (state 1).
    void MarkRowEdited(int row);
    int RowKey(int row) const;
    void SetRowKey(int row, int key);

    QString CellText(int row, int column) const;
    void SetCellText(int row, int column, const QString& text);
    // Writes the 1-based row number into column 0 of every row from
    // `firstRow` on; rows in state 0 get state 2.
    void RenumberRows(int firstRow);
    // Exchanges two rows' keys, states and texts from column 1 on; column 0
    // (the row number), colours, locks and editors stay where they are.
    void SwapRowData(int a, int b);

    void SetRowReadOnly(int row, bool readOnly);
    bool IsRowReadOnly(int row) const;
    void SetCellReadOnly(int row, int column, bool readOnly);
    bool IsCellReadOnly(int row, int column) const; // the cell's own lock only

    // An invalid QColor means "not set" (the next level shows through).
    void SetRowColors(int row, const QColor& background, const QColor& text);
    void SetCellColors(int row, int column, const QColor& background, const QColor& text);
    // The colours a cell is drawn with, after the precedence.
    QColor CellBackground(int row, int column) const;
    QColor CellTextColor(int row, int column) const;

    void SetRowEditor(int row, QWidget* editor, BeginEditCallback begin, EndEditCallback end);
    void SetCellEditor(int row, int column, QWidget* editor, BeginEditCallback begin,
                       EndEditCallback end);

    // --- Selection and scrolling ---------------------------------------------------

    QList<int> SelectedRows() const; // ascending
    int FirstSelectedRow() const;    // -1 without a selection
    void SelectRow(int row, bool selected = true);
    void SelectAllRows();
    void DeselectAllRows();
    int TopRow() const; // first visible row, -1 when empty
    void ScrollToTopRow(int row);
    void EnsureRowVisible(int row);

    // --- Sorting ---------------------------------------------------------------

    // Sorts by a sortable column: the first sort of a column with toggle is
    // ascending, later ones alternate; without toggle the last direction is
    // kept (descending when the column was never sorted). Ends an edit first.
    void SortByColumn(int column, bool toggle);
    int SortColumn() const { return sortColumn_; }

    // --- Editing ---------------------------------------------------------------

    // Opens the cell's editor (cell > row > column level) over the cell. False
    // when the cell is out of range, locked at any level, collapsed, or has no
    // editor. Any open edit is ended with commit first.
    bool BeginCellEdit(int row, int column);
    // Ends the open edit: with commit the end callback decides (or the
    // editor's text is written); without commit nothing is written and no
    // callback runs. Re-entrant calls while an edit ends do nothing.
    void EndCellEdit(bool commit);
    // The same, queued: runs from the event loop, and only if the edit that
    // was open when it was posted is still open.
    void PostEndCellEdit(bool commit);

    bool IsEditing() const { return editRow_ >= 0; }
    QWidget* ActiveEditor() const;
    int EditRow() const { return editRow_; }
    int EditColumn() const { return editColumn_; }
    int NavigationRow() const { return navRow_; }
    int NavigationColumn() const { return navColumn_; }
    // What the editor showed right after the edit began.
    QString EditorStartText() const { return editorStartText_; }

    // The form's handler for a changed cell (runs the column's end-of-edit
    // commands and the sums); called by NotifyCellEdited with WindowId().
    void SetCellEditedHandler(CellEditedHandler handler) { cellEdited_ = std::move(handler); }
    void NotifyCellEdited(int row, int column);

    // An edit-with-button hands a dialog's result to the cell it edits.
    void OnInPlaceCellText(QWidget* editor, int row, int column, const QString& text,
                           CellTextSource source) override;

    // --- Filling -----------------------------------------------------------------

    // Rebuilds the columns from the field names and fills the rows from the
    // flattened cell texts (one row per field count). With the row-number flag
    // the first field is the row key, not a column. With `rowNumberColumn` a
    // left-aligned column "行号" comes first and holds 1-based row numbers;
    // the other columns are centred. `widthText` is "w1,w2,...": column k
    // takes entry k, else the last one, else 50; a negative entry is used as
    // its absolute value and makes the column fixed. Returns the loaded key
    // list "k1,k2,...,kn" (the key texts; empty without the row-number flag),
    // which replaces the form's list.
    QString FillGrid(const QStringList& headerNames, const QStringList& cellTexts,
                     bool rowNumberColumn, const QString& widthText);
    // The same into the existing columns; `fieldCount` fields make one row.
    QString FillRows(const QStringList& cellTexts, bool rowNumberColumn, int fieldCount);

signals:
    void cellClicked(int row, int column);       // -1, -1 below the rows
    void cellDoubleClicked(int row, int column); // -1, -1 below the rows
    void cellRightClicked(int row, int column);  // -1, -1 below the rows
    void rowFocusedSelected(int row);
    void headerClicked(int column);
    // The user finished dragging a column divider (the width is saved by then).
    void columnDragResized(int column, int width);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const CellEditor* ChooseEditor(int row, int column) const;
    bool IsCellLocked(int row, int column) const;
    void PlaceEditor(QWidget* editor, int row, int column);
    void ClearEdit();
    bool HandleNavigationKey(int key, Qt::KeyboardModifiers modifiers);
    void NavigateCells(bool forward);
    void ApplyColumnModes();
    void ApplyColumnWidths(const QList<int>& widths);
    int ReadSavedWidth(int column) const;
    void SaveColumnWidth(int column, int width);
    void OnHeaderClicked(int column);
    void CheckFocusedSelected();
    void UpdateDragSelection(const QPoint& position);
    std::vector<GridRow> BuildRows(const QStringList& cellTexts, int fieldCount,
                                   bool rowNumberColumn, QString& keyList) const;
    void ApplyStripes(GridRow& row, int index) const;

    CGridModel* model_ = nullptr;
    CHeaderCtrlZk* header_ = nullptr;
    std::unique_ptr<CEditorHook> hook_;
    CellEditedHandler cellEdited_;

    int formNumber_ = 0;
    int elementId_ = 0;
    QString userUid_;
    bool rowNumberFlag_ = true;
    bool colorByColumn_ = false;
    QList<int> fixedColumns_;
    QList<int> hiddenColumns_;
    int sortColumn_ = -1;

    CellEditor active_;
    int editRow_ = -1;
    int editColumn_ = -1;
    int navRow_ = -1;
    int navColumn_ = -1;
    QString editorStartText_;
    quint64 editSerial_ = 0;
    bool ending_ = false;

    int pressRow_ = -1;
    int pressColumn_ = -1;
    QPoint pressPosition_;
    bool leftPressed_ = false;
    bool dragSelecting_ = false;
    bool doubleClicked_ = false;
    QItemSelection dragSelection_;
    int dragAnchor_ = -1;
    int dragEnd_ = -1;
    int focusedSelectedRow_ = -1;
};

} // namespace zk
