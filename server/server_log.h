#pragma once

#include <QFile>
#include <QString>

#include <mutex>

namespace zk::server {

// The server's log: one line per event, with its time, to a file (appended) or to
// standard error. Every thread may write.
class ServerLog {
public:
    ServerLog() = default;
    ServerLog(const ServerLog&) = delete;
    ServerLog& operator=(const ServerLog&) = delete;

    // An empty path means standard error.
    bool Open(const QString& path, QString& error);
    void Line(const QString& text);

private:
    std::mutex mutex_;
    QFile file_;
};

} // namespace zk::server
