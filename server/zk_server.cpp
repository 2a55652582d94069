#include "server/zk_server.h"

#include "data/session/db_session.h"
#include "server/client_connection.h"
#include "server/server_log.h"

#include <QDir>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <limits>
#include <system_error>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zk::server {

namespace {

QString NumericAddress(const sockaddr_storage& address)
{
    char host[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET6) {
        const auto* v6 = reinterpret_cast<const sockaddr_in6*>(&address);
        inet_ntop(AF_INET6, &v6->sin6_addr, host, sizeof host);
        return QStringLiteral("[%1]:%2").arg(QString::fromLatin1(host)).arg(ntohs(v6->sin6_port));
    }
    const auto* v4 = reinterpret_cast<const sockaddr_in*>(&address);
    inet_ntop(AF_INET, &v4->sin_addr, host, sizeof host);
    return QString::fromLatin1(host) + u':' + QString::number(ntohs(v4->sin_port));
}

// What the log says about a connection that ended while a request was awaited; nothing
// for a client that said goodbye or a server that stops.
QString EndReason(ReadResult read, const QString& why)
{
    switch (read) {
    case ReadResult::Idle:
        return QStringLiteral("idle");
    case ReadResult::Stalled:
        return QStringLiteral("request stalled");
    case ReadResult::Malformed:
        return QStringLiteral("malformed frame (") + why + u')';
    case ReadResult::Oversized:
        return QStringLiteral("frame too large (") + why + u')';
    case ReadResult::Broken:
        return QStringLiteral("connection broken inside a request");
    case ReadResult::Ok:
    case ReadResult::Closed:
    case ReadResult::Stopped:
        break;
    }
    return {};
}

struct AddressListDeleter {
    void operator()(addrinfo* list) const { freeaddrinfo(list); }
};

} // namespace

ZkServer::ZkServer(ServerConfig config, ServerLog& log)
    : config_(std::move(config))
    , log_(log)
    , files_(config_.files)
{
    context_.db = config_.db;
    context_.tokens = &tokens_;
    context_.files = &files_;
    context_.log = &log_;
    context_.maxReply = std::numeric_limits<qint32>::max();
}

ZkServer::~ZkServer()
{
    Reap(true);
    if (listenFd_ >= 0)
        ::close(listenFd_);
}

bool ZkServer::Start(QString& error)
{
    if (!tokens_.Load(config_.secret, config_.key, error))
        return false;
    if (config_.key.isEmpty())
        log_.Line(QStringLiteral("no KEY is set: every client that sends \"Init\" gets a token"));
    if (!QDir().mkpath(config_.files)) {
        error = QStringLiteral("cannot create the file store %1").arg(config_.files);
        return false;
    }
    CDbSession check;
    check.SetConnectionString(config_.db);
    if (!check.Open()) {
        error = QStringLiteral("cannot open the database: %1 %2")
                    .arg(check.errorText.trimmed(), check.errorDetail);
        return false;
    }
    check.Close();
    return Bind(error);
}

bool ZkServer::Bind(QString& error)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const int rc = getaddrinfo(config_.listen.toUtf8().constData(),
                               QByteArray::number(config_.port).constData(), &hints, &found);
    if (rc != 0) {
        error = QStringLiteral("cannot listen on %1: %2")
                    .arg(config_.listen, QString::fromLocal8Bit(gai_strerror(rc)));
        return false;
    }
    const std::unique_ptr<addrinfo, AddressListDeleter> list(found);
    QString reason;
    for (const addrinfo* a = list.get(); a; a = a->ai_next) {
        const int fd = ::socket(a->ai_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0)
            continue;
        const int on = 1;
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        if (::bind(fd, a->ai_addr, a->ai_addrlen) == 0 && ::listen(fd, 128) == 0) {
            sockaddr_storage bound{};
            socklen_t length = sizeof bound;
            getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &length);
            listenFd_ = fd;
            address_ = NumericAddress(bound);
            return true;
        }
        reason = QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd);
    }
    error = QStringLiteral("cannot listen on %1:%2: %3")
                .arg(config_.listen)
                .arg(config_.port)
                .arg(reason);
    return false;
}

void ZkServer::Run(int stopFd)
{
    log_.Line(QStringLiteral("listening on ") + address_);
    Accept(stopFd);
    ::close(listenFd_);
    listenFd_ = -1;
    log_.Line(QStringLiteral("stopping: waiting for %1 connection(s)").arg(workers_.size()));
    Reap(true);
    log_.Line(QStringLiteral("stopped"));
}

void ZkServer::Accept(int stopFd)
{
    for (;;) {
        pollfd entries[2] = {{listenFd_, POLLIN, 0}, {stopFd, POLLIN, 0}};
        const int rc = ::poll(entries, 2, 1000);
        Reap(false);
        if (rc < 0 && errno != EINTR)
            return;
        if (entries[1].revents)
            return;
        if (rc <= 0 || !(entries[0].revents & POLLIN))
            continue;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            // Out of descriptors or memory: the waiting connection stays queued, and
            // polling again at once would only spin.
            if (errno != EAGAIN && errno != EINTR && errno != ECONNABORTED) {
                log_.Line(QStringLiteral("accept failed: ") +
                          QString::fromLocal8Bit(std::strerror(errno)));
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
            continue;
        }
        if (qsizetype(workers_.size()) >= config_.maxConnections) {
            log_.Line(
                QStringLiteral("connection refused: %1 connections are open").arg(workers_.size()));
            ::close(fd);
            continue;
        }
        // Requests wait for a three-byte acknowledgement; Nagle would hold it and the
        // replies back.
        const int on = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        auto worker = std::make_unique<Worker>();
        Worker& w = *worker;
        try {
            w.thread = std::thread([this, fd, stopFd, &w] { Serve(fd, stopFd, w); });
        } catch (const std::system_error& error) {
            log_.Line(QStringLiteral("connection refused: no thread (") +
                      QString::fromLocal8Bit(error.what()) + u')');
            ::close(fd);
            continue;
        }
        workers_.push_back(std::move(worker));
    }
}

void ZkServer::Reap(bool all)
{
    for (auto it = workers_.begin(); it != workers_.end();) {
        if (all || (*it)->done) {
            if ((*it)->thread.joinable())
                (*it)->thread.join();
            it = workers_.erase(it);
        } else {
            ++it;
        }
    }
}

void ZkServer::Serve(int fd, int stopFd, Worker& worker)
{
    ConnectionLimits limits;
    limits.maxFrame = config_.maxFrame;
    limits.idleTimeoutMs = int(std::min<qint64>(qint64(config_.idleTimeoutSeconds) * 1000,
                                                std::numeric_limits<int>::max()));
    ClientConnection connection(fd, stopFd, limits);
    const QString peer = connection.PeerAddress();
    // A request that needs more memory than there is ends its own connection, not the
    // server (the handler rolls its transaction back on the way out).
    try {
        RequestHandler handler(context_, peer);
        Converse(connection, handler);
    } catch (const std::exception& error) {
        log_.Line(peer + QStringLiteral(" request failed (") +
                  QString::fromLocal8Bit(error.what()) + QStringLiteral("): connection closed"));
    }
    worker.done = true;
}

void ZkServer::Converse(ClientConnection& connection, RequestHandler& handler)
{
    const QString peer = connection.PeerAddress();
    for (;;) {
        Request request;
        QString why;
        const ReadResult read = connection.ReadRequest(request, why);
        if (read != ReadResult::Ok) {
            const QString reason = EndReason(read, why);
            if (!reason.isEmpty())
                log_.Line(peer + u' ' + reason + QStringLiteral(": connection closed"));
            return;
        }
        bool close = false;
        const Reply reply = handler.Handle(request, close);
        if (!connection.SendReply(reply)) {
            log_.Line(peer + QStringLiteral(" reply not delivered: connection closed"));
            return;
        }
        if (close)
            return;
    }
}

} // namespace zk::server
