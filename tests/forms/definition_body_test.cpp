#include "data/xml/xml_document.h"
#include "forms/definition/body_reader.h"
#include "forms/definition/definition_paths.h"
#include "forms/layout/layout_definition.h"
#include "tests/forms/definition_printers.h"
#include "tests/forms/fake_window.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

// Reads one definition and keeps the messages its format errors raised.
struct Reading {
    explicit Reading(const QString& xml)
    {
        EXPECT_TRUE(document.LoadXml(xml)) << xml.toStdString();
        context.messages.show = [this](const QString& text) { messages.append(text); };
        context.defaultFace = QStringLiteral("宋体");
        body = ReadFormBody(*document.GetRoot(), context);
    }

    const ControlDefinition& Control(int id) const
    {
        for (const ControlDefinition& c : body.controls) {
            if (c.id == id)
                return c;
        }
        ADD_FAILURE() << "no control " << id;
        return body.controls.front();
    }

    CXmlDocument document;
    DefinitionContext context;
    QStringList messages;
    FormBody body;
};

QString Form(const QString& dialog, const QString& extraBody = {})
{
    return QStringLiteral("<html id='0'><body><dialog>") + dialog + QStringLiteral("</dialog>") +
           extraBody + QStringLiteral("</body></html>");
}

const QString kRectError = QString::fromUtf16(kRectFormatMessage);
const QString kColorError = QString::fromUtf16(kColorFormatMessage);

TEST(DefinitionValueForms, RectanglesColoursFontsAndLists)
{
    struct RectCase {
        const char* text;
        DefRect rect;
        bool error;
    } rects[] = {
        {"10,20,110,45", {10, 20, 110, 45}, false},
        {" -5, 7px,30 ,40", {-5, 7, 30, 40}, false}, // leading-number rule per part
        {"10,20,110", {}, true},                     // three parts
        {"1,2,3,4,", {}, true},                      // a fifth, empty part
        {"", {}, true},
    };
    for (const RectCase& c : rects) {
        QStringList shown;
        DefinitionMessages messages{[&](const QString& t) { shown.append(t); }};
        EXPECT_EQ(ReadRect(QString::fromUtf8(c.text), messages), c.rect) << c.text;
        EXPECT_EQ(shown, c.error ? QStringList{kRectError} : QStringList{}) << c.text;
    }

    struct ColorCase {
        const char* text;
        RgbColor color;
        bool error;
    } colors[] = {
        {"0,128,255", {0, 128, 255}, false},
        {"256,-1,511", {0, 255, 255}, false}, // low 8 bits
        {"12,34", kRgbRed, true},
        {"1,2,3,4", kRgbRed, true},
    };
    for (const ColorCase& c : colors) {
        QStringList shown;
        DefinitionMessages messages{[&](const QString& t) { shown.append(t); }};
        EXPECT_EQ(ReadColor(QString::fromUtf8(c.text), messages), c.color) << c.text;
        EXPECT_EQ(shown, c.error ? QStringList{kColorError} : QStringList{}) << c.text;
    }
    EXPECT_EQ(ReadOptionalColor({}, {}), std::nullopt) << "an empty colour is no colour";

    const QString face = QStringLiteral("宋体");
    EXPECT_TRUE(ReadFont({}, face).isDefault);
    const FontSpec nine = ReadFont(QStringLiteral("9"), face);
    EXPECT_EQ(nine.size, 9);
    EXPECT_EQ(nine.cellHeight, 12);
    EXPECT_EQ(nine.face, face);
    EXPECT_EQ(nine.weight, 700);
    const FontSpec named = ReadFont(QStringLiteral("10, 黑体"), face);
    EXPECT_EQ(named.cellHeight, 13) << "10 * 4 / 3 rounds down";
    EXPECT_EQ(named.face, QStringLiteral("黑体"));
    EXPECT_EQ(ReadFont(QStringLiteral("11,"), face).face, face) << "an empty face is the default";
    EXPECT_TRUE(IsValidFontText(QStringLiteral("12,黑体")));
    EXPECT_FALSE(IsValidFontText(QStringLiteral("12,黑体,3")));
    EXPECT_FALSE(IsValidFontText(QStringLiteral("big")));

    EXPECT_EQ(ParseIdList(QStringLiteral("2;3;12;")), (QList<int>{2, 3, 12}));
    EXPECT_EQ(ParseItemList(QStringLiteral("a;;b")), (QStringList{"a", "", "b"}));
    EXPECT_TRUE(ParseItemList({}).isEmpty());
    EXPECT_TRUE(IsIntegerText(QStringLiteral(" -12 ")));
    EXPECT_FALSE(IsIntegerText(QStringLiteral("12px")));
    EXPECT_FALSE(IsIntegerText(QStringLiteral("-")));
}

TEST(DefinitionBody, FormWithoutIdHasNoControlsAndNoLayout)
{
    for (const char* root : {"<html>", "<html id=''>", "<html id='-1'>"}) {
        Reading r(QString::fromUtf8(root) +
                  QStringLiteral("<body><dialog><textbox id='1' pos='0,0,10,10'/>"
                                 "<group id='1' value='1'/></dialog></body></html>"));
        EXPECT_EQ(r.body.formId, QStringLiteral("-1")) << root;
        EXPECT_TRUE(r.body.controls.isEmpty()) << root;
        EXPECT_TRUE(r.body.layout.empty()) << root;
    }
}

TEST(DefinitionBody, CommonAttributesAndTheirDefaults)
{
    Reading r(Form(QStringLiteral("<textbox id='7' pos='1,2,3'/>"
                                  "<static id='8' pos='10,10,90,30' value='客户：{{cpy}}' "
                                  "font='12,黑体' color='0,0,255' hidden='-1'/>"
                                  "<tree id='9' pos='0,0,100,200' hidden='1'/>"
                                  "<unknown id='10' pos='0,0,1,1'/>")));
    ASSERT_EQ(r.body.controls.size(), 3) << "unknown names are not controls";
    const ControlDefinition& box = r.Control(7);
    EXPECT_EQ(box.pos, DefRect{}) << "three numbers: the rectangle error";
    EXPECT_EQ(r.messages, QStringList{kRectError});
    EXPECT_EQ(box.windowId(), 1031);
    EXPECT_TRUE(box.font.isDefault);
    EXPECT_FALSE(box.startsHidden);

    const ControlDefinition& label = r.Control(8);
    EXPECT_EQ(label.value, QStringLiteral("客户：{{cpy}}")) << "kept raw for the expansion";
    EXPECT_TRUE(label.ExpandsValue());
    EXPECT_EQ(label.font.face, QStringLiteral("黑体"));
    EXPECT_EQ(std::get<StaticDetail>(label.detail).color, (RgbColor{0, 0, 255}));
    EXPECT_TRUE(label.startsHidden) << "non-zero hides a label";
    EXPECT_FALSE(r.Control(9).startsHidden) << "a tree has no hidden";
    EXPECT_EQ(r.Control(8).element->GetName(), QStringLiteral("static"));
}

TEST(DefinitionBody, TextBoxStyles)
{
    Reading r(Form(QStringLiteral("<textbox id='1' pos='0,0,9,9' style='4'/>"
                                  "<textbox id='2' pos='0,0,9,9' style='5' maxlen='20'/>"
                                  "<textbox id='3' pos='0,0,9,9' style='32' readonly='1'/>"
                                  "<textbox id='4' pos='0,0,9,9' hidden='-1'/>")));
    const auto detail = [&](int id) { return std::get<TextBoxDetail>(r.Control(id).detail); };
    EXPECT_EQ(detail(1).mode, TextBoxMode::MultiLine);
    EXPECT_FALSE(detail(1).password());
    EXPECT_EQ(detail(2).mode, TextBoxMode::MultiLineBoth);
    EXPECT_EQ(detail(2).maxlen, 20);
    EXPECT_EQ(detail(3).mode, TextBoxMode::SingleLine);
    EXPECT_TRUE(detail(3).password());
    EXPECT_EQ(detail(3).readonly, 1);
    EXPECT_FALSE(r.Control(4).startsHidden) << "only above 0 hides a text box";
}

TEST(DefinitionBody, ButtonColours)
{
    Reading r(Form(QStringLiteral(
        "<button id='1' pos='0,0,9,9' popup='1' shade='x' style='3'/>"
        "<button id='2' pos='0,0,9,9' img='4' disabled='1' desp='保存'/>"
        "<button id='3' pos='0,0,9,9' style='3' shade='1' color='200,0,0' maxlen='2'/>"
        "<button id='4' pos='0,0,9,9' shade='10,20,30' disabled='2' style='1'/>"
        "<button id='5' pos='0,0,9,9' shade='10,20' color='1,2'/>")));
    const auto b = [&](int id) { return std::get<ButtonDetail>(r.Control(id).detail); };
    EXPECT_EQ(b(1).popup, 1);
    EXPECT_EQ(b(1).shadeColor, std::nullopt) << "a hyperlink has no shade";
    EXPECT_EQ(b(2).img, 4);
    EXPECT_EQ(b(2).desp, QStringLiteral("保存"));
    EXPECT_TRUE(b(2).disabledAtCreation());
    EXPECT_EQ(b(3).shade, QStringLiteral("1"));
    EXPECT_EQ(b(3).shadeColor, std::nullopt) << "a named scheme";
    EXPECT_EQ(b(3).color, (RgbColor{200, 0, 0}));
    EXPECT_EQ(b(3).maxlen, 2);
    EXPECT_EQ(b(4).shadeColor, (RgbColor{10, 20, 30}));
    EXPECT_FALSE(b(4).disabledAtCreation()) << "only exactly 1 disables";
    // Each broken colour text is reported once.
    EXPECT_EQ(r.messages, (QStringList{kColorError, kColorError}));
    EXPECT_EQ(b(5).shadeColor, kRgbRed);
    EXPECT_EQ(b(5).color, kRgbRed);
}

TEST(DefinitionBody, EditButtonPopups)
{
    Reading r(Form(QStringLiteral("<editbutton id='1' pos='0,0,9,9' popup='0' hidden='1'/>"
                                  "<editbutton id='2' pos='0,0,9,9'/>"
                                  "<editbutton id='3' pos='0,0,9,9' popup='-1' img='0,0,255'/>"
                                  "<editbutton id='4' pos='0,0,9,9' popup='7' hidden='1' "
                                  "readonly='yes' minlen='2'/>"
                                  "<editbutton id='5' pos='0,0,9,9' popup='8'/>"
                                  "<editbutton id='6' pos='0,0,9,9' popup='c:1203:cust:1' "
                                  "color='240,240,240'/>"),
                   QStringLiteral("<popup><html id='7'><head title='选择'/></html></popup>")));
    const auto e = [&](int id) { return std::get<EditButtonDetail>(r.Control(id).detail); };
    EXPECT_EQ(e(1).popup.mode, EditButtonMode::NoButton);
    EXPECT_FALSE(e(1).showsButton());
    EXPECT_FALSE(r.Control(1).startsHidden) << "hidden needs a pop-up form";
    EXPECT_EQ(e(2).popup.mode, EditButtonMode::TextDetail);
    EXPECT_TRUE(e(2).showsButton());
    EXPECT_EQ(e(3).popup.mode, EditButtonMode::Colour);
    EXPECT_EQ(e(3).textColor, (RgbColor{0, 0, 255}));

    const EditButtonDetail inlineForm = e(4);
    EXPECT_EQ(inlineForm.popup.mode, EditButtonMode::InlineForm);
    EXPECT_EQ(inlineForm.popup.formId, QStringLiteral("7"));
    EXPECT_EQ(inlineForm.popup.inlineDefinition,
              QStringLiteral("<html id=\"7\"><head title=\"选择\"/></html>"));
    EXPECT_TRUE(r.Control(4).startsHidden);
    EXPECT_TRUE(inlineForm.readOnly()) << "any readonly text on a pop-up form's box";
    EXPECT_FALSE(inlineForm.showsButton());
    EXPECT_EQ(inlineForm.minlen, 2);
    EXPECT_EQ(e(5).popup.inlineDefinition, QString::fromUtf16(kEmptyPopupDefinition));

    const EditButtonPopup stored = e(6).popup;
    EXPECT_EQ(stored.mode, EditButtonMode::StoredForm);
    EXPECT_EQ(stored.menuUid, QStringLiteral("1203"));
    EXPECT_EQ(stored.extra1, QStringLiteral("cust"));
    EXPECT_EQ(stored.extra2, QStringLiteral("1"));
    EXPECT_EQ(e(6).background, (RgbColor{240, 240, 240}));
    EXPECT_TRUE(r.messages.isEmpty());
}

TEST(DefinitionBody, GridColumns)
{
    Reading r(Form(QStringLiteral(
        "<table id='11' pos='0,0,500,300' font='9'><PARA>"
        "<table_info><para_info is_col_color='1' parent_field='order_uid_0'/><x is_col_color='0'/>"
        "</table_info><col_info>"
        "<col id='1' title='编码' width='100' sort='1' field_name='code_0'/>"
        "<col id='2' title='隐藏' width='0'/>"
        "<col id='9' col_id='3' title='打印用'/>"
        "<col id='3' title='数量' format='1' hidden_wnd='40' sum='51' type='-1' "
        "color_bg='255,255,200' color_text='1,2'><ENDEDIT>"
        "<q values='SELECT {{p1}}*{{c2}}' target_ids='5;6'><para_info><p value='40'/>"
        "<p value='3'/></para_info></q></ENDEDIT></col>"
        "</col_info></PARA></table>")));
    const GridDefinition& grid = std::get<TableDetail>(r.Control(11).detail).grid;
    EXPECT_TRUE(grid.colouredByColumn);
    EXPECT_EQ(grid.tableInfo->GetChildren()->GetItem(0)->GetAttribute(
                  QStringLiteral("parent_field"), QString()),
              QStringLiteral("order_uid_0"));
    ASSERT_EQ(grid.columns.size(), 4);
    const QList<GridColumnElement> shown = grid.ShownColumns();
    ASSERT_EQ(shown.size(), 3) << "the width-0 column exists, the col_id 3 one does not";
    EXPECT_EQ(shown[1].title, QStringLiteral("隐藏"));
    EXPECT_TRUE(shown[1].fixed());
    EXPECT_EQ(shown[0].colorBg, kRgbWhite);
    EXPECT_EQ(shown[0].colorText, kRgbBlack);
    EXPECT_EQ(shown[0].element->GetAttribute(QStringLiteral("field_name"), QString()),
              QStringLiteral("code_0"));
    EXPECT_TRUE(shown[0].endEdit->IsNull());

    const GridColumnElement& qty = shown[2];
    EXPECT_EQ(qty.format, 1);
    EXPECT_EQ(qty.hiddenWnd, 40);
    EXPECT_EQ(qty.sum, 51);
    EXPECT_TRUE(qty.fixed()) << "type -1";
    EXPECT_EQ(qty.colorBg, (RgbColor{255, 255, 200}));
    EXPECT_EQ(qty.colorText, kRgbRed);
    EXPECT_EQ(r.messages, QStringList{kColorError});
    const QList<EndEditCommand> script = ReadEndEditCommands(*qty.endEdit);
    ASSERT_EQ(script.size(), 1);
    EXPECT_EQ(script[0].values, QStringLiteral("SELECT {{p1}}*{{c2}}"));
    EXPECT_EQ(script[0].targetIds, (QList<int>{5, 6}));
    EXPECT_EQ(script[0].paraValues, (QList<int>{40, 3}));
    // The grid finds the script by position: column 3 is the third shown column.
    EXPECT_EQ(r.document.SelectSingleNode(GridColumnEndEditPath(QStringLiteral("0"), 11, 3))
                  ->GetChildren()
                  ->GetItem(0)
                  ->GetName(),
              QStringLiteral("q"));
}

TEST(DefinitionBody, DropListsDatesPanelsAndTreeLists)
{
    Reading r(Form(QStringLiteral(
        "<droplist id='1' pos='0,0,100,25' value='甲;乙;{{type}}'/>"
        "<droplist id='2' pos='0,0,100,19'/>"
        "<datectrl id='3' pos='0,0,100,20' readonly='1' value='2024-03-18'/>"
        "<panel id='4' pos='0,0,400,300'><html id='41' title='明细'/><html id='42' title='附件'/>"
        "<other/></panel>"
        "<treelist id='5' pos='0,0,400,300'><PARA><head_info>"
        "<a title='部门' type='2' menu_id='30'><b title='一组' type='1'/>"
        "<c title='二组' type='3' menu_id='31'><d title='组员'/></c></a>"
        "</head_info></PARA></treelist>")));
    const ControlDefinition& list = r.Control(1);
    EXPECT_EQ(list.pos, (DefRect{0, 0, 100, 25})) << "the widget adjusts the height";
    EXPECT_TRUE(list.ExpandsValue());
    EXPECT_EQ(ParseItemList(list.value).size(), 3);
    EXPECT_EQ(std::get<DateCtrlDetail>(r.Control(3).detail).readonly, 1);

    const PanelDetail& panel = std::get<PanelDetail>(r.Control(4).detail);
    ASSERT_EQ(panel.pages.size(), 2);
    EXPECT_EQ(panel.pages[1].id, QStringLiteral("42"));
    EXPECT_EQ(panel.pages[1].title, QStringLiteral("附件"));
    EXPECT_EQ(panel.pages[1].element->GetName(), QStringLiteral("html"));

    const TreeListItem& root = std::get<TreeListDetail>(r.Control(5).detail).root;
    EXPECT_EQ(root.title, QStringLiteral("root"));
    ASSERT_EQ(root.children.size(), 1);
    const TreeListItem& dept = root.children[0];
    ASSERT_EQ(dept.children.size(), 2);
    EXPECT_EQ(dept.children[0].type, 2) << "never lower than the parent's";
    EXPECT_EQ(dept.children[0].menuId, 30) << "below 1: the parent's";
    EXPECT_EQ(dept.children[1].type, 3);
    EXPECT_EQ(dept.children[1].children[0].menuId, 31);
}

TEST(DefinitionBody, LayoutElementsInDocumentOrder)
{
    Reading r(Form(QStringLiteral("<group id='1' value='2;3;' pos='0,0,8,6' style='2'/>"
                                  "<static id='2' pos='10,10,80,30'/>"
                                  "<textbox id='3' pos='90,10,290,30' hidden='2' director='4'/>"
                                  "<split id='S1' value='2;3' desp='5'/>"
                                  "<note id='6'/>"
                                  "<group id='7' value='9'/>")));
    ASSERT_EQ(r.body.layout.size(), 6u);
    const LayoutElement& group = r.body.layout[0];
    EXPECT_EQ(group.kind, LayoutElement::Kind::Group);
    EXPECT_EQ(group.targetIds, (QList<int>{2, 3}));
    EXPECT_EQ(group.hgap, 8);
    EXPECT_EQ(group.vgap, 6);
    EXPECT_EQ(group.style, 2);
    EXPECT_EQ(group.director, 15);
    EXPECT_EQ(r.body.layout[1].director, 3);
    EXPECT_EQ(r.body.layout[2].hidden, 2);
    EXPECT_EQ(r.body.layout[2].director, 4);
    EXPECT_EQ(r.body.layout[3].kind, LayoutElement::Kind::Split);
    EXPECT_EQ(r.body.layout[3].name, QStringLiteral("S1"));
    EXPECT_EQ(r.body.layout[3].desp, 5);
    EXPECT_EQ(r.body.layout[4].kind, LayoutElement::Kind::Control) << "any other name";
    EXPECT_EQ(r.body.layout[4].id, 6);
    EXPECT_EQ(r.body.layout[5].style, 1) << "a group arranges rows by default";
    EXPECT_EQ(r.messages, QStringList{kRectError}) << "the second group has no pos";
}

// The reader's output drives the layout engine: anchors as written, hidden 2
// never moved, a group of style 2 arranged in a column.
TEST(DefinitionBody, DrivesTheLayoutPass)
{
    Reading r(Form(QStringLiteral("<group id='1' value='2;3' pos='0,0,0,5' style='2'/>"
                                  "<static id='2' pos='10,10,80,30'/>"
                                  "<static id='3' pos='10,40,80,60'/>"
                                  "<button id='4' pos='300,10,390,30' director='4'/>"
                                  "<textbox id='5' pos='300,40,390,60' hidden='2' director='12'/>"
                                  "<table id='6' pos='10,100,390,290' director='15'/>")));
    test::FakeWindow window;
    for (const ControlDefinition& c : r.body.controls)
        window.controls[c.windowId()] = c.pos.toQRect();
    CWndResizer resizer;
    resizer.Hook(window);
    ApplyLayoutDefinition(resizer, r.body.layout, false);
    EXPECT_EQ(window.controls[1027], test::Edges(10, 35, 80, 55)) << "below 2 with a gap of 5";

    window.Resize(600, 400);
    resizer.Relayout();
    EXPECT_EQ(window.controls[1028], test::Edges(500, 10, 590, 30)) << "right and top";
    EXPECT_EQ(window.controls[1029], test::Edges(300, 40, 390, 60)) << "hidden 2 stays";
    EXPECT_EQ(window.controls[1030], test::Edges(10, 100, 590, 390));
}

} // namespace
} // namespace zk
