#include "link_test_peer.h"

#include "http_test_servers.h"

#include "util/codec.h"

#include <QtEndian>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zk::test {

QString PeerRequest::Text() const
{
    return FromGb18030(text);
}

bool PeerConnection::ReadBytes(qint64 count, QByteArray& bytes)
{
    bytes.resize(count);
    qint64 got = 0;
    while (got < count) {
        if (!Readable(fd_, 5000))
            return false;
        const ssize_t n = ::recv(fd_, bytes.data() + got, size_t(count - got), 0);
        if (n <= 0)
            return false;
        got += n;
    }
    return true;
}

bool PeerConnection::ReadHeader(qint32 (&words)[4])
{
    QByteArray header;
    if (!ReadBytes(16, header))
        return false;
    for (int i = 0; i < 4; ++i)
        words[i] = qFromLittleEndian<qint32>(header.constData() + 4 * i);
    return true;
}

void PeerConnection::Send(const QByteArray& bytes)
{
    qint64 sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n =
            ::send(fd_, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += n;
    }
}

bool PeerConnection::ReadRequest(PeerRequest& request)
{
    qint32 words[4];
    if (!ReadHeader(words) || words[0] != 1)
        return false;
    Send(QByteArray("ok\0", 3));
    QByteArray payload;
    if (!ReadBytes(words[3], payload))
        return false;
    request.code = words[1];
    request.text = payload.left(words[2]);
    request.binary = payload.mid(words[2]);
    return true;
}

void PeerConnection::Reply(qint32 status, const QByteArray& text, const QByteArray& binary)
{
    Send(Words(1, status, qint32(text.size()), qint32(text.size() + binary.size())) + text +
         binary);
}

bool PeerConnection::WaitForClose()
{
    char byte = 0;
    return Readable(fd_, 5000) && ::recv(fd_, &byte, 1, 0) == 0;
}

QByteArray PeerConnection::Words(qint32 a, qint32 b, qint32 c, qint32 d)
{
    QByteArray bytes(16, '\0');
    const qint32 words[4] = {a, b, c, d};
    for (int i = 0; i < 4; ++i)
        qToLittleEndian(words[i], bytes.data() + 4 * i);
    return bytes;
}

LinkTestPeer::LinkTestPeer(Script script)
    : script_(std::move(script))
    , listenFd_(ListenOnLoopback(port_))
{
    if (listenFd_ >= 0)
        thread_ = std::thread([this] { Serve(); });
}

LinkTestPeer::~LinkTestPeer()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
    if (listenFd_ >= 0)
        ::close(listenFd_);
}

void LinkTestPeer::Serve()
{
    while (!stop_) {
        if (!Readable(listenFd_, 20))
            continue;
        const int fd = ::accept(listenFd_, nullptr, nullptr);
        if (fd < 0)
            continue;
        ++connections_;
        PeerConnection connection(fd);
        script_(connection);
        ::close(fd);
    }
}

void ServeRequests(PeerConnection& peer,
                   const std::function<void(PeerConnection&, const PeerRequest&)>& answer)
{
    PeerRequest request;
    while (peer.ReadRequest(request))
        answer(peer, request);
}

} // namespace zk::test
