#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace zk::server {

// One request as it arrived: the text part (GB18030 bytes) and the binary part.
struct Request {
    qint32 code = 0;
    QByteArray text;
    QByteArray binary;
};

// One reply: the status, the text part (GB18030 bytes) and the binary part. A reply with a
// binary part always carries a text part too, because a text length of 0 tells the client
// that the whole payload is text.
struct Reply {
    qint32 status = 1;
    QByteArray text;
    QByteArray binary;
};

// How reading a request ended.
enum class ReadResult {
    Ok,
    Closed,    // the client closed the connection between requests
    Idle,      // no request for the idle time-out
    Stopped,   // the server is stopping and no request was under way
    Stalled,   // a request stopped moving for the idle time-out
    Malformed, // a header the protocol does not allow; `why` says what
    Oversized, // a request larger than the largest frame
    Broken,    // the connection failed or closed in the middle of a request
};

struct ConnectionLimits {
    qint64 maxFrame = qint64(256) << 20;
    int idleTimeoutMs = 600'000;
};

// The server's end of one client connection, on a non-blocking socket with poll(): it
// waits for the next request until the idle time-out or the stop descriptor, and gives
// a started request (or a reply on its way out) the idle time-out without a byte moving;
// once the server stops, a started request has a few seconds more at most.
class ClientConnection {
public:
    ClientConnection(int fd, int stopFd, ConnectionLimits limits);
    ~ClientConnection();
    ClientConnection(const ClientConnection&) = delete;
    ClientConnection& operator=(const ClientConnection&) = delete;

    // Reads a header, acknowledges it with "ok\0" and reads the payload.
    ReadResult ReadRequest(Request& request, QString& why);
    bool SendReply(const Reply& reply);

    // The client's address and port, "ip:port".
    QString PeerAddress() const { return peer_; }

private:
    enum class Wait { Ready, TimedOut, Stopped, Failed };
    Wait WaitFor(short events, bool betweenRequests);
    ReadResult Receive(char* data, qint64 size, bool betweenRequests);
    bool SendAll(const char* data, qint64 size);

    int fd_;
    int stopFd_;
    ConnectionLimits limits_;
    QString peer_;
    // Set once the stop was seen: started requests then get a short grace only.
    bool stopping_ = false;
};

} // namespace zk::server
