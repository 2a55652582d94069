#include "forms/grid/list_ctrl_ex.h"
#include "tests/common/test_env.h"
#include "tests/forms/grid_fixture.h"
#include "util/ini.h"

#include <gtest/gtest.h>

namespace zk::test {
namespace {

using GridFill = GridForm;

const QColor kWhite(255, 255, 255);
const QColor kStripe(220, 230, 240);
const QColor kBlack(0, 0, 0);

TEST_F(GridFill, KeysRowNumbersAndColumnsFromAQueryResult)
{
    const QStringList header{"uid_0", "name_0", "qty_0"};
    const QStringList cells{"7", "bolt", "3", "9", "nut", "1,200", "12", "washer", "5"};
    const QString keys = grid->FillGrid(header, cells, true, "40,120");

    EXPECT_EQ(keys, "7,9,12");
    ASSERT_EQ(grid->ColumnCount(), 3);
    EXPECT_EQ(grid->HeaderText(0), "行号");
    EXPECT_EQ(grid->HeaderText(1), "name_0");
    EXPECT_EQ(grid->HeaderText(2), "qty_0");
    EXPECT_EQ(grid->ColumnAlignment(0), Qt::AlignLeft);
    EXPECT_EQ(grid->ColumnAlignment(1), Qt::AlignHCenter);

    ASSERT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(grid->RowKey(1), 9);
    EXPECT_EQ(grid->CellText(1, 0), "2");
    EXPECT_EQ(grid->CellText(1, 1), "nut");
    EXPECT_EQ(grid->CellText(1, 2), "1,200");
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(grid->RowState(row), kRowLoaded);
}

TEST_F(GridFill, WithoutTheRowNumberFlagEveryFieldIsAColumn)
{
    grid->SetRowNumberFlag(false);
    const QString keys = grid->FillGrid({"a", "b"}, {"1", "x", "2", "y", "3"}, false, "");
    EXPECT_EQ(keys, "");
    ASSERT_EQ(grid->ColumnCount(), 2);
    EXPECT_EQ(grid->HeaderText(0), "a");
    // A short last row is filled as far as it goes.
    ASSERT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(grid->CellText(2, 0), "3");
    EXPECT_EQ(grid->CellText(2, 1), "");
    EXPECT_EQ(grid->RowKey(0), 0);
}

TEST_F(GridFill, WidthEntries)
{
    struct Case {
        const char* widths;
        QList<int> expected;
        QString fixed;
    };
    const Case cases[] = {
        {"", {50, 50, 50}, ""},
        {"80", {80, 80, 80}, ""},
        {"80,60,", {80, 60, 60}, ""}, // a trailing "," is no entry of width 0
        {"30,-70", {30, 70, 70}, ",2,3,"},
        {"-20,90,10", {20, 90, 10}, ",1,"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.widths);
        CListCtrlEx fresh;
        fresh.FillGrid({"k", "a", "b", "c"}, {}, false, c.widths);
        ASSERT_EQ(fresh.ColumnCount(), 3);
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(fresh.ColumnWidth(column), c.expected[column]) << column;
        EXPECT_EQ(fresh.FixedColumnList(), c.fixed);
    }
}

TEST_F(GridFill, FillRowsKeepsTheColumnsAndTheirWidths)
{
    grid->FillGrid({"k", "a", "b"}, {"1", "x", "y"}, true, "33,44,55");
    const QString keys = grid->FillRows({"5", "p", "q", "6", "r", "s"}, true, 3);
    EXPECT_EQ(keys, "5,6");
    ASSERT_EQ(grid->ColumnCount(), 3);
    EXPECT_EQ(grid->ColumnWidth(2), 55);
    ASSERT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->CellText(1, 0), "2");
    EXPECT_EQ(grid->CellText(1, 2), "s");
    EXPECT_EQ(grid->RowKey(1), 6);
}

TEST_F(GridFill, RowsAreStripedUnlessColouredByColumn)
{
    grid->FillGrid({"k", "a"}, {"1", "x", "2", "y", "3", "z"}, false, "");
    EXPECT_EQ(grid->CellBackground(0, 0), kWhite);
    EXPECT_EQ(grid->CellBackground(1, 0), kStripe);
    EXPECT_EQ(grid->CellBackground(2, 0), kWhite);
    EXPECT_EQ(grid->CellTextColor(1, 0), kBlack);
    // A row inserted later is striped by its own position.
    EXPECT_EQ(grid->InsertRow(3, "w"), 3);
    EXPECT_EQ(grid->CellBackground(3, 0), kStripe);

    grid->SetColorByColumn(true);
    grid->SetColumnColors(0, QColor(250, 240, 200), QColor(0, 0, 160));
    grid->FillRows({"1", "x", "2", "y"}, false, 2);
    EXPECT_EQ(grid->CellBackground(1, 0), QColor(250, 240, 200));
    EXPECT_EQ(grid->CellTextColor(1, 0), QColor(0, 0, 160));
}

TEST_F(GridFill, ColourPrecedenceCellRowColumnDefault)
{
    grid->SetColorByColumn(true);
    grid->FillGrid({"k", "a", "b"}, {"1", "x", "y"}, false, "");
    const QColor column(10, 10, 10), row(20, 20, 20), cell(30, 30, 30), none;
    const QColor base = grid->palette().color(QPalette::Base);
    struct Case {
        QColor column, row, cell, expected;
    };
    const Case cases[] = {
        {none, none, none, base},  {column, none, none, column}, {column, row, none, row},
        {column, row, cell, cell}, {none, none, cell, cell},     {column, none, cell, cell},
    };
    for (const Case& c : cases) {
        grid->SetColumnColors(1, c.column, c.column);
        grid->SetRowColors(0, c.row, c.row);
        grid->SetCellColors(0, 1, c.cell, c.cell);
        EXPECT_EQ(grid->CellBackground(0, 1), c.expected);
        // The other cell of the row has no cell colours of its own.
        EXPECT_EQ(grid->CellBackground(0, 0), c.row.isValid() ? c.row : base);
        // What the view paints comes from the same precedence.
        const QModelIndex index = grid->model()->index(0, 1);
        EXPECT_EQ(index.data(Qt::BackgroundRole).value<QBrush>().color(), c.expected);
        EXPECT_EQ(index.data(Qt::ForegroundRole).value<QBrush>().color(),
                  c.expected == base ? grid->palette().color(QPalette::Text) : c.expected);
    }
}

TEST_F(GridFill, RowStatesRenumberingAndMovingRows)
{
    grid->FillGrid({"k", "n", "a"}, {"1", "1", "x", "2", "2", "y", "3", "3", "z"}, false, "");
    grid->SetRowState(1, kRowNew);
    grid->MarkRowEdited(1);
    EXPECT_EQ(grid->RowState(1), kRowNew); // a new row stays new
    grid->MarkRowEdited(2);
    EXPECT_EQ(grid->RowState(2), kRowEdited);

    grid->DeleteRow(0);
    grid->RenumberRows(0);
    EXPECT_EQ(grid->CellText(0, 0), "1");
    EXPECT_EQ(grid->CellText(1, 0), "2");
    EXPECT_EQ(grid->RowState(0), kRowNew);
    EXPECT_EQ(grid->RowState(1), kRowEdited);

    grid->InsertRow(0, "x");
    grid->RenumberRows(0);
    EXPECT_EQ(grid->RowState(0), kRowMoved);

    // The row number stays; key, state and the other texts travel.
    grid->SwapRowData(1, 2);
    EXPECT_EQ(grid->CellText(1, 0), "2");
    EXPECT_EQ(grid->CellText(1, 1), "z");
    EXPECT_EQ(grid->RowKey(1), 3);
    EXPECT_EQ(grid->RowState(1), kRowEdited);
    EXPECT_EQ(grid->RowKey(2), 2);

    EXPECT_EQ(grid->RowState(99), -1);
    EXPECT_EQ(grid->InsertRow(-1, "bad"), -1);
    grid->DeleteAllRows();
    EXPECT_EQ(grid->RowCount(), 0);
    EXPECT_EQ(grid->ColumnCount(), 2);
}

class GridColumnsFromDefinition : public GridForm {
protected:
    ScopedHome home;

    static GridColumnDefinition Column(int width, int type = 0)
    {
        GridColumnDefinition definition;
        definition.title = QStringLiteral("w%1").arg(width);
        definition.width = width;
        definition.type = type;
        return definition;
    }
};

TEST_F(GridColumnsFromDefinition, HiddenFixedAndSavedWidthsPerUser)
{
    // User 7 saved 80 pixels for columns 1 and 3 of element 5 on form 12.
    ASSERT_TRUE(WriteIni("cfg.ini", "TABLECOLS", SavedWidthKey(12, 5, 1, "7"), "80"));
    ASSERT_TRUE(WriteIni("cfg.ini", "TABLECOLS", SavedWidthKey(12, 5, 3, "7"), "80"));
    ASSERT_TRUE(WriteIni("cfg.ini", "TABLECOLS", SavedWidthKey(12, 5, 4, "7"), "0"));
    const QList<GridColumnDefinition> definitions{Column(100), Column(0), Column(-45, -1),
                                                  Column(60), Column(70, -1)};
    grid->SetupColumns(definitions);

    EXPECT_EQ(SavedWidthKey(12, 5, 1, "7"), "T12_5_1_7");
    EXPECT_EQ(grid->ColumnWidth(0), 80);
    EXPECT_EQ(grid->ColumnWidth(1), 0);
    EXPECT_EQ(grid->ColumnWidth(2), 45); // negative with type -1: no look-up
    EXPECT_EQ(grid->ColumnWidth(3), 60); // a saved 0 does not hide a column
    EXPECT_EQ(grid->ColumnWidth(4), 70);
    EXPECT_EQ(grid->HiddenColumnList(), ",2,");
    EXPECT_EQ(grid->FixedColumnList(), ",2,3,5,");

    // Another user keeps the defined widths; so does a form numbered 0.
    grid->SetIdentity(12, 5, "8");
    grid->SetupColumns(definitions);
    EXPECT_EQ(grid->ColumnWidth(0), 100);
    grid->SetIdentity(0, 5, "7");
    grid->SetupColumns(definitions);
    EXPECT_EQ(grid->ColumnWidth(0), 100);
}

TEST_F(GridColumnsFromDefinition, AlignmentColoursAndCollapse)
{
    GridColumnDefinition right = Column(50);
    right.format = 1;
    right.background = QColor(1, 2, 3);
    GridColumnDefinition centre = Column(50);
    centre.format = 2;
    grid->SetColorByColumn(true);
    grid->SetupColumns({right, centre});
    grid->InsertRow(0, "a");
    EXPECT_EQ(grid->ColumnAlignment(0), Qt::AlignRight);
    EXPECT_EQ(grid->ColumnAlignment(1), Qt::AlignHCenter);
    EXPECT_EQ(grid->CellBackground(0, 0), QColor(1, 2, 3));
    EXPECT_EQ(grid->CellBackground(0, 1), kWhite); // the definition's default

    // Collapsing and showing again, as lock_col and show_cols do.
    grid->SetColumnWidth(1, 0);
    EXPECT_EQ(grid->ColumnWidth(1), 0);
    grid->SetColumnWidth(1, 60);
    EXPECT_EQ(grid->ColumnWidth(1), 60);
    grid->AddFixedColumn(2);
    grid->AddFixedColumn(2);
    EXPECT_EQ(grid->FixedColumnList(), ",2,");
}

} // namespace
} // namespace zk::test
