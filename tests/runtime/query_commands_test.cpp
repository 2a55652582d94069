#include "tests/runtime/query_fixture.h"

#include "forms/controls/colour_button.h"
#include "forms/controls/tree_list_rows.h"
#include "forms/controls/zk_drop_list.h"
#include "forms/controls/zk_edit.h"
#include "forms/controls/zk_picture.h"
#include "forms/controls/zk_tree_ctrl.h"

#include <QLineEdit>

namespace zk::test {
namespace {

const QString kBody =
    QStringLiteral("<textbox id='1' pos='10,10,110,30'/><textbox id='2' pos='10,40,110,60'/>"
                   "<textbox id='3' pos='10,70,110,90'/><textbox id='4' pos='10,100,110,120'/>"
                   "<droplist id='5' pos='10,130,110,150'/><droplist id='6' pos='10,160,110,180'/>"
                   "<button id='7' style='3' value='选中' pos='10,190,110,210'/>"
                   "<button id='8' value='甲' pos='10,220,110,250'/><button id='9' value='乙' "
                   "pos='10,260,110,290'/>"
                   "<table id='20' pos='200,10,800,300'><PARA><col_info>"
                   "<col id='1' title='编码' width='80'/><col id='2' title='名称' width='120'/>"
                   "<col id='3' title='数量' width='60'/></col_info></PARA></table>"
                   "<tree id='30' pos='200,310,400,500'/>"
                   "<button id='31' style='1' value='首页' pos='420,310,480,330'/>"
                   "<button id='32' style='1' value='上页' pos='490,310,550,330'/>"
                   "<button id='33' style='1' value='下页' pos='560,310,620,330'/>"
                   "<button id='34' style='1' value='末页' pos='630,310,690,330'/>"
                   "<static id='35' pos='420,340,800,360'/>"
                   "<treelist id='40' pos='420,370,800,600'/>");

// A tree-list renderer that keeps what the commands ask of it.
class RecordingTreeList : public ZkPictureRenderer, public TreeListRows {
public:
    void Paint(ZkPicture&, QPainter&, const QSize&) override {}
    QString SelectedRowKey() const override { return selectedKey; }
    void SetLevelCaptions(int level, const QStringList& captions) override
    {
        this->level = level;
        this->captions = captions;
    }

    QString selectedKey;
    int level = -1;
    QStringList captions;
};

class QueryCommandsTest : public QueryFormTest {
protected:
    void SetUp() override
    {
        QueryFormTest::SetUp();
        Sql(QStringLiteral("CREATE TABLE c_goods(uid_0 INTEGER PRIMARY KEY, code_0 TEXT, "
                           "name_0 TEXT, qty_1 INTEGER);"
                           "INSERT INTO c_goods VALUES(11,'A1','螺丝',5);"
                           "INSERT INTO c_goods VALUES(12,'A2','螺母',7);"
                           "INSERT INTO c_goods VALUES(13,'B1','垫片',9);"));
        Open(kBody);
    }

    // Fills grid 20 with the goods (keys 11, 12, 13) and selects a row.
    void FillGoods(int selectedRow = -1)
    {
        ASSERT_TRUE(Run(
            QStringLiteral("<select_info_table><para_info table_id='20' "
                           "select='SELECT uid_0,code_0,name_0,qty_1 FROM c_goods ORDER BY uid_0'/>"
                           "</select_info_table>")));
        ASSERT_EQ(Grid(20)->RowCount(), 3);
        if (selectedRow >= 0)
            Grid(20)->SelectRow(selectedRow);
    }

    QString LastSql() const { return form->session.lastSql; }
};

// How the condition lists fill {{p1}}: by rule, with the control empty or not.
TEST_F(QueryCommandsTest, ConditionRulesFillThePlaceholders)
{
    struct Case {
        const char* command;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        // Rule A (query_to_wnd): an empty control removes the placeholder.
        {"<query_to_wnd target_ids='2' values=\"SELECT 'x{{p1}}y'\">"
         "<para_info_where><p value='1' where=' AND n={{self}}'/></para_info_where></query_to_wnd>",
         "", "SELECT 'xy'"},
        {"<query_to_wnd target_ids='2' values=\"SELECT 'x{{p1}}y'\">"
         "<para_info_where><p value='1' where=' AND n={{self}}'/></para_info_where></query_to_wnd>",
         "7", "SELECT 'x AND n=7y'"},
        // Rule B (query_to_list): the fragment even for an empty control.
        {"<query_to_list target_ids='5' values=\"SELECT 'x{{p1}}y'\">"
         "<para_info><p value='1' where=' AND n={{self}}'/></para_info></query_to_list>",
         "", "SELECT 'x AND n=y'"},
        {"<query_to_list target_ids='5' values=\"SELECT 'x{{p1}}y'\">"
         "<para_info><p value='1'/></para_info></query_to_list>",
         "q", "SELECT 'xqy'"},
        // Rule A of able escapes the text; rule E (para_info) inserts it as it is.
        {"<able target_ids='8' values=\"SELECT '{{p1}}'\">"
         "<para_info_where><p value='1' where='{{self}}'/></para_info_where></able>",
         "o'k", "SELECT 'o''k'"},
        {"<able target_ids='8' values=\"SELECT 1 WHERE 'ok'='{{p1}}'\">"
         "<para_info><p value='1' where='ignored'/></para_info></able>",
         "ok", "SELECT 1 WHERE 'ok'='ok'"},
        // query_to_wnds also replaces the sign text by the fragment.
        {"<query_to_wnds target_ids='2' values=\"SELECT '{{p1}}#S#'\">"
         "<para_info_where><p value='1' where='[{{self}}]' sign='#S#'/></para_info_where>"
         "</query_to_wnds>",
         "v", "SELECT '[v][v]'"},
    };
    for (const Case& c : cases) {
        SetText(1, QString::fromUtf8(c.text));
        Run(QString::fromUtf8(c.command));
        EXPECT_EQ(LastSql(), QString::fromUtf8(c.expected)) << c.command;
    }
}

TEST_F(QueryCommandsTest, QueryToWndJoinsEveryValueOrEmptiesTheTarget)
{
    SetText(2, QStringLiteral("old"));
    EXPECT_TRUE(Run(QStringLiteral(
        "<query_to_wnd target_ids='2' values='SELECT code_0 FROM c_goods WHERE 1=0'/>")));
    EXPECT_EQ(Text(2), QString());
    EXPECT_TRUE(Run(QStringLiteral(
        "<query_to_wnd target_ids='2' values='SELECT code_0 FROM c_goods ORDER BY uid_0'/>")));
    EXPECT_EQ(Text(2), QStringLiteral("A1,A2,B1"));

    EXPECT_FALSE(Run(QStringLiteral("<query_to_wnd values='SELECT 1'/>")));
    EXPECT_EQ(form->error_text, QStringLiteral("参数错误"));

    SetText(3, QStringLiteral("ab"));
    auto* edit = qobject_cast<ZkEdit*>(Control(3));
    ASSERT_NE(edit, nullptr);
    edit->LineEdit()->setCursorPosition(1);
    EXPECT_TRUE(Run(QStringLiteral(
        "<query_to_wnd2 target_ids='3' values='SELECT code_0 FROM c_goods WHERE uid_0&lt;13'/>")));
    EXPECT_EQ(Text(3), QStringLiteral("aA1,A2b"));
}

TEST_F(QueryCommandsTest, RowContextCountsColumnsFromZeroAndNeedsASelectedRow)
{
    FillGoods();
    const QString command = QStringLiteral("<query_to_wnds table_id='20' target_ids='1;2' "
                                           "values=\"SELECT '{{id?uid}}','{{id?0}}/{{id?1}}'\"/>");
    EXPECT_FALSE(Run(command));
    EXPECT_TRUE(Boxes().isEmpty());
    Grid(20)->SelectRow(1);
    EXPECT_TRUE(Run(command));
    EXPECT_EQ(Text(1), QStringLiteral("12"));
    EXPECT_EQ(Text(2), QStringLiteral("A2/螺母"));
    EXPECT_FALSE(
        Run(QStringLiteral("<query_to_wnds table_id='99' target_ids='1' values='SELECT 1'/>")));
}

TEST_F(QueryCommandsTest, TreeListsGiveTheRowKeyAndTakeLevelCaptions)
{
    auto* picture = qobject_cast<ZkPicture*>(Control(40));
    ASSERT_NE(picture, nullptr);
    auto renderer = std::make_unique<RecordingTreeList>();
    RecordingTreeList* treeList = renderer.get();
    picture->InstallRenderer(ZkPicture::DisplayMode::TreeList, std::move(renderer));

    const QString rowQuery = QStringLiteral(
        "<query_to_wnds table_id='40' target_ids='1' values=\"SELECT 'k{{id?uid}}'\"/>");
    EXPECT_FALSE(Run(rowQuery));
    treeList->selectedKey = QStringLiteral("77");
    EXPECT_TRUE(Run(rowQuery));
    EXPECT_EQ(Text(1), QStringLiteral("k77"));
    // The tree list gives no row to the commands that take only grid rows.
    EXPECT_FALSE(
        Run(QStringLiteral("<query_to_wnd table_id='40' target_ids='1' values='SELECT 1'/>")));

    EXPECT_FALSE(Run(QStringLiteral("<query_to_tree_head table_id='40' values='SELECT 1'/>")));
    EXPECT_TRUE(Run(QStringLiteral("<query_to_tree_head table_id='40' target_ids='2' "
                                   "values='SELECT name_0 FROM c_goods ORDER BY uid_0'/>")));
    EXPECT_EQ(treeList->level, 2);
    EXPECT_EQ(treeList->captions, (QStringList{QStringLiteral("螺丝"), QStringLiteral("螺母"),
                                               QStringLiteral("垫片")}));
}

TEST_F(QueryCommandsTest, QueryToWndsDistributesOneRow)
{
    SetText(1, QStringLiteral("x"));
    SetText(2, QStringLiteral("y"));
    EXPECT_TRUE(Run(QStringLiteral(
        "<query_to_wnds target_ids='1;2' values='SELECT code_0,name_0 FROM c_goods WHERE 1=0'/>")));
    EXPECT_EQ(Text(1), QString());
    EXPECT_EQ(Text(2), QString());

    EXPECT_FALSE(
        Run(QStringLiteral("<query_to_wnds target_ids='1;2;3' "
                           "values='SELECT code_0,name_0 FROM c_goods WHERE uid_0=11'/>")));
    EXPECT_EQ(BoxTexts(), QStringList{QStringLiteral("参数和值数量不匹配!")});
    EXPECT_EQ(Text(1), QString());

    // A literal list split at `type`; para_in_out gives targets and their types.
    EXPECT_TRUE(
        Run(QStringLiteral("<query_to_wnds type='|' values='甲|1'>"
                           "<para_in_out><p in='' out='1'/><p in='' out='7' type='checked'/>"
                           "</para_in_out></query_to_wnds>")));
    EXPECT_EQ(Text(1), QStringLiteral("甲"));
    EXPECT_EQ(GetCheckState(Control(7)), 1);

    // The in texts replace {{para_in}}.
    EXPECT_TRUE(Run(QStringLiteral(
        "<query_to_wnds values='SELECT name_0 FROM c_goods WHERE uid_0 IN ({{para_in}})'>"
        "<para_in_out><p in='13' out='2'/></para_in_out></query_to_wnds>")));
    EXPECT_EQ(LastSql(), QStringLiteral("SELECT name_0 FROM c_goods WHERE uid_0 IN (13)"));
    EXPECT_EQ(Text(2), QStringLiteral("垫片"));
}

TEST_F(QueryCommandsTest, QueryToBtnsFailsWithoutARowAndSetsBadges)
{
    EXPECT_FALSE(
        Run(QStringLiteral("<query_to_btns target_ids='8' values='SELECT 1 WHERE 1=0'/>")));
    EXPECT_TRUE(Run(QStringLiteral("<query_to_btns target_ids='8;9' values='SELECT 3,0'/>")));
    auto* first = qobject_cast<CColorButton*>(Control(8));
    auto* second = qobject_cast<CColorButton*>(Control(9));
    ASSERT_TRUE(first && second);
    EXPECT_FALSE(first->Badge().isNull());
    EXPECT_TRUE(second->Badge().isNull());
}

TEST_F(QueryCommandsTest, DropListsTakeTheValuesAndGroups)
{
    EXPECT_TRUE(Run(QStringLiteral(
        "<query_to_lists target_ids='5;6' values='SELECT code_0 FROM c_goods ORDER BY uid_0'/>")));
    for (int id : {5, 6}) {
        auto* list = qobject_cast<ZkDropList*>(Control(id));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->count(), 3);
        EXPECT_EQ(list->currentText(), QStringLiteral("A1"));
    }
    EXPECT_TRUE(Run(QStringLiteral("<query_to_lists2 target_ids='5;6' "
                                   "values=\"SELECT 'x' UNION ALL SELECT 'y' UNION ALL "
                                   "SELECT '-|-||-|-' UNION ALL SELECT 'z'\"/>")));
    auto* five = qobject_cast<ZkDropList*>(Control(5));
    auto* six = qobject_cast<ZkDropList*>(Control(6));
    EXPECT_EQ(five->count(), 2);
    EXPECT_EQ(five->itemText(1), QStringLiteral("y"));
    EXPECT_EQ(six->count(), 1);
    EXPECT_EQ(six->currentText(), QStringLiteral("z"));

    // No row changes nothing.
    EXPECT_TRUE(Run(QStringLiteral("<query_to_list target_ids='6' values='SELECT 1 WHERE 1=0'/>")));
    EXPECT_EQ(six->count(), 1);
}

TEST_F(QueryCommandsTest, QueryToHeadNamesColumnsFromOne)
{
    EXPECT_FALSE(Run(QStringLiteral("<query_to_head target_ids='1' values='SELECT 1'/>")));
    EXPECT_EQ(form->error_text, QStringLiteral("未指定表格id"));
    EXPECT_TRUE(Run(QStringLiteral(
        "<query_to_head table_id='20' target_ids='0;2' type=';' values='零;第二列'/>")));
    EXPECT_EQ(Grid(20)->HeaderText(0), QStringLiteral("编码"));
    EXPECT_EQ(Grid(20)->HeaderText(1), QStringLiteral("第二列"));
}

TEST_F(QueryCommandsTest, QueryToMainChecksTheSlotRange)
{
    EXPECT_TRUE(Run(QStringLiteral("<query_to_main target_ids='3;1' values=\"SELECT 'c','a'\"/>")));
    EXPECT_EQ(State().global_slots[2], QStringLiteral("c"));
    EXPECT_EQ(State().global_slots[0], QStringLiteral("a"));

    EXPECT_FALSE(
        Run(QStringLiteral("<query_to_main target_ids='2;11' values=\"SELECT 'b','k'\"/>")));
    EXPECT_EQ(State().global_slots[1], QStringLiteral("b"));
    EXPECT_EQ(BoxTexts(), QStringList{QStringLiteral("超出可设置全局变量范围！")});

    // No row empties the named slots.
    EXPECT_TRUE(Run(QStringLiteral("<query_to_main target_ids='3' values='SELECT 1 WHERE 1=0'/>")));
    EXPECT_EQ(State().global_slots[2], QString());
}

TEST_F(QueryCommandsTest, AbleCarriesTheLastStateAndKeepsForbiddenButtonsOff)
{
    EXPECT_TRUE(Run(QStringLiteral("<able target_ids='1;2;3' values='SELECT 1,0'/>")));
    EXPECT_TRUE(Control(1)->isEnabled());
    EXPECT_FALSE(Control(2)->isEnabled());
    EXPECT_FALSE(Control(3)->isEnabled());

    EXPECT_FALSE(Run(QStringLiteral("<able target_ids='1' values='SELECT 1,1'/>")));
    EXPECT_EQ(BoxTexts(), QStringList{QStringLiteral("参数和值数量不匹配!")});

    form->forbidden_ids = QStringLiteral(";9;");
    EXPECT_TRUE(Run(QStringLiteral("<able target_ids='8;9' values='SELECT 1,1'/>")));
    EXPECT_TRUE(Control(8)->isEnabled());
    EXPECT_FALSE(Control(9)->isEnabled());
}

TEST_F(QueryCommandsTest, QueryToTableAppendsOneMappedRow)
{
    FillGoods();
    SetText(1, QStringLiteral("B1"));
    EXPECT_TRUE(Run(QStringLiteral(
        "<query_to_table><para_info to_table_id='20' "
        "select=\"SELECT '{{row_num}}',name_0,qty_1 FROM c_goods WHERE code_0='{{p1}}'\">"
        "<para_in><p value='1'/></para_in>"
        "<para_out><c value='0'/><c value='2'/><c value='3'/></para_out>"
        "</para_info></query_to_table>")));
    CListCtrlEx* grid = Grid(20);
    ASSERT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->CellText(3, 0), QStringLiteral("4"));
    EXPECT_EQ(grid->CellText(3, 1), QStringLiteral("垫片"));
    EXPECT_EQ(grid->CellText(3, 2), QStringLiteral("9"));
    // The row numbers were renewed: every row has its number in column 0.
    EXPECT_EQ(grid->CellText(0, 0), QStringLiteral("1"));
}

TEST_F(QueryCommandsTest, SelectInfoTableWithoutPagingFillsEveryRow)
{
    SetText(35, QStringLiteral("untouched"));
    FillGoods();
    CListCtrlEx* grid = Grid(20);
    EXPECT_EQ(grid->RowKey(2), 13);
    EXPECT_EQ(grid->CellText(2, 1), QStringLiteral("垫片"));
    EXPECT_EQ(form->loaded_keys, QStringLiteral("11,12,13"));
    EXPECT_EQ(Text(35), QStringLiteral("untouched"));

    // Rule C in select and where; a failing query clears the grid.
    SetText(1, QStringLiteral("A"));
    EXPECT_TRUE(Run(
        QStringLiteral("<select_info_table><para_info_where table_id='20' "
                       "select=\"SELECT uid_0,code_0,name_0,qty_1 FROM c_goods WHERE 1=1{{p1}}\">"
                       "<p value='1' where=\" AND code_0 LIKE "
                       "'{{self}}%'\"/></para_info_where></select_info_table>")));
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_FALSE(Run(QStringLiteral(
        "<select_info_table><para_info table_id='20' select='SELECT nothing FROM nowhere'/>"
        "</select_info_table>")));
    EXPECT_EQ(grid->RowCount(), 0);
    EXPECT_FALSE(Run(QStringLiteral(
        "<select_info_table><para_info table_id='77' select='SELECT 1'/></select_info_table>")));
}

TEST_F(QueryCommandsTest, SelectInfoTablePagesAndUpdatesThePageBar)
{
    for (int i = 0; i < 22; ++i)
        Sql(QStringLiteral("INSERT INTO c_goods VALUES(%1,'C%1','件',1)").arg(100 + i));
    const QString command = QStringLiteral(
        "<select_info_table><para_info_where table_id='20' "
        "select='SELECT uid_0,code_0,name_0,qty_1 FROM c_goods' where='qty_1&gt;{{p1}}' "
        "order='uid_0' counts_in_page='10' page_buttons='31;32;33;34' result_info_id='35'>"
        "<p value='1' where='0'/></para_info_where></select_info_table>");
    SetText(1, QStringLiteral("x"));
    form->page.restart_paging = false;
    form->page.current_page = 2;
    ASSERT_TRUE(Run(command)) << form->error_text.toStdString();
    CListCtrlEx* grid = Grid(20);
    EXPECT_EQ(grid->RowCount(), 10);
    EXPECT_EQ(grid->RowKey(0), 107);
    EXPECT_EQ(Text(35), QStringLiteral("当前 2/3 页 每页 10 条记录 合计 25 条记录"));
    for (int id : {31, 32, 33, 34})
        EXPECT_TRUE(Control(id)->isEnabled()) << id;

    // A new select starts again at page 1.
    form->page.restart_paging = true;
    ASSERT_TRUE(Run(command));
    EXPECT_EQ(grid->RowKey(0), 11);
    EXPECT_FALSE(Control(31)->isEnabled());
    EXPECT_FALSE(Control(32)->isEnabled());
    EXPECT_TRUE(Control(34)->isEnabled());
}

TEST_F(QueryCommandsTest, SelectInfoTableReadsRowsFromAControl)
{
    SetText(4, QStringLiteral("21,x1,名1,1,22,x2,名2,2"));
    EXPECT_TRUE(Run(QStringLiteral("<select_info_table><para_info table_id='20' select='4' "
                                   "counts_in_page='4'/></select_info_table>")));
    CListCtrlEx* grid = Grid(20);
    ASSERT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->RowKey(1), 22);
    EXPECT_EQ(grid->CellText(1, 1), QStringLiteral("名2"));
}

TEST_F(QueryCommandsTest, SelectInfoTreeBuildsAndChecksItems)
{
    Sql(QStringLiteral(
        "CREATE TABLE c_node(uid_0 INTEGER, pUid_0 INTEGER, name_0 TEXT);"
        "INSERT INTO c_node VALUES(1,0,'总部');INSERT INTO c_node VALUES(2,1,'一部');"
        "INSERT INTO c_node VALUES(3,1,'二部');INSERT INTO c_node VALUES(4,0,'分部');"));
    EXPECT_TRUE(Run(QStringLiteral(
        "<select_info_tree><para_info_where tree_id='30' "
        "select='SELECT pUid_0,name_0,uid_0 FROM c_node ORDER BY uid_0' "
        "check_sql='SELECT uid_0 FROM c_node WHERE uid_0 IN (1,3)'/></select_info_tree>")));
    auto* tree = qobject_cast<CZkTreeCtrl*>(Control(30));
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    QTreeWidgetItem* head = tree->topLevelItem(0);
    EXPECT_EQ(head->text(0), QStringLiteral("总部"));
    EXPECT_TRUE(head->isExpanded());
    ASSERT_EQ(head->childCount(), 2);
    EXPECT_TRUE(IsItemChecked(head));
    EXPECT_FALSE(IsItemChecked(head->child(0)));
    EXPECT_TRUE(IsItemChecked(head->child(1)));
}

// A button's script through the form window: the fill, a result message and
// a failing run_sql rolled back with its error reported once.
TEST_F(QueryCommandsTest, ScriptsOfAButtonRunTheFamilyInOneTransaction)
{
    form = f->Open(QStringLiteral(
        "<html id='0'><head title='查询' pos='0,0,900,640'/><body><dialog>"
        "<table id='20' pos='10,10,600,300'><PARA><col_info><col id='1' title='编码' width='80'/>"
        "</col_info></PARA></table>"
        "<button id='8' style='1' value='刷新' pos='10,310,90,340'><ACTION><CLICK>"
        "<select_info_table><para_info table_id='20' select='SELECT uid_0,code_0 FROM c_goods'/>"
        "</select_info_table>"
        "<run_sql><s run_sql=\"UPDATE c_goods SET qty_1=0\"/></run_sql>"
        "</CLICK></ACTION></button>"
        "<button id='9' style='1' value='清零' pos='100,310,180,340'><ACTION><CLICK>"
        "<run_sql><s run_sql=\"UPDATE c_goods SET qty_1=0\"/>"
        "<s run_sql='UPDATE nowhere SET a=1'/></run_sql>"
        "</CLICK></ACTION></button></dialog></body></html>"));
    ASSERT_NE(form, nullptr);
    ClearBoxes();
    form->RunControlEvent(WindowIdOfElement(9), QStringLiteral("CLICK"));
    EXPECT_EQ(Value(QStringLiteral("SELECT sum(qty_1) FROM c_goods")), QStringLiteral("21"));
    ASSERT_EQ(Boxes().size(), 1);
    EXPECT_TRUE(
        Boxes()[0].text.contains(QStringLiteral("运行异常，如自己无法解决，请联系管理员。")));

    ClearBoxes();
    form->RunControlEvent(WindowIdOfElement(8), QStringLiteral("CLICK"));
    EXPECT_EQ(Grid(20)->RowCount(), 3);
    EXPECT_EQ(Value(QStringLiteral("SELECT sum(qty_1) FROM c_goods")), QStringLiteral("0"));
    EXPECT_EQ(BoxTexts(), QStringList{QStringLiteral("操作成功")});
}

class CheckCommandTest : public QueryCommandsTest {
protected:
    QString Qty(int uid)
    {
        return Value(QStringLiteral("SELECT qty_1 FROM c_goods WHERE uid_0=%1").arg(uid));
    }

    QString CheckCommand(const char* name, const QString& attributes)
    {
        return QStringLiteral("<%1><para_info %2/></%1>").arg(QLatin1String(name), attributes);
    }
};

TEST_F(CheckCommandTest, NeedsARecord)
{
    FillGoods();
    EXPECT_FALSE(Run(CheckCommand("check", QStringLiteral("table_id='20' update_sql='SELECT 1'"))));
    EXPECT_EQ(form->error_text, QStringLiteral("请选择记录！"));
    EXPECT_FALSE(
        Run(CheckCommand("check", QStringLiteral("uid_wnd_id='1' update_sql='SELECT 1'"))));
    EXPECT_EQ(form->error_text,
              QStringLiteral("请选择记录或者录入关联索引的指定控件编号uid_wnd_id！"));
}

TEST_F(CheckCommandTest, AsksAndUpdatesTheSelectedRecord)
{
    FillGoods(1);
    const QString update = QStringLiteral(
        "table_id='20' check_sql=\"SELECT '确认修改'||name_0 FROM c_goods WHERE uid_0={{id?uid}}\" "
        "update_sql=\"UPDATE c_goods SET qty_1=qty_1+1 WHERE uid_0={{id?uid}} AND "
        "code_0='{{id?0}}'\"");
    Answer(2);
    EXPECT_FALSE(Run(CheckCommand("check", update)));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, QStringLiteral("确认修改螺母"));
    EXPECT_EQ(Boxes()[0].caption, QStringLiteral("操作确认"));
    EXPECT_EQ(Qty(12), QStringLiteral("7"));

    Answer(1);
    ClearBoxes();
    EXPECT_TRUE(Run(CheckCommand("checkthis", update)));
    EXPECT_EQ(Boxes()[0].text, QStringLiteral("是否确认操作？"));
    EXPECT_EQ(Qty(12), QStringLiteral("8"));
    EXPECT_EQ(form->message_text, QStringLiteral("操作成功"));

    // A guard that finds nothing asks nothing; can_update_sql that finds a row refuses.
    ClearBoxes();
    EXPECT_FALSE(Run(CheckCommand(
        "check",
        QStringLiteral(
            "table_id='20' check_sql='SELECT 1 WHERE 1=0' "
            "can_update_sql=\"SELECT '已审核'\" update_sql='UPDATE c_goods SET qty_1=0'"))));
    EXPECT_TRUE(Boxes().isEmpty());
    EXPECT_EQ(form->error_text, QStringLiteral("已审核"));
    EXPECT_EQ(Qty(12), QStringLiteral("8"));
}

TEST_F(CheckCommandTest, ReportsAFailingStatement)
{
    SetText(1, QStringLiteral("13"));
    EXPECT_FALSE(
        Run(CheckCommand("check", QStringLiteral("uid_wnd_id='1' check_sql='SELECT 1 WHERE 1=0' "
                                                 "update_sql='UPDATE nowhere SET a=1'"))));
    EXPECT_EQ(form->error_text, QStringLiteral("命令异常!"));
    EXPECT_FALSE(form->session.errorDetail.isEmpty());
    EXPECT_FALSE(Run(CheckCommand(
        "check", QStringLiteral("uid_wnd_id='1' check_sql='SELECT 1 WHERE 1=0' "
                                "update_sql='UPDATE c_goods SET qty_1=1 WHERE uid_0={{id?uid}}' "
                                "run_sql='UPDATE nowhere SET a=1'"))));
    EXPECT_EQ(form->error_text, QStringLiteral("命令2异常!"));
    EXPECT_EQ(Qty(13), QStringLiteral("1"));
}

} // namespace
} // namespace zk::test
