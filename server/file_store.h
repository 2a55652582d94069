#pragma once

#include <QByteArray>
#include <QString>

namespace zk::server {

// The files attached to records: one folder per table under the root, one file per
// record id and format ("<id>.<format>", or "<id>" without a format). Table and format
// are kept in lower case, so a form that spells a table differently finds the same files.
//
// Every part of a name is checked before it comes near the disk: letters (any script),
// digits and "_" for the table, the same plus "-" for the record id, letters and digits
// for the format; no separators, dots, NULs or control characters, at most 128
// characters each. A file is written to a temporary file in its folder and renamed into
// place, so a reader never sees half a file and a failed upload leaves the old one.
class FileStore {
public:
    enum class Result { Ok, Missing, BadName, Failed };

    explicit FileStore(QString root);

    Result Write(const QString& table, const QString& recordId, const QString& format,
                 const QByteArray& bytes, QString& error) const;
    // `maxBytes`: larger files are refused with Failed.
    Result Read(const QString& table, const QString& recordId, const QString& format,
                qint64 maxBytes, QByteArray& bytes, QString& error) const;
    Result Remove(const QString& table, const QString& recordId, const QString& format,
                  QString& error) const;

    // The path of a record's file; empty when a part of the name is refused.
    QString PathOf(const QString& table, const QString& recordId, const QString& format) const;

private:
    QString root_;
};

} // namespace zk::server
