#include "server/server_log.h"

#include <QDateTime>

#include <cstdio>

namespace zk::server {

bool ServerLog::Open(const QString& path, QString& error)
{
    const std::lock_guard lock(mutex_);
    if (path.isEmpty())
        return file_.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    file_.setFileName(path);
    if (file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return true;
    error = QStringLiteral("cannot write the log %1: %2").arg(path, file_.errorString());
    return false;
}

void ServerLog::Line(const QString& text)
{
    const QByteArray line =
        (QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz ")) + text +
         u'\n')
            .toUtf8();
    const std::lock_guard lock(mutex_);
    if (!file_.isOpen())
        return;
    file_.write(line);
    file_.flush();
}

} // namespace zk::server
