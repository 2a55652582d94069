#include "forms/grid/grid_editors.h"
#include "forms/grid/list_ctrl_ex.h"
#include "tests/common/test_env.h"
#include "tests/forms/grid_fixture.h"
#include "util/ini.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace zk::test {
namespace {

class GridHeader : public GridForm {
public:
    ScopedHome home;

    void SetUp() override
    {
        GridForm::SetUp();
        QList<GridColumnDefinition> definitions;
        for (int width : {100, 0, 80, 90}) {
            GridColumnDefinition definition;
            definition.width = width;
            definition.title = QStringLiteral("w%1").arg(width);
            definitions.append(definition);
        }
        definitions[2].type = -1;
        grid->SetupColumns(definitions);
    }

    // Drags the header divider at x by dx pixels.
    void DragDivider(int x, int dx)
    {
        QWidget* header = grid->horizontalHeader()->viewport();
        const int y = grid->horizontalHeader()->height() / 2;
        const auto send = [&](QEvent::Type type, int at, Qt::MouseButtons buttons) {
            const QPoint point(at, y);
            QMouseEvent event(type, point, header->mapToGlobal(point), Qt::LeftButton, buttons,
                              Qt::NoModifier);
            QApplication::sendEvent(header, &event);
        };
        send(QEvent::MouseButtonPress, x, Qt::LeftButton);
        for (int step = 1; step <= 4; ++step)
            send(QEvent::MouseMove, x + dx * step / 4, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, x + dx, Qt::NoButton);
        Flush();
    }

    int RightEdge(int column) const
    {
        const QHeaderView* header = grid->horizontalHeader();
        return header->sectionViewportPosition(column) + header->sectionSize(column) - 1;
    }
};

TEST_F(GridHeader, ADividerDragSavesTheWidthForThisUserOnly)
{
    QSignalSpy resized(grid, &CListCtrlEx::columnDragResized);
    DragDivider(RightEdge(0), 30);
    EXPECT_EQ(grid->ColumnWidth(0), 130);
    ASSERT_EQ(resized.count(), 1);
    EXPECT_EQ(resized[0][1].toInt(), 130);
    EXPECT_EQ(ReadIni("cfg.ini", "TABLECOLS", "T12_5_1_7"), "130");
    EXPECT_EQ(ReadIni("cfg.ini", "TABLECOLS", "T12_5_1_8"), "");
}

TEST_F(GridHeader, HiddenAndFixedColumnsCannotBeResized)
{
    // Column 2 (width 0) sits right of column 1's divider: dragging there
    // resizes column 1 and never opens the hidden one.
    DragDivider(RightEdge(0) + 1, 40);
    EXPECT_EQ(grid->ColumnWidth(1), 0);
    // Column 3 is fixed (type -1): its divider does not move.
    DragDivider(RightEdge(2), 40);
    EXPECT_EQ(grid->ColumnWidth(2), 80);
    EXPECT_EQ(ReadIni("cfg.ini", "TABLECOLS", "T12_5_3_7"), "");
    // A fixed column's caption ignores clicks.
    QSignalSpy clicked(grid, &CListCtrlEx::headerClicked);
    const QHeaderView* header = grid->horizontalHeader();
    const QPoint caption(header->sectionViewportPosition(2) + 40, header->height() / 2);
    QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      caption);
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(GridHeader, ClickingAHeaderEndsTheEditWithCommit)
{
    auto* editor = MakeEditor<QLineEdit>();
    grid->SetColumnEditor(3, editor, DefaultBeginEdit, DefaultEndEdit);
    grid->SetColumnSort(0, GridSortKind::Text);
    grid->InsertRow(0, "b");
    grid->InsertRow(1, "a");
    ASSERT_TRUE(grid->BeginCellEdit(0, 3));
    editor->setText("typed");
    QSignalSpy clicked(grid, &CListCtrlEx::headerClicked);
    const QHeaderView* header = grid->horizontalHeader();
    QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(0) + 40, header->height() / 2));
    Flush();
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(grid->CellText(0, 0), "a");
    EXPECT_EQ(grid->CellText(1, 3), "typed"); // the edited row moved down
}

} // namespace
} // namespace zk::test
