// Building the columns of a grid and filling its rows.

#include "forms/grid/list_ctrl_ex.h"

#include "forms/grid/grid_editors.h"
#include "forms/grid/grid_model.h"
#include "forms/grid/header_ctrl_zk.h"
#include "util/ini.h"
#include "util/numbers.h"

#include <cstdlib>

namespace zk {

namespace {

const QString kIniFile = QStringLiteral("cfg.ini");
const QString kWidthSection = QStringLiteral("TABLECOLS");
constexpr int kDefaultFillWidth = 50;

Qt::Alignment AlignmentOfFormat(int format)
{
    switch (format) {
    case 1:
        return Qt::AlignRight;
    case 2:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

// The entries of a width text "w1,w2,...". Empty pieces are no entries, so
// that "" or a trailing "," never yields a column of width 0.
QList<int> WidthEntries(const QString& widthText)
{
    QList<int> entries;
    for (const QString& piece : widthText.split(QLatin1Char(','))) {
        if (!piece.trimmed().isEmpty())
            entries.append(ToInt(piece));
    }
    return entries;
}

// Keeps the view from repainting while a fill runs, and restores what it was.
class UpdatesPaused {
public:
    explicit UpdatesPaused(QWidget* widget)
        : widget_(widget)
        , wasEnabled_(widget->updatesEnabled())
    {
        widget_->setUpdatesEnabled(false);
    }
    ~UpdatesPaused() { widget_->setUpdatesEnabled(wasEnabled_); }
    UpdatesPaused(const UpdatesPaused&) = delete;
    UpdatesPaused& operator=(const UpdatesPaused&) = delete;

private:
    QWidget* widget_;
    bool wasEnabled_;
};

} // namespace

int CListCtrlEx::ReadSavedWidth(int column) const
{
    if (formNumber_ <= 0)
        return 0;
    const QString saved = ReadIni(kIniFile, kWidthSection,
                                  SavedWidthKey(formNumber_, elementId_, column + 1, userUid_));
    return saved.isEmpty() ? 0 : ToInt(saved);
}

void CListCtrlEx::SaveColumnWidth(int column, int width)
{
    if (formNumber_ > 0)
        WriteIni(kIniFile, kWidthSection,
                 SavedWidthKey(formNumber_, elementId_, column + 1, userUid_),
                 QString::number(width));
    emit columnDragResized(column, width);
}

void CListCtrlEx::SetupColumns(const QList<GridColumnDefinition>& definitions)
{
    EndCellEdit(false);
    fixedColumns_.clear();
    hiddenColumns_.clear();
    model_->ClearColumnInfos();
    sortColumn_ = -1;
    QList<GridColumn> columns;
    QList<int> widths;
    for (int n = 0; n < definitions.size(); ++n) {
        const GridColumnDefinition& definition = definitions[n];
        if (definition.editor)
            SetColumnEditor(n, definition.editor, DefaultBeginEdit, DefaultEndEdit);
        int width = definition.width;
        bool fixed = definition.type == -1;
        if (width == 0) {
            hiddenColumns_.append(n + 1);
            fixed = true;
        } else if (width > 0) {
            // Only a positive value counts: a damaged entry must not hide a column.
            const int saved = ReadSavedWidth(n);
            if (saved > 0)
                width = saved;
        }
        columns.append(GridColumn{definition.title, AlignmentOfFormat(definition.format)});
        widths.append(std::abs(width));
        SetColumnColors(n, definition.background, definition.text);
        if (fixed)
            fixedColumns_.append(n + 1);
        if (definition.sort >= 1 && definition.sort <= 3)
            SetColumnSort(n, static_cast<GridSortKind>(definition.sort));
    }
    UpdatesPaused paused(this);
    model_->Reset(std::move(columns), {});
    ApplyColumnWidths(widths);
}

std::vector<GridRow> CListCtrlEx::BuildRows(const QStringList& cellTexts, int fieldCount,
                                            bool rowNumberColumn, QString& keyList) const
{
    std::vector<GridRow> rows;
    if (fieldCount <= 0)
        return rows;
    const qsizetype total = cellTexts.size();
    const qsizetype rowCount = (total + fieldCount - 1) / fieldCount;
    const int skip = rowNumberFlag_ ? 1 : 0;
    rows.reserve(rowCount);
    for (qsizetype index = 0; index < rowCount; ++index) {
        const qsizetype start = index * fieldCount;
        const qsizetype end = std::min<qsizetype>(start + fieldCount, total);
        GridRow row;
        row.texts.reserve(fieldCount - skip + (rowNumberColumn ? 1 : 0));
        if (rowNumberFlag_) {
            row.key = ToInt(cellTexts[start]);
            keyList += cellTexts[start];
            keyList += QLatin1Char(',');
        }
        if (rowNumberColumn)
            row.texts.append(QString::number(index + 1));
        for (qsizetype field = start + skip; field < end; ++field)
            row.texts.append(cellTexts[field]);
        ApplyStripes(row, static_cast<int>(index));
        rows.push_back(std::move(row));
    }
    if (keyList.endsWith(QLatin1Char(',')))
        keyList.chop(1);
    return rows;
}

QString CListCtrlEx::FillGrid(const QStringList& headerNames, const QStringList& cellTexts,
                              bool rowNumberColumn, const QString& widthText)
{
    EndCellEdit(false);
    UpdatesPaused paused(this);
    const QList<int> entries = WidthEntries(widthText);
    QList<GridColumn> columns;
    if (rowNumberColumn)
        columns.append(GridColumn{QStringLiteral("行号"), Qt::AlignLeft});
    for (qsizetype field = rowNumberFlag_ ? 1 : 0; field < headerNames.size(); ++field)
        columns.append(GridColumn{headerNames[field], Qt::AlignHCenter});

    QList<int> widths;
    for (int k = 0; k < columns.size(); ++k) {
        int width = k < entries.size() ? entries[k]
                                       : (entries.isEmpty() ? kDefaultFillWidth : entries.last());
        if (width < 0) {
            width = -width;
            AddFixedColumn(k + 1);
        }
        widths.append(width);
    }

    QString keyList;
    std::vector<GridRow> rows =
        BuildRows(cellTexts, static_cast<int>(headerNames.size()), rowNumberColumn, keyList);
    model_->Reset(std::move(columns), std::move(rows));
    sortColumn_ = -1;
    header_->setSortIndicatorShown(false);
    ApplyColumnWidths(widths);
    return keyList;
}

QString CListCtrlEx::FillRows(const QStringList& cellTexts, bool rowNumberColumn, int fieldCount)
{
    EndCellEdit(false);
    UpdatesPaused paused(this);
    QString keyList;
    model_->ReplaceRows(BuildRows(cellTexts, fieldCount, rowNumberColumn, keyList));
    return keyList;
}

} // namespace zk
