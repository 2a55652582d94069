#include "tests/runtime/query_fixture.h"
#include "tests/server/server_process.h"

namespace zk::test {
namespace {

// The query commands of a form whose session works through a real zk_server.
class QueryServerTest : public QueryFormTest {
protected:
    void SetUp() override
    {
        QueryFormTest::SetUp();
        served = std::make_unique<ServedDatabase>(Engine::SQLite);
        ASSERT_TRUE(served->problem().isEmpty()) << served->problem().toStdString();
        direct.SetConnectionString(served->connection());
        QString message;
        ASSERT_TRUE(direct.Open() &&
                    InitCompanyDatabase(direct, CompanySetup{QStringLiteral("服务公司")}, message))
            << message.toStdString();
        UseServer(direct);
        Sql(QStringLiteral("CREATE TABLE c_goods(uid_0 INTEGER PRIMARY KEY, code_0 TEXT)"));
        for (int i = 1; i <= 12; ++i)
            Sql(QStringLiteral("INSERT INTO c_goods VALUES(%1,'G%1')").arg(i));
        Open(QStringLiteral("<textbox id='1' pos='10,10,110,30'/>"
                            "<static id='35' pos='10,40,400,60'/>"
                            "<table id='20' pos='10,70,600,400'><PARA><col_info>"
                            "<col id='1' title='编码' width='80'/></col_info></PARA></table>"));
    }

    void TearDown() override
    {
        QueryFormTest::TearDown();
        served.reset();
    }

    std::unique_ptr<ServedDatabase> served;
    CDbSession direct;
};

TEST_F(QueryServerTest, PagesAndValuesCrossTheServerLink)
{
    ASSERT_TRUE(form->session.useServer);
    ASSERT_TRUE(Run(QStringLiteral(
        "<select_info_table><para_info table_id='20' select='SELECT uid_0,code_0 FROM c_goods' "
        "order='uid_0' counts_in_page='5' result_info_id='35'/></select_info_table>")))
        << form->error_text.toStdString();
    ASSERT_EQ(Grid(20)->RowCount(), 5);
    EXPECT_EQ(Grid(20)->CellText(4, 0), QStringLiteral("G5"));
    EXPECT_EQ(Text(35), QStringLiteral("当前 1/3 页 每页 5 条记录 合计 12 条记录"));

    Grid(20)->SelectRow(2);
    EXPECT_TRUE(Run(QStringLiteral(
        "<query_to_wnd table_id='20' target_ids='1' "
        "values='SELECT code_0 FROM c_goods WHERE uid_0&gt;={{id?uid}} AND uid_0&lt;6'/>")));
    EXPECT_EQ(Text(1), QStringLiteral("G3,G4,G5"));
}

} // namespace
} // namespace zk::test
