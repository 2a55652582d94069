#pragma once

#include "server/file_store.h"
#include "server/request_handler.h"
#include "server/server_config.h"
#include "server/token_issuer.h"

#include <QString>

#include <atomic>
#include <list>
#include <memory>
#include <thread>

namespace zk::server {

class ClientConnection;
class ServerLog;

// The listener of zk_server: one worker thread per client connection, each with its own
// direct session, up to the configured number of connections (more are closed at once).
class ZkServer {
public:
    ZkServer(ServerConfig config, ServerLog& log);
    // Waits for the workers; Run normally has already done so.
    ~ZkServer();
    ZkServer(const ZkServer&) = delete;
    ZkServer& operator=(const ZkServer&) = delete;

    // Loads the token secret, prepares the file store, checks that the database opens and
    // binds the listening socket. False with the reason.
    bool Start(QString& error);
    // "ADDR:PORT" as bound (the real port when 0 was asked for).
    QString ListenAddress() const { return address_; }

    // Serves until `stopFd` becomes readable; then stops accepting, lets every worker
    // finish the request it is running (a transaction left open is rolled back) and
    // returns.
    void Run(int stopFd);

private:
    struct Worker {
        std::thread thread;
        std::atomic<bool> done{false};
    };

    bool Bind(QString& error);
    void Accept(int stopFd);
    void Serve(int fd, int stopFd, Worker& worker);
    void Converse(ClientConnection& connection, RequestHandler& handler);
    void Reap(bool all);

    ServerConfig config_;
    ServerLog& log_;
    TokenIssuer tokens_;
    FileStore files_;
    ServiceContext context_;
    int listenFd_ = -1;
    QString address_;
    std::list<std::unique_ptr<Worker>> workers_;
};

} // namespace zk::server
