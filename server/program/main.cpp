// zk_server: serves the client's framed requests from its own database and file store.
#include "server/server_config.h"
#include "server/server_log.h"
#include "server/stop_signal.h"
#include "server/zk_server.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

int Fail(const QString& message, bool usage)
{
    std::fprintf(stderr, "zk_server: %s\n", message.toLocal8Bit().constData());
    if (usage)
        std::fputs(zk::server::ServerUsage().toLocal8Bit().constData(), stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    zk::server::ServerConfig config;
    QString error;
    switch (zk::server::LoadServerConfig(app.arguments().mid(1), config, error)) {
    case zk::server::ConfigResult::Help:
        std::fputs(zk::server::ServerUsage().toLocal8Bit().constData(), stdout);
        return 0;
    case zk::server::ConfigResult::Bad:
        return Fail(error, true);
    case zk::server::ConfigResult::Run:
        break;
    }
    zk::server::ServerLog log;
    if (!log.Open(config.log, error))
        return Fail(error, false);
    const zk::server::StopSignal stop;
    if (!stop.valid())
        return Fail(QStringLiteral("cannot watch for signals"), false);
    zk::server::ZkServer server(config, log);
    if (!server.Start(error)) {
        log.Line(error);
        return Fail(error, false);
    }
    std::printf("listening on %s\n", server.ListenAddress().toLocal8Bit().constData());
    std::fflush(stdout);
    server.Run(stop.fd());
    return 0;
}
