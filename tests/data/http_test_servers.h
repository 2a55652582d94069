#pragma once

#include <QByteArray>
#include <QSslServer>
#include <QString>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace zk::test {

// A loopback TCP server with a scripted answer, for what a well-behaved HTTP server
// never does: answer nothing, break off mid-body, or meet a TLS handshake.
// For each connection it reads the request (up to its blank line, or the first piece
// when that is not HTTP text), sends `reply`, then closes or, with `hold`, keeps the
// connection open until the server goes.
class RawServer {
public:
    explicit RawServer(QByteArray reply, bool hold = false);
    ~RawServer();
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    int port() const { return port_; }
    QString url(const QString& path = QStringLiteral("/")) const;
    // The bytes the first connection sent.
    QByteArray firstRequest() const;

private:
    void Serve();
    void Answer(int fd);

    QByteArray reply_;
    bool hold_;
    int port_ = 0; // before listenFd_: the constructor fills both
    int listenFd_ = -1;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    QByteArray firstRequest_;
    std::vector<int> held_;
    std::thread thread_;
};

// A port on loopback that nothing listens on.
int ClosedPort();

// A listening socket on 127.0.0.1 with a free port; -1 when that fails.
int ListenOnLoopback(int& port);

// Waits up to the time-out for the socket to become readable.
bool Readable(int fd, int timeoutMs);

// An HTTPS server on loopback, run by the event loop of the thread that made it,
// whose certificate is expired, self-signed and made out for another name. Every
// request gets a 200 with the body "ok".
class TlsServer {
public:
    TlsServer();
    bool isListening() const { return server_.isListening(); }
    QString url() const;

private:
    QSslServer server_;
};

} // namespace zk::test
