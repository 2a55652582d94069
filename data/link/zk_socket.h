#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

namespace zk {

// How long the link waits, and how much it accepts.
struct LinkLimits {
    // Establishing the connection.
    int connectTimeoutMs = 10'000;
    // The longest wait for the peer while a request runs without a byte moving; a
    // server that died mid-request fails the request instead of hanging the client.
    // It covers the server's own work on a statement, so it matches the statement
    // time-out of a direct session.
    int requestTimeoutMs = 600'000;
    // The largest reply payload accepted; a larger announcement fails the request
    // before anything is allocated.
    qint64 maxPayload = qint64(1) << 30;
};

// How a send, a receive or a wait ended.
enum class SocketResult { Ok, Closed, Failed, TimedOut };

// A blocking TCP client socket with time-outs, usable from any thread without an
// event loop. While it waits on the thread that installed the wait hook, the hook
// runs every few milliseconds (data/wait_pump.h).
//
// `connected` is set when a connection stands (OnConnect) and both flags are
// cleared when it ends, by Close or by the peer closing it (OnClose). `loggedIn` is
// kept by the owner of the socket: the link sets it after its handshake.
class CZkSocket {
public:
    CZkSocket() = default;
    ~CZkSocket();
    CZkSocket(const CZkSocket&) = delete;
    CZkSocket& operator=(const CZkSocket&) = delete;

    bool loggedIn = false;
    bool connected = false;
    LinkLimits limits;

    // Closes any earlier connection, then connects to the host (an IPv4 text or a
    // name) within limits.connectTimeoutMs. The receive buffer (8 MiB) and
    // TCP_NODELAY are set before connecting.
    bool Connect(const QString& host, int port);
    // Ends the connection; both flags are cleared.
    void Close();

    // Sends every byte; waits at most limits.requestTimeoutMs for room each time.
    SocketResult SendAll(QByteArrayView bytes);
    // Receives exactly `size` bytes into `data`; `received` tells how many came.
    SocketResult ReceiveAll(char* data, qint64 size, qint64& received);

    // Notices, without waiting, a peer that closed the connection since the last
    // request (or sent bytes nobody asked for) and closes it. True while the
    // connection stands.
    bool CheckPeer();

    // One exchange at a time: the wait hook may run code that reaches for the same
    // socket, which must not interleave its frames with the running one.
    bool TryBeginExchange();
    void EndExchange() { exchanging_ = false; }

    void OnConnect();
    void OnClose();

private:
    SocketResult WaitFor(short events, int timeoutMs);
    bool ConnectTo(const void* address, unsigned addressLength, int family);

    int fd_ = -1;
    bool exchanging_ = false;
};

} // namespace zk
