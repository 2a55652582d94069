#include "forms/controls/colour_button.h"
#include "forms/controls/control_font.h"
#include "forms/controls/control_values.h"
#include "forms/controls/file_edit_ctrl.h"
#include "forms/controls/zk_date_ctrl.h"
#include "forms/controls/zk_drop_list.h"
#include "forms/controls/zk_edit.h"
#include "forms/controls/zk_hyperlink.h"
#include "forms/controls/zk_picture.h"
#include "forms/controls/zk_static.h"
#include "forms/controls/zk_tab_ctrl.h"
#include "forms/controls/zk_tree_ctrl.h"
#include "forms/grid/list_ctrl_ex.h"
#include "tests/runtime/form_fixture.h"

#include <QDir>
#include <QPushButton>

namespace zk {
namespace {

// Every control kind once, with the attributes that change how it is made.
const char kEveryKind[] = R"(<html version='1.0' id='7'>
<head title='销售订单' pos='0,0,660,480' bg='1'>
  <bg>
    <e type='rect3' pos='4,4,652,40' color='235,242,250'/>
    <e type='line' pos='10,44,640,44' color='120,140,170' width='2'/>
    <e type='text' pos='420,12,640,36' text='制单：王经理' font='10'/>
  </bg>
</head>
<body><dialog>
  <static id='1' pos='12,10,300,36' value='销售订单录入 {{cpy}}' font='14' color='30,60,120'/>
  <static id='2' pos='12,54,80,78' value='客户名称:'/>
  <textbox id='3' pos='86,52,290,76' value='上海华东贸易有限公司' maxlen='20'/>
  <textbox id='4' pos='86,84,290,150' style='4' value='备注：请于本周五前发货。' readonly='1' font='9,黑体'/>
  <droplist id='5' pos='300,52,420,77' value='现金;转账;支票'/>
  <datectrl id='6' pos='430,52,560,76' value='2024-05-01'/>
  <editbutton id='8' pos='300,84,460,108' value='220,60,40' popup='-1'/>
  <editbutton id='9' pos='300,116,460,140' value='详细说明' color='255,250,220' img='0,90,0'/>
  <button id='10' pos='12,160,108,192' value='保存' shade='2' color='40,120,210' img='4' desp='保存单据'/>
  <button id='11' pos='116,160,212,192' value='打印' style='1'/>
  <button id='12' pos='220,160,316,192' value='审核' maxlen='2' shade='46,150,70' disabled='1'/>
  <button id='13' pos='324,160,500,184' value='查看&lt;a href="help"&gt;帮助&lt;/a&gt;' popup='1'/>
  <button id='14' pos='508,160,604,192' value='隐藏' hidden='1'/>
  <table id='20' pos='12,200,420,330'><PARA><col_info>
    <col id='1' title='商品' width='120'/><col id='2' title='数量' width='60' format='1' hidden_wnd='3'/>
    <col id='3' col_id='1' title='打印用' width='60'/>
  </col_info></PARA></table>
  <tree id='21' pos='430,200,640,330'/>
  <pic id='22' pos='12,340,160,460' value='pic'/>
  <treelist id='23' pos='170,340,300,460'/>
  <panel id='24' pos='310,340,640,470'>
    <html id='61' title='明细'><head/><body><dialog>
      <static id='1' pos='8,8,200,30' value='明细页'/>
      <textbox id='2' pos='8,36,200,60' value='页内文本'/>
    </dialog></body></html>
    <html id='62' title='附件'><head/><body><dialog/></body></html>
  </panel>
</dialog></body></html>)";

class FormControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(f.ready) << f.problem.toStdString();
        form = f.Open(QString::fromUtf8(kEveryKind));
        ASSERT_TRUE(form);
    }
    test::FormFixture f;
    D_T1* form = nullptr;
};

TEST_F(FormControlsTest, EveryKindIsBuiltWithItsIdGeometryAndState)
{
    const struct {
        int id;
        const char* kind; // ElementKindOf
        QRect rect;
    } cases[] = {
        {3, "textbox", QRect(86, 52, 204, 24)},      {4, "textbox", QRect(86, 84, 204, 66)},
        {5, "droplist", QRect(300, 52, 120, 20)},    {6, "datectrl", QRect(430, 52, 130, 24)},
        {8, "editbutton", QRect(300, 84, 160, 24)},  {10, "button", QRect(12, 160, 96, 32)},
        {11, "button", QRect(116, 160, 96, 32)},     {13, "button", QRect(324, 160, 176, 24)},
        {20, "table", QRect(12, 200, 408, 130)},     {21, "tree", QRect(430, 200, 210, 130)},
        {23, "treelist", QRect(170, 340, 130, 120)}, {1, "", QRect(12, 10, 288, 26)},
    };
    for (const auto& c : cases) {
        QWidget* control = form->Control(c.id);
        ASSERT_TRUE(control) << c.id;
        EXPECT_EQ(WindowIdOf(control), c.id + 1024);
        EXPECT_EQ(control->parentWidget(), form);
        EXPECT_EQ(ElementKindOf(control), QString::fromLatin1(c.kind)) << c.id;
        EXPECT_EQ(control->geometry(), c.rect) << c.id;
    }
    EXPECT_TRUE(qobject_cast<CColorButton*>(form->Control(10)));
    EXPECT_TRUE(qobject_cast<QPushButton*>(form->Control(11)));
    EXPECT_TRUE(qobject_cast<ZkHyperLink*>(form->Control(13)));
    auto* shaded = qobject_cast<CColorButton*>(form->Control(12));
    ASSERT_TRUE(shaded);
    EXPECT_TRUE(shaded->IsShaded());
    EXPECT_FALSE(shaded->isEnabled());
    EXPECT_TRUE(form->Control(14)->isHidden());
    EXPECT_EQ(form->Control(10)->toolTip(), QStringLiteral("保存单据"));

    // Values: expanded where the kind expands them, limits and modes.
    EXPECT_EQ(ControlWindowText(form->Control(1)), QStringLiteral("销售订单录入 测试公司"));
    EXPECT_EQ(GetControlValue(*form, 5), QString());
    EXPECT_EQ(qobject_cast<ZkDropList*>(form->Control(5))->count(), 3);
    EXPECT_EQ(ControlWindowText(form->Control(6)), QStringLiteral("2024-05-01"));
    EXPECT_EQ(qobject_cast<ZkEdit*>(form->Control(3))->MaxLength(), 20);
    EXPECT_TRUE(qobject_cast<ZkEdit*>(form->Control(4))->IsReadOnly());
    EXPECT_EQ(qobject_cast<CFileEditCtrl*>(form->Control(8))->GetMode(),
              CFileEditCtrl::Mode::Colour);
    EXPECT_EQ(qobject_cast<CZkStatic*>(form->Control(1))->TextColour(), QColor(30, 60, 120));

    // Fonts: the definition's size as a bold cell height, else the default.
    EXPECT_EQ(form->Control(1)->font().pixelSize(), FontCellHeight(14));
    EXPECT_TRUE(form->Control(1)->font().bold());
    EXPECT_EQ(form->Control(3)->font(), form->DefaultFont());

    // The grid: shown columns only, the form's list, the editor column.
    auto* grid = form->FindGrid(QStringLiteral("20"));
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->ColumnCount(), 2);
    EXPECT_EQ(grid->HeaderText(1), QStringLiteral("数量"));
    ASSERT_EQ(form->Grids().size(), 1);
    EXPECT_EQ(form->Grid(0), grid);

    // Tab pages are embedded forms that find their controls by "t:p:n".
    auto* tabs = qobject_cast<CZkTabCtrl*>(form->Control(24));
    ASSERT_TRUE(tabs);
    EXPECT_EQ(tabs->PageCount(), 2);
    auto* page = qobject_cast<D_T1*>(tabs->Page(0));
    ASSERT_TRUE(page);
    EXPECT_TRUE(page->embedded);
    EXPECT_EQ(page->form_id, QStringLiteral("61"));
    EXPECT_EQ(GetControlValue(*form, QStringLiteral("24:1:2")), QStringLiteral("页内文本"));
    EXPECT_EQ(GetControlValue(*page, QStringLiteral("0:3")),
              QStringLiteral("上海华东贸易有限公司"));
}

TEST_F(FormControlsTest, ScreenshotShowsTheChineseTexts)
{
    const QImage shot = form->grab().toImage();
    const QString folder = test::BinDir() + QStringLiteral("/../tests/screenshots");
    QDir().mkpath(folder);
    ASSERT_TRUE(shot.save(folder + QStringLiteral("/form_every_kind.png")));
    // The drawn background is there under the controls.
    EXPECT_EQ(shot.pixelColor(640, 20), QColor(235, 242, 250));
}

} // namespace
} // namespace zk
