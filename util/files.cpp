#include "util/files.h"

#include "util/codec.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zk {

bool ReadFileBytes(const QString& path, QByteArray& bytes)
{
    bytes.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        bytes.clear();
        return false;
    }
    return true;
}

bool WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // In a folder where no temporary file can be made, write in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool ReadTextFileGbk(const QString& path, QString& text)
{
    QByteArray bytes;
    if (!ReadFileBytes(path, bytes) || bytes.size() < 2)
        return false;
    text = FromGb18030(bytes);
    return true;
}

bool SaveTextFile(const QString& path, const QString& text)
{
    QString windows;
    windows.reserve(text.size() + text.count(QLatin1Char('\n')));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\n') && (i == 0 || text.at(i - 1) != QLatin1Char('\r')))
            windows += QLatin1Char('\r');
        windows += text.at(i);
    }
    return WriteFileBytes(path, ToGb18030(windows));
}

void ClearFolder(const QString& folder)
{
    QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir())
            continue; // a link to a folder
        if (!entry.isSymLink() && !entry.isWritable())
            QFile::setPermissions(entry.absoluteFilePath(),
                                  entry.permissions() | QFileDevice::WriteOwner);
        QFile::remove(entry.absoluteFilePath());
    }
}

bool CreateFolder(const QString& path)
{
    return QDir().mkpath(path);
}

qint64 FileAgeSeconds(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return -1;
    return info.lastModified().secsTo(QDateTime::currentDateTime());
}

} // namespace zk
