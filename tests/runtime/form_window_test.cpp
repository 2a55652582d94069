#include "forms/controls/control_values.h"
#include "forms/controls/zk_drop_list.h"
#include "forms/controls/zk_edit.h"
#include "forms/controls/zk_hyperlink.h"
#include "forms/controls/zk_tree_ctrl.h"
#include "forms/grid/list_ctrl_ex.h"
#include "runtime/codec/form_blob.h"
#include "runtime/form_window/form_texts.h"
#include "tests/runtime/form_fixture.h"
#include "tests/runtime/form_test_handlers.h"
#include "util/codec.h"

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>

namespace zk {
namespace {

using test::FormFixture;
using test::RecordedCalls;

// A form of one head and a dialog body; `init` is the INIT script.
QString Form(const QString& dialog, const QString& init = QString(),
             const QString& headAttributes = QStringLiteral("pos='0,0,400,300'"))
{
    return QStringLiteral("<html version='1.0' id='0'><head title='测试窗口' %1><ACTION>"
                          "<INIT>%2</INIT></ACTION></head><body><dialog>%3</dialog></body></html>")
        .arg(headAttributes, init, dialog);
}

// The line edit of a single-line box of the form.
QLineEdit* LineOf(D_T1* form, int id)
{
    auto* box = qobject_cast<ZkEdit*>(form->Control(id));
    return box ? box->LineEdit() : nullptr;
}

class FormWindowTest : public ::testing::Test {
protected:
    FormWindowTest()
        : f(test::FormFixtureOptions{false})
    {
        test::AttachTestHandlers(f.registry);
        RecordedCalls().clear();
    }
    void SetUp() override { ASSERT_TRUE(f.ready) << f.problem.toStdString(); }

    void Click(D_T1* form, int id)
    {
        form->RunControlEvent(WindowIdOfElement(id), QStringLiteral("CLICK"));
    }

    FormFixture f;
};

TEST_F(FormWindowTest, ButtonRightsDisableHideAndForbidRuns)
{
    f.AddButtonRight(5, 7, -2);
    f.AddButtonRight(5, 8, -1);
    f.AddButtonRight(5, 9, 1);
    f.AddButtonRight(5, 10, 0);
    const QString body =
        QStringLiteral("<button id='7' pos='10,10,90,40' value='删除'/>"
                       "<button id='8' pos='10,50,90,80' value='审核'><ACTION><CLICK>"
                       "<md5 values='ran'/></CLICK></ACTION></button>"
                       "<button id='9' pos='10,90,90,120' value='保存' disabled='1'/>"
                       "<button id='10' pos='10,130,90,160' value='查询' disabled='1'/>");
    D_T1* form = f.Open(Form(body), QStringLiteral("5"));
    ASSERT_TRUE(form);
    EXPECT_EQ(form->forbidden_ids, QStringLiteral(";7;8;"));
    EXPECT_FALSE(form->Control(7)->isEnabled());
    EXPECT_TRUE(form->Control(7)->isHidden());
    EXPECT_FALSE(form->Control(8)->isEnabled());
    EXPECT_FALSE(form->Control(8)->isHidden());
    EXPECT_TRUE(form->Control(9)->isEnabled());   // state 1 enables
    EXPECT_FALSE(form->Control(10)->isEnabled()); // state 0 leaves it

    // Enabled by a script or not, the run is refused before the script.
    EnableControl(*form, form->Control(8), true);
    EXPECT_FALSE(form->Control(8)->isEnabled());
    Click(form, 8);
    EXPECT_TRUE(RecordedCalls().isEmpty());
    EXPECT_EQ(f.BoxTexts().value(0), texts::kForbidden);
    EXPECT_EQ(f.boxes.value(0).caption, texts::kCaption);
}

TEST_F(FormWindowTest, OpeningAndLoggedRunsWriteTheOpenLog)
{
    const QString body = QStringLiteral("<button id='3' pos='10,10,90,40' value='导出'><ACTION>"
                                        "<CLICK log='1'><md5 values='x'/></CLICK></ACTION>"
                                        "</button>");
    D_T1* form = f.Open(Form(body), QStringLiteral("12"), QStringLiteral("客户'资料"));
    ASSERT_TRUE(form);
    Click(form, 3);
    EXPECT_EQ(f.Values(QStringLiteral("SELECT menu_uid_0,open_user_uid_0,menu_name_0,"
                                      "open_user_id_0,control_id_0 FROM log_dh_open "
                                      "ORDER BY uid_0")),
              (QStringList{"12", "1", "客户'资料", "admin", "", "12", "1", "测试窗口 -> 导出",
                           "admin", "3"}));

    // A form opened without a name logs its caption as a pop-up's.
    ASSERT_TRUE(f.Open(Form(QString()), QStringLiteral("13"), QString()));
    EXPECT_EQ(f.Value(QStringLiteral("SELECT menu_name_0 FROM log_dh_open WHERE menu_uid_0=13")),
              QStringLiteral("测试窗口（PopUp）"));
}

TEST_F(FormWindowTest, InitRunsWithTheInitialLoadPlaceholders)
{
    const QString body = QStringLiteral("<button id='3' pos='10,10,90,40' value='查询'><ACTION>"
                                        "<CLICK><md5 values='SELECT {{TOP30}} a'/></CLICK>"
                                        "</ACTION></button>");
    D_T1* form = f.Open(Form(body, QStringLiteral("<md5 values='SELECT {{TOP30}} a'/>")));
    ASSERT_TRUE(form);
    EXPECT_FALSE(form->initial_load);
    Click(form, 3);
    EXPECT_EQ(RecordedCalls(), (QStringList{"SELECT TOP 30 a", "SELECT  a"}));
}

TEST_F(FormWindowTest, FailedInitIsReportedAndLogged)
{
    D_T1* form =
        f.Open(Form(QString(), QStringLiteral("<md5 ok='0' error='参数错误'/><md5 values='no'/>")));
    ASSERT_TRUE(form);
    EXPECT_TRUE(RecordedCalls() == QStringList{QString()});
    EXPECT_EQ(f.BoxTexts(), QStringList{"参数错误"});
}

TEST_F(FormWindowTest, CommittedActionKeepsItsChangesAndShowsItsMessage)
{
    f.Exec(QStringLiteral("CREATE TABLE t_order(uid_0 INTEGER PRIMARY KEY, name_0 TEXT)"));
    const QString body =
        QStringLiteral("<textbox id='2' pos='10,10,200,34' value='华东'/>"
                       "<button id='3' pos='10,40,90,70' value='保存'><ACTION><CLICK>"
                       "<UrlEncode values=\"INSERT INTO t_order(name_0) VALUES('{{userid}}')\"/>"
                       "<md5 message='保存成功'/></CLICK></ACTION></button>");
    D_T1* form = f.Open(Form(body));
    ASSERT_TRUE(form);
    Click(form, 3);
    EXPECT_EQ(f.Values(QStringLiteral("SELECT name_0 FROM t_order")), QStringList{"1"});
    ASSERT_EQ(f.boxes.size(), 1);
    EXPECT_EQ(f.boxes[0].text, QStringLiteral("保存成功"));
    EXPECT_EQ(f.boxes[0].caption, texts::kCaption);
    EXPECT_FALSE(f.boxes[0].plain);
    EXPECT_FALSE(form->busy);
}

TEST_F(FormWindowTest, FailedActionRollsBackUndoesKeysAndWritesTheLogFile)
{
    f.Exec(QStringLiteral("CREATE TABLE t_order(uid_0 INTEGER PRIMARY KEY, name_0 TEXT)"));
    const QString body = QStringLiteral(
        "<textbox id='2' pos='10,10,200,34' value='0'/>"
        "<table id='4' pos='10,40,300,200'><PARA><col_info>"
        "<col id='1' title='名称' width='80'/></col_info></PARA></table>"
        "<button id='3' pos='10,210,90,240' value='保存'><ACTION><CLICK>"
        "<UrlEncode values=\"INSERT INTO t_order(name_0) VALUES('x')\"/>"
        "<UrlDecode table_id='4' key='99' uid_id='2' uid='77'/>"
        "<md5 ok='0' error='select 出错&#10;FROM t_order'/></CLICK></ACTION></button>");
    D_T1* form = f.Open(Form(body));
    ASSERT_TRUE(form);
    CListCtrlEx* grid = form->FindGrid(QStringLiteral("4"));
    ASSERT_TRUE(grid);
    grid->InsertRow(0, QStringLiteral("甲"));
    grid->SetRowKey(0, 5);

    Click(form, 3);
    EXPECT_EQ(f.Value(QStringLiteral("SELECT count(*) FROM t_order")), QStringLiteral("0"));
    EXPECT_EQ(grid->RowKey(0), 5);
    EXPECT_EQ(ControlWindowText(form->Control(2)), QStringLiteral("0"));
    EXPECT_TRUE(form->undo_rows.isEmpty());
    EXPECT_TRUE(form->undo_controls.isEmpty());

    // The log file has the text as reported, in GB18030 with CR LF; the box
    // the generic text with the upper-cased first line.
    QFile log(D_T1::LogFilePath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), ToGb18030(QStringLiteral("select 出错\r\nFROM t_order")));
    EXPECT_EQ(f.BoxTexts(), QStringList{texts::kGenericFailure + QStringLiteral("\nSELECT 出错")});
}

TEST_F(FormWindowTest, AThrowingCommandIsACrashWithTheGenericMessage)
{
    const QString body = QStringLiteral("<button id='3' pos='10,10,90,40' value='保存'><ACTION>"
                                        "<CLICK><jiami_md5/></CLICK></ACTION></button>");
    D_T1* form = f.Open(Form(body));
    ASSERT_TRUE(form);
    Click(form, 3);
    EXPECT_EQ(f.BoxTexts(), QStringList{texts::kGenericFailure});
    QFile log(D_T1::LogFilePath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), QByteArray("boom"));
    EXPECT_FALSE(form->busy);
}

TEST(FailedRunMessage, SqlLikeErrorsGetTheGenericText)
{
    const QString generic = texts::kGenericFailure;
    const struct {
        QString error;
        QString shown;
    } cases[] = {
        {"数量不足", "数量不足"},
        {"abc", "ABC"},
        {"near \"select \": syntax error", generic},
        {"Update t failed", generic},
        {"x\nexec sp", generic + "\nX"},
        {"\nfrom t", generic}, // a line feed first: no first line to add
    };
    for (const auto& c : cases)
        EXPECT_EQ(FailedRunMessage(c.error), c.shown) << c.error.toStdString();
}

TEST_F(FormWindowTest, ASecondClickWhileARunIsBusyIsDropped)
{
    const QString body = QStringLiteral("<button id='3' pos='10,10,90,40' value='保存'><ACTION>"
                                        "<CLICK><save_pass values='3'/></CLICK></ACTION></button>");
    D_T1* form = f.Open(Form(body));
    ASSERT_TRUE(form);
    Click(form, 3);
    EXPECT_EQ(RecordedCalls(), QStringList{"click"});
    Click(form, 3); // and the next one runs again
    EXPECT_EQ(RecordedCalls().size(), 2);
}

TEST_F(FormWindowTest, TextChangeFiresAtTheGivenLength)
{
    const QString body =
        QStringLiteral("<textbox id='2' pos='10,10,200,34'><ACTION><EN_CHANGE id='3'>"
                       "<md5 values='{{p}}'/></EN_CHANGE></ACTION></textbox>"
                       "<textbox id='5' pos='10,40,200,64'><ACTION><EN_CHANGE>"
                       "<md5 values='any'/></EN_CHANGE></ACTION></textbox>");
    D_T1* form = f.Open(Form(body));
    ASSERT_TRUE(form);
    auto* edit = LineOf(form, 2);
    ASSERT_TRUE(edit);
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("abcd"));
    EXPECT_EQ(RecordedCalls(), QStringList{"{{p}}"});

    RecordedCalls().clear();
    auto* other = LineOf(form, 5);
    other->setFocus();
    QTest::keyClicks(other, QStringLiteral("xy"));
    EXPECT_EQ(RecordedCalls().size(), 2);
}

TEST_F(FormWindowTest, KeyboardEnterEscapeAndHotKeys)
{
    const QString body = QStringLiteral(
        "<textbox id='2' pos='10,10,200,34'><ACTION><ENTER><md5 values='enter'/></ENTER>"
        "</ACTION></textbox>"
        "<textbox id='4' pos='10,40,200,64'/>"
        "<textbox id='6' pos='10,70,200,94'/>"
        "<button id='12' pos='10,100,90,130' value='查询'><ACTION><CLICK>"
        "<md5 values='f5'/></CLICK></ACTION></button>"
        "<button id='13' pos='100,100,190,130' value='停用' disabled='1'><ACTION><CLICK>"
        "<md5 values='f6'/></CLICK></ACTION></button>");
    const QString head = QStringLiteral("<HOTKEY><para_info><k id='5' value='12'/>"
                                        "<k id='6' value='13'/></para_info></HOTKEY>");
    QString definition = Form(body);
    definition.replace(QStringLiteral("<ACTION><INIT>"), head + QStringLiteral("<ACTION><INIT>"));
    D_T1* form = f.Open(definition);
    ASSERT_TRUE(form);
    form->activateWindow();

    auto* first = LineOf(form, 2);
    auto* second = LineOf(form, 4);
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(RecordedCalls(), QStringList{"enter"});
    EXPECT_TRUE(first->hasFocus());

    second->setFocus();
    QTest::keyClick(second, Qt::Key_Return); // no ENTER script: Tab
    EXPECT_TRUE(LineOf(form, 6)->hasFocus());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());

    RecordedCalls().clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6); // disabled: focus only
    EXPECT_EQ(RecordedCalls(), QStringList{"f5"});
}

TEST_F(FormWindowTest, HeadWithoutPosClosesTheForm)
{
    EXPECT_EQ(f.Open(Form(QString(), QString(), QStringLiteral("title='x'"))), nullptr);
    QTest::qWait(0);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty() ||
                std::none_of(QApplication::topLevelWidgets().begin(),
                             QApplication::topLevelWidgets().end(),
                             [](QWidget* w) { return qobject_cast<D_T1*>(w) && w->isVisible(); }));
}

TEST_F(FormWindowTest, HeadStylesAndPlacement)
{
    D_T1* maximised = f.Open(Form(QString(), QString(), QStringLiteral("pos='0' style='1'")));
    ASSERT_TRUE(maximised);
    EXPECT_TRUE(maximised->isMaximized());
    D_T1* fixed = f.Open(Form(QString(), QString(), QStringLiteral("pos='0,0,300,200' style='2'")));
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->minimumSize(), fixed->maximumSize());
    EXPECT_FALSE(fixed->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(fixed->size(), QSize(300, 200));
}

TEST_F(FormWindowTest, EndOfEditCommandsFillTheEditedRow)
{
    const QString body = QStringLiteral(
        "<table id='4' pos='10,10,300,200'><PARA><col_info>"
        "<col id='1' title='商品' width='80'/>"
        "<col id='2' title='数量' width='60'><ENDEDIT>"
        "<e values=\"SELECT {{c1}} * 2, '{{p1}}'\" target_ids='3;1'><para_info><p value='2'/>"
        "</para_info></e></ENDEDIT></col>"
        "<col id='3' title='金额' width='60'><ENDEDIT>"
        "<e values='SELECT 1' target_ids='1;2'/></ENDEDIT></col>"
        "<col id='4' title='备注' width='60'><ENDEDIT>"
        "<e values='SELECT 1 WHERE 1=0' target_ids='1'/></ENDEDIT></col>"
        "</col_info></PARA></table>");
    D_T1* form = f.Open(Form(body));
    ASSERT_TRUE(form);
    CListCtrlEx* grid = form->FindGrid(QStringLiteral("4"));
    ASSERT_TRUE(grid);
    grid->InsertRow(0, QStringLiteral("甲"));
    grid->SetCellText(0, 1, QStringLiteral("5"));

    grid->NotifyCellEdited(0, 1); // {{c1}}: column 1 of the row; {{p1}}: control 2's text
    EXPECT_EQ(grid->CellText(0, 2), QStringLiteral("10"));
    EXPECT_EQ(grid->CellText(0, 0), QString()); // no control 2: empty
    EXPECT_TRUE(f.boxes.isEmpty());

    grid->NotifyCellEdited(0, 2); // one field for two targets
    EXPECT_EQ(f.BoxTexts(), (QStringList{"参数和值数量不匹配!", "数据处理不完整，请联系管理员!"}));
    EXPECT_EQ(grid->CellText(0, 1), QStringLiteral("5"));

    grid->SetCellText(0, 0, QStringLiteral("乙"));
    grid->NotifyCellEdited(0, 3); // no row: the targets are cleared
    EXPECT_EQ(grid->CellText(0, 0), QString());
}

TEST_F(FormWindowTest, TheTimerClicksItsControl)
{
    const QString body = QStringLiteral("<button id='3' pos='10,10,90,40' value='刷新'><ACTION>"
                                        "<CLICK><md5 values='tick'/></CLICK></ACTION></button>");
    D_T1* form = f.Open(
        Form(body, QString(), QStringLiteral("pos='0,0,300,200' thread_id='3' time_split='20'")));
    ASSERT_TRUE(form);
    QTRY_VERIFY_WITH_TIMEOUT(RecordedCalls().size() >= 2, 2000);
    form->close();
    const qsizetype ticks = RecordedCalls().size();
    QTest::qWait(80);
    EXPECT_EQ(RecordedCalls().size(), ticks); // a closed form stops its timer
}

TEST_F(FormWindowTest, ScrollCanvasMovesTheControls)
{
    const QString body = QStringLiteral("<textbox id='2' pos='10,500,200,524'/>");
    D_T1* form = f.Open(Form(body, QString(), QStringLiteral("pos='0,0,300,200' scroll='900'")));
    ASSERT_TRUE(form);
    auto* bar = form->findChild<QScrollBar*>();
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 900 - form->height());
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd); // 10 pixels
    EXPECT_EQ(bar->value(), 10);
    bar->setValue(400);
    EXPECT_EQ(form->Control(2)->y(), 100);
    EXPECT_EQ(form->ScrollOffset(), QPoint(0, 400));
}

TEST_F(FormWindowTest, ADropListLeavingTheFocusMatchesItsTextFirst)
{
    // Element ids above 20 match the typed text and run EN_CHANGE before
    // EN_KILLFOCUS; lower ids only lose the focus.
    const QString script =
        QStringLiteral("<ACTION><EN_CHANGE><md5 values='change {{p}}'/></EN_CHANGE>"
                       "<EN_KILLFOCUS><md5 values='kill'/></EN_KILLFOCUS></ACTION>");
    const QString body = QStringLiteral("<droplist id='21' pos='10,10,120,35' value='甲;乙'>%1"
                                        "</droplist><droplist id='5' pos='10,40,120,65' "
                                        "value='甲;乙'>%1</droplist>"
                                        "<textbox id='6' pos='10,70,120,94'/>"
                                        "<droplist id='22' pos='10,100,120,125' value='甲;乙'/>")
                             .arg(script);
    D_T1* form = f.Open(Form(body));
    ASSERT_TRUE(form);
    auto* matched = qobject_cast<ZkDropList*>(form->Control(21));
    auto* plain = qobject_cast<ZkDropList*>(form->Control(5));
    ASSERT_TRUE(matched && plain);
    matched->setFocus();
    matched->setEditText(QStringLiteral("乙"));
    form->Control(6)->setFocus();
    EXPECT_EQ(matched->currentIndex(), 1);
    EXPECT_EQ(RecordedCalls(), (QStringList{"change {{p}}", "kill"}));

    RecordedCalls().clear();
    plain->setFocus();
    plain->setEditText(QStringLiteral("乙"));
    form->Control(6)->setFocus();
    EXPECT_EQ(RecordedCalls(), QStringList{"kill"});

    // Without scripts a late drop list still matches what was typed.
    auto* unscripted = qobject_cast<ZkDropList*>(form->Control(22));
    ASSERT_TRUE(unscripted);
    unscripted->setFocus();
    unscripted->setEditText(QStringLiteral("乙"));
    form->Control(6)->setFocus();
    EXPECT_EQ(unscripted->currentIndex(), 1);
}

TEST_F(FormWindowTest, ThePressedBackgroundMovesTheWindow)
{
    D_T1* form = f.Open(Form(QString(), QString(), QStringLiteral("pos='0,0,300,200'")));
    ASSERT_TRUE(form);
    const QPoint start = form->pos();
    const auto send = [form](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, QPointF(at), QPointF(form->mapToGlobal(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, {});
        QApplication::sendEvent(form, &e);
    };
    send(QEvent::MouseButtonPress, QPoint(150, 150), Qt::LeftButton);
    send(QEvent::MouseMove, QPoint(180, 170), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPoint(150, 150), Qt::NoButton);
    EXPECT_EQ(form->pos(), start + QPoint(30, 20));

    form->form_index = QStringLiteral("NULL"); // such a form stays put
    send(QEvent::MouseButtonPress, QPoint(150, 150), Qt::LeftButton);
    send(QEvent::MouseMove, QPoint(190, 190), Qt::LeftButton);
    EXPECT_EQ(form->pos(), start + QPoint(30, 20));
}

TEST_F(FormWindowTest, ControlSignalsRunTheirEvents)
{
    // Each control's events record "<id> <event>".
    const auto events = [](int id, std::initializer_list<const char*> names) {
        QString xml = QStringLiteral("<ACTION>");
        for (const char* name : names)
            xml += QStringLiteral("<%1><md5 values='%2 %1'/></%1>")
                       .arg(QString::fromLatin1(name))
                       .arg(id);
        return xml + QStringLiteral("</ACTION>");
    };
    const QString body =
        QStringLiteral("<button id='3' pos='10,10,90,40' value='查询' style='1'>") +
        events(3, {"CLICK"}) +
        QStringLiteral("</button><table id='4' pos='10,50,300,150'><PARA><col_info>"
                       "<col id='1' title='名称' width='80'/></col_info></PARA>") +
        events(4, {"CLICK", "DCLICK", "RCLICK", "EN_CHANGE"}) +
        QStringLiteral("</table><tree id='5' pos='10,160,300,260'>") +
        events(5, {"CLICK", "DCLICK", "RCLICK", "EN_CHANGE"}) +
        QStringLiteral("</tree><droplist id='6' pos='10,270,120,295' value='甲;乙'>") +
        events(6, {"CLICK", "DCLICK", "EN_CHANGE"}) +
        QStringLiteral("</droplist><button id='8' pos='130,270,300,295' popup='1' "
                       "value='&lt;a href=\"x\"&gt;帮助&lt;/a&gt;'>") +
        events(8, {"CLICK"}) + QStringLiteral("</button>");
    D_T1* form = f.Open(Form(body));
    ASSERT_TRUE(form);

    qobject_cast<QAbstractButton*>(form->Control(3))->click();
    auto* grid = form->FindGrid(QStringLiteral("4"));
    emit grid->cellClicked(0, 0);
    emit grid->cellDoubleClicked(0, 0);
    emit grid->cellRightClicked(0, 0);
    emit grid->rowFocusedSelected(0);
    auto* tree = qobject_cast<CZkTreeCtrl*>(form->Control(5));
    emit tree->clicked();
    emit tree->doubleClicked();
    emit tree->rightClicked();
    emit tree->selectionChanged();
    auto* list = qobject_cast<ZkDropList*>(form->Control(6));
    emit list->dropDownOpened();
    emit list->editTextEdited();
    emit list->selectionChanged();
    emit qobject_cast<ZkHyperLink*>(form->Control(8))->clicked(QStringLiteral("x"));

    EXPECT_EQ(RecordedCalls(),
              (QStringList{"3 CLICK", "4 CLICK", "4 DCLICK", "4 RCLICK", "4 EN_CHANGE", "5 CLICK",
                           "5 DCLICK", "5 RCLICK", "5 EN_CHANGE", "6 CLICK", "6 DCLICK",
                           "6 EN_CHANGE", "8 CLICK"}));
}

TEST_F(FormWindowTest, OpeningByMenuUidLoadsTheStoredDefinition)
{
    const QString definition = Form(QStringLiteral("<textbox id='2' pos='10,10,200,34'/>"));
    f.Exec(QStringLiteral("INSERT INTO c_menu_dh(uid_0,name_0) VALUES(7,'客户')"));
    ASSERT_TRUE(f.db.UpdateBinaryRecord(
        QStringLiteral("SELECT form_0 FROM c_menu_dh WHERE uid_0=7"), {QStringLiteral("form_0")},
        {EncodeFormText(definition, SuitableFormBlobWidth(definition.size() * 2))}));

    D_T1* form = OpenFormWindowByUid(f.app, QStringLiteral("7"), 1, QStringLiteral("客户"));
    ASSERT_TRUE(form);
    f.forms.append(form);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("测试窗口"));
    EXPECT_EQ(form->menu_uid, QStringLiteral("7"));
    EXPECT_TRUE(form->Control(2));
    EXPECT_TRUE(f.cache.Contains(QStringLiteral("7")));

    // No such item: the empty definition has no head, so nothing opens.
    QString error = QStringLiteral("x");
    EXPECT_EQ(OpenFormWindowByUid(f.app, QStringLiteral("8"), 1, QString(), QString(), QString(),
                                  QString(), &error),
              nullptr);
    EXPECT_TRUE(error.isEmpty());
}

TEST(FormWindowInit, AChangeScriptFiredByInitDoesNotBreakIt)
{
    test::FormFixture f; // with the query commands
    ASSERT_TRUE(f.ready);
    const QString definition = QStringLiteral(
        "<html version='1.0' id='0'><head title='x' pos='0,0,300,200'><ACTION><INIT>"
        "<query_to_wnds target_ids='2' values=\"SELECT 'a'\"/>"
        "<query_to_wnds target_ids='3' values=\"SELECT 'b'\"/>"
        "</INIT></ACTION></head><body><dialog>"
        "<textbox id='2' pos='10,10,100,30'><ACTION><EN_CHANGE>"
        "<query_to_wnds target_ids='4' values=\"SELECT 'c'\"/></EN_CHANGE></ACTION></textbox>"
        "<textbox id='3' pos='10,40,100,60'/><textbox id='4' pos='10,70,100,90'/>"
        "</dialog></body></html>");
    D_T1* form = f.Open(definition);
    ASSERT_TRUE(form);
    EXPECT_EQ(ControlWindowText(form->Control(2)), QStringLiteral("a"));
    EXPECT_EQ(ControlWindowText(form->Control(3)), QStringLiteral("b"));
    EXPECT_EQ(ControlWindowText(form->Control(4)), QStringLiteral("c"));
    EXPECT_TRUE(f.boxes.isEmpty()) << f.BoxTexts().join(u'|').toStdString();
}

} // namespace
} // namespace zk
