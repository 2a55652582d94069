#include "data/xml/xml_document.h"
#include "data/xml/xml_nodes.h"
#include "runtime/definition/form_events.h"
#include "runtime/definition/form_head.h"
#include "tests/forms/definition_printers.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

// A form with a pop-up and a tab page that reuse control ids: every look-up
// must stay within the form named by its id.
const char* const kOrderForm = R"(<html version='1.0' id='0'>
  <head title='销售订单' style='1' pos='0,0,1024,700' in_id='8' thread_id='60' time_split='5000'
        parent_btn='9' scroll='1200,900' bg='1' draw_method='x'>
    <ACTION><INIT connstr='Provider=SQLite;Data Source={{conn}}' id='8' log='1'>
      <query_to_wnd values='SELECT 1' target_ids='8'/></INIT></ACTION>
    <HOTKEY><para_info><k id='5' value='12'/><k id='5' value='13'/><k id='12' value='60'/>
    </para_info></HOTKEY>
    <bg><e type='rect1' pos='0,0,100,20' color='200,200,255' width='2'/>
        <e type='text' pos='1,2,3' text='标题' font='14'/></bg>
  </head>
  <body>
    <dialog>
      <textbox id='8' pos='0,0,100,20'>
        <ACTION><EN_CHANGE id='13'><run_sql/></EN_CHANGE></ACTION>
      </textbox>
      <button id='12' pos='0,30,80,50'><ACTION><CLICK><close/></CLICK></ACTION></button>
      <static id='13' pos='0,60,80,80'><ACTION><CLICK><close/></CLICK></ACTION></static>
      <panel id='20' pos='0,100,400,300'>
        <html id='21' title='明细'><head><ACTION><INIT/></ACTION></head><body><dialog>
          <button id='12' pos='0,0,80,20'><ACTION><CLICK><addrow/></CLICK></ACTION></button>
        </dialog></body></html>
      </panel>
    </dialog>
    <popup>
      <html id='7'><head title='选择客户' pos='0'>
        <ACTION><INIT><select_info_table/></INIT></ACTION>
        <HOTKEY><para_info><k id='5' value='3'/></para_info></HOTKEY></head>
        <body><dialog><button id='12' pos='0,0,80,20'>
          <ACTION><DCLICK><return_selected/></DCLICK></ACTION></button></dialog></body>
      </html>
    </popup>
  </body>
</html>)";

class DefinitionHeadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.LoadXml(QString::fromUtf8(kOrderForm)));
        context.messages.show = [this](const QString& t) { messages.append(t); };
        context.defaultFace = QStringLiteral("宋体");
    }
    CXmlNodePtr Form(const char* id) const { return FindFormElement(doc, QString::fromUtf8(id)); }

    CXmlDocument doc;
    DefinitionContext context;
    QStringList messages;
};

TEST_F(DefinitionHeadTest, HeadAttributesAndBackground)
{
    const FormHead head = ReadFormHead(*Form("0"), context);
    EXPECT_EQ(head.title, QStringLiteral("销售订单"));
    EXPECT_EQ(head.style, 1);
    EXPECT_EQ(head.placement, WindowPlacement::Rectangle);
    EXPECT_EQ(head.rect, (DefRect{0, 0, 1024, 700}));
    EXPECT_EQ(head.inId, 8);
    EXPECT_EQ(head.threadId, 60);
    EXPECT_EQ(head.timeSplit, 5000);
    EXPECT_EQ(head.parentBtn, 9);
    EXPECT_EQ(head.scroll, QStringLiteral("1200,900"));
    EXPECT_TRUE(head.paintsBackground());
    EXPECT_EQ(head.drawMethod, QStringLiteral("x"));
    ASSERT_EQ(head.background.size(), 2);
    EXPECT_EQ(head.background[0].type, QStringLiteral("rect1"));
    EXPECT_EQ(head.background[0].color, (RgbColor{200, 200, 255}));
    EXPECT_EQ(head.background[0].width, 2);
    EXPECT_EQ(head.background[1].width, 1) << "the pen is 1 wide by default";
    EXPECT_EQ(head.background[1].font.cellHeight, 18);
    EXPECT_EQ(messages, QStringList{QString::fromUtf16(kRectFormatMessage)});

    const FormHead popup = ReadFormHead(*Form("7"), context);
    EXPECT_EQ(popup.title, QStringLiteral("选择客户")) << "the pop-up's own head";
    EXPECT_EQ(popup.placement, WindowPlacement::KeepTemplate);
    EXPECT_FALSE(popup.inId.has_value());
    EXPECT_EQ(ReadFormHead(*Form("21"), context).placement, WindowPlacement::CloseAtOnce);
    EXPECT_TRUE(ReadFormHead(*Form("99"), context).element->IsNull()) << "no such form";
}

TEST_F(DefinitionHeadTest, EventElementsByFormKindIdAndName)
{
    const QString main = QStringLiteral("0");
    const CXmlNodePtr change = FindEventElement(doc, main, "textbox", 8, "EN_CHANGE");
    ASSERT_FALSE(change->IsNull());
    const EventSettings s = ReadEventSettings(*change);
    EXPECT_TRUE(s.FiresAtLength(13));
    EXPECT_FALSE(s.FiresAtLength(12));
    EXPECT_TRUE(EventSettings{}.FiresAtLength(3)) << "no id: any length";

    EXPECT_EQ(
        FindEventElement(doc, main, "button", 12, "CLICK")->GetChildren()->GetItem(0)->GetName(),
        QStringLiteral("close"));
    EXPECT_EQ(
        FindEventElement(doc, "21", "button", 12, "CLICK")->GetChildren()->GetItem(0)->GetName(),
        QStringLiteral("addrow"))
        << "the tab page's own button 12";
    EXPECT_FALSE(FindEventElement(doc, "7", "button", 12, "DCLICK")->IsNull());
    EXPECT_TRUE(FindEventElement(doc, "7", "button", 12, "CLICK")->IsNull());
    EXPECT_TRUE(FindEventElement(doc, main, "static", 13, "CLICK")->IsNull())
        << "a label carries no events";
    EXPECT_TRUE(FindEventElement(doc, main, "textbox", 12, "CLICK")->IsNull()) << "kind mismatch";
    EXPECT_EQ(EventCarrierNames().first(), QStringLiteral("editbutton"));
    EXPECT_FALSE(CanCarryEvents(u"pic")) << "a pic is looked up as treelist";
}

TEST_F(DefinitionHeadTest, InitScriptsAndTheirSettings)
{
    const CXmlNodePtr init = FindInitScript(*Form("0"));
    ASSERT_FALSE(init->IsNull());
    const EventSettings s = ReadEventSettings(*init);
    EXPECT_TRUE(s.log);
    EXPECT_EQ(s.ConnectionString(QStringLiteral("/data/a.db")),
              QStringLiteral("Provider=SQLite;Data Source=/data/a.db"));
    EXPECT_EQ(FindInitScript(*Form("7"))->GetChildren()->GetItem(0)->GetName(),
              QStringLiteral("select_info_table"));
    EXPECT_TRUE(FindInitScript(*Form("21"))->IsNull()) << "an INIT without commands";

    CXmlDocument bare;
    ASSERT_TRUE(bare.LoadXml("<html id='0'><head/></html>"));
    EXPECT_TRUE(FindInitScript(*bare.GetRoot())->IsNull());
    const EventSettings noId{QStringLiteral("a{{conn}}"), 0, false};
    EXPECT_EQ(noId.ConnectionString("x"), "a{{conn}}") << "without id the text stays";
}

TEST_F(DefinitionHeadTest, HotKeysTakeTheFirstEntryOfTheirForm)
{
    EXPECT_EQ(HotKeyTarget(*Form("0"), 5), 12);
    EXPECT_EQ(HotKeyTarget(*Form("0"), 12), 60);
    EXPECT_EQ(HotKeyTarget(*Form("0"), 6), std::nullopt);
    EXPECT_EQ(HotKeyTarget(*Form("7"), 5), 3);
    EXPECT_EQ(HotKeyTarget(*Form("21"), 5), std::nullopt);
}

} // namespace
} // namespace zk
