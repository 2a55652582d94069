#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace zk::server {

// What zk_server runs with. Every setting is a key of [SERVER] in zk_server.ini and a
// command-line flag; a flag wins over the file.
struct ServerConfig {
    QString listen = QStringLiteral("127.0.0.1"); // LISTEN, --listen ADDR
    int port = 7700;                              // PORT, --port N (0: a free port)
    QString key;                                  // KEY, --key KEY: what "Init" must carry
    QString db;                          // DB, --db CONN: any connection string of a direct session
    QString files;                       // FILES, --files DIR: the file store
    qint64 maxFrame = qint64(256) << 20; // MAX_FRAME, --max-frame BYTES: largest request
    int maxConnections = 200;            // MAX_CONNECTIONS, --max-connections N
    int idleTimeoutSeconds = 600;        // IDLE_TIMEOUT, --idle-timeout SECONDS
    QString log;                         // LOG, --log FILE (empty: standard error)
    QString secret; // SECRET, --secret FILE: the secret the session tokens are made with
};

enum class ConfigResult { Run, Help, Bad };

// Reads the configuration file (--config FILE, else zk_server.ini in the program folder
// when it exists), then the flags. Relative paths of the file are taken from the file's
// folder, those of the flags from the working folder. Bad: `error` says why.
ConfigResult LoadServerConfig(const QStringList& arguments, ServerConfig& config, QString& error);

// The usage text of --help and of a bad command line.
QString ServerUsage();

} // namespace zk::server
