#include "runtime/lint/form_lint.h"
#include "tests/common/test_env.h"
#include "tests/forms/definition_printers.h"

#include <QFile>

#include <gtest/gtest.h>

namespace zk {

void PrintTo(const LintFinding& f, std::ostream* os)
{
    *os << f.line << ": " << f.message.toStdString();
}

namespace {

// A one-line form around a dialog, so that every finding is on line 1.
QString Form(const char* dialog, const char* head = "<head pos='0'/>", const char* more = "")
{
    return QStringLiteral("<html id='0'>%1<body><dialog>%2</dialog>%3</body></html>")
        .arg(QString::fromUtf8(head), QString::fromUtf8(dialog), QString::fromUtf8(more));
}

QList<LintFinding> OnLine1(std::initializer_list<const char*> messages)
{
    QList<LintFinding> findings;
    for (const char* m : messages)
        findings.append(LintFinding{1, QString::fromUtf8(m)});
    return findings;
}

struct Case {
    const char* what;
    QString xml;
    QList<LintFinding> findings;
};

void ExpectFindings(const Case& c)
{
    EXPECT_EQ(LintForm(c.xml), c.findings) << c.what << "\n" << c.xml.toStdString();
}

TEST(LintForm, DocumentShape)
{
    const Case cases[] = {
        {"not well-formed, on the line of the error",
         "<html id='0'>\n<body>\n<dialog></body>\n</html>",
         {{3, "XML 格式错误：开始标记与结束标记不配对"}}},
        {"an attribute without quotes",
         "<html id=0></html>",
         {{1, "XML 格式错误：属性格式错误（引号不配对或缺少 =）"}}},
        {"two roots",
         "<html id='0'><head pos='0'/></html>\n<html id='1'/>",
         {{2, "XML 只能有一个根元素，<html> 是第二个"}}},
        {"text beside the root", "<html id='0'><head pos='0'/></html>x",
         OnLine1({"根元素之外不能有文字"})},
        {"empty", "", OnLine1({"XML 没有根元素"})},
        {"another root", "<form id='0'/>", OnLine1({"根元素必须是 <html>，这里是 <form>"})},
        {"no head pos", Form("", "<head title='x'/>"),
         OnLine1({"head 没有 pos，窗口打开后会立即关闭"})},
        {"no id",
         "<html><head pos='0'/><body><dialog><tree id='1' pos='0,0,9,9'/></dialog></body></html>",
         OnLine1({"表单没有 id，不会创建任何控件"})},
        {"form ids twice",
         Form("<panel id='5' pos='0,0,9,9'><html id='0'/><html id='6'/></panel>", "<head pos='0'/>",
              "<popup><html id='6'><head pos='0'/></html></popup>"),
         OnLine1({"表单编号 0 重复（第 1 行已用）", "表单编号 6 重复（第 1 行已用）"})},
    };
    for (const Case& c : cases)
        ExpectFindings(c);
}

TEST(LintForm, ElementsAndValueForms)
{
    const Case cases[] = {
        {"unknown element", Form("<textbx id='1' pos='0,0,9,9'/>"), OnLine1({"未知元素 <textbx>"})},
        {"rectangle", Form("<textbox id='1' pos='1,2,3'/>"),
         OnLine1({"<textbox id=1> 的属性 pos 不是矩形 left,top,right,bottom：\"1,2,3\""})},
        {"no pos", Form("<group id='2' value='1'/><textbox id='1'/>"),
         OnLine1({"<group id=2> 缺少 pos", "<textbox id=1> 缺少 pos"})},
        {"colours",
         Form("<static id='1' pos='0,0,9,9' color='1,2'/>"
              "<button id='2' pos='0,0,9,9' shade='9,9'/>"
              "<editbutton id='3' pos='0,0,9,9' img='red'/>"),
         OnLine1({"<static id=1> 的属性 color 不是颜色 r,g,b：\"1,2\"",
                  "<button id=2> 的属性 shade 不是颜色 r,g,b：\"9,9\"",
                  "<editbutton id=3> 的属性 img 不是颜色 r,g,b：\"red\""})},
        {"font and integers",
         Form("<textbox id='1' pos='0,0,9,9' font='9,宋体,1' maxlen='ten' hidden='1x'/>"),
         OnLine1({"<textbox id=1> 的属性 hidden 不是整数：\"1x\"",
                  "<textbox id=1> 的属性 maxlen 不是整数：\"ten\"",
                  "<textbox id=1> 的属性 font 不是字体 size[,face]：\"9,宋体,1\""})},
        {"grid columns",
         Form("<table id='1' pos='0,0,9,9'><PARA><col_info>"
              "<col id='1' width='8O' color_bg='255,255'/></col_info></PARA></table>"),
         OnLine1({"<col id=1> 的属性 width 不是整数：\"8O\"",
                  "<col id=1> 的属性 color_bg 不是颜色 r,g,b：\"255,255\""})},
        {"control ids twice in one form",
         Form("<textbox id='3' pos='0,0,9,9'/><button id='3' pos='0,0,9,9'/>", "<head pos='0'/>",
              "<popup><html id='7'><head pos='0'/><body><dialog><tree id='3' pos='0,0,9,9'/>"
              "</dialog></body></html></popup>"),
         OnLine1({"控件编号 3 重复（第 1 行已用）"})},
        {"inline pop-up", Form("<editbutton id='1' pos='0,0,9,9' popup='8'/>"),
         OnLine1({"找不到弹出表单 8（body/popup/html[@id=8]）"})},
        {"hot key",
         Form("", "<head pos='0'><HOTKEY><para_info><k id='25' value='3'/></para_info>"
                  "</HOTKEY></head>"),
         OnLine1({"热键编号 25 不在 1–24 之内"})},
    };
    for (const Case& c : cases)
        ExpectFindings(c);
}

TEST(LintForm, SplitsAndGroups)
{
    const Case cases[] = {
        {"group of a missing control",
         Form("<group id='1' value='2;9' pos='0,0,4,4'/>"
              "<tree id='2' pos='0,0,9,9'/>"),
         OnLine1({"group 1 引用了不存在的控件 9"})},
        {"group after its control",
         Form("<tree id='2' pos='0,0,9,9'/>"
              "<group id='1' value='2' pos='0,0,4,4'/>"),
         OnLine1({"group 1 必须写在控件 2 之前"})},
        {"a hidden-2 control before its group is fine",
         Form("<tree id='2' pos='0,0,9,9' hidden='2'/><group id='1' value='2' pos='0,0,4,4'/>"),
         {}},
        {"arranged twice",
         Form("<group id='1' value='2' pos='0,0,4,4'/><group id='3' value='2' "
              "pos='0,0,4,4'/><tree id='2' pos='0,0,9,9'/>"),
         OnLine1({"控件 2 已由 group 1 排列"})},
        {"split panes",
         Form("<split id='S1' value='T5;2'/><group id='5' value='3' pos='0,0,4,4'/>"
              "<tree id='2' pos='0,0,9,9'/><tree id='3' pos='0,0,9,9'/>"
              "<split id='S2' value='2;8'/><split id='S3' value='2'/>"
              "<split id='S4' value='2;2'/><split id='T5' value='T5;2'/>"),
         OnLine1({"split S1 引用的面板 T5 不存在（必须先定义）", "split S2 引用了不存在的控件 8",
                  "split S3 的 value 需要两个部分 A;B", "split S4 的两个部分相同",
                  "名称 T5 已被使用"})},
        {"a pane in two splits",
         Form("<tree id='2' pos='0,0,9,9'/><tree id='3' pos='0,0,9,9'/>"
              "<tree id='4' pos='0,0,9,9'/><split id='S1' value='2;3'/>"
              "<split id='S2' value='3;4'/><split id='TA' value='2;4'/>"
              "<split id='S9' value='TA;4' desp='6'/>"),
         OnLine1({"split S2 的部分 3 已属于另一个 split", "split TA 的部分 2 已属于另一个 split",
                  "split S9 引用的面板 TA 不存在（必须先定义）",
                  "<split id=S9> 的 desp 引用了不存在的控件 6"})},
    };
    for (const Case& c : cases)
        ExpectFindings(c);
}

TEST(LintForm, EventsCommandsAndJumps)
{
    const Case cases[] = {
        {"events on a label",
         Form("<static id='1' pos='0,0,9,9'><ACTION><CLICK/></ACTION></static>"),
         OnLine1({"<static> 不能带事件，ACTION 不会执行"})},
        {"unknown event",
         Form("<button id='1' pos='0,0,9,9'><ACTION><CLIK><close/></CLIK>"
              "<INIT/></ACTION></button>"),
         OnLine1({"未知事件 <CLIK>", "未知事件 <INIT>"})},
        {"head ACTION", Form("", "<head pos='0'><ACTION><CLICK/></ACTION></head>"),
         OnLine1({"head/ACTION 下只能有 INIT，<CLICK> 不会执行"})},
        {"command names",
         Form("<button id='1' pos='0,0,9,9'><ACTION><CLICK><query_to_tabel/>"
              "<Query_To_Table/><urlencode/><UrlEncode/></CLICK></ACTION></button>"),
         OnLine1({"未知命令 <query_to_tabel>",
                  "未知命令 <Query_To_Table>（是否为 <query_to_table>？）",
                  "未知命令 <urlencode>（是否为 <UrlEncode>？）"})},
        {"constant jumps",
         Form("", "<head pos='0'><ACTION><INIT>"
                  "<jump values='SELECT 0'/><jump values='select -5'/><close/><jump values=' "
                  "SELECT 8 ;'/>"
                  "<jump values='SELECT -1'/><jump values='SELECT 2'/><close/>"
                  "<jump values='SELECT 2 FROM t'/><jump values='SELECT {{p1}}'/><jump "
                  "values='SELECT 1'/>"
                  "</INIT></ACTION></head>"),
         OnLine1({"jump 的偏移为 0，运行时失败（jump为0无效）", "jump 的偏移 -5 跳到脚本开头之前",
                  "jump 的偏移 8 跳过了脚本末尾",
                  "jump 的偏移 -1 是常数，脚本会一直循环到某个命令失败为止"})},
    };
    for (const Case& c : cases)
        ExpectFindings(c);
}

// A definition as form authors write them: every construct in use, no finding.
TEST(LintForm, CleanDefinitionHasNoFinding)
{
    QFile file(test::SourceDir() + QStringLiteral("/runtime/fixtures/purchase_order.xml"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(LintForm(QString::fromUtf8(file.readAll())), QList<LintFinding>{});
}

} // namespace
} // namespace zk
