#include "data/http/http_client.h"
#include "data/wait_pump.h"

#include "http_test_servers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <future>
#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace zk {
namespace {

using test::ClosedPort;
using test::RawServer;
using test::TlsServer;

const QString kSuccess = QStringLiteral("提交成功完成！");

QByteArray FileBytes()
{
    QByteArray bytes(70000, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 % 256);
    return bytes;
}

struct SeenRequest {
    std::string method;
    std::string path;
    std::string body;
    httplib::Headers headers;
};

// A real HTTP server on loopback, on its own thread, with the routes the tests use:
// /echo records the request; /status/N answers N; /moved redirects to /status/200;
// /slow answers after 300 ms; /file serves FileBytes().
class WebServer {
public:
    WebServer()
    {
        server_.set_keep_alive_max_count(1);
        const auto echo = [this](const httplib::Request& req, httplib::Response& res) {
            const std::lock_guard lock(mutex_);
            seen_ = {req.method, req.path, req.body, req.headers};
            res.set_content("收到 " + req.get_param_value("q"), "text/plain; charset=utf-8");
        };
        server_.Get("/echo", echo);
        server_.Post("/echo", echo);
        const auto status = [](const httplib::Request& req, httplib::Response& res) {
            res.status = std::stoi(req.matches[1].str());
            if (res.status != 204)
                res.set_content("text", "text/plain");
        };
        server_.Get(R"(/status/(\d+))", status);
        server_.Post(R"(/status/(\d+))", status);
        const auto moved = [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("/status/200");
        };
        server_.Get("/moved", moved);
        server_.Post("/moved", moved);
        server_.Get("/slow", [](const httplib::Request&, httplib::Response& res) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            res.set_content("slow", "text/plain");
        });
        server_.Get("/file", [](const httplib::Request&, httplib::Response& res) {
            const QByteArray bytes = FileBytes();
            res.set_content(std::string(bytes.constData(), size_t(bytes.size())),
                            "application/octet-stream");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~WebServer()
    {
        server_.stop();
        thread_.join();
    }

    QString url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path);
    }
    SeenRequest seen() const
    {
        const std::lock_guard lock(mutex_);
        return seen_;
    }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    SeenRequest seen_;
};

std::string Header(const SeenRequest& seen, const char* name)
{
    const auto it = seen.headers.find(name);
    return it == seen.headers.end() ? "<none>" : it->second;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(HttpSubmit, PostSendsTheFormHeadersAndTheBodyToTheGivenPort)
{
    WebServer server;
    // Larger than curl's threshold for waiting on "100 Continue".
    const QString body = QStringLiteral("name=张三&note=") + QString(3000, u'x');
    QString response;
    QString message;
    ASSERT_TRUE(HttpSubmit(server.url("/echo?q=%E4%BD%A0"), body, response, message, true))
        << message.toStdString();
    EXPECT_EQ(message, kSuccess);
    EXPECT_EQ(response, "收到 你");

    const SeenRequest seen = server.seen();
    EXPECT_EQ(seen.method, "POST");
    EXPECT_EQ(seen.path, "/echo");
    EXPECT_EQ(seen.body, body.toStdString());
    EXPECT_EQ(Header(seen, "Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(Header(seen, "Accept"), "*/*");
    EXPECT_EQ(Header(seen, "Accept-Language"), "zh-CN");
    EXPECT_EQ(Header(seen, "User-Agent"),
              "Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; Trident/5.0)");
    EXPECT_EQ(Header(seen, "Expect"), "<none>");
    EXPECT_EQ(seen.headers.count("Accept"), 1u);
}

TEST(HttpSubmit, SendsNoBodyWhenThereIsNone)
{
    WebServer server;
    struct Case {
        bool post;
        QString body;
        std::string method;
        std::string contentLength;
    };
    for (const Case& c : {Case{true, "", "POST", "0"}, Case{false, "", "GET", "<none>"},
                          Case{false, "a=1", "GET", "<none>"}}) {
        QString response;
        QString message;
        ASSERT_TRUE(HttpSubmit(server.url("/echo"), c.body, response, message, c.post));
        const SeenRequest seen = server.seen();
        EXPECT_EQ(seen.method, c.method);
        EXPECT_EQ(seen.body, "") << c.method;
        EXPECT_EQ(Header(seen, "Content-Length"), c.contentLength) << c.method;
    }
}

TEST(HttpSubmit, StatusDecidesTheResult)
{
    WebServer server;
    struct Case {
        const char* path;
        bool submitted;
        QString submitResponse;
        QString urlText;
    };
    const Case cases[] = {
        {"/status/200", true, "text", "text"}, {"/status/201", true, "text", ""},
        {"/status/204", true, "", ""},         {"/moved", true, "text", "text"},
        {"/status/404", false, "kept", ""},    {"/status/500", false, "kept", ""},
    };
    for (const Case& c : cases) {
        const QString url = server.url(c.path);
        for (const bool post : {false, true}) {
            QString response = "kept";
            QString message;
            EXPECT_EQ(HttpSubmit(url, "", response, message, post), c.submitted) << c.path;
            EXPECT_EQ(response, c.submitResponse) << c.path;
            EXPECT_EQ(message, c.submitted ? kSuccess : QStringLiteral("网站服务器错误") + url);
        }
        EXPECT_EQ(GetUrlText(url), c.urlText) << c.path;
    }
}

TEST(HttpHelpers, RefuseWhatIsNotAnHttpUrl)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("out.bin");
    for (const char* url :
         {"", "not a url", "127.0.0.1/x", "http://", "http:///path", "ftp://127.0.0.1/x",
          "file:///etc/passwd", "http://h:99999/", "http://h/a b"}) {
        QString response;
        QString message;
        EXPECT_FALSE(HttpSubmit(url, "", response, message, true)) << url;
        EXPECT_EQ(message, QString::fromUtf8(url) + QStringLiteral("不是有效有网络地址！"));
        EXPECT_FALSE(HttpSubmitTimed(url, "", response, message, false)) << url;
        EXPECT_EQ(GetUrlText(url), "") << url;
        EXPECT_FALSE(DownloadToFile(url, target)) << url;
    }
    EXPECT_FALSE(QFile::exists(target));
}

TEST(HttpHelpers, ARefusedConnectionIsAConnectFailure)
{
    const QString url = QStringLiteral("http://127.0.0.1:%1/x").arg(ClosedPort());
    QString response;
    QString message;
    EXPECT_FALSE(HttpSubmit(url, "a=1", response, message, true));
    EXPECT_EQ(message, "对不起，连接服务器失败！");
    EXPECT_FALSE(HttpSubmitTimed(url, "", response, message, false));
    EXPECT_EQ(message, "对不起，连接服务器失败！");
    EXPECT_EQ(GetUrlText(url), "");
}

TEST(HttpHelpers, AnAnswerThatBreaksOffIsATransferFailure)
{
    RawServer server("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nonly a few bytes");
    QString response = "kept";
    QString message;
    EXPECT_FALSE(HttpSubmit(server.url(), "", response, message, false));
    EXPECT_EQ(message, "向服务器get失败！错误号：18");
    EXPECT_FALSE(HttpSubmit(server.url(), "a=1", response, message, true));
    EXPECT_EQ(message, "向服务器post失败！错误号：18");
    EXPECT_EQ(response, "kept");
    EXPECT_EQ(GetUrlText(server.url()), "");
}

TEST(HttpSubmitTimed, GivesUpOnAServerThatNeverAnswers)
{
    RawServer server("", true);
    QString response;
    QString message;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(HttpSubmitTimed(server.url(), "a=1", response, message, true));
    const qint64 elapsed = clock.elapsed();
    EXPECT_EQ(message, "向服务器post失败！错误号：28");
    EXPECT_GE(elapsed, 6000) << "waits as long as the answer may take";
    EXPECT_LT(elapsed, 10000);
    EXPECT_FALSE(server.firstRequest().isEmpty());
}

TEST(HttpHelpers, TheSchemeChoosesTheProtocolWhateverItsCase)
{
    struct Case {
        const char* scheme;
        bool tls;
    };
    for (const Case& c : {Case{"HTTPS", true}, {"https", true}, {"Http", false}}) {
        RawServer server("");
        const QString url = QStringLiteral("%1://127.0.0.1:%2/").arg(c.scheme).arg(server.port());
        GetUrlText(url);
        const QByteArray first = server.firstRequest();
        ASSERT_FALSE(first.isEmpty()) << c.scheme;
        // 0x16 opens a TLS handshake record.
        EXPECT_EQ(first[0] == '\x16', c.tls) << c.scheme;
        EXPECT_EQ(first.startsWith("GET / HTTP/1.1\r\n"), !c.tls) << c.scheme;
    }
}

TEST(HttpHelpers, AcceptAnyServerCertificate)
{
    if (!QSslSocket::supportsSsl())
        GTEST_SKIP() << "no TLS backend for the test server";
    // The server runs on this thread's event loop, which the wait hook keeps going.
    const ScopedWaitPump pump(EventLoopWaitPump());
    TlsServer server;
    ASSERT_TRUE(server.isListening());
    QString response;
    QString message;
    EXPECT_TRUE(HttpSubmit(server.url(), "a=1", response, message, true)) << message.toStdString();
    EXPECT_EQ(response, "ok");
    EXPECT_EQ(GetUrlText(server.url()), "ok");
}

TEST(DownloadToFile, ReplacesTheFileOnlyAfterACompleteAnswer)
{
    WebServer server;
    RawServer broken("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\npartial");
    QTemporaryDir dir;
    const QString target = dir.filePath("menu.dat");
    WriteFile(target, "old");

    EXPECT_FALSE(DownloadToFile(server.url("/status/404"), target));
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_FALSE(DownloadToFile(broken.url(), target));
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_FALSE(DownloadToFile(server.url("/status/204"), target));
    EXPECT_EQ(ReadFile(target), "old");

    EXPECT_TRUE(DownloadToFile(server.url("/file"), target));
    EXPECT_EQ(ReadFile(target), FileBytes());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"menu.dat"});

    const QString fresh = dir.filePath("new.dat");
    EXPECT_FALSE(DownloadToFile(server.url("/status/500"), fresh));
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_FALSE(DownloadToFile(server.url("/file"), dir.filePath("missing/x.dat")));
}

TEST(HttpHelpers, WaitingWithTheHookKeepsTimersRunning)
{
    WebServer server;
    const ScopedWaitPump pump(EventLoopWaitPump());
    bool fired = false;
    QTimer::singleShot(0, [&fired] { fired = true; });
    EXPECT_EQ(GetUrlText(server.url("/slow")), "slow");
    EXPECT_TRUE(fired);
}

TEST(HttpHelpers, WorkerThreadsCallAtTheSameTime)
{
    WebServer server;
    std::vector<std::future<QString>> calls;
    for (int i = 0; i < 3; ++i)
        calls.push_back(
            std::async(std::launch::async, [&server] { return GetUrlText(server.url("/slow")); }));
    for (auto& call : calls)
        EXPECT_EQ(call.get(), "slow");
}

} // namespace
} // namespace zk
