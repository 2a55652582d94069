#include "data/xml/xml_document.h"

#include <gtest/gtest.h>

#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace zk {
namespace {

// A small form definition in the shape the rest of the client reads.
const char* const kForm = R"(<html id="12">
  <head><title>库存</title></head>
  <body>
    <x:dialog xmlns:x="urn:zk">
      <button id="3" pos="1,2,3,4" enabled="0"/>
      <!-- the list -->
      <table id="7" rows="12px"><col>编号</col><col>名称</col></table>
    </x:dialog>
  </body>
</html>)";

CXmlDocument Load(const QString& text)
{
    CXmlDocument doc;
    EXPECT_TRUE(doc.LoadXml(text)) << text.toStdString();
    return doc;
}

TEST(XmlDocument, RefusesTextsThatAreNotOneDocument)
{
    const char* const bad[] = {
        "", "   ", "plain text", "<a>", "<a></b>", "<a/><b/>", "<a/>trailing", "<a b=1/>",
    };
    for (const char* text : bad) {
        CXmlDocument doc;
        EXPECT_FALSE(doc.LoadXml(QString::fromUtf8(text))) << text;
        EXPECT_TRUE(doc.GetRoot()->IsNull()) << text;
        EXPECT_TRUE(doc.SelectSingleNode("//*")->IsNull()) << text;
    }
    CXmlDocument doc;
    EXPECT_TRUE(doc.LoadXml("<?xml version=\"1.0\" encoding=\"gb2312\"?><!-- c --><a/>"));
    EXPECT_EQ(doc.GetRoot()->GetName(), "a");
}

TEST(XmlDocument, FailedLoadEmptiesTheDocumentButNotEarlierHandles)
{
    CXmlDocument doc = Load(kForm);
    CXmlNodePtr table = doc.SelectSingleNode("//table");
    EXPECT_FALSE(doc.LoadXml("<broken"));
    EXPECT_TRUE(doc.GetRoot()->IsNull());
    EXPECT_EQ(table->GetAttribute("id", 0), 7);
}

TEST(XmlDocument, HandlesOutliveAReload)
{
    CXmlDocument doc = Load(kForm);
    CXmlNodePtr dialog = doc.GetRoot()->GetChild("body")->GetChild("dialog");
    CXmlNodesPtr controls = dialog->GetChildren();
    ASSERT_TRUE(doc.LoadXml("<other/>"));

    EXPECT_EQ(doc.GetRoot()->GetName(), "other");
    EXPECT_EQ(dialog->GetName(), "x:dialog");
    EXPECT_EQ(controls->GetItem(1)->GetAttribute("id", 0), 7);
    EXPECT_EQ(dialog->GetParent()->GetParent()->GetAttribute("id", QString()), "12");
    EXPECT_TRUE(dialog->SetText("changed"));
    EXPECT_EQ(dialog->GetText(), "changed");
}

TEST(XmlDocument, SelectSingleNodeStartsAtTheRootElement)
{
    CXmlDocument doc = Load(kForm);
    EXPECT_EQ(doc.SelectSingleNode("head/title")->GetText(), "库存");
    EXPECT_EQ(doc.SelectSingleNode("//html[@id=12]/body/*/table[@id=7]/col[2]")->GetText(), "名称");
    EXPECT_EQ(doc.SelectSingleNode("//button/@pos")->GetText(), "1,2,3,4");
    EXPECT_TRUE(doc.SelectSingleNode("html")->IsNull());

    CXmlNodePtr body = doc.SelectSingleNode("body");
    EXPECT_EQ(body->SelectSingleNode("*[local-name(.) = 'dialog']/table")->GetName(), "table");
    EXPECT_EQ(body->SelectSingleNode("..")->GetName(), "html");
    // Malformed expressions and expressions that give no node set.
    for (const char* xpath : {"///[", "body/dialog[", "count(*)", "'text'", "", "$undefined"})
        EXPECT_TRUE(doc.SelectSingleNode(xpath)->IsNull()) << xpath;
}

TEST(XmlNode, GetChildMatchesTheLocalName)
{
    CXmlDocument doc = Load(kForm);
    CXmlNodePtr body = doc.GetRoot()->GetChild("body");
    CXmlNodePtr dialog = body->GetChild("dialog");
    EXPECT_EQ(dialog->GetName(), "x:dialog");
    EXPECT_TRUE(body->GetChild("x:dialog")->IsNull());
    EXPECT_TRUE(body->GetChild("Dialog")->IsNull());
    EXPECT_TRUE(body->GetChild("button")->IsNull()) << "children only, not descendants";
}

TEST(XmlNode, GetChildCreatesOnceWithTheDoubledApostrophe)
{
    CXmlDocument doc = Load("<a><b/></a>");
    CXmlNodePtr root = doc.GetRoot();
    EXPECT_TRUE(root->GetChild("it's")->IsNull());

    CXmlNodePtr created = root->GetChild("it's", true);
    EXPECT_EQ(created->GetName(), "it''s");
    EXPECT_EQ(root->GetChild("it's", true)->GetXml(), created->GetXml());
    EXPECT_EQ(root->GetChildren()->GetCount(), 2);
    EXPECT_TRUE(created->SetText("v"));
    EXPECT_EQ(root->GetChild("it's")->GetText(), "v");

    CXmlNodePtr added = root->GetChild("c", true);
    EXPECT_EQ(root->GetXml(), "<a><b/><it''s>v</it''s><c/></a>");
    EXPECT_EQ(added->GetParent()->GetName(), "a");
}

TEST(XmlNode, AttributeReadsWithDefaults)
{
    CXmlDocument doc = Load(R"(<a n12="12abc" empty="" neg=" -3" word="yes" zero="0" one="1"
                               big="99999999999" s="text"/>)");
    CXmlNodePtr a = doc.GetRoot();
    struct IntCase {
        const char* name;
        int expected;
    };
    for (const IntCase& c : {IntCase{"absent", 5},
                             {"n12", 12},
                             {"empty", 5},
                             {"neg", -3},
                             {"word", 0},
                             {"big", 2147483647}})
        EXPECT_EQ(a->GetAttribute(c.name, 5), c.expected) << c.name;

    struct FlagCase {
        const char* name;
        bool def;
        bool expected;
    };
    for (const FlagCase& c : {FlagCase{"zero", true, false},
                              {"one", false, true},
                              {"word", true, true},
                              {"word", false, false},
                              {"empty", true, true},
                              {"absent", false, false}})
        EXPECT_EQ(a->GetAttribute(c.name, c.def), c.expected) << c.name << c.def;

    EXPECT_EQ(a->GetAttribute("s", "def"), "text");
    EXPECT_EQ(a->GetAttribute("empty", "def"), "def");
    EXPECT_EQ(a->GetAttribute("absent", QStringLiteral("def")), "def");
    QString value = "stale";
    EXPECT_TRUE(a->GetAttribute("absent", value));
    EXPECT_EQ(value, "");
}

TEST(XmlNode, TextReadsAllDescendantsAndSetTextReplacesThem)
{
    CXmlDocument doc = Load("<a>\n  <b> x </b>\n  <c>y<![CDATA[<z>]]></c>\n</a>");
    CXmlNodePtr a = doc.GetRoot();
    EXPECT_EQ(a->GetText(), " x y<z>") << "white-space-only text is not kept";
    EXPECT_EQ(a->GetXml(), "<a><b> x </b><c>y<![CDATA[<z>]]></c></a>");

    CXmlNodePtr b = a->GetChild("b");
    CXmlNodesPtr before = a->GetChildren();
    EXPECT_TRUE(a->SetText("1 < 2 & 中"));
    EXPECT_EQ(a->GetText(), "1 < 2 & 中");
    EXPECT_EQ(a->GetXml(), "<a>1 &lt; 2 &amp; 中</a>");
    EXPECT_TRUE(b->IsNull()) << "a handle to a replaced node reads as null";
    EXPECT_EQ(b->GetName(), "");
    EXPECT_TRUE(before->GetItem(1)->IsNull());
    EXPECT_TRUE(a->SetText(""));
    EXPECT_EQ(a->GetXml(), "<a/>");
}

TEST(XmlNode, GetTextIntWritesItsDefaultIntoAnEmptyElement)
{
    CXmlDocument doc = Load("<a><n/><m>42x</m></a>");
    CXmlNodePtr n = doc.GetRoot()->GetChild("n");
    EXPECT_EQ(n->GetTextInt(7), 7);
    EXPECT_EQ(n->GetText(), "7");
    EXPECT_EQ(n->GetXml(), "<n>7</n>");
    EXPECT_EQ(doc.GetRoot()->GetChild("m")->GetTextInt(7), 42);
    EXPECT_EQ(doc.GetRoot()->GetChild("m")->GetText(), "42x");
}

TEST(XmlNodes, ChildrenAreElementsInDocumentOrder)
{
    CXmlDocument doc = Load(kForm);
    CXmlNodesPtr controls = doc.SelectSingleNode("body/*")->GetChildren();
    ASSERT_EQ(controls->GetCount(), 2) << "text and comments are not children";
    EXPECT_EQ(controls->GetItem(0)->GetName(), "button");
    EXPECT_EQ(controls->GetItem(1)->GetName(), "table");
    EXPECT_TRUE(controls->GetItem(controls->GetCount())->IsNull());
    EXPECT_TRUE(controls->GetItem(-1)->IsNull());
    EXPECT_EQ(doc.SelectSingleNode("//button")->GetChildren()->GetCount(), 0);
}

TEST(XmlNode, NullHandlesGiveEmptyResults)
{
    CXmlDocument doc = Load("<a/>");
    CXmlNodePtr null = doc.SelectSingleNode("missing");
    ASSERT_TRUE(null->IsNull());
    QString text = "stale";
    EXPECT_FALSE(null->GetText(text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(null->SetText("x"));
    EXPECT_EQ(null->GetTextInt(7), 7);
    EXPECT_EQ(null->GetName(), "");
    EXPECT_EQ(null->GetXml(), "");
    EXPECT_FALSE(null->GetAttribute("id", text));
    EXPECT_EQ(null->GetAttribute("id", 4), 4);
    EXPECT_TRUE(null->GetAttribute("id", true));
    EXPECT_TRUE(null->GetChild("b", true)->IsNull());
    EXPECT_TRUE(null->SelectSingleNode("*")->IsNull());
    EXPECT_TRUE(null->GetParent()->IsNull());
    CXmlNodesPtr none = null->GetChildren();
    EXPECT_TRUE(none->IsNull());
    EXPECT_EQ(none->GetCount(), 0);
    EXPECT_TRUE(none->GetItem(0)->IsNull());
    EXPECT_EQ(doc.GetRoot()->GetXml(), "<a/>");
}

TEST(XmlDocument, ChineseTextSurvivesARoundTrip)
{
    const QString text =
        QStringLiteral(R"(<表单 名称="采购&amp;入库 &quot;A&quot;"><行>数量：１２ 😀</行></表单>)");
    CXmlDocument doc = Load(text);
    CXmlNodePtr root = doc.GetRoot();
    EXPECT_EQ(root->GetName(), "表单");
    EXPECT_EQ(root->GetAttribute("名称", QString()), "采购&入库 \"A\"");
    EXPECT_EQ(root->GetChild("行")->GetText(), "数量：１２ 😀");
    EXPECT_EQ(root->GetXml(), text);

    CXmlDocument again = Load(root->GetXml());
    EXPECT_EQ(again.GetRoot()->GetXml(), text);
    EXPECT_EQ(doc.SelectSingleNode("@名称")->GetXml(), R"(名称="采购&amp;入库 &quot;A&quot;")");
}

} // namespace
} // namespace zk
