// In-place editing, keyboard navigation and the mouse.

#include "forms/grid/list_ctrl_ex.h"

#include "forms/grid/editor_hook.h"
#include "forms/grid/grid_editors.h"
#include "forms/grid/grid_model.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>

namespace zk {

namespace {

// Clears a flag when the scope ends, however it ends.
class FlagScope {
public:
    explicit FlagScope(bool& flag)
        : flag_(flag)
    {
        flag_ = true;
    }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

} // namespace

QWidget* CListCtrlEx::ActiveEditor() const
{
    return IsEditing() ? active_.window.data() : nullptr;
}

const CellEditor* CListCtrlEx::ChooseEditor(int row, int column) const
{
    const GridRow* record = model_->Row(row);
    if (const GridCell* cell = record->Cell(column);
        cell && cell->editor && cell->editor->HasWindow())
        return cell->editor.get();
    if (record->editor && record->editor->HasWindow())
        return record->editor.get();
    if (const GridColumnInfo* info = model_->ColumnInfo(column); info && info->editor.HasWindow())
        return &info->editor;
    return nullptr;
}

bool CListCtrlEx::IsCellLocked(int row, int column) const
{
    return IsColumnReadOnly(column) || IsRowReadOnly(row) || IsCellReadOnly(row, column);
}

bool CListCtrlEx::BeginCellEdit(int row, int column)
{
    if (ending_)
        return false;
    EndCellEdit(true);
    // A collapsed column is not meant to be seen, so it is not edited either.
    if (!model_->IsValidCell(row, column) || IsCellLocked(row, column) || ColumnWidth(column) == 0)
        return false;
    const CellEditor* chosen = ChooseEditor(row, column);
    if (!chosen)
        return false;

    active_ = *chosen;
    editRow_ = row;
    editColumn_ = column;
    navRow_ = row;
    navColumn_ = column;
    ++editSerial_;
    QWidget* editor = active_.window;
    const QString text = CellText(row, column);
    if (active_.begin)
        active_.begin(*this, editor, row, column, text);
    else
        SetEditorText(editor, text);
    if (active_.window.isNull() || editRow_ != row) {
        // The callback destroyed the editor or changed the grid under us.
        ClearEdit();
        return false;
    }
    editorStartText_ = EditorText(editor);

    DeselectAllRows();
    scrollTo(model_->index(row, column));
    PlaceEditor(editor, row, column);
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
    hook_->Attach(editor);
    return true;
}

// The editor is a sibling of the grid on the form: the cell rectangle is
// mapped from the grid's viewport into the editor's parent.
void CListCtrlEx::PlaceEditor(QWidget* editor, int row, int column)
{
    const QRect cell = visualRect(model_->index(row, column));
    QWidget* parent = editor->parentWidget();
    QPoint topLeft;
    if (parent && parent->window() == window())
        topLeft = parent->mapFrom(window(), viewport()->mapTo(window(), cell.topLeft()));
    else if (parent)
        topLeft = parent->mapFromGlobal(viewport()->mapToGlobal(cell.topLeft()));
    else
        topLeft = viewport()->mapToGlobal(cell.topLeft());
    editor->setGeometry(QRect(topLeft, cell.size()));
}

void CListCtrlEx::ClearEdit()
{
    hook_->Detach();
    active_ = CellEditor{};
    editRow_ = -1;
    editColumn_ = -1;
    editorStartText_.clear();
}

void CListCtrlEx::EndCellEdit(bool commit)
{
    if (ending_ || !IsEditing())
        return;
    FlagScope lock(ending_);
    hook_->Detach();
    const CellEditor ended = active_;
    const int row = editRow_;
    const int column = editColumn_;
    QWidget* editor = ended.window;
    if (editor) {
        // Hiding the focused editor would hand the focus to the next control
        // of the form; the grid keeps it instead.
        if (IsWidgetWithin(QApplication::focusWidget(), editor))
            setFocus(Qt::OtherFocusReason);
        editor->hide();
    }

    QString text = CellText(row, column);
    int result = 0;
    if (commit && editor) {
        if (ended.end)
            result = ended.end(*this, editor, row, column, text, RowKey(row));
        else {
            text = EditorText(editor);
            result = 1;
        }
    }
    if (result != 0 && model_->IsValidCell(row, column)) {
        SetCellText(row, column, text);
        if (result == -1)
            SortByColumn(column, false);
    }
    ClearEdit();
}

void CListCtrlEx::PostEndCellEdit(bool commit)
{
    const quint64 serial = editSerial_;
    QMetaObject::invokeMethod(
        this,
        [this, serial, commit] {
            if (IsEditing() && editSerial_ == serial)
                EndCellEdit(commit);
        },
        Qt::QueuedConnection);
}

void CListCtrlEx::NotifyCellEdited(int row, int column)
{
    if (cellEdited_)
        cellEdited_(WindowId(), row, column);
}

void CListCtrlEx::OnInPlaceCellText(QWidget* /*editor*/, int row, int column, const QString& text,
                                    CellTextSource source)
{
    if (!model_->IsValidCell(row, column))
        return;
    const bool changed = CellText(row, column) != text;
    switch (source) {
    case CellTextSource::TextDialog:
        MarkRowEdited(row);
        SetCellText(row, column, text);
        break;
    case CellTextSource::ColourDialog:
        if (changed) {
            MarkRowEdited(row);
            SetCellText(row, column, text);
        }
        break;
    case CellTextSource::PopupForm:
        if (changed) {
            MarkRowEdited(row);
            SetCellText(row, column, text);
            NotifyCellEdited(row, column);
        }
        break;
    }
}

// --- Keyboard navigation ---------------------------------------------------------

bool CListCtrlEx::HandleNavigationKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool control = modifiers & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (control)
            return false;
        NavigateCells(key != Qt::Key_Backtab && !(modifiers & Qt::ShiftModifier));
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (!model_->IsValidCell(navRow_, navColumn_))
            return false;
        const int target = navRow_ + (key == Qt::Key_Down ? 1 : -1);
        if (!model_->IsValidRow(target))
            return IsEditing();
        BeginCellEdit(target, navColumn_);
        return true;
    }
    default:
        return false;
    }
}

// Walks cell by cell, left to right and then to the next row (backward the
// other way), from the navigation cell, and edits the first cell that opens.
// It stops at the end of the rows; it never wraps around.
void CListCtrlEx::NavigateCells(bool forward)
{
    EndCellEdit(true);
    const int rows = RowCount();
    const int columns = ColumnCount();
    if (rows == 0 || columns == 0)
        return;
    int row = navRow_;
    int column = navColumn_;
    const auto step = [&] {
        column += forward ? 1 : -1;
        if (column >= columns) {
            column = 0;
            ++row;
        } else if (column < 0) {
            column = columns - 1;
            --row;
        }
    };
    if (model_->IsValidCell(row, column)) {
        step();
    } else {
        row = forward ? 0 : rows - 1;
        column = forward ? 0 : columns - 1;
    }
    for (; model_->IsValidCell(row, column); step()) {
        if (BeginCellEdit(row, column))
            return;
    }
}

void CListCtrlEx::keyPressEvent(QKeyEvent* event)
{
    if (HandleNavigationKey(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

// --- Mouse -------------------------------------------------------------------------

void CListCtrlEx::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex hit = indexAt(event->position().toPoint());
    pressRow_ = hit.isValid() ? hit.row() : -1;
    pressColumn_ = hit.isValid() ? hit.column() : -1;
    if (event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        leftPressed_ = true;
        dragSelecting_ = false;
        pressPosition_ = event->position().toPoint();
        doubleClicked_ = false;
        dragAnchor_ = pressRow_;
        dragEnd_ = pressRow_;
    }
    QTableView::mousePressEvent(event);
}

void CListCtrlEx::mouseMoveEvent(QMouseEvent* event)
{
    if (!leftPressed_ || !(event->buttons() & Qt::LeftButton)) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    const QPoint position = event->position().toPoint();
    if (!dragSelecting_ &&
        (position - pressPosition_).manhattanLength() < QApplication::startDragDistance())
        return;
    dragSelecting_ = true;
    UpdateDragSelection(position);
}

// Every row from the first touched row to the furthest one is selected; an
// area without a row (below the last) selects every row.
void CListCtrlEx::UpdateDragSelection(const QPoint& position)
{
    const int y = std::clamp(position.y(), 0, std::max(viewport()->height() - 1, 0));
    const int row = rowAt(y);
    if (RowCount() == 0 || ColumnCount() == 0)
        return;
    QItemSelection selection;
    if (row < 0) {
        selection.select(model_->index(0, 0), model_->index(RowCount() - 1, ColumnCount() - 1));
    } else {
        if (dragAnchor_ < 0)
            dragAnchor_ = row;
        if (dragEnd_ < 0 || std::abs(row - dragAnchor_) > std::abs(dragEnd_ - dragAnchor_))
            dragEnd_ = row;
        const int first = std::min(dragAnchor_, dragEnd_);
        const int last = std::max(dragAnchor_, dragEnd_);
        selection.select(model_->index(first, 0), model_->index(last, ColumnCount() - 1));
    }
    dragSelection_ = selection;
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void CListCtrlEx::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasDragSelecting = dragSelecting_ && event->button() == Qt::LeftButton;
    const bool wasDoubleClick = doubleClicked_;
    if (event->button() == Qt::LeftButton) {
        leftPressed_ = false;
        dragSelecting_ = false;
        doubleClicked_ = false;
        dragAnchor_ = -1;
        dragEnd_ = -1;
    }
    QTableView::mouseReleaseEvent(event);
    if (wasDragSelecting) {
        // The view's own release handling may reselect the pressed row.
        selectionModel()->select(dragSelection_, QItemSelectionModel::ClearAndSelect);
        dragSelection_.clear();
        return;
    }
    const QModelIndex hit = indexAt(event->position().toPoint());
    const int row = hit.isValid() ? hit.row() : -1;
    const int column = hit.isValid() ? hit.column() : -1;
    if (event->button() == Qt::RightButton) {
        emit cellRightClicked(row, column);
        return;
    }
    if (event->button() != Qt::LeftButton || wasDoubleClick)
        return;
    if (row != pressRow_ || column != pressColumn_)
        return;
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier));
    if (plain && row >= 0)
        BeginCellEdit(row, column);
    emit cellClicked(row, column);
}

void CListCtrlEx::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    // The release that follows belongs to the double click, not to a click.
    doubleClicked_ = true;
    const QModelIndex hit = indexAt(event->position().toPoint());
    const int row = hit.isValid() ? hit.row() : -1;
    const int column = hit.isValid() ? hit.column() : -1;
    if (row >= 0)
        BeginCellEdit(row, column);
    emit cellDoubleClicked(row, column);
}

} // namespace zk
