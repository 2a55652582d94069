#include "forms/grid/grid_editors.h"
#include "forms/grid/list_ctrl_ex.h"
#include "tests/common/test_env.h"
#include "tests/forms/grid_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

namespace zk::test {
namespace {

using GridRender = GridForm;

// Renders a filled grid with stripes, row and cell colours and an open editor,
// keeps the picture in the build folder for a look, and checks the colours.
TEST_F(GridRender, ColoursAndAnOpenEditorAreDrawn)
{
    auto* editor = MakeEditor<QComboBox>();
    editor->setEditable(true);
    editor->addItems({"螺栓", "螺母"});
    QStringList cells;
    for (int row = 0; row < 8; ++row)
        cells << QString::number(row + 1) << QStringLiteral("物料 %1").arg(row + 1)
              << QString::number((row + 1) * 125.5, 'f', 2)
              << "2024-05-0" + QString::number(row + 1);
    grid->FillGrid({"uid_0", "名称", "金额", "日期"}, cells, true, "50,160,110,-120");
    grid->SetColumnEditor(1, editor, DefaultBeginEdit, DefaultEndEdit);
    grid->SetRowColors(3, QColor(255, 235, 160), QColor(160, 0, 0));
    grid->SetCellColors(5, 2, QColor(200, 60, 60), QColor(255, 255, 255));
    ASSERT_TRUE(grid->BeginCellEdit(6, 1));
    QCoreApplication::processEvents();

    const QImage image = form->grab().toImage();
    const QString path = QDir::cleanPath(BinDir() + "/../grid_render.png");
    EXPECT_TRUE(image.save(path)) << path.toStdString();

    const auto colourNear = [&](int row, int column) {
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        const QPoint inCell = cell.bottomRight() - QPoint(3, 3);
        return image.pixelColor(grid->viewport()->mapTo(form.get(), inCell));
    };
    EXPECT_EQ(colourNear(0, 3), QColor(255, 255, 255));
    EXPECT_EQ(colourNear(1, 3), QColor(220, 230, 240));
    EXPECT_EQ(colourNear(3, 1), QColor(255, 235, 160));
    EXPECT_EQ(colourNear(5, 2), QColor(200, 60, 60));
    EXPECT_EQ(colourNear(5, 1), QColor(220, 230, 240));
    // The editor covers its cell.
    const QRect cell = grid->visualRect(grid->model()->index(6, 1));
    EXPECT_TRUE(editor->geometry().contains(grid->viewport()->mapTo(form.get(), cell.center())));
    EXPECT_EQ(editor->currentText(), "物料 7");
}

} // namespace
} // namespace zk::test
