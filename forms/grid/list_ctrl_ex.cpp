#include "forms/grid/list_ctrl_ex.h"

#include "forms/controls/control_kind.h"

#include "forms/grid/editor_hook.h"
#include "forms/grid/grid_model.h"
#include "forms/grid/header_ctrl_zk.h"

#include <QItemSelectionModel>
#include <QPalette>

#include <algorithm>
#include <set>

namespace zk {

namespace {

const QColor kStripeEven(255, 255, 255);
const QColor kStripeOdd(220, 230, 240);
const QColor kStripeText(0, 0, 0);

QString ColumnListText(const QList<int>& columns)
{
    if (columns.isEmpty())
        return {};
    QString text = QStringLiteral(",");
    for (int column : columns)
        text += QString::number(column) + QLatin1Char(',');
    return text;
}

} // namespace

QString SavedWidthKey(int formNumber, int elementId, int column, const QString& userUid)
{
    return QStringLiteral("T%1_%2_%3_%4").arg(formNumber).arg(elementId).arg(column).arg(userUid);
}

CListCtrlEx::CListCtrlEx(QWidget* parent)
    : QTableView(parent)
    , ControlTag(ControlKind::Table)
    , model_(new CGridModel(this))
    , header_(new CHeaderCtrlZk(this))
{
    setHorizontalHeader(header_);
    setModel(model_);
    header_->SetFixedTest([this](int column) { return IsFixedColumn(column + 1); });
    connect(header_, &QHeaderView::sectionClicked, this, &CListCtrlEx::OnHeaderClicked);
    connect(header_, &CHeaderCtrlZk::dividerDragFinished, this, &CListCtrlEx::SaveColumnWidth);

    header_->setMinimumSectionSize(1);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    SetRowHeight(fontMetrics().height() + 6);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // The selection stays visible when the grid loses the focus.
    QPalette colours = palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    setPalette(colours);
    model_->SetDefaultColors(colours.color(QPalette::Base), colours.color(QPalette::Text));

    hook_ = std::make_unique<CEditorHook>(
        this, [this](bool commit) { PostEndCellEdit(commit); },
        [this](int key, Qt::KeyboardModifiers modifiers) {
            QMetaObject::invokeMethod(
                this, [this, key, modifiers] { HandleNavigationKey(key, modifiers); },
                Qt::QueuedConnection);
        });

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CListCtrlEx::CheckFocusedSelected);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CListCtrlEx::CheckFocusedSelected);
}

CListCtrlEx::~CListCtrlEx()
{
    // An editor left over the cell would stay on the form after the grid is gone.
    hook_->Detach();
    if (QWidget* editor = ActiveEditor())
        editor->hide();
}

void CListCtrlEx::SetIdentity(int formNumber, int elementId, const QString& userUid)
{
    formNumber_ = formNumber;
    elementId_ = elementId;
    userUid_ = userUid;
}

void CListCtrlEx::SetRowHeight(int pixels)
{
    if (pixels > 0)
        verticalHeader()->setDefaultSectionSize(pixels);
}

int CListCtrlEx::RowHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

// --- Columns -------------------------------------------------------------------

int CListCtrlEx::ColumnCount() const
{
    return model_->ColumnCount();
}

QString CListCtrlEx::HeaderText(int column) const
{
    const GridColumn* info = model_->Column(column);
    return info ? info->title : QString();
}

void CListCtrlEx::SetHeaderText(int column, const QString& text)
{
    model_->SetColumnTitle(column, text);
}

Qt::Alignment CListCtrlEx::ColumnAlignment(int column) const
{
    const GridColumn* info = model_->Column(column);
    return info ? info->alignment : Qt::AlignLeft;
}

void CListCtrlEx::SetColumnAlignment(int column, Qt::Alignment alignment)
{
    model_->SetColumnAlignment(column, alignment & Qt::AlignHorizontal_Mask);
}

int CListCtrlEx::ColumnWidth(int column) const
{
    if (column < 0 || column >= ColumnCount() || header_->isSectionHidden(column))
        return 0;
    return header_->sectionSize(column);
}

void CListCtrlEx::SetColumnWidth(int column, int width)
{
    if (column < 0 || column >= ColumnCount())
        return;
    if (width <= 0) {
        header_->hideSection(column);
        return;
    }
    header_->showSection(column);
    header_->resizeSection(column, width);
}

QString CListCtrlEx::FixedColumnList() const
{
    return ColumnListText(fixedColumns_);
}

bool CListCtrlEx::IsFixedColumn(int column1) const
{
    return fixedColumns_.contains(column1);
}

void CListCtrlEx::AddFixedColumn(int column1)
{
    if (column1 < 1 || fixedColumns_.contains(column1))
        return;
    fixedColumns_.append(column1);
    if (column1 <= ColumnCount())
        header_->setSectionResizeMode(column1 - 1, QHeaderView::Fixed);
}

QString CListCtrlEx::HiddenColumnList() const
{
    return ColumnListText(hiddenColumns_);
}

bool CListCtrlEx::IsHiddenColumn(int column1) const
{
    return hiddenColumns_.contains(column1);
}

void CListCtrlEx::ApplyColumnModes()
{
    for (int column = 0; column < ColumnCount(); ++column)
        header_->setSectionResizeMode(column, IsFixedColumn(column + 1) ? QHeaderView::Fixed
                                                                        : QHeaderView::Interactive);
}

void CListCtrlEx::ApplyColumnWidths(const QList<int>& widths)
{
    ApplyColumnModes();
    for (int column = 0; column < ColumnCount() && column < widths.size(); ++column)
        SetColumnWidth(column, widths[column]);
}

void CListCtrlEx::SetColumnColors(int column, const QColor& background, const QColor& text)
{
    if (column < 0)
        return;
    GridColumnInfo& info = model_->ColumnInfoFor(column);
    info.background = background;
    info.text = text;
    model_->ColumnColorsChanged(column);
}

void CListCtrlEx::SetColumnSort(int column, GridSortKind kind)
{
    if (column < 0)
        return;
    GridColumnInfo& info = model_->ColumnInfoFor(column);
    info.sortable = kind != GridSortKind::None;
    info.sortKind = kind;
}

void CListCtrlEx::SetColumnEditor(int column, QWidget* editor, BeginEditCallback begin,
                                  EndEditCallback end)
{
    if (column < 0)
        return;
    model_->ColumnInfoFor(column).editor = CellEditor{editor, std::move(begin), std::move(end)};
}

void CListCtrlEx::SetColumnReadOnly(int column, bool readOnly)
{
    if (column >= 0)
        model_->ColumnInfoFor(column).readOnly = readOnly;
}

bool CListCtrlEx::IsColumnReadOnly(int column) const
{
    const GridColumnInfo* info = model_->ColumnInfo(column);
    return info && info->readOnly;
}

// --- Rows and cells --------------------------------------------------------------

int CListCtrlEx::RowCount() const
{
    return model_->RowCount();
}

void CListCtrlEx::ApplyStripes(GridRow& row, int index) const
{
    if (colorByColumn_)
        return;
    row.background = index % 2 == 0 ? kStripeEven : kStripeOdd;
    row.text = kStripeText;
}

int CListCtrlEx::InsertRow(int row, const QString& text)
{
    if (row < 0)
        return -1;
    EndCellEdit(false);
    row = std::min(row, RowCount());
    GridRow record;
    record.texts.append(text);
    ApplyStripes(record, row);
    return model_->InsertRow(row, std::move(record));
}

void CListCtrlEx::DeleteRow(int row)
{
    if (!model_->IsValidRow(row))
        return;
    EndCellEdit(false);
    model_->RemoveRow(row);
}

void CListCtrlEx::DeleteAllRows()
{
    EndCellEdit(false);
    model_->ReplaceRows({});
}

int CListCtrlEx::RowState(int row) const
{
    const GridRow* record = model_->Row(row);
    return record ? record->state : -1;
}

void CListCtrlEx::SetRowState(int row, int state)
{
    if (GridRow* record = model_->Row(row))
        record->state = state;
}

void CListCtrlEx::MarkRowEdited(int row)
{
    if (GridRow* record = model_->Row(row); record && record->state != kRowNew)
        record->state = kRowEdited;
}

int CListCtrlEx::RowKey(int row) const
{
    const GridRow* record = model_->Row(row);
    return record ? record->key : 0;
}

void CListCtrlEx::SetRowKey(int row, int key)
{
    if (GridRow* record = model_->Row(row))
        record->key = key;
}

QString CListCtrlEx::CellText(int row, int column) const
{
    return model_->CellText(row, column);
}

void CListCtrlEx::SetCellText(int row, int column, const QString& text)
{
    model_->SetCellText(row, column, text);
}

void CListCtrlEx::RenumberRows(int firstRow)
{
    for (int row = std::max(firstRow, 0); row < RowCount(); ++row) {
        SetCellText(row, 0, QString::number(row + 1));
        if (RowState(row) == kRowLoaded)
            SetRowState(row, kRowMoved);
    }
}

void CListCtrlEx::SwapRowData(int a, int b)
{
    EndCellEdit(false);
    model_->SwapRowData(a, b, 1);
}

void CListCtrlEx::SetRowReadOnly(int row, bool readOnly)
{
    if (GridRow* record = model_->Row(row))
        record->readOnly = readOnly;
}

bool CListCtrlEx::IsRowReadOnly(int row) const
{
    const GridRow* record = model_->Row(row);
    return record && record->readOnly;
}

void CListCtrlEx::SetCellReadOnly(int row, int column, bool readOnly)
{
    if (model_->IsValidCell(row, column))
        model_->Row(row)->CellFor(column).readOnly = readOnly;
}

bool CListCtrlEx::IsCellReadOnly(int row, int column) const
{
    const GridRow* record = model_->Row(row);
    const GridCell* cell = record ? record->Cell(column) : nullptr;
    return cell && cell->readOnly;
}

void CListCtrlEx::SetRowColors(int row, const QColor& background, const QColor& text)
{
    GridRow* record = model_->Row(row);
    if (!record)
        return;
    record->background = background;
    record->text = text;
    model_->RowChanged(row);
}

void CListCtrlEx::SetCellColors(int row, int column, const QColor& background, const QColor& text)
{
    if (!model_->IsValidCell(row, column))
        return;
    GridCell& cell = model_->Row(row)->CellFor(column);
    cell.background = background;
    cell.text = text;
    model_->CellChanged(row, column);
}

QColor CListCtrlEx::CellBackground(int row, int column) const
{
    return model_->IsValidCell(row, column) ? model_->BackgroundAt(row, column) : QColor();
}

QColor CListCtrlEx::CellTextColor(int row, int column) const
{
    return model_->IsValidCell(row, column) ? model_->TextColorAt(row, column) : QColor();
}

void CListCtrlEx::SetRowEditor(int row, QWidget* editor, BeginEditCallback begin,
                               EndEditCallback end)
{
    if (GridRow* record = model_->Row(row))
        record->editor =
            std::make_unique<CellEditor>(CellEditor{editor, std::move(begin), std::move(end)});
}

void CListCtrlEx::SetCellEditor(int row, int column, QWidget* editor, BeginEditCallback begin,
                                EndEditCallback end)
{
    if (model_->IsValidCell(row, column))
        model_->Row(row)->CellFor(column).editor =
            std::make_unique<CellEditor>(CellEditor{editor, std::move(begin), std::move(end)});
}

// --- Selection and scrolling ------------------------------------------------------

QList<int> CListCtrlEx::SelectedRows() const
{
    std::set<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.insert(row);
    }
    return QList<int>(rows.begin(), rows.end());
}

int CListCtrlEx::FirstSelectedRow() const
{
    int first = -1;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        if (first < 0 || range.top() < first)
            first = range.top();
    }
    return first;
}

void CListCtrlEx::SelectRow(int row, bool selected)
{
    if (!model_->IsValidCell(row, 0))
        return;
    selectionModel()->select(model_->index(row, 0), (selected ? QItemSelectionModel::Select
                                                              : QItemSelectionModel::Deselect) |
                                                        QItemSelectionModel::Rows);
}

void CListCtrlEx::SelectAllRows()
{
    if (RowCount() == 0 || ColumnCount() == 0)
        return;
    selectionModel()->select(
        QItemSelection(model_->index(0, 0), model_->index(RowCount() - 1, ColumnCount() - 1)),
        QItemSelectionModel::Select);
}

void CListCtrlEx::DeselectAllRows()
{
    selectionModel()->clearSelection();
}

int CListCtrlEx::TopRow() const
{
    return rowAt(0);
}

void CListCtrlEx::ScrollToTopRow(int row)
{
    if (model_->IsValidCell(row, 0))
        scrollTo(model_->index(row, 0), QAbstractItemView::PositionAtTop);
}

void CListCtrlEx::EnsureRowVisible(int row)
{
    if (model_->IsValidCell(row, 0))
        scrollTo(model_->index(row, 0), QAbstractItemView::EnsureVisible);
}

// A row that becomes focused and selected is the grid's "selection changed"
// event; a row that stays so does not repeat it.
void CListCtrlEx::CheckFocusedSelected()
{
    const QModelIndex current = selectionModel()->currentIndex();
    const int row = current.isValid() && selectionModel()->isRowSelected(current.row(), {})
                        ? current.row()
                        : -1;
    if (row == focusedSelectedRow_)
        return;
    focusedSelectedRow_ = row;
    if (row >= 0)
        emit rowFocusedSelected(row);
}

// --- Sorting -----------------------------------------------------------------------

void CListCtrlEx::SortByColumn(int column, bool toggle)
{
    GridColumnInfo* info = model_->ColumnInfo(column);
    if (!info || !info->sortable || column >= ColumnCount())
        return;
    EndCellEdit(true);
    if (!info->ascending && !info->descending)
        info->descending = true;
    if (toggle) {
        info->ascending = !info->ascending;
        info->descending = !info->ascending;
    }
    model_->SortRows(column, info->sortKind, info->ascending);
    sortColumn_ = column;
    header_->setSortIndicatorShown(true);
    header_->setSortIndicator(column, info->ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CListCtrlEx::OnHeaderClicked(int column)
{
    if (IsFixedColumn(column + 1))
        return;
    EndCellEdit(true);
    SortByColumn(column, true);
    emit headerClicked(column);
}

} // namespace zk
