// How a session in server mode finds its server: the application's address and token
// (UseServer, EnsureOpen), cfg.ini (ConfigureServer), and the link it keeps.
#include "data/link/link_protocol.h"
#include "data/link/server_context.h"
#include "data/session/db_session.h"
#include "data/session/link_server_ops.h"
#include "util/ini.h"

#include "link_test_peer.h"
#include "tests/common/test_env.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

using namespace Qt::StringLiterals;

namespace zk {
namespace {

using test::PeerConnection;
using test::PeerRequest;

// A peer that accepts every login and answers statements with "1", keeping the tokens
// it was shown.
class LoginPeer {
public:
    LoginPeer()
        : peer_([this](PeerConnection& c) {
            test::ServeRequests(c, [this](PeerConnection& p, const PeerRequest& r) {
                if (r.code == link::kLogin) {
                    const std::lock_guard lock(mutex_);
                    tokens_.push_back(r.Text());
                }
                p.Reply(1, "1");
            });
        })
    {
    }
    int port() const { return peer_.port(); }
    int connections() const { return peer_.connections(); }
    std::vector<QString> tokens() const
    {
        const std::lock_guard lock(mutex_);
        return tokens_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<QString> tokens_;
    test::LinkTestPeer peer_;
};

TEST(ServerSession, TakesTheApplicationsServerAndToken)
{
    LoginPeer first, second;
    ServerContext context{u"127.0.0.1"_s, first.port(), u"token-1"_s};
    const ScopedServerContext provider([&] { return context; });

    CDbSession session; // a new session starts at the application's server
    CServerLink* link = ServerLinkOf(session);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->host, u"127.0.0.1"_s);
    EXPECT_EQ(link->port, first.port());
    ASSERT_TRUE(session.EnsureOpen());
    EXPECT_TRUE(session.IsOpen());
    EXPECT_EQ(session.GetDbType(), u"1"_s);

    // The login moved the application to another server and got a new token: the next
    // re-open of the window's session follows it.
    context = {u"127.0.0.1"_s, second.port(), u"token-2"_s};
    EXPECT_TRUE(session.EnsureOpen()); // still open: nothing to do
    EXPECT_EQ(second.connections(), 0);
    session.Close();
    EXPECT_FALSE(session.IsOpen());
    ASSERT_TRUE(session.EnsureOpen());
    EXPECT_EQ(first.tokens(), std::vector<QString>{u"token-1"_s});
    EXPECT_EQ(second.tokens(), std::vector<QString>{u"token-2"_s});

    // A direct session that lost its connection string does not turn to the server.
    session.SetConnectionString(u"Provider=SQLite;Data Source=:memory:"_s);
    session.Close();
    EXPECT_FALSE(session.EnsureOpen());
    EXPECT_EQ(session.errorText, u"空连接字符串"_s);
    EXPECT_FALSE(session.useServer);
}

TEST(ServerSession, ConfigureServerReadsTheAddressOfCfgIni)
{
    test::ScopedHome home;
    struct Case {
        QString ip;
        QString port;
        bool accepted;
        QString host;
    };
    QString scrambled = u"ZK"_s;
    const QString address = u"10.0.0.7"_s;
    for (qsizetype i = 0; i < address.size(); ++i)
        scrambled += QChar(char16_t(address[i].unicode() + 20 + i));
    const std::vector<Case> cases = {
        {u"127.0.0.1"_s, u"7001"_s, true, u"127.0.0.1"_s},
        {scrambled, u"7002x"_s, true, u"10.0.0.7"_s},
        // An account code without the vendor's address is rejected: nothing changes.
        {u"acme"_s, u"7003"_s, false, u"kept.example"_s},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteIni(u"cfg.ini"_s, u"SERVER"_s, u"IP"_s, c.ip));
        ASSERT_TRUE(WriteIni(u"cfg.ini"_s, u"SERVER"_s, u"PORT"_s, c.port));
        CDbSession session;
        session.SetConnectionString(u"Provider=SQLite;Data Source=x.db"_s);
        ServerLinkOf(session)->SetServer(u"kept.example"_s, 1);
        session.ConfigureServer();
        EXPECT_EQ(session.useServer, c.accepted) << c.ip.toStdString();
        EXPECT_EQ(ServerLinkOf(session)->host, c.host);
        EXPECT_EQ(ServerLinkOf(session)->port, c.accepted ? c.port.left(4).toInt() : 1);
    }
}

} // namespace
} // namespace zk
