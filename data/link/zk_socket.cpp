#include "data/link/zk_socket.h"

#include "data/wait_pump.h"

#include <QByteArray>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <memory>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zk {

namespace {

// Query results arrive in large replies; a big receive buffer keeps the server
// writing while the client assembles them.
constexpr int kReceiveBufferBytes = 8 * 1024 * 1024;

using Clock = std::chrono::steady_clock;

struct AddressListDeleter {
    void operator()(addrinfo* list) const { freeaddrinfo(list); }
};

bool Retry(ssize_t result)
{
    return result < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK);
}

} // namespace

CZkSocket::~CZkSocket()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool CZkSocket::Connect(const QString& host, int port)
{
    Close();
    if (host.isEmpty() || port <= 0 || port > 65535)
        return false;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.toUtf8().constData(), QByteArray::number(port).constData(), &hints,
                    &found) != 0)
        return false;
    const std::unique_ptr<addrinfo, AddressListDeleter> list(found);
    for (const addrinfo* a = list.get(); a; a = a->ai_next) {
        if (ConnectTo(a->ai_addr, a->ai_addrlen, a->ai_family)) {
            OnConnect();
            return true;
        }
    }
    return false;
}

bool CZkSocket::ConnectTo(const void* address, unsigned addressLength, int family)
{
    fd_ = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0)
        return false;
    const int receiveBuffer = kReceiveBufferBytes;
    setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    // Every request waits for a three-byte acknowledgement before its payload goes
    // out; Nagle's algorithm would hold those small writes back.
    const int noDelay = 1;
    setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    int rc = ::connect(fd_, static_cast<const sockaddr*>(address), addressLength);
    if (rc < 0 && errno == EINPROGRESS &&
        WaitFor(POLLOUT, limits.connectTimeoutMs) == SocketResult::Ok) {
        int error = 0;
        socklen_t length = sizeof error;
        rc = getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0 ? 0 : -1;
    }
    if (rc == 0)
        return true;
    ::close(fd_);
    fd_ = -1;
    return false;
}

void CZkSocket::Close()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    loggedIn = false;
    connected = false;
}

void CZkSocket::OnConnect()
{
    connected = true;
}

void CZkSocket::OnClose()
{
    Close();
}

SocketResult CZkSocket::WaitFor(short events, int timeoutMs)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    pollfd entry{fd_, events, 0};
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return SocketResult::TimedOut;
        const bool pumping = WaitPumpActive();
        const int slice = pumping ? int(std::min<long long>(left, kWaitPumpIntervalMs)) : int(left);
        const int rc = ::poll(&entry, 1, slice);
        if (rc > 0)
            return SocketResult::Ok; // errors and hang-ups show in the next send or receive
        if (rc < 0 && errno != EINTR)
            return SocketResult::Failed;
        if (pumping)
            RunWaitPump();
    }
}

SocketResult CZkSocket::SendAll(QByteArrayView bytes)
{
    qint64 sent = 0;
    while (sent < bytes.size()) {
        if (fd_ < 0)
            return SocketResult::Failed;
        const ssize_t n =
            ::send(fd_, bytes.data() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n > 0) {
            sent += n;
            continue;
        }
        if (!Retry(n))
            return errno == EPIPE || errno == ECONNRESET ? SocketResult::Closed
                                                         : SocketResult::Failed;
        const SocketResult waited = WaitFor(POLLOUT, limits.requestTimeoutMs);
        if (waited != SocketResult::Ok)
            return waited;
    }
    return SocketResult::Ok;
}

SocketResult CZkSocket::ReceiveAll(char* data, qint64 size, qint64& received)
{
    received = 0;
    while (received < size) {
        if (fd_ < 0)
            return SocketResult::Failed;
        const ssize_t n = ::recv(fd_, data + received, size_t(size - received), 0);
        if (n > 0) {
            received += n;
            continue;
        }
        if (n == 0)
            return SocketResult::Closed;
        if (!Retry(n))
            return errno == ECONNRESET ? SocketResult::Closed : SocketResult::Failed;
        const SocketResult waited = WaitFor(POLLIN, limits.requestTimeoutMs);
        if (waited != SocketResult::Ok)
            return waited;
    }
    return SocketResult::Ok;
}

bool CZkSocket::CheckPeer()
{
    if (fd_ < 0)
        return false;
    if (exchanging_)
        return true; // the bytes waiting belong to the running request
    char probe = 0;
    const ssize_t n = ::recv(fd_, &probe, 1, MSG_PEEK | MSG_DONTWAIT);
    if (Retry(n))
        return true;
    // 0: the peer closed; > 0: bytes outside any request, so the stream is out of
    // step; < 0: the connection broke.
    OnClose();
    return false;
}

bool CZkSocket::TryBeginExchange()
{
    if (exchanging_)
        return false;
    exchanging_ = true;
    return true;
}

} // namespace zk
