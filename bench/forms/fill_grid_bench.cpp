// Filling the grid with 100,000 rows of 10 columns against filling a
// QStandardItemModel with the same texts. Each fill ends with its view shown
// and painted once, so both include what the user waits for.
#include "bench/harness/bench_harness.h"
#include "forms/grid/list_ctrl_ex.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTableView>

#include <cstdio>
#include <memory>

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 10;

// The query result as the grid receives it: a key field, then the columns.
struct QueryResult {
    QStringList header;
    QStringList cells;
};

QueryResult MakeResult()
{
    QueryResult result;
    result.header << QStringLiteral("uid_0");
    for (int column = 0; column < kColumns; ++column)
        result.header << QStringLiteral("field_%1").arg(column);
    result.cells.reserve(kRows * (kColumns + 1));
    for (int row = 0; row < kRows; ++row) {
        result.cells << QString::number(row + 1);
        for (int column = 0; column < kColumns; ++column)
            result.cells << QStringLiteral("r%1 c%2").arg(row).arg(column);
    }
    return result;
}

// The usual quick way with an item model: build a new model off the view,
// then attach it and drop the old one.
void FillItemModel(QTableView& view, const QueryResult& result)
{
    auto model = std::make_unique<QStandardItemModel>(kRows, kColumns);
    model->setHorizontalHeaderLabels(result.header.mid(1));
    qsizetype at = 0;
    for (int row = 0; row < kRows; ++row) {
        ++at; // the key field
        for (int column = 0; column < kColumns; ++column)
            model->setItem(row, column, new QStandardItem(result.cells[at++]));
    }
    QAbstractItemModel* old = view.model();
    view.setModel(model.release());
    delete old;
    view.viewport()->repaint();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QueryResult result = MakeResult();

    zk::CListCtrlEx grid;
    grid.resize(900, 600);
    grid.show();
    QTableView view;
    view.resize(900, 600);
    view.show();
    QCoreApplication::processEvents();

    const QString keys = grid.FillGrid(result.header, result.cells, false, "80");
    if (grid.RowCount() != kRows || grid.ColumnCount() != kColumns ||
        !keys.startsWith(QLatin1String("1,2,3"))) {
        std::fprintf(stderr, "bench_forms: the grid was not filled as expected\n");
        return 1;
    }
    const double ratio = zk::bench::Ratio(
        [&] {
            grid.FillGrid(result.header, result.cells, false, "80");
            grid.viewport()->repaint();
        },
        [&] { FillItemModel(view, result); }, 0.2, 3);
    zk::bench::Report("fillgrid_vs_itemmodel", ratio, "<=0.5");
    return 0;
}
