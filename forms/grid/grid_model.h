#pragma once

#include "forms/grid/grid_types.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <vector>

namespace zk {

// A setting of one cell: its editor, lock and colours (invalid colour = not set).
struct GridCell {
    int column = 0;
    std::unique_ptr<CellEditor> editor;
    bool readOnly = false;
    QColor background;
    QColor text;
};

// One row: the record key, its state, its lock, an optional row editor, its
// colours and its texts. Cells with a setting of their own are kept sparsely;
// texts beyond the end of `texts` read as empty.
struct GridRow {
    int key = 0;
    int state = kRowLoaded;
    bool readOnly = false;
    std::unique_ptr<CellEditor> editor;
    QColor background;
    QColor text;
    QStringList texts;
    std::vector<GridCell> cells;

    const GridCell* Cell(int column) const;
    GridCell& CellFor(int column); // found or created
};

// What the header shows of a column.
struct GridColumn {
    QString title;
    Qt::Alignment alignment = Qt::AlignLeft;
};

// A column's settings, kept by column number: they outlive a refill that
// rebuilds the columns, as the form registers editors and colours once.
struct GridColumnInfo {
    CellEditor editor;
    bool readOnly = false;
    QColor background;
    QColor text;
    bool sortable = false;
    bool ascending = false;
    bool descending = false;
    GridSortKind sortKind = GridSortKind::None;
};

// The table behind CListCtrlEx: a vector of row records, so that a fill of
// many rows is one allocation per row and one reset, and colours are given
// through BackgroundRole/ForegroundRole by the grid's precedence
// (cell > row > column > defaults, an unset colour falling through).
// Indexes out of range make every operation do nothing.
class CGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit CGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    int RowCount() const { return static_cast<int>(rows_.size()); }
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    bool IsValidRow(int row) const { return row >= 0 && row < RowCount(); }
    bool IsValidCell(int row, int column) const;

    // Rows and columns replaced in one reset.
    void Reset(QList<GridColumn> columns, std::vector<GridRow> rows);
    // Rows replaced with one removal and one insertion; the columns (and the
    // header's widths) stay.
    void ReplaceRows(std::vector<GridRow> rows);
    int InsertRow(int row, GridRow record);
    void RemoveRow(int row);

    GridRow* Row(int row);
    const GridRow* Row(int row) const;
    QString CellText(int row, int column) const;
    void SetCellText(int row, int column, const QString& text);
    // Tells the views that a row's texts or colours changed.
    void RowChanged(int row);
    void CellChanged(int row, int column);

    const GridColumn* Column(int column) const;
    void SetColumnTitle(int column, const QString& title);
    void SetColumnAlignment(int column, Qt::Alignment alignment);

    GridColumnInfo* ColumnInfo(int column);
    const GridColumnInfo* ColumnInfo(int column) const;
    GridColumnInfo& ColumnInfoFor(int column); // found or created
    void ClearColumnInfos() { columnInfos_.clear(); }
    void ColumnColorsChanged(int column);

    void SetDefaultColors(const QColor& background, const QColor& text);
    QColor BackgroundAt(int row, int column) const;
    QColor TextColorAt(int row, int column) const;

    // Stable sort of the rows by the texts of one column; persistent indexes
    // (selection, current index) follow their rows.
    void SortRows(int column, GridSortKind kind, bool ascending);
    // Exchanges key, state and the texts from column `firstColumn` on.
    void SwapRowData(int a, int b, int firstColumn);

private:
    QColor ResolveColor(int row, int column, QColor GridCell::*cellColor, QColor GridRow::*rowColor,
                        QColor GridColumnInfo::*columnColor, const QColor& fallback) const;

    QList<GridColumn> columns_;
    std::vector<GridRow> rows_;
    std::map<int, GridColumnInfo> columnInfos_;
    QColor defaultBackground_ = QColor(255, 255, 255);
    QColor defaultText_ = QColor(0, 0, 0);
};

} // namespace zk
