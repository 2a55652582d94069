// zk_server against frames the protocol does not allow: each ends its own connection with
// a log line, and the server goes on serving everyone else.
#include "data/link/link_frame.h"
#include "data/link/link_protocol.h"
#include "data/link/zk_socket.h"
#include "data/session/db_session.h"
#include "server_process.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

namespace zk {
namespace {

QByteArray Words(qint32 a, qint32 b, qint32 c, qint32 d)
{
    QByteArray bytes(16, '\0');
    const qint32 words[4] = {a, b, c, d};
    for (int i = 0; i < 4; ++i)
        qToLittleEndian(words[i], bytes.data() + 4 * i);
    return bytes;
}

// True when the server closes the connection within a few seconds; what it sent before
// closing is kept in `received`.
bool ClosedByServer(CZkSocket& socket, QByteArray& received)
{
    socket.limits.requestTimeoutMs = 5000;
    QByteArray buffer(4096, '\0');
    qint64 got = 0;
    const SocketResult result = socket.ReceiveAll(buffer.data(), buffer.size(), got);
    received = buffer.left(got);
    return result == SocketResult::Closed;
}

class ServerFramesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        served = std::make_unique<test::ServedDatabase>(
            test::Engine::SQLite,
            QStringList{u"--idle-timeout"_s, u"1"_s, u"--max-frame"_s, u"65536"_s});
        ASSERT_TRUE(served->problem().isEmpty()) << served->problem().toStdString();
        bystander.UseServer();
        ASSERT_TRUE(bystander.Open());
    }

    // The server goes on serving the session that was there all along (re-opened as a
    // window's session is, should it have stayed idle past the short idle time-out here).
    // The idle close can also fall between EnsureOpen's look and the request: then the
    // request fails once, the log shows the idle close, and the re-opened session is served.
    void ExpectBystanderServed()
    {
        QString value;
        for (int attempt = 0; attempt < 2; ++attempt) {
            ASSERT_TRUE(bystander.EnsureOpen());
            if (bystander.IsFind(u"SELECT 40 + 2"_s, value))
                break;
            ASSERT_EQ(attempt, 0) << bystander.errorText.toStdString();
            ASSERT_TRUE(served->LogText().contains(u"idle: connection closed"_s))
                << bystander.errorText.toStdString();
        }
        EXPECT_EQ(value, u"42"_s);
    }

    bool Connect(CZkSocket& socket) { return socket.Connect(u"127.0.0.1"_s, served->port()); }

    std::unique_ptr<test::ServedDatabase> served;
    CDbSession bystander;
};

TEST_F(ServerFramesTest, MalformedFramesCloseTheirConnection)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* logged;
    };
    const std::vector<Case> cases = {
        {"wrong first word", Words(7, 1, 0, 0), "malformed frame"},
        {"negative text length", Words(1, 1, -5, 10), "malformed frame"},
        {"negative total", Words(1, 1, 0, -1), "malformed frame"},
        {"text longer than the payload", Words(1, 1, 10, 5), "malformed frame"},
        {"larger than the largest frame", Words(1, 1, 0, 1 << 20), "frame too large"},
        {"garbage", QByteArray("GET / HTTP/1.1\r\nHost: x\r\n\r\n"), "malformed frame"},
        {"stalls inside the header", Words(1, 1, 0, 0).left(7), "request stalled"},
        {"stalls inside the payload", Words(1, 1, 10, 10) + "abc", "request stalled"},
    };
    for (const Case& c : cases) {
        const qsizetype logBefore = served->LogText().size();
        CZkSocket socket;
        ASSERT_TRUE(Connect(socket)) << c.name;
        ASSERT_EQ(socket.SendAll(c.bytes), SocketResult::Ok) << c.name;
        QByteArray received;
        EXPECT_TRUE(ClosedByServer(socket, received)) << c.name;
        // Only a well-formed header is acknowledged.
        EXPECT_EQ(received, c.bytes.size() == 19 ? QByteArray("ok", 3) : QByteArray()) << c.name;
        EXPECT_TRUE(served->LogText().mid(logBefore).contains(QLatin1String(c.logged)))
            << c.name << "\n"
            << served->LogText().mid(logBefore).toStdString();
        ExpectBystanderServed();
    }
}

TEST_F(ServerFramesTest, RequestsBeforeTheLoginAreRefused)
{
    struct Case {
        qint32 code;
        QString text;
        QString answer;
    };
    const std::vector<Case> cases = {
        {link::kExists, u"SELECT 1"_s, u"未登录服务器"_s},
        {link::kCommand, u"Open"_s, u"未登录服务器"_s}, // no token yet
        {link::kFile,
         u"download"_s + link::GS + u"c_file"_s + link::GS + u"1"_s + link::GS + u"pdf"_s,
         u"未登录服务器"_s},
        {link::kLogin, u"0123456789abcdef"_s, u"令牌无效,请重新连接服务器"_s},
        {link::kInit, u"Init"_s + u"wrong"_s, u"密钥错误"_s},
    };
    for (const Case& c : cases) {
        CZkSocket socket;
        ASSERT_TRUE(Connect(socket));
        ServerReply reply;
        ASSERT_TRUE(ExchangeFrame(socket, c.code, c.text, {}, reply)) << c.code;
        EXPECT_EQ(reply.status, -1) << c.code;
        EXPECT_EQ(reply.serverMessage, c.answer) << c.code;
        QByteArray received;
        EXPECT_TRUE(ClosedByServer(socket, received)) << c.code;
    }
    ExpectBystanderServed();

    // A forged token fails the session's Open with the server's reason.
    const ScopedServerContext forged([this] {
        ServerContext context = served->context();
        context.init_reply = QString(96, u'0');
        return context;
    });
    CDbSession session;
    session.UseServer();
    EXPECT_FALSE(session.Open());
    EXPECT_EQ(session.errorText, u"服务端故障"_s);
    EXPECT_EQ(session.errorDetail, u"令牌无效,请重新连接服务器"_s);
}

TEST_F(ServerFramesTest, AnIdleConnectionIsClosedAndTheSessionReopens)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_TRUE(served->LogText().contains(u"idle: connection closed"_s));
    EXPECT_FALSE(bystander.IsOpen());
    EXPECT_TRUE(bystander.EnsureOpen());
    ExpectBystanderServed();
}

TEST(ServerLimits, ConnectionsBeyondTheLimitAreClosedAtOnce)
{
    test::ServedDatabase served(test::Engine::SQLite, {u"--max-connections"_s, u"2"_s});
    ASSERT_TRUE(served.problem().isEmpty()) << served.problem().toStdString();
    CDbSession first, second, third;
    for (CDbSession* session : {&first, &second})
        session->UseServer();
    ASSERT_TRUE(first.Open());
    ASSERT_TRUE(second.Open());
    third.UseServer();
    EXPECT_FALSE(third.Open());
    EXPECT_TRUE(served.LogText().contains(u"connection refused: 2 connections are open"_s));
    // A place frees up when a client leaves.
    first.Close();
    bool reopened = false;
    for (int i = 0; i < 50 && !reopened; ++i) {
        reopened = third.Open();
        if (!reopened)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(reopened);
}

} // namespace
} // namespace zk
