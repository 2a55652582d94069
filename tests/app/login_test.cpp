// The login dialog against a real zk_server: the user list of its worker, a successful and
// a failed login with their records, and the ids that need escaping.

#include "app_fixture.h"

#include "app/dialog_login.h"
#include "app/login_sql.h"
#include "util/ini.h"

#include <QComboBox>
#include <QLineEdit>

namespace zk::test {
namespace {

class LoginTest : public AppFixture {};

QStringList Items(QComboBox& combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items.append(combo.itemText(i));
    return items;
}

TEST_F(LoginTest, ListsActiveUsersSortedAndPreselectsTheRememberedOne)
{
    struct Case {
        QString remembered;
        QString selected; // empty: nothing selected
    };
    const Case cases[] = {{QStringLiteral("CLE"), QStringLiteral("clerk")},
                          {QStringLiteral("admin"), QStringLiteral("admin")},
                          {QStringLiteral("nobody"), QString()},
                          {QString(), QString()}};
    for (const Case& c : cases) {
        WriteIni(QStringLiteral("cfg.ini"), QStringLiteral("SERVER"), QStringLiteral("USER"),
                 c.remembered);
        Dialog_Login login(*app_);
        ASSERT_TRUE(WaitUntil([&] { return login.UserListLoaded(); }));
        EXPECT_EQ(Items(*login.UserCombo()),
                  (QStringList{QStringLiteral("admin"), QStringLiteral("clerk"),
                               QStringLiteral("o'neil")}))
            << "the inactive user is not listed";
        EXPECT_EQ(login.UserCombo()->currentText(), c.selected) << c.remembered.toStdString();
        EXPECT_EQ(login.UserCombo()->currentIndex() >= 0, !c.selected.isEmpty());
    }
    EXPECT_EQ(app_->server_ip, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(app_->server_port, server_.port());
    EXPECT_EQ(app_->db_kind, QStringLiteral("2"));
}

TEST_F(LoginTest, SuccessFillsTheSessionAndWritesTheRecords)
{
    const QString tokenBefore = app_->init_reply;
    ASSERT_TRUE(LogIn(QStringLiteral("clerk"), QStringLiteral("pw1")));
    EXPECT_EQ(app_->userid, clerkUid_);
    EXPECT_EQ(app_->user_id, QStringLiteral("clerk"));
    EXPECT_EQ(app_->username, QStringLiteral("王店员"));
    EXPECT_EQ(app_->auth, QStringLiteral("10,11,12,20"));
    EXPECT_EQ(app_->groupid, QStringLiteral("2"));
    EXPECT_EQ(app_->password, LoginDigest(QStringLiteral("pw1")));
    EXPECT_EQ(app_->password.size(), 32);
    EXPECT_FALSE(app_->init_reply.isEmpty()) << "the handshake is repeated after the attempt";

    EXPECT_FALSE(
        Query(QStringLiteral("SELECT loginTime_0 FROM c_user WHERE id_0='clerk'")).isEmpty());
    EXPECT_EQ(Query(QStringLiteral("SELECT count(*) FROM log_client_login WHERE user_uid_0=%1 "
                                   "AND name_0='clerk' AND ip_1='127.0.0.1'")
                        .arg(clerkUid_)),
              QStringLiteral("1"));
    EXPECT_FALSE(Query(QStringLiteral("SELECT time_0 FROM log_client_login")).isEmpty());
    EXPECT_EQ(ReadIni(QStringLiteral("cfg.ini"), QStringLiteral("SERVER"), QStringLiteral("USER")),
              QStringLiteral("clerk"));
}

TEST_F(LoginTest, FailureWritesARecordWithUidZeroAndSaysSo)
{
    struct Case {
        QString id;
        QString password;
    };
    const Case cases[] = {{QStringLiteral("clerk"), QStringLiteral("wrong")},
                          {QStringLiteral("gone"), QStringLiteral("pw3")},
                          {QStringLiteral("x' OR '1'='1"), QStringLiteral("x")}};
    for (const Case& c : cases) {
        Dialog_Login login(*app_);
        ASSERT_TRUE(WaitUntil([&] { return login.UserListLoaded(); }));
        login.UserCombo()->setEditText(c.id);
        login.PasswordEdit()->setText(c.password);
        BoxAnswerer boxes;
        EXPECT_FALSE(login.TryLogin()) << c.id.toStdString();
        ASSERT_EQ(boxes.texts.size(), 1);
        EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("用户名或密码错误")));
        EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("123456")));
        EXPECT_EQ(app_->user_id, EscapeLoginId(c.id));
    }
    EXPECT_TRUE(app_->userid.isEmpty());
    EXPECT_EQ(Query(QStringLiteral("SELECT count(*) FROM log_client_login WHERE user_uid_0=0")),
              QStringLiteral("3"));
    EXPECT_EQ(Query(QStringLiteral("SELECT name_0 FROM log_client_login WHERE uid_0=3")),
              QStringLiteral("x' OR '1'='1"));
    EXPECT_TRUE(ReadIni(QStringLiteral("cfg.ini"), QStringLiteral("SERVER"), QStringLiteral("USER"))
                    .isEmpty());
}

TEST_F(LoginTest, EmptyIdOrPasswordAsksAgainWithoutAnAttempt)
{
    Dialog_Login login(*app_);
    ASSERT_TRUE(WaitUntil([&] { return login.UserListLoaded(); }));
    BoxAnswerer boxes;
    login.UserCombo()->setEditText(QString());
    login.PasswordEdit()->setText(QStringLiteral("pw1"));
    EXPECT_FALSE(login.TryLogin());
    login.UserCombo()->setEditText(QStringLiteral("clerk"));
    login.PasswordEdit()->clear();
    EXPECT_FALSE(login.TryLogin());
    ASSERT_EQ(boxes.texts.size(), 2);
    EXPECT_EQ(boxes.texts[0], QStringLiteral("请输入或者选择用户名"));
    EXPECT_TRUE(boxes.texts[1].contains(QStringLiteral("123456")));
    EXPECT_EQ(Query(QStringLiteral("SELECT count(*) FROM log_client_login")), QStringLiteral("0"));
}

TEST_F(LoginTest, AQuoteInTheLoginIdIsEscapedForTheQueryAndRememberedAsTyped)
{
    WriteIni(QStringLiteral("cfg.ini"), QStringLiteral("SERVER"), QStringLiteral("USER"),
             QStringLiteral("o'n"));
    ASSERT_TRUE(LogIn(QStringLiteral("o'neil"), QStringLiteral("pw2")));
    EXPECT_EQ(app_->user_id, QStringLiteral("o''neil"));
    EXPECT_EQ(app_->username, QStringLiteral("O'Neil"));
    EXPECT_EQ(Query(QStringLiteral("SELECT name_0 FROM log_client_login WHERE user_uid_0=%1")
                        .arg(app_->userid)),
              QStringLiteral("o'neil"));
    EXPECT_EQ(ReadIni(QStringLiteral("cfg.ini"), QStringLiteral("SERVER"), QStringLiteral("USER")),
              QStringLiteral("o'neil"));
    // And the next start finds the remembered id in the list.
    Dialog_Login again(*app_);
    ASSERT_TRUE(WaitUntil([&] { return again.UserListLoaded(); }));
    EXPECT_EQ(again.UserCombo()->currentText(), QStringLiteral("o'neil"));
}

TEST_F(LoginTest, AnUnreachableDatabaseIsReportedWhileTheListLoads)
{
    PointConfigAt(1); // nothing listens on port 1
    Dialog_Login login(*app_);
    BoxAnswerer boxes;
    ASSERT_TRUE(WaitUntil([&] { return login.UserListLoaded(); }));
    WaitUntil([&] { return !boxes.texts.isEmpty(); }, 2000);
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_EQ(boxes.texts[0], QStringLiteral("数据库打开出错,请检查数据库!"));
    EXPECT_EQ(login.UserCombo()->count(), 0);
}

} // namespace
} // namespace zk::test
