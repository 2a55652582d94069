#include "server_process.h"

#include "data/link/app_handshake.h"
#include "data/link/link_protocol.h"
#include "data/link/zk_socket.h"
#include "tests/common/test_env.h"

#include <QFile>
#include <QRegularExpression>

#include <csignal>

namespace zk::test {

bool ServerProcess::Start(const QStringList& arguments)
{
    Stop();
    process_ = std::make_unique<QProcess>();
    process_->start(BinDir() + QStringLiteral("/zk_server"), arguments);
    if (!process_->waitForStarted(10000))
        return false;
    static const QRegularExpression listening(QStringLiteral("^listening on (.+):(\\d+)\\n"));
    QByteArray out;
    while (!out.contains('\n')) {
        if (!process_->waitForReadyRead(20000))
            return false;
        out += process_->readAllStandardOutput();
    }
    const QRegularExpressionMatch match = listening.match(QString::fromUtf8(out));
    port_ = match.hasMatch() ? match.captured(2).toInt() : 0;
    return port_ > 0;
}

int ServerProcess::Stop()
{
    if (!process_)
        return -1;
    int status = -1;
    if (process_->state() != QProcess::NotRunning) {
        ::kill(pid_t(process_->processId()), SIGTERM);
        if (!process_->waitForFinished(30000)) {
            process_->kill();
            process_->waitForFinished(5000);
        }
    }
    if (process_->exitStatus() == QProcess::NormalExit)
        status = process_->exitCode();
    Log();
    process_.reset();
    return status;
}

QString ServerProcess::Log()
{
    if (process_)
        log_ += QString::fromUtf8(process_->readAllStandardError());
    return log_;
}

RunResult RunServer(const QStringList& arguments)
{
    QProcess process;
    process.start(BinDir() + QStringLiteral("/zk_server"), arguments);
    RunResult result;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

ServedDatabase::ServedDatabase(Engine engine, const QStringList& extra)
    : database_(engine)
    , extra_(extra)
{
    if (database_.connection().isEmpty()) {
        problem_ = QStringLiteral("no scratch database");
        return;
    }
    if (!server_.Start(Arguments(0))) {
        problem_ = QStringLiteral("zk_server did not start: ") + server_.Log();
        return;
    }
    token_ = Handshake();
    if (token_.isEmpty())
        problem_ = QStringLiteral("no token");
    context_ = std::make_unique<ScopedServerContext>([this] { return context(); });
}

ServedDatabase::~ServedDatabase()
{
    context_.reset();
    server_.Stop();
}

QStringList ServedDatabase::Arguments(int port) const
{
    return QStringList{QStringLiteral("--port"),   QString::number(port),
                       QStringLiteral("--key"),    kKey,
                       QStringLiteral("--db"),     database_.connection(),
                       QStringLiteral("--files"),  dir_.filePath(QStringLiteral("files")),
                       QStringLiteral("--secret"), dir_.filePath(QStringLiteral("secret")),
                       QStringLiteral("--log"),    dir_.filePath(QStringLiteral("server.log"))} +
           extra_;
}

bool ServedDatabase::Restart()
{
    const int port = server_.port();
    server_.Stop();
    return server_.Start(Arguments(port));
}

QString ServedDatabase::LogText() const
{
    QFile file(dir_.filePath(QStringLiteral("server.log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

ServerContext ServedDatabase::context() const
{
    return {QStringLiteral("127.0.0.1"), server_.port(), token_};
}

QString ServedDatabase::Handshake(const QString& key) const
{
    CZkSocket socket;
    QString reply;
    InitHandshake(socket, QStringLiteral("127.0.0.1"), server_.port(), link::kInitPrefix + key,
                  reply);
    return reply;
}

} // namespace zk::test
