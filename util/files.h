#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace zk {

// The whole file. False (and empty bytes) when it cannot be read; an empty
// file gives true and empty bytes. The bytes are always followed by a zero
// byte in memory (QByteArray guarantees it), for callers that treat them as
// a C string.
bool ReadFileBytes(const QString& path, QByteArray& bytes);

// Replaces the file with the bytes: written to a temporary file beside it and
// renamed over it, so that readers never see half a file (and a running
// program can be replaced). False when that fails.
bool WriteFileBytes(const QString& path, const QByteArray& bytes);

// A GB18030 text file. False when it cannot be read or holds fewer than
// two bytes.
bool ReadTextFileGbk(const QString& path, QString& text);

// Writes the text as GB18030 with "\r\n" line endings, replacing the file.
// A "\r\n" already in the text stays as it is.
bool SaveTextFile(const QString& path, const QString& text);

// Deletes every file directly in the folder, read-only ones included.
// Sub-folders are neither entered nor removed.
void ClearFolder(const QString& folder);

// Creates the folder and any missing parents; true when it exists afterwards.
bool CreateFolder(const QString& path);

// Seconds since the file was last written; -1 when it does not exist.
qint64 FileAgeSeconds(const QString& path);

} // namespace zk
