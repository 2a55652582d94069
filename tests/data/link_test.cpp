#include "data/link/link_frame.h"
#include "data/link/server_link.h"
#include "data/wait_pump.h"
#include "util/codec.h"

#include "link_test_peer.h"
#include "tests/common/test_env.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace zk {

namespace {

using test::LinkTestPeer;
using test::PeerConnection;
using test::PeerRequest;
using namespace std::chrono_literals;

const QString GS = link::GS;
const QString RS = link::RS;

QByteArray Gbk(const QString& text)
{
    return ToGb18030(text);
}

// A peer that answers every request through `answer` and keeps what it was sent.
class RecordingPeer {
public:
    using Answer = std::function<void(PeerConnection&, const PeerRequest&)>;
    explicit RecordingPeer(Answer answer)
        : answer_(std::move(answer))
        , peer_([this](PeerConnection& c) {
            test::ServeRequests(c, [this](PeerConnection& p, const PeerRequest& r) {
                {
                    const std::lock_guard lock(mutex_);
                    seen_.push_back(r);
                }
                answer_(p, r);
            });
        })
    {
    }
    int port() const { return peer_.port(); }
    int connections() const { return peer_.connections(); }
    std::vector<PeerRequest> seen() const
    {
        const std::lock_guard lock(mutex_);
        return seen_;
    }

private:
    Answer answer_;
    mutable std::mutex mutex_;
    std::vector<PeerRequest> seen_;
    LinkTestPeer peer_;
};

// Places for the results that a test does not look at.
struct Outputs {
    QString value;
    QStringList names;
    QStringList values;
    int total = 0;
    int pages = 0;
    QByteArray bytes;
};

// A link whose socket is connected to the peer (no login: the peers here do not ask
// for one).
void Attach(CServerLink& link, int port)
{
    link.SetServer(QStringLiteral("127.0.0.1"), port);
    ASSERT_TRUE(link.socket.Connect(link.host, link.port));
}

TEST(ServerLink, SendsEachOperationInItsRequestLayout)
{
    RecordingPeer peer([](PeerConnection& p, const PeerRequest&) { p.Reply(1, "1"); });
    CServerLink link;
    Attach(link, peer.port());
    Outputs out;
    auto& [value, names, values, total, pages, bytes] = out;
    const QByteArray image("\x89PNG\0\x01", 6);
    const QStringList fields{"name_0", "qty_0"};
    const QStringList data{"螺丝", "12"};
    const QString update = QStringLiteral("UPDATE c_goods SET name_0='螺丝'");

    struct Case {
        std::function<void()> call;
        qint32 code;
        QString text;
        QByteArray binary;
    };
    const std::vector<Case> cases = {
        {[&] { link.Execute(update); }, 1, update, {}},
        {[&] { link.Exists("SELECT 1"); }, 2, "SELECT 1", {}},
        {[&] { link.IsFind("SELECT a", value); }, 3, "SELECT a", {}},
        {[&] { link.QueryList("SELECT b", values); }, 4, "SELECT b", {}},
        {[&] { link.QueryFields("SELECT *", fields, values); },
         5,
         "SELECT *" + GS + "name_0" + GS + "qty_0",
         {}},
        {[&] { link.QueryTable("SELECT c", names, values); }, 6, "SELECT c", {}},
        // Page 2 of 10 rows per page: the numbers go as decimal text.
        {[&] {
             link.QueryPage("SELECT * FROM t", "WHERE a=1", 10, 2, "uid_0 DESC", names, values,
                            total, pages);
         },
         8,
         "SELECT * FROM t" + GS + "WHERE a=1" + GS + "10" + GS + "2" + GS + "uid_0 DESC",
         {}},
        {[&] { link.ReadBinary("SELECT img_0 FROM t", "img_0", bytes); },
         9,
         "SELECT img_0 FROM t" + GS + "img_0",
         {}},
        {[&] { link.InsertRecord("SELECT * FROM t", fields, data); },
         10,
         "SELECT * FROM t" + RS + "name_0" + GS + "qty_0" + RS + "螺丝" + GS + "12",
         {}},
        {[&] { link.InsertUidRecord(value, "SELECT * FROM t", fields, data); },
         11,
         "SELECT * FROM t" + RS + "name_0" + GS + "qty_0" + RS + "螺丝" + GS + "12",
         {}},
        {[&] { link.Update("SELECT * FROM t", fields, data); },
         12,
         "SELECT * FROM t" + RS + "name_0" + GS + "qty_0" + RS + "螺丝" + GS + "12",
         {}},
        {[&] { link.UpdateBinaryRecord("SELECT img_0 FROM t", "img_0", image); }, 13,
         "SELECT img_0 FROM t" + GS + "img_0", image},
        {[&] { link.GetDbType(); }, 1, "Type", {}},
        {[&] { link.BeginTrans(); }, 1, "BeginTrans", {}},
        {[&] { link.CommitTrans(); }, 1, "CommitTrans", {}},
        {[&] { link.RollbackTrans(); }, 1, "RollbackTrans", {}},
        {[&] { link.CallServer("GetIP"); }, 100, "GetIP", {}},
        {[&] { link.Upload("c_file", "7", "pdf", image); }, 104,
         "upload" + GS + "c_file" + GS + "7" + GS + "pdf", image},
        {[&] { link.Delete("c_file", "7", "pdf"); },
         104,
         "delete" + GS + "c_file" + GS + "7" + GS + "pdf",
         {}},
    };
    for (const Case& c : cases)
        c.call();
    const std::vector<PeerRequest> seen = peer.seen();
    ASSERT_EQ(seen.size(), cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(seen[i].code, cases[i].code) << i;
        EXPECT_EQ(seen[i].text, Gbk(cases[i].text)) << i;
        EXPECT_EQ(seen[i].binary, cases[i].binary) << i;
    }
}

// A peer that reads one request header, acknowledges it, reads the payload and then
// sends `bytes` as it stands.
LinkTestPeer::Script Sends(QByteArray bytes)
{
    return [bytes](PeerConnection& p) {
        PeerRequest request;
        if (p.ReadRequest(request))
            p.Send(bytes);
        p.WaitForClose();
    };
}

TEST(LinkFrame, ReadsTheReplyByItsHeader)
{
    using W = PeerConnection;
    struct Case {
        const char* name;
        QByteArray bytes;
        qint32 status;
        QString text;
        QByteArray binary;
        QString serverMessage;
    };
    const QByteArray twelve = Gbk("十二字节文本");
    const std::vector<Case> cases = {
        // A text length of 0 makes the whole payload text.
        {"status 5, text length 0, total 12",
         W::Words(1, 5, 0, 12) + twelve,
         5,
         "十二字节文本",
         {},
         {}},
        {"text then binary",
         W::Words(1, 1, 2, 6) + "ok" + QByteArray("\0\x01\x02\x03", 4),
         1,
         "ok",
         QByteArray("\0\x01\x02\x03", 4),
         {}},
        {"status 0 drops the text", W::Words(1, 0, 3, 3) + "abc", 0, {}, {}, {}},
        {"negative status keeps the reason apart",
         W::Words(1, -1, 0, 8) + Gbk("表不存在"),
         -1,
         {},
         {},
         "表不存在"},
        {"empty payload", W::Words(1, 1, 0, 0), 1, {}, {}, {}},
    };
    for (const Case& c : cases) {
        LinkTestPeer peer(Sends(c.bytes));
        CZkSocket socket;
        ASSERT_TRUE(socket.Connect("127.0.0.1", peer.port()));
        ServerReply reply;
        ASSERT_TRUE(ExchangeFrame(socket, 3, "SELECT 1", {}, reply)) << c.name;
        EXPECT_EQ(reply.status, c.status) << c.name;
        EXPECT_EQ(reply.text, c.text) << c.name;
        EXPECT_EQ(reply.binary, c.binary) << c.name;
        EXPECT_EQ(reply.serverMessage, c.serverMessage) << c.name;
        EXPECT_EQ(reply.textLength + reply.binaryLength, reply.total) << c.name;
        EXPECT_EQ(*(reply.binary.constData() + reply.binary.size()), '\0') << c.name;
        EXPECT_TRUE(socket.connected) << c.name;
    }
}

TEST(LinkFrame, AssemblesAPayloadThatArrivesInManyPieces)
{
    QByteArray binary(3 * 1024 * 1024 + 77, '\0');
    for (qsizetype i = 0; i < binary.size(); ++i)
        binary[i] = char(i * 7 + i / 251);
    LinkTestPeer peer([&binary](PeerConnection& p) {
        PeerRequest request;
        if (!p.ReadRequest(request))
            return;
        p.Send(PeerConnection::Words(1, 1, 1, qint32(1 + binary.size())) + "1");
        for (qsizetype at = 0; at < binary.size(); at += 100'000) {
            p.Send(binary.mid(at, 100'000));
            std::this_thread::sleep_for(1ms);
        }
        p.WaitForClose();
    });
    CServerLink link;
    Attach(link, peer.port());
    QByteArray data;
    ASSERT_TRUE(link.ReadBinary("SELECT f FROM t", "f", data));
    EXPECT_TRUE(data == binary);
}

TEST(LinkFrame, BrokenRepliesFailAndCloseTheConnection)
{
    using W = PeerConnection;
    struct Case {
        const char* name;
        LinkTestPeer::Script script;
        FrameFailure failure;
        qint64 maxPayload = qint64(1) << 30;
    };
    // Reads the request header and answers `ack` instead of the acknowledgement.
    const auto acknowledges = [](QByteArray ack) {
        return [ack](PeerConnection& p) {
            qint32 words[4];
            if (p.ReadHeader(words))
                p.Send(ack);
            p.WaitForClose();
        };
    };
    const std::vector<Case> cases = {
        {"ok followed by a non-zero byte", acknowledges(QByteArray("ok\x01", 3)),
         FrameFailure::Acknowledge},
        {"no acknowledgement", acknowledges(QByteArray("no\0", 3)), FrameFailure::Acknowledge},
        {"closed before the acknowledgement",
         [](PeerConnection& p) {
             qint32 w[4];
             p.ReadHeader(w);
         },
         FrameFailure::PeerClosed},
        {"first word not 1", Sends(W::Words(2, 1, 0, 0)), FrameFailure::Header},
        {"negative text length", Sends(W::Words(1, 1, -1, 4) + "abcd"), FrameFailure::Header},
        {"negative total", Sends(W::Words(1, 1, 0, -4)), FrameFailure::Header},
        {"text longer than the payload", Sends(W::Words(1, 1, 9, 4) + "abcd"),
         FrameFailure::Header},
        {"short header then close",
         [](PeerConnection& p) {
             PeerRequest r;
             if (p.ReadRequest(r))
                 p.Send(W::Words(1, 1, 0, 4).left(10));
         },
         FrameFailure::PeerClosed},
        {"closed in the middle of the payload",
         [](PeerConnection& p) {
             PeerRequest r;
             if (p.ReadRequest(r))
                 p.Send(W::Words(1, 1, 0, 100) + "0123456789");
         },
         FrameFailure::PeerClosed},
        {"more payload than allowed", Sends(W::Words(1, 1, 0, 2 * 1024 * 1024)),
         FrameFailure::TooLarge, 1024 * 1024},
        {"never answers",
         [](PeerConnection& p) {
             PeerRequest r;
             p.ReadRequest(r);
             p.WaitForClose();
         },
         FrameFailure::TimedOut},
    };
    for (const Case& c : cases) {
        LinkTestPeer peer(c.script);
        CZkSocket socket;
        socket.limits.requestTimeoutMs = 300;
        socket.limits.maxPayload = c.maxPayload;
        ASSERT_TRUE(socket.Connect("127.0.0.1", peer.port()));
        socket.loggedIn = true;
        QElapsedTimer clock;
        clock.start();
        ServerReply reply;
        EXPECT_FALSE(ExchangeFrame(socket, 1, "SELECT 1", {}, reply)) << c.name;
        EXPECT_EQ(reply.failure, c.failure) << c.name;
        EXPECT_LT(clock.elapsed(), 3000) << c.name;
        EXPECT_FALSE(socket.connected) << c.name;
        EXPECT_FALSE(socket.loggedIn) << c.name;
    }
}

TEST(ServerLink, TransportFailuresGiveTheMessageOfTheOperation)
{
    // Every connection is dropped as soon as a request header arrives.
    LinkTestPeer peer([](PeerConnection& p) {
        qint32 words[4];
        p.ReadHeader(words);
    });
    const QString network = QStringLiteral("网络错误!");
    const QString cannotConnect = QStringLiteral("不能连接服务器,请检查网络或者服务器!");
    CServerLink link;
    Outputs out;
    auto& [value, names, values, total, pages, bytes] = out;
    // Each call says whether it reported the failure.
    const std::vector<std::pair<std::function<bool()>, QString>> cases = {
        {[&] { return !link.Execute("DELETE FROM t"); }, network},
        {[&] { return link.IsFind("SELECT a", value) == -1; }, network},
        {[&] { return !link.QueryPage("SELECT *", "", 10, 1, "a", names, values, total, pages); },
         network},
        {[&] { return !link.ReadBinary("SELECT f", "f", bytes); }, network},
        {[&] { return link.GetDbType() == "0"; }, network},
        {[&] { return link.QueryList("SELECT a", values) == -1; }, cannotConnect},
        {[&] { return !link.QueryTable("SELECT a", names, values); }, cannotConnect},
        {[&] { return !link.Update("SELECT a", {"a"}, {"1"}); }, cannotConnect},
        {[&] { return !link.Upload("c_file", "1", "txt", "x"); }, cannotConnect},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        Attach(link, peer.port());
        EXPECT_TRUE(cases[i].first()) << i;
        EXPECT_EQ(link.lastError, cases[i].second) << i;
        EXPECT_EQ(link.lastStatus, -2) << i;
        EXPECT_FALSE(link.socket.connected) << i;
    }
}

TEST(ServerLink, JudgesTheStatusOfTheReply)
{
    RecordingPeer peer([](PeerConnection& p, const PeerRequest& r) {
        const QString text = r.Text();
        if (text.startsWith("bad"))
            p.Reply(-1, Gbk("表 c_x 不存在"));
        else if (text.startsWith("none"))
            p.Reply(0, "leftover");
        else
            p.Reply(1, Gbk("值"));
    });
    CServerLink link;
    Attach(link, peer.port());
    QString value = "old";

    EXPECT_FALSE(link.Execute("bad statement"));
    EXPECT_EQ(link.lastError, "表 c_x 不存在");
    EXPECT_EQ(link.IsFind("bad query", value), -1);
    EXPECT_EQ(link.CallServer("bad"), "0");

    EXPECT_EQ(link.IsFind("none", value), 0);
    EXPECT_EQ(value, "");
    EXPECT_EQ(link.lastError, "");
    EXPECT_FALSE(link.Execute("none"));                   // Execute needs a positive status
    EXPECT_TRUE(link.InsertRecord("none", {"a"}, {"1"})); // insert needs status >= 0

    EXPECT_EQ(link.IsFind("ok", value), 1);
    EXPECT_EQ(value, "值");
    EXPECT_EQ(link.CallServer("GetIP"), "值");
}

TEST(ServerLink, SplitsResultsIntoTheirGroups)
{
    RecordingPeer peer([](PeerConnection& p, const PeerRequest& r) {
        const QString text = r.Text();
        QString reply;
        if (text == "table")
            reply = "uid_0" + GS + "name_0" + RS + "1" + GS + "甲" + GS + "2" + GS + "";
        else if (text == "one column")
            reply = "name_0" + RS;
        else if (text.startsWith("page"))
            reply = "25" + RS + "3" + RS + "uid_0" + RS + "21" + GS + "22";
        else if (text == "list")
            reply = "a" + GS + GS + "c";
        else if (text == "empty list")
            reply = "";
        else if (text.startsWith("fields"))
            reply = "x" + GS + "y";
        else if (text.startsWith("no "))
            return p.Reply(0, "");
        else
            reply = "only one group";
        p.Reply(1, Gbk(reply));
    });
    CServerLink link;
    Attach(link, peer.port());
    QStringList names{"kept"};
    QStringList values{"kept"};
    ASSERT_TRUE(link.QueryTable("table", names, values));
    EXPECT_EQ(names, (QStringList{"kept", "uid_0", "name_0"}));
    EXPECT_EQ(values, (QStringList{"kept", "1", "甲", "2", ""}));

    names.clear();
    values.clear();
    ASSERT_TRUE(link.QueryTable("one column", names, values));
    EXPECT_EQ(values, QStringList{""}); // one row whose only value is empty
    ASSERT_TRUE(link.QueryTable("no rows", names, values));
    EXPECT_EQ(values, QStringList{""});

    EXPECT_FALSE(link.QueryTable("garbage", names, values));
    EXPECT_EQ(link.lastError, "结果数据格式异常!");

    names.clear();
    values.clear();
    int total = -1;
    int pages = -1;
    ASSERT_TRUE(link.QueryPage("page", "", 10, 3, "uid_0", names, values, total, pages));
    EXPECT_EQ(total, 25);
    EXPECT_EQ(pages, 3);
    EXPECT_EQ(names, QStringList{"uid_0"});
    EXPECT_EQ(values, (QStringList{"21", "22"}));
    ASSERT_TRUE(link.QueryPage("no page", "", 10, 1, "uid_0", names, values, total, pages));
    EXPECT_EQ(total, 0);
    EXPECT_EQ(pages, 3);
    EXPECT_FALSE(link.QueryPage("garbage", "", 10, 1, "uid_0", names, values, total, pages));
    EXPECT_EQ(link.lastError, "结果数据格式异常!");

    QStringList list{"stale"};
    EXPECT_EQ(link.QueryList("list", list), 1);
    EXPECT_EQ(list, (QStringList{"a", "", "c"}));
    EXPECT_EQ(link.QueryList("empty list", list), 1);
    EXPECT_EQ(list, QStringList{""});
    EXPECT_EQ(link.QueryList("no rows", list), 0);
    EXPECT_TRUE(list.isEmpty());

    EXPECT_TRUE(link.QueryFields("fields", {"a", "b"}, list));
    EXPECT_EQ(list, (QStringList{"x", "y"}));
    // No rows through the server: true with an empty list.
    EXPECT_TRUE(link.QueryFields("no rows", {"a"}, list));
    EXPECT_TRUE(list.isEmpty());
}

TEST(ServerLink, DownloadsIntoTheTempFolder)
{
    test::ScopedHome home;
    const QByteArray content("%PDF-1.4\0\xff", 10);
    RecordingPeer peer([&content](PeerConnection& p, const PeerRequest& r) {
        if (r.Text().contains("missing"))
            p.Reply(1, Gbk("文件不存在"));
        else
            p.Reply(1, "1", content);
    });
    CServerLink link;
    Attach(link, peer.port());
    QString path;
    ASSERT_TRUE(link.Download("c_file", "7", "pdf", "合同", path));
    EXPECT_EQ(path, home.file("temp/合同.pdf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), content);
    EXPECT_EQ(peer.seen().back().text, Gbk("download" + GS + "c_file" + GS + "7" + GS + "pdf"));

    // A name from a record never leads out of the temp folder.
    ASSERT_TRUE(link.Download("c_file", "8", "pdf", "../../etc/x", path));
    EXPECT_EQ(QFileInfo(path).absolutePath(), QDir(home.file("temp")).absolutePath());

    path = "unchanged";
    EXPECT_FALSE(link.Download("c_file", "9", "missing", "x", path));
    EXPECT_EQ(path, "unchanged");
    EXPECT_FALSE(link.Delete("c_file", "9", "missing"));
    EXPECT_TRUE(link.Delete("c_file", "7", "pdf"));
}

TEST(ServerLink, OpenLogsInWithTheTokenAndCloseSaysGoodbye)
{
    RecordingPeer peer([](PeerConnection& p, const PeerRequest& r) {
        p.Reply(r.code == 102 && r.Text() != "token-1" ? -1 : 1, "");
    });
    CServerLink link;
    link.SetServer("127.0.0.1", peer.port());
    link.SetToken("token-1");
    ASSERT_TRUE(link.Open());
    EXPECT_TRUE(link.IsLoggedIn());
    EXPECT_TRUE(link.Open()); // already logged in: nothing is sent
    link.Close();
    EXPECT_FALSE(link.socket.connected);
    EXPECT_FALSE(link.IsLoggedIn());

    const std::vector<PeerRequest> seen = peer.seen();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].code, 102);
    EXPECT_EQ(seen[0].text, "token-1");
    EXPECT_EQ(seen[1].code, 1);
    EXPECT_EQ(seen[1].text, "Open");
    EXPECT_EQ(seen[2].text, "Close");
    EXPECT_EQ(peer.connections(), 1);
}

TEST(ServerLink, RefusedLoginClosesTheSocket)
{
    std::promise<bool> closed;
    LinkTestPeer peer([&closed](PeerConnection& p) {
        PeerRequest request;
        if (p.ReadRequest(request))
            p.Reply(-1, Gbk("令牌无效"));
        closed.set_value(p.WaitForClose());
    });
    CServerLink link;
    link.SetServer("127.0.0.1", peer.port());
    link.SetToken("forged");
    EXPECT_FALSE(link.Open());
    EXPECT_EQ(link.lastError, "令牌无效");
    EXPECT_FALSE(link.socket.connected);
    EXPECT_TRUE(closed.get_future().get());
}

TEST(ServerLink, CloseWithoutLoginOnlyClosesTheSocket)
{
    std::promise<bool> requested;
    LinkTestPeer peer([&requested](PeerConnection& p) {
        qint32 words[4];
        requested.set_value(p.ReadHeader(words));
    });
    CServerLink link;
    Attach(link, peer.port());
    link.Close();
    EXPECT_FALSE(requested.get_future().get());
    EXPECT_FALSE(link.socket.connected);
}

TEST(ServerLink, NoticesAPeerThatClosedAndReconnects)
{
    // The peer logs the link in and then closes the connection.
    LinkTestPeer peer([](PeerConnection& p) {
        PeerRequest request;
        for (int i = 0; i < 2 && p.ReadRequest(request); ++i)
            p.Reply(1, "");
    });
    CServerLink link;
    link.SetServer("127.0.0.1", peer.port());
    ASSERT_TRUE(link.Open());
    QElapsedTimer clock;
    clock.start();
    while (link.IsLoggedIn() && clock.elapsed() < 3000)
        std::this_thread::sleep_for(5ms);
    EXPECT_FALSE(link.IsLoggedIn());
    EXPECT_FALSE(link.socket.connected);
    ASSERT_TRUE(link.Open());
    EXPECT_EQ(peer.connections(), 2);
}

TEST(ServerLink, OpenFailsWhenNobodyListens)
{
    int port = 0;
    {
        LinkTestPeer gone([](PeerConnection&) {});
        port = gone.port();
    }
    CServerLink link;
    link.SetServer("127.0.0.1", port);
    EXPECT_FALSE(link.Open());
    EXPECT_FALSE(link.socket.connected);
    link.SetServer("", port);
    EXPECT_FALSE(link.Open());
}

// A peer that answers after a pause, long enough for the wait hook to run.
RecordingPeer SlowPeer()
{
    return RecordingPeer([](PeerConnection& p, const PeerRequest&) {
        std::this_thread::sleep_for(150ms);
        p.Reply(1, "1");
    });
}

TEST(WaitHook, RunsOnlyOnTheThreadThatInstalledIt)
{
    RecordingPeer peer = SlowPeer();
    int passes = 0;
    const ScopedWaitPump pump([&passes] {
        ++passes;
        EventLoopWaitPump()();
    });
    bool fired = false;
    QTimer::singleShot(0, [&fired] { fired = true; });
    CServerLink link;
    Attach(link, peer.port());
    EXPECT_TRUE(link.Execute("slow"));
    EXPECT_TRUE(fired);
    EXPECT_GT(passes, 0);

    // The peer serves one connection at a time.
    link.socket.Close();
    passes = 0;
    std::async(std::launch::async, [&] {
        CServerLink other;
        other.SetServer("127.0.0.1", peer.port());
        return other.socket.Connect(other.host, other.port) && other.Execute("slow");
    }).get();
    EXPECT_EQ(passes, 0);
}

TEST(WaitHook, TheHookReachingForTheSameLinkDoesNotBreakTheRunningRequest)
{
    RecordingPeer peer = SlowPeer();
    CServerLink link;
    Attach(link, peer.port());
    bool nestedResult = true;
    bool nestedRan = false;
    const ScopedWaitPump pump([&] {
        if (nestedRan)
            return;
        nestedRan = true;
        nestedResult = link.Execute("nested");
        // By now the reply waits in the socket; it must not be taken for stray bytes.
        std::this_thread::sleep_for(300ms);
        link.IsLoggedIn();
    });
    EXPECT_TRUE(link.Execute("outer"));
    EXPECT_TRUE(nestedRan);
    EXPECT_FALSE(nestedResult);
    EXPECT_TRUE(link.socket.connected);
    ASSERT_EQ(peer.seen().size(), 1u);
}

} // namespace
} // namespace zk
