#include "http_test_servers.h"

#include "tests/common/test_env.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zk::test {

int ListenOnLoopback(int& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(fd, 8) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

bool Readable(int fd, int timeoutMs)
{
    pollfd entry{fd, POLLIN, 0};
    return ::poll(&entry, 1, timeoutMs) > 0;
}

namespace {

QByteArray ReadRequest(int fd)
{
    QByteArray received;
    char buffer[4096];
    while (Readable(fd, 2000)) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        received.append(buffer, n);
        const bool text = received[0] >= 'A' && received[0] <= 'Z';
        if (!text || received.contains("\r\n\r\n"))
            break;
    }
    return received;
}

} // namespace

RawServer::RawServer(QByteArray reply, bool hold)
    : reply_(std::move(reply))
    , hold_(hold)
    , listenFd_(ListenOnLoopback(port_))
{
    if (listenFd_ >= 0)
        thread_ = std::thread([this] { Serve(); });
}

RawServer::~RawServer()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
    for (int fd : held_)
        ::close(fd);
    if (listenFd_ >= 0)
        ::close(listenFd_);
}

QString RawServer::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path);
}

QByteArray RawServer::firstRequest() const
{
    const std::lock_guard lock(mutex_);
    return firstRequest_;
}

void RawServer::Serve()
{
    while (!stop_) {
        if (!Readable(listenFd_, 50))
            continue;
        const int fd = ::accept(listenFd_, nullptr, nullptr);
        if (fd >= 0)
            Answer(fd);
    }
}

void RawServer::Answer(int fd)
{
    const QByteArray request = ReadRequest(fd);
    {
        const std::lock_guard lock(mutex_);
        if (firstRequest_.isEmpty())
            firstRequest_ = request;
    }
    if (!reply_.isEmpty())
        (void)::send(fd, reply_.constData(), size_t(reply_.size()), MSG_NOSIGNAL);
    if (hold_) {
        held_.push_back(fd);
        return;
    }
    ::shutdown(fd, SHUT_RDWR);
    ::close(fd);
}

int ClosedPort()
{
    int port = 0;
    const int fd = ListenOnLoopback(port);
    if (fd >= 0)
        ::close(fd);
    return port;
}

TlsServer::TlsServer()
{
    QFile certFile(SourceDir() + QStringLiteral("/data/http_tls_cert.pem"));
    QFile keyFile(SourceDir() + QStringLiteral("/data/http_tls_key.pem"));
    if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly))
        return;
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setLocalCertificate(QSslCertificate(certFile.readAll()));
    config.setPrivateKey(QSslKey(keyFile.readAll(), QSsl::Ec));
    config.setPeerVerifyMode(QSslSocket::VerifyNone);
    server_.setSslConfiguration(config);

    QObject::connect(&server_, &QTcpServer::pendingConnectionAvailable, &server_, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                if (!socket->peek(1 << 16).contains("\r\n\r\n"))
                    return;
                socket->readAll();
                socket->write(
                    "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
                socket->disconnectFromHost();
            });
        }
    });
    server_.listen(QHostAddress::LocalHost, 0);
}

QString TlsServer::url() const
{
    return QStringLiteral("https://127.0.0.1:%1/").arg(server_.serverPort());
}

} // namespace zk::test
