#include "runtime/commands/command_registry.h"
#include "runtime/interpreter/action_interpreter.h"
#include "tests/runtime/form_fixture.h"
#include "tests/runtime/form_test_handlers.h"

namespace zk {
namespace {

using test::RecordedCalls;

// A form whose button 3 runs `script` on CLICK.
QString ScriptForm(const QString& script)
{
    return QStringLiteral("<html version='1.0' id='0'><head title='脚本' pos='0,0,300,200'/>"
                          "<body><dialog><textbox id='2' pos='10,10,100,30' value='5'/>"
                          "<button id='3' pos='10,40,90,70' value='运行'><ACTION><CLICK>%1"
                          "</CLICK></ACTION></button></dialog></body></html>")
        .arg(script);
}

class InterpreterTest : public ::testing::Test {
protected:
    InterpreterTest()
        : f(test::FormFixtureOptions{false})
    {
        test::AttachTestHandlers(f.registry);
        RecordedCalls().clear();
    }
    void SetUp() override { ASSERT_TRUE(f.ready) << f.problem.toStdString(); }

    // Runs the script; the form stays open for inspection.
    D_T1* Run(const QString& script)
    {
        D_T1* form = f.Open(ScriptForm(script));
        EXPECT_TRUE(form);
        if (form)
            form->RunControlEvent(WindowIdOfElement(3), QStringLiteral("CLICK"));
        return form;
    }

    test::FormFixture f;
};

TEST_F(InterpreterTest, AFailingCommandStopsTheScript)
{
    Run(QStringLiteral("<md5 values='1'/><md5 values='2' ok='0'/><md5 values='3'/>"));
    EXPECT_EQ(RecordedCalls(), (QStringList{"1", "2"}));
}

TEST_F(InterpreterTest, UnknownNamesAreSkippedAndUnattachedFamiliesFail)
{
    Run(QStringLiteral("<md5 values='1'/><Query_To_Table/><nothing/><md5 values='2'/>"));
    EXPECT_EQ(RecordedCalls(), (QStringList{"1", "2"}));

    RecordedCalls().clear();
    D_T1* form = Run(QStringLiteral("<md5 values='1'/><query_to_table/><md5 values='2'/>"));
    EXPECT_EQ(RecordedCalls(), QStringList{"1"});
    EXPECT_EQ(form->error_text, CommandRegistry::MissingHandlerText(u"query_to_table"));
}

TEST_F(InterpreterTest, OnlyTheLastCommandsMessageSurvives)
{
    Run(QStringLiteral("<md5 values='1' message='第一'/><md5 values='2'/>"));
    EXPECT_TRUE(f.boxes.isEmpty());
    Run(QStringLiteral("<md5 values='1'/><md5 values='2' message='第二'/>"));
    EXPECT_EQ(f.BoxTexts(), QStringList{"第二"});
}

TEST_F(InterpreterTest, JumpsMoveRelativeToThemselves)
{
    const struct {
        const char* offset;
        QStringList calls;
    } cases[] = {
        {"1", {"a", "b", "c"}},
        {"2", {"a", "c"}},
        {"3", {"a"}},  // to the end
        {"10", {"a"}}, // past the end: the script is done
    };
    for (const auto& c : cases) {
        RecordedCalls().clear();
        Run(QStringLiteral("<md5 values='a'/><jump values='SELECT %1'/><md5 values='b'/>"
                           "<md5 values='c'/>")
                .arg(QString::fromLatin1(c.offset)));
        EXPECT_EQ(RecordedCalls(), c.calls) << c.offset;
    }
}

TEST_F(InterpreterTest, ABackwardJumpLoopsUntilItsQueryChanges)
{
    f.Exec(QStringLiteral("CREATE TABLE t_loop(n_0 INTEGER)"));
    Run(QStringLiteral("<UrlEncode values='INSERT INTO t_loop VALUES(1)'/>"
                       "<jump values='SELECT CASE WHEN (SELECT count(*) FROM t_loop) &lt; 4 "
                       "THEN -1 ELSE 1 END'/><md5 values='end'/>"));
    EXPECT_EQ(f.Value(QStringLiteral("SELECT count(*) FROM t_loop")), QStringLiteral("4"));
    EXPECT_EQ(RecordedCalls(), QStringList{"end"});
}

TEST_F(InterpreterTest, FailingJumps)
{
    const struct {
        const char* jump;
        const char* error;
    } cases[] = {
        {"<jump values='SELECT 0'/>", "jump为0无效"},
        {"<jump values='SELECT 1 WHERE 1=0'/>", "jump无效"},
        {"<jump values='SELECT -5'/>", "jump无效"}, // before the start
        {"<jump values='SELECT 2 FROM c_user WHERE uid_0={{p1}}'>"
         "<para_info_where><p value='2' where='{{self}}'/></para_info_where></jump>",
         "jump无效"}, // control 2 holds 5: no such user
    };
    for (const auto& c : cases) {
        RecordedCalls().clear();
        D_T1* form = Run(
            QStringLiteral("<md5 values='a'/>%1<md5 values='b'/>").arg(QString::fromUtf8(c.jump)));
        EXPECT_EQ(RecordedCalls(), QStringList{"a"}) << c.jump;
        EXPECT_EQ(form->error_text, QString::fromUtf8(c.error)) << c.jump;
    }
}

TEST_F(InterpreterTest, JumpConditionsAndTheGridRow)
{
    // Condition 1 takes control 2's value (5), and the query finds its row.
    f.Exec(QStringLiteral("CREATE TABLE t_n(n_0 INTEGER)"));
    f.Exec(QStringLiteral("INSERT INTO t_n VALUES(5)"));
    Run(QStringLiteral("<jump values='SELECT 2 FROM t_n WHERE 1=1 {{p1}}'><para_info_where>"
                       "<p value='2' where='AND n_0={{self}}'/></para_info_where></jump>"
                       "<md5 values='skipped'/><md5 values='reached'/>"));
    EXPECT_EQ(RecordedCalls(), QStringList{"reached"});

    // A grid without a selected row fails without a message.
    RecordedCalls().clear();
    D_T1* form = Run(QStringLiteral("<jump table_id='9' values='SELECT 1'/><md5 values='x'/>"));
    EXPECT_TRUE(RecordedCalls().isEmpty());
    EXPECT_TRUE(form->error_text.isEmpty());
}

} // namespace
} // namespace zk
