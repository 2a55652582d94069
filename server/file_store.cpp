#include "server/file_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zk::server {

namespace {

constexpr qsizetype kMaxNameLength = 128;

bool NameOf(const QString& text, bool allowEmpty, QStringView extra)
{
    if (text.isEmpty())
        return allowEmpty;
    if (text.size() > kMaxNameLength)
        return false;
    for (const QChar c : text) {
        if (!c.isLetterOrNumber() && !extra.contains(c))
            return false;
    }
    return true;
}

} // namespace

FileStore::FileStore(QString root)
    : root_(std::move(root))
{
}

QString FileStore::PathOf(const QString& table, const QString& recordId,
                          const QString& format) const
{
    if (!NameOf(table, false, u"_") || !NameOf(recordId, false, u"_-") ||
        !NameOf(format, true, u""))
        return {};
    QString name = recordId;
    if (!format.isEmpty())
        name += u'.' + format.toLower();
    return root_ + u'/' + table.toLower() + u'/' + name;
}

FileStore::Result FileStore::Write(const QString& table, const QString& recordId,
                                   const QString& format, const QByteArray& bytes,
                                   QString& error) const
{
    const QString path = PathOf(table, recordId, format);
    if (path.isEmpty())
        return Result::BadName;
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        error = QStringLiteral("不能建立文件夹");
        return Result::Failed;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return Result::Ok;
    error = file.errorString();
    return Result::Failed;
}

FileStore::Result FileStore::Read(const QString& table, const QString& recordId,
                                  const QString& format, qint64 maxBytes, QByteArray& bytes,
                                  QString& error) const
{
    const QString path = PathOf(table, recordId, format);
    if (path.isEmpty())
        return Result::BadName;
    QFile file(path);
    if (!QFileInfo(path).isFile())
        return Result::Missing;
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return Result::Failed;
    }
    if (file.size() > maxBytes) {
        error = QStringLiteral("文件太大,不能传送");
        return Result::Failed;
    }
    bytes = file.readAll();
    return Result::Ok;
}

FileStore::Result FileStore::Remove(const QString& table, const QString& recordId,
                                    const QString& format, QString& error) const
{
    const QString path = PathOf(table, recordId, format);
    if (path.isEmpty())
        return Result::BadName;
    if (!QFileInfo(path).isFile())
        return Result::Missing;
    QFile file(path);
    if (file.remove())
        return Result::Ok;
    error = file.errorString();
    return Result::Failed;
}

} // namespace zk::server
