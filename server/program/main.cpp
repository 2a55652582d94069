// zk_server: serves the client's framed requests from its own database and file store.
#include "server/server_config.h"
#include "server/server_log.h"
#include "server/stop_signal.h"
#include "server/zk_server.h"

#include <QCoreApplication>

#include <cstdio>

#include <malloc.h>

namespace {

int Fail(const QString& message, bool usage)
{
    std::fprintf(stderr, "zk_server: %s\n", message.toLocal8Bit().constData());
    if (usage)
        std::fputs(zk::server::ServerUsage().toLocal8Bit().constData(), stderr);
    return 2;
}

// Every large result is built from a million small texts and a few large buffers, all
// freed once the reply is out. glibc gives the heaps of its per-thread arenas back to the
// system as soon as they are empty, and the next request then faults every page in again,
// which costs more than building the result. The workers share the main arena instead,
// which keeps up to the trim threshold of freed memory for the next request.
void KeepFreedMemory()
{
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
}

} // namespace

int main(int argc, char* argv[])
{
    KeepFreedMemory();
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
