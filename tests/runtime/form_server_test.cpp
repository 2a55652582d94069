#include "tests/runtime/form_fixture.h"
#include "tests/runtime/form_test_handlers.h"
#include "tests/server/server_process.h"

namespace zk {
namespace {

// The usual set-up: the form's session works through the server link to a
// real zk_server, which owns the company database.
class FormServerTest : public ::testing::Test {
protected:
    FormServerTest()
        : f(test::FormFixtureOptions{false})
        , served(test::Engine::SQLite)
    {
        test::AttachTestHandlers(f.registry);
        test::RecordedCalls().clear();
        f.app.directConnection.clear();
        direct.SetConnectionString(served.connection());
        QString message;
        ready = served.problem().isEmpty() && direct.Open() &&
                InitCompanyDatabase(direct, CompanySetup{QStringLiteral("服务公司")}, message);
    }
    void SetUp() override { ASSERT_TRUE(ready) << served.problem().toStdString(); }

    QString Value(const QString& sql)
    {
        QString value;
        direct.IsFind(sql, value);
        return value;
    }

    test::FormFixture f;
    test::ServedDatabase served;
    CDbSession direct;
    bool ready = false;
};

TEST_F(FormServerTest, RightsLogAndTransactionsGoThroughTheServer)
{
    direct.Execute(QStringLiteral("INSERT INTO c_menu_button(menu_uid_0,button_id_0) VALUES(5,7)"));
    direct.Execute(QStringLiteral("INSERT INTO c_menu_button_group(menu_button_uid_0,group_uid_0,"
                                  "sta_0) VALUES(1,1,-2)"));
    direct.Execute(QStringLiteral("CREATE TABLE t_order(uid_0 INTEGER PRIMARY KEY, name_0 TEXT)"));
    const QString definition = QStringLiteral(
        "<html version='1.0' id='0'><head title='订单' pos='0,0,300,200'/><body><dialog>"
        "<button id='7' pos='10,10,90,40' value='删除'/>"
        "<button id='3' pos='10,50,90,80' value='保存'><ACTION><CLICK>"
        "<UrlEncode values=\"INSERT INTO t_order(name_0) VALUES('甲')\"/>"
        "<md5/></CLICK></ACTION></button>"
        "</dialog></body></html>");
    D_T1* form = f.Open(definition, QStringLiteral("5"), QStringLiteral("订单"));
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->Control(7)->isHidden());
    EXPECT_EQ(form->forbidden_ids, QStringLiteral(";7;"));
    EXPECT_EQ(Value(QStringLiteral("SELECT menu_name_0 FROM log_dh_open WHERE menu_uid_0=5")),
              QStringLiteral("订单"));

    form->RunControlEvent(WindowIdOfElement(3), QStringLiteral("CLICK"));
    EXPECT_EQ(Value(QStringLiteral("SELECT count(*) FROM t_order")), QStringLiteral("1"));
    EXPECT_TRUE(f.boxes.isEmpty()) << f.BoxTexts().join(u'|').toStdString();
}

TEST_F(FormServerTest, AFailedRunIsRolledBackOnTheServer)
{
    direct.Execute(QStringLiteral("CREATE TABLE t_order(uid_0 INTEGER PRIMARY KEY, name_0 TEXT)"));
    const QString definition = QStringLiteral(
        "<html version='1.0' id='0'><head title='订单' pos='0,0,300,200'/><body><dialog>"
        "<button id='3' pos='10,50,90,80' value='保存'><ACTION><CLICK>"
        "<UrlEncode values=\"INSERT INTO t_order(name_0) VALUES('甲')\"/>"
        "<md5 ok='0' error='库存不足'/></CLICK></ACTION></button>"
        "</dialog></body></html>");
    D_T1* form = f.Open(definition);
    ASSERT_TRUE(form);
    form->RunControlEvent(WindowIdOfElement(3), QStringLiteral("CLICK"));
    EXPECT_EQ(Value(QStringLiteral("SELECT count(*) FROM t_order")), QStringLiteral("0"));
    EXPECT_EQ(f.BoxTexts(), QStringList{"库存不足"});
}

} // namespace
} // namespace zk
