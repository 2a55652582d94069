#include "forms/grid/grid_model.h"

#include "forms/grid/grid_sort.h"

#include <QBrush>

#include <algorithm>
#include <numeric>

namespace zk {

const GridCell* GridRow::Cell(int column) const
{
    for (const GridCell& cell : cells) {
        if (cell.column == column)
            return &cell;
    }
    return nullptr;
}

GridCell& GridRow::CellFor(int column)
{
    for (GridCell& cell : cells) {
        if (cell.column == column)
            return cell;
    }
    cells.push_back(GridCell{});
    cells.back().column = column;
    return cells.back();
}

CGridModel::CGridModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int CGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int CGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount();
}

bool CGridModel::IsValidCell(int row, int column) const
{
    return IsValidRow(row) && column >= 0 && column < ColumnCount();
}

QVariant CGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !IsValidCell(index.row(), index.column()))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return CellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return int(columns_[index.column()].alignment | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return QBrush(BackgroundAt(index.row(), index.column()));
    case Qt::ForegroundRole:
        return QBrush(TextColorAt(index.row(), index.column()));
    default:
        return {};
    }
}

QVariant CGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return columns_[section].title;
    if (role == Qt::TextAlignmentRole)
        return int(columns_[section].alignment | Qt::AlignVCenter);
    return {};
}

void CGridModel::Reset(QList<GridColumn> columns, std::vector<GridRow> rows)
{
    beginResetModel();
    columns_ = std::move(columns);
    rows_ = std::move(rows);
    endResetModel();
}

void CGridModel::ReplaceRows(std::vector<GridRow> rows)
{
    if (!rows_.empty()) {
        beginRemoveRows({}, 0, RowCount() - 1);
        rows_.clear();
        endRemoveRows();
    }
    if (!rows.empty()) {
        beginInsertRows({}, 0, static_cast<int>(rows.size()) - 1);
        rows_ = std::move(rows);
        endInsertRows();
    }
}

int CGridModel::InsertRow(int row, GridRow record)
{
    row = std::clamp(row, 0, RowCount());
    beginInsertRows({}, row, row);
    rows_.insert(rows_.begin() + row, std::move(record));
    endInsertRows();
    return row;
}

void CGridModel::RemoveRow(int row)
{
    if (!IsValidRow(row))
        return;
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

GridRow* CGridModel::Row(int row)
{
    return IsValidRow(row) ? &rows_[row] : nullptr;
}

const GridRow* CGridModel::Row(int row) const
{
    return IsValidRow(row) ? &rows_[row] : nullptr;
}

QString CGridModel::CellText(int row, int column) const
{
    if (!IsValidCell(row, column))
        return {};
    const QStringList& texts = rows_[row].texts;
    return column < texts.size() ? texts[column] : QString();
}

void CGridModel::SetCellText(int row, int column, const QString& text)
{
    if (!IsValidCell(row, column))
        return;
    QStringList& texts = rows_[row].texts;
    while (texts.size() <= column)
        texts.append(QString());
    texts[column] = text;
    CellChanged(row, column);
}

void CGridModel::RowChanged(int row)
{
    if (IsValidRow(row) && ColumnCount() > 0)
        emit dataChanged(index(row, 0), index(row, ColumnCount() - 1));
}

void CGridModel::CellChanged(int row, int column)
{
    if (IsValidCell(row, column))
        emit dataChanged(index(row, column), index(row, column));
}

const GridColumn* CGridModel::Column(int column) const
{
    return column >= 0 && column < ColumnCount() ? &columns_[column] : nullptr;
}

void CGridModel::SetColumnTitle(int column, const QString& title)
{
    if (column < 0 || column >= ColumnCount())
        return;
    columns_[column].title = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void CGridModel::SetColumnAlignment(int column, Qt::Alignment alignment)
{
    if (column < 0 || column >= ColumnCount())
        return;
    columns_[column].alignment = alignment;
    emit headerDataChanged(Qt::Horizontal, column, column);
    if (RowCount() > 0)
        emit dataChanged(index(0, column), index(RowCount() - 1, column), {Qt::TextAlignmentRole});
}

GridColumnInfo* CGridModel::ColumnInfo(int column)
{
    auto found = columnInfos_.find(column);
    return found == columnInfos_.end() ? nullptr : &found->second;
}

const GridColumnInfo* CGridModel::ColumnInfo(int column) const
{
    auto found = columnInfos_.find(column);
    return found == columnInfos_.end() ? nullptr : &found->second;
}

GridColumnInfo& CGridModel::ColumnInfoFor(int column)
{
    return columnInfos_[column];
}

void CGridModel::ColumnColorsChanged(int column)
{
    if (column >= 0 && column < ColumnCount() && RowCount() > 0)
        emit dataChanged(index(0, column), index(RowCount() - 1, column),
                         {Qt::BackgroundRole, Qt::ForegroundRole});
}

void CGridModel::SetDefaultColors(const QColor& background, const QColor& text)
{
    defaultBackground_ = background;
    defaultText_ = text;
}

// The first colour that is set, from the cell through its row and column to
// the view's default.
QColor CGridModel::ResolveColor(int row, int column, QColor GridCell::*cellColor,
                                QColor GridRow::*rowColor, QColor GridColumnInfo::*columnColor,
                                const QColor& fallback) const
{
    const GridRow& record = rows_[row];
    if (const GridCell* cell = record.Cell(column); cell && (cell->*cellColor).isValid())
        return cell->*cellColor;
    if ((record.*rowColor).isValid())
        return record.*rowColor;
    if (const GridColumnInfo* info = ColumnInfo(column); info && (info->*columnColor).isValid())
        return info->*columnColor;
    return fallback;
}

QColor CGridModel::BackgroundAt(int row, int column) const
{
    return ResolveColor(row, column, &GridCell::background, &GridRow::background,
                        &GridColumnInfo::background, defaultBackground_);
}

QColor CGridModel::TextColorAt(int row, int column) const
{
    return ResolveColor(row, column, &GridCell::text, &GridRow::text, &GridColumnInfo::text,
                        defaultText_);
}

void CGridModel::SortRows(int column, GridSortKind kind, bool ascending)
{
    if (column < 0 || column >= ColumnCount() || RowCount() < 2)
        return;
    const int count = RowCount();
    std::vector<CellSortKey> keys;
    keys.reserve(count);
    for (int row = 0; row < count; ++row)
        keys.push_back(MakeSortKey(kind, CellText(row, column)));
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int result = CompareSortKeys(kind, keys[a], keys[b]);
        return ascending ? result < 0 : result > 0;
    });

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<GridRow> sorted;
    sorted.reserve(count);
    std::vector<int> newRowOf(count);
    for (int position = 0; position < count; ++position) {
        sorted.push_back(std::move(rows_[order[position]]));
        newRowOf[order[position]] = position;
    }
    rows_.swap(sorted);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& old : from)
        to.append(index(newRowOf[old.row()], old.column()));
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CGridModel::SwapRowData(int a, int b, int firstColumn)
{
    if (!IsValidRow(a) || !IsValidRow(b) || a == b)
        return;
    GridRow& first = rows_[a];
    GridRow& second = rows_[b];
    std::swap(first.key, second.key);
    std::swap(first.state, second.state);
    const int columns = ColumnCount();
    for (int column = std::max(firstColumn, 0); column < columns; ++column) {
        const QString text = CellText(a, column);
        SetCellText(a, column, CellText(b, column));
        SetCellText(b, column, text);
    }
    RowChanged(a);
    RowChanged(b);
}

} // namespace zk
