// The server settings dialog: a test against a live server saves and restarts, one against
// a dead server or with a wrong key changes nothing.

#include "app_fixture.h"

#include "app/dialog_ip_cfg.h"
#include "util/ini.h"

#include <QLineEdit>
#include <QTcpServer>

namespace zk::test {
namespace {

class ServerSettingsTest : public AppFixture {
protected:
    QString Setting(const char* key)
    {
        return ReadIni(QStringLiteral("cfg.ini"), QStringLiteral("SERVER"),
                       QString::fromLatin1(key));
    }
};

TEST_F(ServerSettingsTest, StartsFromTheStoredSettings)
{
    Dialog_IpCfg settings(*app_);
    EXPECT_EQ(settings.AddressEdit()->text(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(settings.PortEdit()->text(), QString::number(server_.port()));
    EXPECT_EQ(settings.KeyEdit()->text(), kKey);
}

TEST_F(ServerSettingsTest, ALiveServerIsSavedAsTypedAndTheProgramRestarts)
{
    PointConfigAt(1);
    Dialog_IpCfg settings(*app_);
    int restarts = 0;
    settings.restart = [&] { ++restarts; };
    // A scrambled address is saved as typed, not as the address it stands for.
    QString scrambled = QStringLiteral("ZK");
    const QString plain = QStringLiteral("127.0.0.1");
    for (int i = 0; i < plain.size(); ++i)
        scrambled += QChar(plain[i].unicode() + 20 + i);
    settings.AddressEdit()->setText(scrambled);
    settings.PortEdit()->setText(QString::number(server_.port()));
    settings.KeyEdit()->setText(kKey);
    BoxAnswerer boxes;
    EXPECT_TRUE(settings.TestAndSave());
    EXPECT_EQ(restarts, 1);
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_EQ(boxes.texts[0], QStringLiteral("保存成功！软件将重新启动！"));
    EXPECT_EQ(Setting("IP"), scrambled);
    EXPECT_EQ(Setting("PORT"), QString::number(server_.port()));
    EXPECT_FALSE(app_->init_reply.isEmpty());
}

TEST_F(ServerSettingsTest, ADeadServerOrAWrongKeyChangesNothing)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const int deadPort = closed.serverPort();
    closed.close();

    struct Case {
        int port;
        QString key;
        bool message; // a wrong key gets past the handshake and fails at the session
    };
    const Case cases[] = {{deadPort, kKey, false}, {server_.port(), QStringLiteral("bad"), true}};
    for (const Case& c : cases) {
        Dialog_IpCfg settings(*app_);
        int restarts = 0;
        settings.restart = [&] { ++restarts; };
        settings.PortEdit()->setText(QString::number(c.port));
        settings.KeyEdit()->setText(c.key);
        BoxAnswerer boxes;
        EXPECT_FALSE(settings.TestAndSave());
        EXPECT_EQ(restarts, 0);
        EXPECT_EQ(boxes.texts.size(), c.message ? 1 : 0);
        if (c.message) {
            EXPECT_TRUE(boxes.texts.value(0).startsWith(QStringLiteral("连接服务器失败,")));
        }
        EXPECT_EQ(Setting("PORT"), QString::number(server_.port()));
        EXPECT_EQ(Setting("KEY"), kKey);
    }
}

} // namespace
} // namespace zk::test
