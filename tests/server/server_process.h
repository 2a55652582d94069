#pragma once

// zk_server started as a program for a test, and the client state that reaches it.

#include "data/link/server_context.h"
#include "tests/data/session_test_env.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace zk::test {

// One zk_server process. Stop (or the destructor) ends it with SIGTERM.
class ServerProcess {
public:
    ServerProcess() = default;
    ~ServerProcess() { Stop(); }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // Starts zk_server with `arguments` and waits for its "listening on" line.
    bool Start(const QStringList& arguments);
    int port() const { return port_; }
    // SIGTERM, then the exit code (-1 when it did not end normally within 30 s).
    int Stop();
    // What the server wrote to standard error so far.
    QString Log();

private:
    std::unique_ptr<QProcess> process_;
    int port_ = 0;
    QString log_;
};

// The outcome of running zk_server to its end.
struct RunResult {
    int status = -1;
    QString out;
    QString err;
};
RunResult RunServer(const QStringList& arguments);

// A server on a scratch database of the engine with its own file store and secret, and a
// client logged in to it: the token of the handshake and the address are what every
// session of the test takes (as the application provides them).
class ServedDatabase {
public:
    static inline const QString kKey = QStringLiteral("密钥k3y");

    explicit ServedDatabase(Engine engine, const QStringList& extra = {});
    ~ServedDatabase();

    // Empty when everything is up; else what failed.
    QString problem() const { return problem_; }
    QString connection() const { return database_.connection(); }
    QString folder() const { return dir_.path(); }
    ServerProcess& server() { return server_; }
    int port() const { return server_.port(); }
    ServerContext context() const;
    // Starts the server again with the same settings on the same port.
    bool Restart();
    // Request 101 with the key; the reply text (empty when refused).
    QString Handshake(const QString& key = kKey) const;
    // The server's log file so far.
    QString LogText() const;

private:
    QStringList Arguments(int port) const;

    ScratchDatabase database_;
    QTemporaryDir dir_;
    QStringList extra_;
    ServerProcess server_;
    QString token_;
    QString problem_;
    std::unique_ptr<ScopedServerContext> context_;
};

} // namespace zk::test
