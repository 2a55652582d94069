#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <functional>
#include <ostream>
#include <thread>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace zk::test {

// One request as the peer read it.
struct PeerRequest {
    qint32 code = 0;
    QByteArray text;   // GB18030 bytes as sent
    QByteArray binary; // the bytes after the text
    QString Text() const;
};

// The peer's end of one accepted connection, driven by the test's script.
class PeerConnection {
public:
    explicit PeerConnection(int fd)
        : fd_(fd)
    {
    }

    // The four header words; false when the client closed or sent less.
    bool ReadHeader(qint32 (&words)[4]);
    bool ReadBytes(qint64 count, QByteArray& bytes);
    void Send(const QByteArray& bytes);
    // A header, the acknowledgement and the payload: one well-formed request.
    bool ReadRequest(PeerRequest& request);
    // A well-formed reply frame; the text length word is that of `text`.
    void Reply(qint32 status, const QByteArray& text, const QByteArray& binary = {});
    // Blocks until the client closes the connection (or 5 s pass); true when it did.
    bool WaitForClose();

    static QByteArray Words(qint32 a, qint32 b, qint32 c, qint32 d);

private:
    int fd_;
};

// A tiny server on loopback that runs `script` for every connection it accepts, one
// connection after the other, and closes the connection when the script returns.
class LinkTestPeer {
public:
    using Script = std::function<void(PeerConnection&)>;
    explicit LinkTestPeer(Script script);
    ~LinkTestPeer();
    LinkTestPeer(const LinkTestPeer&) = delete;
    LinkTestPeer& operator=(const LinkTestPeer&) = delete;

    int port() const { return port_; }
    int connections() const { return connections_; }

private:
    void Serve();

    Script script_;
    int port_ = 0;
    int listenFd_ = -1;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::thread thread_;
};

// Answers every request with `answer` until the client closes.
void ServeRequests(PeerConnection& peer,
                   const std::function<void(PeerConnection&, const PeerRequest&)>& answer);

} // namespace zk::test
