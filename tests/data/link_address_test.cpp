#include "data/link/app_handshake.h"
#include "data/link/server_address.h"
#include "data/link/zk_socket.h"
#include "util/ini.h"

#include "link_test_peer.h"
#include "tests/common/test_env.h"

#include <QThread>

#include <gtest/gtest.h>
#include <httplib.h>

#include <thread>

namespace zk {

namespace {

using test::LinkTestPeer;
using test::PeerConnection;
using test::PeerRequest;

// The scrambled form of an address as the vendor and installers write it.
QString Scrambled(const QString& address)
{
    QString body;
    for (qsizetype i = 0; i < address.size(); ++i)
        body += QChar(char16_t(address[i].unicode() + 20 + i));
    return "ZK" + body;
}

// The vendor's service: "/user/ag.aspx?id=CODE" answers the server of a known code.
class VendorStandIn {
public:
    VendorStandIn()
    {
        server_.Get("/user/ag.aspx", [](const httplib::Request& req, httplib::Response& res) {
            const std::string id = req.get_param_value("id");
            if (id == "acme")
                res.set_content(Scrambled("127.0.0.1").toStdString() + "\r\n", "text/plain");
            else if (id == "plain 7")
                res.set_content("127.0.0.1", "text/plain");
            else
                res.status = 404;
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~VendorStandIn()
    {
        server_.stop();
        thread_.join();
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/").arg(port_); }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

TEST(ResolveServerAddress, DecodesLooksUpAndRejects)
{
    test::ScopedHome home;
    VendorStandIn vendor;
    struct Case {
        QString value;
        bool vendorKnown;
        bool accepted;
        QString address;
    };
    const std::vector<Case> cases = {
        {Scrambled("127.0.0.1"), false, true, "127.0.0.1"},
        {Scrambled("192.168.100.200"), false, true, "192.168.100.200"},
        // Past the fifteenth character the shift keeps growing by one, up to 20.
        {Scrambled("erp-host.invalid"), false, true, "erp-host.invalid"},
        {Scrambled("erp-server-01.invalid"), false, false, {}},
        {"127.0.0.1", false, true, "127.0.0.1"},
        {"no-such-host.invalid", false, true, "no-such-host.invalid"},
        // Account codes need the vendor's address from cfg.ini.
        {"acme", false, false, {}},
        {"acme", true, true, "127.0.0.1"},
        {"plain 7", true, true, "127.0.0.1"},
        {"unknown", true, false, {}},
        {"", true, false, {}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteIni("cfg.ini", "SERVER", "VENDOR", c.vendorKnown ? vendor.url() : ""));
        QString address = "untouched";
        EXPECT_EQ(ResolveServerAddress(c.value, address), c.accepted) << c.value.toStdString();
        EXPECT_EQ(address, c.accepted ? c.address : QString("untouched")) << c.value.toStdString();
    }
}

// Answers request 101 with a token for the right key, a refusal otherwise.
LinkTestPeer::Script InitPeer()
{
    return [](PeerConnection& p) {
        PeerRequest request;
        if (!p.ReadRequest(request) || request.code != 101)
            return;
        if (request.Text() == "Init秘钥")
            p.Reply(1, "token-42");
        else
            p.Reply(-1, "");
        p.WaitForClose();
    };
}

TEST(StartUpConnection, ReadsCfgIniAndKeepsTheToken)
{
    test::ScopedHome home;
    LinkTestPeer peer(InitPeer());
    ASSERT_TRUE(WriteIni("cfg.ini", "SERVER", "IP", "127.0.0.1"));
    ASSERT_TRUE(WriteIni("cfg.ini", "SERVER", "PORT", QString::number(peer.port())));
    ASSERT_TRUE(WriteIni("cfg.ini", "SERVER", "KEY", "秘钥"));
    AppLinkState state;
    CZkSocket socket;
    ASSERT_TRUE(ConnectAtStartUp(state, socket));
    EXPECT_EQ(state.init_request, "Init秘钥");
    EXPECT_EQ(state.init_reply, "token-42");
    EXPECT_EQ(state.main_thread_id, QThread::currentThreadId());
    EXPECT_FALSE(socket.connected);

    // After a login the handshake goes to the address the login's session resolved.
    state.init_reply.clear();
    state.server_ip = "127.0.0.1";
    state.server_port = peer.port();
    ASSERT_TRUE(RepeatHandshake(state, socket));
    EXPECT_EQ(state.init_reply, "token-42");

    // A refused key is an answer all the same, without a token.
    state.init_request = "Init其他";
    EXPECT_TRUE(RepeatHandshake(state, socket));
    EXPECT_EQ(state.init_reply, "");
}

TEST(StartUpConnection, AnUnreachableServerLeavesTheStateAlone)
{
    test::ScopedHome home;
    int port = 0;
    {
        LinkTestPeer gone([](PeerConnection&) {});
        port = gone.port();
    }
    AppLinkState state;
    state.init_reply = "earlier";
    CZkSocket socket;
    ASSERT_TRUE(WriteIni("cfg.ini", "SERVER", "IP", "127.0.0.1"));
    ASSERT_TRUE(WriteIni("cfg.ini", "SERVER", "PORT", QString::number(port)));
    EXPECT_FALSE(ConnectAtStartUp(state, socket));
    EXPECT_EQ(state.init_reply, "earlier");

    // An address that does not resolve at all: no connection is tried.
    ASSERT_TRUE(WriteIni("cfg.ini", "SERVER", "IP", Scrambled("erp-server-01.invalid")));
    state.main_thread_id = nullptr;
    EXPECT_FALSE(ConnectAtStartUp(state, socket));
    EXPECT_EQ(state.main_thread_id, nullptr);
}

} // namespace
} // namespace zk
