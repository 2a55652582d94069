#pragma once

#include "forms/grid/list_ctrl_ex.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace zk::test {

// A form window with one grid on it, shown and active, so that focus, clicks
// and keys behave as on screen. Editors are created as children of the form
// (siblings of the grid), as the control factory creates them.
class GridForm : public ::testing::Test {
public:
    void SetUp() override
    {
        form = std::make_unique<QWidget>();
        form->resize(640, 420);
        grid = new CListCtrlEx(form.get());
        grid->setGeometry(20, 30, 560, 300);
        grid->SetIdentity(12, 5, QStringLiteral("7"));
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void TearDown() override { form.reset(); }

    // Lets queued calls (the editor hook's requests) run.
    static void Flush()
    {
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::processEvents();
    }

    // Columns of the given titles with the given editors (nullptr: none), width 90.
    void SetupColumns(const QList<QWidget*>& editors)
    {
        QList<GridColumnDefinition> definitions;
        for (int n = 0; n < editors.size(); ++n) {
            GridColumnDefinition definition;
            definition.title = QStringLiteral("c%1").arg(n + 1);
            definition.width = 90;
            definition.editor = editors[n];
            definitions.append(definition);
        }
        grid->SetupColumns(definitions);
    }

    // Rows of texts "r<row>c<column>", keys 100 + row.
    void FillRows(int rows)
    {
        QStringList cells;
        for (int row = 0; row < rows; ++row) {
            cells << QString::number(100 + row);
            for (int column = 0; column < grid->ColumnCount(); ++column)
                cells << QStringLiteral("r%1c%2").arg(row).arg(column);
        }
        grid->FillRows(cells, false, grid->ColumnCount() + 1);
    }

    template <typename Editor> Editor* MakeEditor()
    {
        auto* editor = new Editor(form.get());
        editor->hide();
        return editor;
    }

    QPoint CellCenter(int row, int column) const
    {
        return grid->visualRect(grid->model()->index(row, column)).center();
    }

    void ClickCell(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, CellCenter(row, column));
        Flush();
    }

    // A key as the user types it: to the widget that has the focus.
    static void Type(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
        Flush();
    }

    std::unique_ptr<QWidget> form;
    CListCtrlEx* grid = nullptr;
};

} // namespace zk::test
