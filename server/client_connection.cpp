#include "server/client_connection.h"

#include "data/link/link_protocol.h"

#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

namespace zk::server {

namespace {

using Clock = std::chrono::steady_clock;

// What a started request may still take once the server stops.
constexpr int kStopGraceMs = 5'000;

constexpr qint64 kFirstChunk = qint64(1) << 20;

QString AddressOf(int fd)
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getpeername(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return QStringLiteral("?");
    char host[INET6_ADDRSTRLEN] = {};
    int port = 0;
    if (address.ss_family == AF_INET) {
        const auto* v4 = reinterpret_cast<const sockaddr_in*>(&address);
        inet_ntop(AF_INET, &v4->sin_addr, host, sizeof host);
        port = ntohs(v4->sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto* v6 = reinterpret_cast<const sockaddr_in6*>(&address);
        // An IPv4 client of a dual-stack listener is shown as IPv4: the login keeps the
        // text before the first ":" as the client's address.
        if (IN6_IS_ADDR_V4MAPPED(&v6->sin6_addr))
            inet_ntop(AF_INET, &v6->sin6_addr.s6_addr[12], host, sizeof host);
        else
            inet_ntop(AF_INET6, &v6->sin6_addr, host, sizeof host);
        port = ntohs(v6->sin6_port);
    }
    return QString::fromLatin1(host) + u':' + QString::number(port);
}

qint32 Word(const char* at)
{
    return qFromLittleEndian<qint32>(at);
}

bool Retry()
{
    return errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK;
}

} // namespace

ClientConnection::ClientConnection(int fd, int stopFd, ConnectionLimits limits)
    : fd_(fd)
    , stopFd_(stopFd)
    , limits_(limits)
    , peer_(AddressOf(fd))
{
}

ClientConnection::~ClientConnection()
{
    ::close(fd_);
}

ClientConnection::Wait ClientConnection::WaitFor(short events, bool betweenRequests)
{
    Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(limits_.idleTimeoutMs);
    for (;;) {
        if (stopping_ && betweenRequests)
            return Wait::Stopped;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return Wait::TimedOut;
        pollfd entries[2] = {{fd_, events, 0}, {stopFd_, POLLIN, 0}};
        // The stop descriptor stays readable, so it is watched until it fired once.
        const int rc = ::poll(entries, stopping_ ? 1 : 2, int(std::min<long long>(left, 60'000)));
        if (rc < 0 && errno != EINTR)
            return Wait::Failed;
        if (rc <= 0)
            continue;
        if (entries[0].revents)
            return Wait::Ready; // errors and hang-ups show in the next call
        if (!stopping_ && entries[1].revents) {
            stopping_ = true;
            deadline = std::min(deadline, Clock::now() + std::chrono::milliseconds(kStopGraceMs));
        }
    }
}

ReadResult ClientConnection::Receive(char* data, qint64 size, bool betweenRequests)
{
    qint64 received = 0;
    while (received < size) {
        const ssize_t n = ::recv(fd_, data + received, size_t(size - received), 0);
        if (n > 0) {
            received += n;
            betweenRequests = false;
            continue;
        }
        if (n == 0)
            return betweenRequests ? ReadResult::Closed : ReadResult::Broken;
        if (!Retry())
            return betweenRequests && errno == ECONNRESET ? ReadResult::Closed : ReadResult::Broken;
        switch (WaitFor(POLLIN, betweenRequests)) {
        case Wait::Ready:
            break;
        case Wait::TimedOut:
            return betweenRequests ? ReadResult::Idle : ReadResult::Stalled;
        case Wait::Stopped:
            return ReadResult::Stopped;
        case Wait::Failed:
            return ReadResult::Broken;
        }
    }
    return ReadResult::Ok;
}

bool ClientConnection::SendAll(const char* data, qint64 size)
{
    qint64 sent = 0;
    while (sent < size) {
        const ssize_t n = ::send(fd_, data + sent, size_t(size - sent), MSG_NOSIGNAL);
        if (n > 0) {
            sent += n;
            continue;
        }
        if (n < 0 && Retry() && WaitFor(POLLOUT, false) == Wait::Ready)
            continue;
        return false;
    }
    return true;
}

ReadResult ClientConnection::ReadRequest(Request& request, QString& why)
{
    char header[link::kHeaderBytes];
    ReadResult result = Receive(header, sizeof header, true);
    if (result != ReadResult::Ok)
        return result;
    const qint32 textLength = Word(header + 8);
    const qint32 total = Word(header + 12);
    if (Word(header) != link::kFrameMagic) {
        why = QStringLiteral("first word %1 instead of 1").arg(Word(header));
        return ReadResult::Malformed;
    }
    if (textLength < 0 || total < 0 || textLength > total) {
        why = QStringLiteral("lengths %1 and %2").arg(textLength).arg(total);
        return ReadResult::Malformed;
    }
    if (total > limits_.maxFrame) {
        why = QStringLiteral("%1 bytes announced, at most %2").arg(total).arg(limits_.maxFrame);
        return ReadResult::Oversized;
    }
    if (!SendAll(link::kAcknowledge, sizeof link::kAcknowledge))
        return ReadResult::Broken;
    request.code = Word(header + 4);
    // The buffer grows with what arrives: an announcement alone reserves little.
    QByteArray payload;
    for (qint64 have = 0; have < total;) {
        const qint64 next = std::min<qint64>(total, std::max<qint64>(have * 2, kFirstChunk));
        payload.resize(next);
        result = Receive(payload.data() + have, next - have, false);
        if (result != ReadResult::Ok)
            return result;
        have = next;
    }
    if (textLength < total) {
        request.binary = payload.mid(textLength);
        payload.truncate(textLength);
    }
    request.text = std::move(payload);
    return ReadResult::Ok;
}

bool ClientConnection::SendReply(const Reply& reply)
{
    const QByteArray& text = reply.text;
    const QByteArray& binary = reply.binary;
    char header[link::kHeaderBytes];
    qToLittleEndian<qint32>(link::kFrameMagic, header);
    qToLittleEndian<qint32>(reply.status, header + 4);
    qToLittleEndian<qint32>(qint32(text.size()), header + 8);
    qToLittleEndian<qint32>(qint32(text.size() + binary.size()), header + 12);
    // One write for the header and the text, so a small reply goes out in one segment;
    // a large binary part follows without being copied.
    iovec parts[3] = {{header, sizeof header},
                      {const_cast<char*>(text.constData()), size_t(text.size())},
                      {const_cast<char*>(binary.constData()), size_t(binary.size())}};
    int first = 0;
    while (first < 3) {
        msghdr message{};
        message.msg_iov = parts + first;
        message.msg_iovlen = size_t(3 - first);
        const ssize_t n = ::sendmsg(fd_, &message, MSG_NOSIGNAL);
        if (n < 0) {
            if (Retry() && WaitFor(POLLOUT, false) == Wait::Ready)
                continue;
            return false;
        }
        size_t left = size_t(n);
        while (first < 3 && left >= parts[first].iov_len) {
            left -= parts[first].iov_len;
            ++first;
        }
        if (first < 3) {
            parts[first].iov_base = static_cast<char*>(parts[first].iov_base) + left;
            parts[first].iov_len -= left;
        }
    }
    return true;
}

} // namespace zk::server
