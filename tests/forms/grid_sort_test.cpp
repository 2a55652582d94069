#include "forms/grid/grid_sort.h"
#include "forms/grid/list_ctrl_ex.h"
#include "forms/controls/locale_date.h"
#include "tests/forms/grid_fixture.h"

#include <QHeaderView>

#include <gtest/gtest.h>

namespace zk::test {
namespace {

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

TEST(GridCompare, ByKind)
{
    struct Case {
        GridSortKind kind;
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {GridSortKind::Text, "apple", "Banana", -1},
        {GridSortKind::Text, "ABC", "abc", 0},
        {GridSortKind::Number, "1,200", "950", 1},
        {GridSortKind::Number, "-3", "2", -1},
        {GridSortKind::Number, "1,000.5", "1000.50", 0},
        {GridSortKind::Number, "", "0", 0},
        {GridSortKind::Date, "2024-05-01", "2024/4/30", 1},
        {GridSortKind::Date, "2024-05-01 08:00", "2024-05-01 07:59:59", 1},
        {GridSortKind::Date, "2024年5月1日", "2024-05-01", 0},
        {GridSortKind::Date, "no date", "1999-01-01", -1},
        {GridSortKind::Date, "", "?", 0},
        {GridSortKind::None, "b", "a", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        EXPECT_EQ(Sign(CompareCellTexts(c.kind, c.a, c.b)), c.expected);
        EXPECT_EQ(Sign(CompareCellTexts(c.kind, c.b, c.a)), -c.expected);
    }
}

TEST(GridLocaleDate, Forms)
{
    EXPECT_EQ(ParseLocaleDateTime(" 2024-5-1 ").date(), QDate(2024, 5, 1));
    EXPECT_EQ(ParseLocaleDateTime("2024.05.01T13:45:30"),
              QDateTime(QDate(2024, 5, 1), QTime(13, 45, 30)));
    EXPECT_EQ(ParseLocaleDateTime("13:45"), QDateTime(QDate(1899, 12, 30), QTime(13, 45)));
    EXPECT_FALSE(ParseLocaleDateTime("2024-02-30").isValid());
    EXPECT_FALSE(ParseLocaleDateTime("25:00").isValid());
    EXPECT_FALSE(ParseLocaleDateTime("abc").isValid());
    EXPECT_FALSE(ParseLocaleDateTime("").isValid());
}

class GridSort : public GridForm {
protected:
    // Rows (key, name, amount): amounts with ties; keys tell rows apart.
    void SetUp() override
    {
        GridForm::SetUp();
        grid->FillGrid(
            {"k", "name", "amount", "fixed"},
            {"1", "b", "10", "x", "2", "C", "2", "x", "3", "a", "10", "x", "4", "d", "1,000", "x"},
            false, "80,80,-80");
        grid->SetColumnSort(0, GridSortKind::Text);
        grid->SetColumnSort(1, GridSortKind::Number);
        grid->SetColumnSort(2, GridSortKind::Text);
    }

    QList<int> Keys() const
    {
        QList<int> keys;
        for (int row = 0; row < grid->RowCount(); ++row)
            keys << grid->RowKey(row);
        return keys;
    }

    void ClickHeader(int column)
    {
        QHeaderView* header = grid->horizontalHeader();
        const QPoint centre(header->sectionViewportPosition(column) +
                                header->sectionSize(column) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
        Flush();
    }
};

TEST_F(GridSort, HeaderClicksSortAscendingThenAlternate)
{
    ClickHeader(0);
    EXPECT_EQ(Keys(), (QList<int>{3, 1, 2, 4}));
    EXPECT_EQ(grid->SortColumn(), 0);
    ClickHeader(0);
    EXPECT_EQ(Keys(), (QList<int>{4, 2, 1, 3}));
    // Sorting moves rows only: the columns keep their widths.
    EXPECT_EQ(grid->ColumnWidth(0), 80);
    EXPECT_EQ(grid->ColumnWidth(2), 80);
}

TEST_F(GridSort, EqualNumbersKeepTheirOrderInBothDirections)
{
    grid->SortByColumn(1, true);
    EXPECT_EQ(Keys(), (QList<int>{2, 1, 3, 4}));
    grid->SortByColumn(1, true);
    EXPECT_EQ(Keys(), (QList<int>{4, 1, 3, 2}));
    // Sorting again the same way leaves equal rows where they are.
    grid->SortByColumn(1, false);
    EXPECT_EQ(Keys(), (QList<int>{4, 1, 3, 2}));
}

TEST_F(GridSort, RowRecordsAndSelectionTravelWithTheirRows)
{
    grid->SetRowState(3, kRowEdited);
    grid->SetCellColors(3, 0, QColor(9, 9, 9), QColor());
    grid->SelectRow(3);
    grid->SortByColumn(0, true);
    ASSERT_EQ(grid->RowKey(3), 4);
    EXPECT_EQ(grid->RowState(3), kRowEdited);
    EXPECT_EQ(grid->CellBackground(3, 0), QColor(9, 9, 9));
    EXPECT_EQ(grid->SelectedRows(), QList<int>{3});

    grid->SortByColumn(0, true);
    EXPECT_EQ(grid->RowKey(0), 4);
    EXPECT_EQ(grid->SelectedRows(), QList<int>{0});
}

TEST_F(GridSort, UnsortableAndFixedColumnsIgnoreTheHeader)
{
    const QList<int> before = Keys();
    grid->SortByColumn(5, true);
    grid->SetColumnSort(1, GridSortKind::None);
    ClickHeader(1);
    EXPECT_EQ(Keys(), before);
    // Column 3 is fixed (negative width): a click does not sort it.
    ClickHeader(2);
    EXPECT_EQ(Keys(), before);
    EXPECT_EQ(grid->SortColumn(), -1);
}

} // namespace
} // namespace zk::test
