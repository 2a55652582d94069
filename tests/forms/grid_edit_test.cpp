#include "forms/controls/zk_edit.h"
#include "forms/grid/grid_editors.h"
#include "forms/grid/list_ctrl_ex.h"
#include "tests/forms/grid_fixture.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>

namespace zk::test {
namespace {

struct EditedCall {
    int windowId;
    int row;
    int column;
    bool operator==(const EditedCall&) const = default;
};

class GridEdit : public GridForm {
public:
    void SetUp() override
    {
        GridForm::SetUp();
        grid->SetCellEditedHandler([this](int windowId, int row, int column) {
            edited.append(EditedCall{windowId, row, column});
        });
    }

    // Three columns edited by line edits except the middle one, three rows.
    void SetupLineEdits()
    {
        first = MakeEditor<QLineEdit>();
        third = MakeEditor<QLineEdit>();
        SetupColumns({first, nullptr, third});
        FillRows(3);
    }

    QList<EditedCall> edited;
    QLineEdit* first = nullptr;
    QLineEdit* third = nullptr;
};

// Each kind of editor: what the begin step shows, a change by the user, and
// what the cell holds after Enter.
TEST_F(GridEdit, EachEditorKindRoundTrips)
{
    struct Kind {
        const char* name;
        std::function<QWidget*(GridEdit&)> make;
        QString cellText;
        std::function<QString(QWidget*)> shown;
        std::function<void(QWidget*)> change;
        QString result;
    };
    const Kind kinds[] = {
        {"line edit", [](GridEdit& t) -> QWidget* { return t.MakeEditor<QLineEdit>(); }, "abc",
         [](QWidget* w) {
             auto* line = static_cast<QLineEdit*>(w);
             return line->selectedText() == line->text() ? line->text() : QString("not selected");
         },
         [](QWidget* w) { QTest::keyClicks(w, "xyz"); }, "xyz"},
        {"plain text", [](GridEdit& t) -> QWidget* { return t.MakeEditor<QPlainTextEdit>(); },
         "one", [](QWidget* w) { return static_cast<QPlainTextEdit*>(w)->toPlainText(); },
         [](QWidget* w) { static_cast<QPlainTextEdit*>(w)->setPlainText("two"); }, "two"},
        {"editable combo",
         [](GridEdit& t) -> QWidget* {
             auto* combo = t.MakeEditor<QComboBox>();
             combo->setEditable(true);
             combo->addItems({"red", "green"});
             return combo;
         },
         "typed", [](QWidget* w) { return static_cast<QComboBox*>(w)->currentText(); },
         [](QWidget* w) { static_cast<QComboBox*>(w)->setEditText("blue"); }, "blue"},
        {"drop list",
         [](GridEdit& t) -> QWidget* {
             auto* combo = t.MakeEditor<QComboBox>();
             combo->addItems({"red", "green", "blue"});
             return combo;
         },
         "green", [](QWidget* w) { return static_cast<QComboBox*>(w)->currentText(); },
         [](QWidget* w) { static_cast<QComboBox*>(w)->setCurrentIndex(2); }, "blue"},
        {"date picker",
         [](GridEdit& t) -> QWidget* {
             auto* date = t.MakeEditor<QDateEdit>();
             date->setDisplayFormat("yyyy-MM-dd");
             return date;
         },
         "2024/5/1", [](QWidget* w) { return static_cast<QDateEdit*>(w)->text(); },
         [](QWidget* w) { static_cast<QDateEdit*>(w)->setDate(QDate(2024, 6, 2)); }, "2024-06-02"},
        {"compound box", // a control that wraps the edit that is in use
         [](GridEdit& t) -> QWidget* {
             auto* box = t.MakeEditor<QWidget>();
             (new QLineEdit(box))->hide();
             auto* inner = new QPlainTextEdit(box);
             box->setFocusProxy(inner);
             return box;
         },
         "inside", [](QWidget* w) { return w->findChild<QPlainTextEdit*>()->toPlainText(); },
         [](QWidget* w) { w->findChild<QPlainTextEdit*>()->setPlainText("changed"); }, "changed"},
        {"multi-line form box", // a line edit whose text lives in its text box child
         [](GridEdit& t) -> QWidget* {
             auto* box = new ZkEdit(4, t.form.get());
             box->hide();
             return box;
         },
         "备注", [](QWidget* w) { return static_cast<ZkEdit*>(w)->Text(); },
         [](QWidget* w) { static_cast<ZkEdit*>(w)->SetText("改过"); }, "改过"},
    };
    const QString shownAtBegin[] = {"abc", "one", "typed", "green", "2024-05-01", "inside", "备注"};
    int index = 0;
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        QWidget* editor = kind.make(*this);
        SetupColumns({nullptr, editor});
        FillRows(2);
        grid->SetCellText(1, 1, kind.cellText);
        edited.clear();

        ASSERT_TRUE(grid->BeginCellEdit(1, 1));
        EXPECT_TRUE(editor->isVisible());
        EXPECT_TRUE(IsWidgetWithin(QApplication::focusWidget(), editor));
        EXPECT_EQ(kind.shown(editor), shownAtBegin[index++]);
        kind.change(editor);
        Type(Qt::Key_Return);

        EXPECT_FALSE(grid->IsEditing());
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(grid->CellText(1, 1), kind.result);
        EXPECT_EQ(grid->RowState(1), kRowEdited);
        EXPECT_EQ(edited, (QList<EditedCall>{{5 + 1024, 1, 1}}));
        EXPECT_EQ(grid->RowState(0), kRowLoaded);
    }
}

TEST_F(GridEdit, UnchangedTextLeavesTheStateAndRunsNoHandler)
{
    auto* list = MakeEditor<QComboBox>();
    list->addItems({"red", "green"});
    auto* date = MakeEditor<QDateEdit>();
    SetupColumns({MakeEditor<QLineEdit>(), list, date});
    FillRows(1);
    grid->SetCellText(0, 1, "purple"); // not an item of the drop list
    grid->SetCellText(0, 2, "");       // no date

    for (int column = 0; column < 3; ++column) {
        ASSERT_TRUE(grid->BeginCellEdit(0, column));
        grid->EndCellEdit(true);
    }
    EXPECT_EQ(grid->CellText(0, 0), "r0c0");
    EXPECT_EQ(grid->CellText(0, 1), "purple");
    EXPECT_EQ(grid->CellText(0, 2), "");
    EXPECT_EQ(grid->RowState(0), kRowLoaded);
    EXPECT_TRUE(edited.isEmpty());
}

TEST_F(GridEdit, EscapeCancelsWithoutCallingBack)
{
    SetupLineEdits();
    ASSERT_TRUE(grid->BeginCellEdit(0, 0));
    QTest::keyClicks(first, "changed");
    Type(Qt::Key_Escape);
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(grid->CellText(0, 0), "r0c0");
    EXPECT_EQ(grid->RowState(0), kRowLoaded);
    EXPECT_TRUE(edited.isEmpty());
}

TEST_F(GridEdit, FocusElsewhereOrAClickOutsideCommits)
{
    SetupLineEdits();
    auto* other = new QLineEdit(form.get());
    other->setGeometry(20, 340, 100, 24);
    other->show();
    auto* button = new QPushButton("b", form.get());
    button->setGeometry(200, 340, 60, 24);
    button->show();

    ASSERT_TRUE(grid->BeginCellEdit(0, 0));
    first->setText("by focus");
    other->setFocus();
    Flush();
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(grid->CellText(0, 0), "by focus");

    ASSERT_TRUE(grid->BeginCellEdit(1, 0));
    first->setText("by click");
    QTest::mouseClick(button, Qt::LeftButton);
    Flush();
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(grid->CellText(1, 0), "by click");

    // A wheel turn over the grid commits too.
    ASSERT_TRUE(grid->BeginCellEdit(1, 2));
    third->setText("by wheel");
    const QPoint at = CellCenter(0, 1);
    QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &wheel);
    Flush();
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(grid->CellText(1, 2), "by wheel");

    // A click inside the editor keeps it open.
    ASSERT_TRUE(grid->BeginCellEdit(2, 0));
    QTest::mouseClick(first, Qt::LeftButton);
    Flush();
    EXPECT_TRUE(grid->IsEditing());
}

TEST_F(GridEdit, AnOpenDropDownKeepsTheEditOpen)
{
    auto* combo = MakeEditor<QComboBox>();
    combo->addItems({"a", "b"});
    SetupColumns({combo});
    FillRows(1);
    ASSERT_TRUE(grid->BeginCellEdit(0, 0));
    combo->showPopup();
    Flush();
    ASSERT_TRUE(IsEditorPopupOpen(combo));
    // Keys go to the list; Escape closes it instead of cancelling the edit.
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    Flush();
    EXPECT_TRUE(grid->IsEditing());
    combo->hidePopup();
    Flush();
    EXPECT_FALSE(IsEditorPopupOpen(combo));
    EXPECT_TRUE(grid->IsEditing());
}

TEST_F(GridEdit, EditorIsPlacedOverTheCellInItsParentsCoordinates)
{
    SetupLineEdits();
    ASSERT_TRUE(grid->BeginCellEdit(2, 2));
    const QRect cell = grid->visualRect(grid->model()->index(2, 2));
    const QPoint expected = grid->viewport()->mapTo(form.get(), cell.topLeft());
    EXPECT_EQ(third->parentWidget(), form.get());
    EXPECT_EQ(third->geometry(), QRect(expected, cell.size()));
    EXPECT_EQ(grid->EditRow(), 2);
    EXPECT_EQ(grid->NavigationColumn(), 2);
}

TEST_F(GridEdit, TabWalksTheEditableCellsAndStopsAtTheEnd)
{
    SetupLineEdits();
    grid->SetCellReadOnly(1, 0, true);
    // No navigation cell yet: Tab starts at the first cell.
    grid->setFocus();
    Type(Qt::Key_Tab);
    using Cell = std::pair<int, int>;
    QList<Cell> visited{{grid->EditRow(), grid->EditColumn()}};
    for (int step = 0; step < 4; ++step) {
        Type(Qt::Key_Tab);
        visited.append({grid->EditRow(), grid->EditColumn()});
    }
    EXPECT_EQ(visited, (QList<Cell>{{0, 0}, {0, 2}, {1, 2}, {2, 0}, {2, 2}}));

    // At the last cell of the last row Tab ends the edit and does not wrap.
    third->setText("last");
    Type(Qt::Key_Tab);
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(grid->CellText(2, 2), "last");
    EXPECT_EQ(QApplication::focusWidget(), grid);

    // Shift+Tab from the navigation cell goes back.
    Type(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(std::make_pair(grid->EditRow(), grid->EditColumn()), Cell(2, 0));
    Type(Qt::Key_Backtab);
    EXPECT_EQ(std::make_pair(grid->EditRow(), grid->EditColumn()), Cell(1, 2));
}

TEST_F(GridEdit, EnterCommitsAndMovesOnArrowsMoveUpAndDown)
{
    SetupLineEdits();
    ASSERT_TRUE(grid->BeginCellEdit(0, 0));
    first->setText("entered");
    Type(Qt::Key_Enter);
    EXPECT_EQ(grid->CellText(0, 0), "entered");
    EXPECT_EQ(std::make_pair(grid->EditRow(), grid->EditColumn()), std::make_pair(0, 2));

    Type(Qt::Key_Down);
    EXPECT_EQ(std::make_pair(grid->EditRow(), grid->EditColumn()), std::make_pair(1, 2));
    Type(Qt::Key_Down);
    Type(Qt::Key_Down); // no row below: the edit stays where it is
    EXPECT_EQ(std::make_pair(grid->EditRow(), grid->EditColumn()), std::make_pair(2, 2));
    Type(Qt::Key_Up);
    EXPECT_EQ(grid->EditRow(), 1);
}

TEST_F(GridEdit, EditorChoiceAndLocksByLevel)
{
    SetupLineEdits();
    auto* rowEditor = MakeEditor<QLineEdit>();
    auto* cellEditor = MakeEditor<QLineEdit>();
    grid->SetRowEditor(1, rowEditor, {}, {});
    grid->SetCellEditor(1, 0, cellEditor, {}, {});

    ASSERT_TRUE(grid->BeginCellEdit(1, 0));
    EXPECT_EQ(grid->ActiveEditor(), cellEditor);
    ASSERT_TRUE(grid->BeginCellEdit(1, 1)); // no column editor, but the row's
    EXPECT_EQ(grid->ActiveEditor(), rowEditor);
    ASSERT_TRUE(grid->BeginCellEdit(0, 0));
    EXPECT_EQ(grid->ActiveEditor(), first);
    EXPECT_FALSE(grid->BeginCellEdit(0, 1));
    EXPECT_FALSE(grid->IsEditing());

    grid->SetColumnReadOnly(2, true);
    EXPECT_FALSE(grid->BeginCellEdit(0, 2));
    grid->SetRowReadOnly(2, true);
    EXPECT_FALSE(grid->BeginCellEdit(2, 0));
    grid->SetColumnWidth(0, 0); // collapsed
    EXPECT_FALSE(grid->BeginCellEdit(0, 0));
    EXPECT_FALSE(grid->BeginCellEdit(7, 0));
    EXPECT_FALSE(grid->BeginCellEdit(0, -1));
}

TEST_F(GridEdit, CallbacksOfTheEditor)
{
    SetupLineEdits();
    QStringList calls;
    grid->SetColumnSort(0, GridSortKind::Text);
    grid->SetColumnEditor(
        0, first,
        [&](CListCtrlEx&, QWidget* editor, int row, int column, const QString& text) {
            calls << QStringLiteral("begin %1 %2 %3").arg(row).arg(column).arg(text);
            static_cast<QLineEdit*>(editor)->setText(text.toUpper());
        },
        [&](CListCtrlEx&, QWidget*, int row, int, QString& text, int key) {
            calls << QStringLiteral("end %1 %2").arg(row).arg(key);
            text = QStringLiteral("zz");
            return -1; // write and sort again
        });
    ASSERT_TRUE(grid->BeginCellEdit(0, 0));
    EXPECT_EQ(first->text(), "R0C0");
    grid->EndCellEdit(true);
    EXPECT_EQ(calls, (QStringList{"begin 0 0 r0c0", "end 0 100"}));
    // "zz" was written, and the sort (descending: never sorted before) moved it up.
    EXPECT_EQ(grid->CellText(0, 0), "zz");
    EXPECT_EQ(grid->RowKey(0), 100);
    EXPECT_EQ(grid->CellText(2, 0), "r1c0");

    // Without commit the end callback does not run.
    calls.clear();
    ASSERT_TRUE(grid->BeginCellEdit(1, 0));
    grid->EndCellEdit(false);
    EXPECT_EQ(calls, QStringList{"begin 1 0 r2c0"});
}

TEST_F(GridEdit, AQueuedEndOnlyEndsTheEditItWasMeantFor)
{
    SetupLineEdits();
    ASSERT_TRUE(grid->BeginCellEdit(0, 0));
    grid->PostEndCellEdit(true);
    ASSERT_TRUE(grid->BeginCellEdit(1, 0)); // a newer edit
    Flush();
    EXPECT_TRUE(grid->IsEditing());
    EXPECT_EQ(grid->EditRow(), 1);
    grid->PostEndCellEdit(false);
    Flush();
    EXPECT_FALSE(grid->IsEditing());
}

TEST_F(GridEdit, ClicksStartEditsCtrlClickOnlySelects)
{
    SetupLineEdits();
    QSignalSpy clicks(grid, &CListCtrlEx::cellClicked);
    QSignalSpy changes(grid, &CListCtrlEx::rowFocusedSelected);

    ClickCell(1, 1); // no editor: the row stays selected
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(grid->SelectedRows(), QList<int>{1});
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][0].toInt(), 1);
    ClickCell(1, 1); // still focused and selected: no second change
    EXPECT_EQ(changes.count(), 1);

    ClickCell(2, 0, Qt::ControlModifier);
    EXPECT_FALSE(grid->IsEditing());
    EXPECT_EQ(grid->SelectedRows(), (QList<int>{1, 2}));

    ClickCell(0, 2);
    EXPECT_TRUE(grid->IsEditing());
    EXPECT_EQ(grid->ActiveEditor(), third);
    EXPECT_TRUE(grid->SelectedRows().isEmpty());
    ASSERT_EQ(clicks.count(), 4);
    EXPECT_EQ(clicks[3][0].toInt(), 0);
    EXPECT_EQ(clicks[3][1].toInt(), 2);

    QSignalSpy doubles(grid, &CListCtrlEx::cellDoubleClicked);
    QSignalSpy rights(grid, &CListCtrlEx::cellRightClicked);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCenter(2, 1));
    QTest::mouseClick(grid->viewport(), Qt::RightButton, Qt::NoModifier, CellCenter(0, 1));
    Flush();
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_EQ(rights.count(), 1);
}

TEST_F(GridEdit, DragSelectsFromTheFirstToTheFurthestRow)
{
    SetupColumns({nullptr, nullptr});
    FillRows(6);
    const auto move = [&](const QPoint& at) {
        QMouseEvent event(QEvent::MouseMove, at, grid->viewport()->mapToGlobal(at), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &event);
    };
    QTest::mousePress(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCenter(1, 0));
    move(CellCenter(2, 0));
    move(CellCenter(4, 1));
    move(CellCenter(3, 0)); // back: the furthest row still counts
    EXPECT_EQ(grid->SelectedRows(), (QList<int>{1, 2, 3, 4}));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCenter(3, 0));
    Flush();
    EXPECT_EQ(grid->SelectedRows(), (QList<int>{1, 2, 3, 4}));

    QTest::mousePress(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCenter(2, 0));
    move(QPoint(10, grid->viewport()->height() - 2)); // below the last row
    EXPECT_EQ(grid->SelectedRows(), (QList<int>{0, 1, 2, 3, 4, 5}));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton);
}

// The edit-with-button hands a dialog's result to the cell it is attached to.
class ButtonEdit : public QLineEdit, public InPlaceEditor {
public:
    using QLineEdit::QLineEdit;
    void AttachToCell(InPlaceEditorOwner* owner, int row, int column) override
    {
        attached = owner;
        this->row = row;
        this->column = column;
    }
    void DetachFromCell() override { attached = nullptr; }
    bool IsInPlaceEditor() const override { return attached != nullptr; }

    InPlaceEditorOwner* attached = nullptr;
    int row = -1;
    int column = -1;
};

TEST_F(GridEdit, EditWithButtonLearnsItsCellAndDeliversResults)
{
    auto* button = MakeEditor<ButtonEdit>();
    SetupColumns({nullptr, button});
    FillRows(3);
    ASSERT_TRUE(grid->BeginCellEdit(2, 1));
    EXPECT_EQ(button->attached, grid);
    EXPECT_EQ(std::make_pair(button->row, button->column), std::make_pair(2, 1));
    EXPECT_EQ(button->text(), "r2c1");
    grid->EndCellEdit(true);

    struct Case {
        CellTextSource source;
        QString text;
        int state;
        int handlerCalls;
    };
    const Case cases[] = {
        {CellTextSource::ColourDialog, "r2c1", kRowLoaded, 0}, // unchanged
        {CellTextSource::ColourDialog, "1,2,3", kRowEdited, 0},
        {CellTextSource::PopupForm, "1,2,3", kRowLoaded, 0}, // unchanged
        {CellTextSource::PopupForm, "picked", kRowEdited, 1},
        {CellTextSource::TextDialog, "picked", kRowEdited, 0}, // always marked
    };
    for (const Case& c : cases) {
        grid->SetRowState(2, kRowLoaded);
        edited.clear();
        grid->OnInPlaceCellText(button, 2, 1, c.text, c.source);
        EXPECT_EQ(grid->CellText(2, 1), c.text);
        EXPECT_EQ(grid->RowState(2), c.state);
        EXPECT_EQ(edited.size(), c.handlerCalls);
    }
    grid->OnInPlaceCellText(button, 9, 1, "x", CellTextSource::TextDialog); // out of range
}

} // namespace
} // namespace zk::test
