#include "tests/runtime/query_fixture.h"

namespace zk::test {
namespace {

const QString kBody =
    QStringLiteral("<textbox id='1' pos='10,10,110,30'/><textbox id='2' pos='10,40,110,60'/>"
                   "<textbox id='3' pos='10,70,110,90'/><textbox id='4' pos='10,100,110,120'/>"
                   "<textbox id='5' pos='10,130,110,150'/><textbox id='6' pos='10,160,110,180'/>"
                   "<table id='20' pos='200,10,800,300'><PARA><col_info>"
                   "<col id='1' title='编码' width='80'/><col id='2' title='数量' width='60'/>"
                   "</col_info></PARA></table>");

// run_sql over a grid of three goods rows and a log table that records
// what the statements did.
class RunSqlTest : public QueryFormTest {
protected:
    void SetUp() override
    {
        QueryFormTest::SetUp();
        Sql(QStringLiteral(
            "CREATE TABLE c_goods(uid_0 INTEGER PRIMARY KEY, code_0 TEXT, qty_1 INTEGER);"
            "INSERT INTO c_goods VALUES(11,'A1',5);INSERT INTO c_goods VALUES(12,'A2',7);"
            "INSERT INTO c_goods VALUES(13,'B1',9);"
            "CREATE TABLE c_log(text_0 TEXT);"));
        Open(kBody);
        ASSERT_TRUE(Run(QStringLiteral("<select_info_table><para_info table_id='20' "
                                       "select='SELECT uid_0,code_0,qty_1 FROM c_goods ORDER BY "
                                       "uid_0'/></select_info_table>")));
    }

    bool RunStatement(const QString& attributes, const QString& children = QString())
    {
        return Run(QStringLiteral("<run_sql><s %1>%2</s></run_sql>").arg(attributes, children));
    }

    QStringList Log() { return Values(QStringLiteral("SELECT text_0 FROM c_log ORDER BY rowid")); }
};

TEST_F(RunSqlTest, RunsForRowsFromAllRowsOnColumnsCountedFromOne)
{
    EXPECT_TRUE(RunStatement(
        QStringLiteral("table_id='20' all_rows='2' "
                       "run_sql=\"INSERT INTO c_log VALUES('{{id?uid}}:{{id?1}}:{{id?2}}')\"")));
    EXPECT_EQ(Log(), (QStringList{QStringLiteral("12:A2:7"), QStringLiteral("13:B1:9")}));
    EXPECT_EQ(form->message_text, QStringLiteral("操作成功"));
}

TEST_F(RunSqlTest, SelectedRowsModeNeedsASelection)
{
    const QString statement = QStringLiteral(
        "table_id='20' all_rows='0' run_sql=\"INSERT INTO c_log VALUES('{{id?uid}}')\"");
    EXPECT_FALSE(RunStatement(statement));
    EXPECT_EQ(form->message_text, QStringLiteral("请选择行"));
    EXPECT_TRUE(Log().isEmpty());

    Grid(20)->SelectRow(0);
    Grid(20)->SelectRow(2);
    EXPECT_TRUE(RunStatement(statement));
    EXPECT_EQ(Log(), (QStringList{QStringLiteral("11"), QStringLiteral("13")}));
}

TEST_F(RunSqlTest, AllSelectedUidsRunTheGuardAndTheStatementOnce)
{
    Grid(20)->SelectRow(0);
    Grid(20)->SelectRow(1);
    EXPECT_TRUE(RunStatement(
        QStringLiteral("table_id='20' can_run_sql='SELECT 1 FROM c_goods WHERE uid_0 IN "
                       "({{id?uid_all_selected}}) AND qty_1&gt;100' "
                       "run_sql=\"INSERT INTO c_log VALUES('{{id?uid_all_selected}}')\"")));
    EXPECT_EQ(Log(), QStringList{QStringLiteral("11,12")});

    // A guard that returns a value refuses with that value.
    EXPECT_FALSE(RunStatement(QStringLiteral(
        "table_id='20' can_run_sql=\"SELECT '已结账' WHERE '{{id?uid_all_selected}}'&lt;&gt;''\" "
        "run_sql=\"INSERT INTO c_log VALUES('no')\"")));
    EXPECT_EQ(form->error_text, QStringLiteral("已结账"));
    EXPECT_EQ(Log().size(), 1);
}

TEST_F(RunSqlTest, TipShowsTheExpandedStepInSelectedRowsMode)
{
    Grid(20)->SelectRow(1);
    EXPECT_TRUE(RunStatement(
        QStringLiteral("table_id='20' tip='5' run_sql=\"INSERT INTO c_log VALUES('{{id?1}}')\"")));
    EXPECT_EQ(BoxTexts(), QStringList{QStringLiteral("INSERT INTO c_log VALUES('A2')")});
}

TEST_F(RunSqlTest, AQueryThatWritesZeroEndsTheFirstPhase)
{
    // query1 puts 0 into the step control: query2 does not run, and the
    // statement goes on with the second phase.
    EXPECT_TRUE(RunStatement(
        QStringLiteral(
            "jp_id='1' query1=\"SELECT 'one',0\" ids1='2;1' query2=\"SELECT 'two'\" ids2='3' "
            "run_sql=\"INSERT INTO c_log VALUES('{{p1}}')\""),
        QStringLiteral("<p value='2'/>")));
    EXPECT_EQ(Text(2), QStringLiteral("one"));
    EXPECT_EQ(Text(3), QString());
    EXPECT_EQ(Log(), QStringList{QStringLiteral("one")});

    // The number in jp_id after a pass chooses where the next pass starts:
    // 3 runs only query3, so query2 (which appends to control 3) ran once.
    EXPECT_TRUE(RunStatement(
        QStringLiteral("jp_id='1' query1='SELECT 3' ids1='1' query2=\"SELECT '{{p1}}x'\" ids2='3' "
                       "query3=\"SELECT CASE WHEN '{{p2}}'='' THEN 3 ELSE 0 END,'y'\" ids3='1;4'"),
        QStringLiteral("<p value='3'/><p value='4'/>")));
    EXPECT_EQ(Text(3), QStringLiteral("x"));
    EXPECT_EQ(Text(1), QStringLiteral("0"));

    // Without jp_id the first phase does not run at all.
    EXPECT_TRUE(RunStatement(QStringLiteral("query1=\"SELECT 'x'\" ids1='5'")));
    EXPECT_EQ(Text(5), QString());
}

TEST_F(RunSqlTest, SecondPhaseStepsAndFinalStep)
{
    EXPECT_TRUE(
        RunStatement(QStringLiteral("jump_id='1' run_sql=\"INSERT INTO c_log VALUES('first')\" "
                                    "query_sql='SELECT 2' target_ids='1' "
                                    "query_sql2=\"SELECT 'q2'\" target_ids2='2' run_sql2=\"INSERT "
                                    "INTO c_log VALUES('second')\" "
                                    "query_sql3=\"SELECT 'q3',0\" target_ids3='3;1' "
                                    "query10=\"SELECT 'final'\" ids10='4' run_sql10=\"INSERT INTO "
                                    "c_log VALUES('{{p1}}')\""),
                     QStringLiteral("<p value='4'/>")));
    EXPECT_EQ(Log(), (QStringList{QStringLiteral("first"), QStringLiteral("second"),
                                  QStringLiteral("final")}));
    EXPECT_EQ(Text(2), QStringLiteral("q2"));
}

TEST_F(RunSqlTest, AFailingStatementEndsTheSecondPhaseAndReports)
{
    EXPECT_FALSE(RunStatement(QStringLiteral("jump_id='1' run_sql='INSERT INTO nowhere VALUES(1)' "
                                             "query_sql=\"SELECT 'x'\" target_ids='2' "
                                             "run_sql10=\"INSERT INTO c_log VALUES('final')\"")));
    EXPECT_EQ(Text(1), QStringLiteral("1"));
    EXPECT_EQ(Text(2), QString());
    EXPECT_TRUE(Log().isEmpty());
    EXPECT_EQ(form->message_text, QStringLiteral("运行异常，如自己无法解决，请联系管理员。\n"));
    EXPECT_EQ(form->error_text, QStringLiteral("运行异常，如自己无法解决，请联系管理员。"));
    EXPECT_EQ(form->session.errorDetail, QStringLiteral("INSERT INTO nowhere VALUES(1)"));

    // A query step without rows fails too, and empties its targets.
    SetText(3, QStringLiteral("old"));
    EXPECT_FALSE(RunStatement(QStringLiteral("query_sql='SELECT 1 WHERE 1=0' target_ids='3'")));
    EXPECT_EQ(Text(3), QString());
}

TEST_F(RunSqlTest, AStepNumberThatIsNeverResetStopsTheStatement)
{
    // Nothing writes jump_id, so each pass sends the phase back to step 1.
    EXPECT_FALSE(RunStatement(QStringLiteral("jump_id='1' query_sql='SELECT 1' target_ids='2'")));
    EXPECT_EQ(form->error_text, QStringLiteral("运行异常，如自己无法解决，请联系管理员。"));
}

TEST_F(RunSqlTest, TheFirstFailingStatementStopsTheCommand)
{
    EXPECT_FALSE(Run(QStringLiteral("<run_sql><s run_sql=\"INSERT INTO c_log VALUES('a')\"/>"
                                    "<s run_sql='INSERT INTO nowhere VALUES(1)'/>"
                                    "<s run_sql=\"INSERT INTO c_log VALUES('c')\"/></run_sql>")));
    EXPECT_EQ(Log(), QStringList{QStringLiteral("a")});
}

} // namespace
} // namespace zk::test
