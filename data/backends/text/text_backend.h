#pragma once

#include "data/backends/sqlite/sqlite_backend.h"
#include "data/backends/text/text_table_file.h"

#include <QDateTime>
#include <QHash>

#include <memory>

namespace zk {

// The text files of a folder as a database, like the Jet text driver: NAME.txt and NAME.csv
// are tables. The tables live in an in-memory SQLite database; before each statement the
// files it names are (re)loaded when they changed on disk since they were last read, and the
// statement runs there. An INSERT into a text table appends its rows to the file; UPDATE,
// DELETE and other changes of a text table fail, as they did with the text driver.
// Transactions are accepted and do nothing (appended lines stay).
class TextBackend : public Backend {
public:
    explicit TextBackend(QString folder);

    OpenResult Open(QString& error) override;
    int DbType() const override { return 2; }
    bool Execute(const QString& sql, const QVariantList& params, QString& error) override;
    bool Query(const QString& sql, const QVariantList& params, RowSet& rows,
               QString& error) override;
    bool Begin(QString& error) override;
    bool Commit(QString& error) override;
    bool Rollback(QString& error) override;
    QStringList RowKey(const QString& table) override;
    bool ColumnKinds(const QString& table, const QStringList& names, QList<ColumnKind>& kinds,
                     QString& error) override;
    bool LastInsertId(const QString& table, QString& id, QString& error) override;

private:
    struct Loaded {
        QDateTime modified;
        qint64 size = -1;
        TextTable format; // columns, encoding and line ends; rows are not kept
    };

    bool Run(const QString& sql, const QVariantList& params, RowSet* rows, QString& error);
    bool RunOne(const QString& statement, const QStringList& files, const QVariantList& params,
                RowSet* rows, QString& error);
    QString ResolveFile(const QString& name) const;
    bool EnsureLoaded(const QString& file, QString& error);
    bool Load(const QString& file, const QString& path, QString& error);
    bool AppendInserted(const QString& file, qint64 lastRowid, QString& error);

    QString folder_;
    SqliteBackend engine_;
    QHash<QString, Loaded> loaded_;
};

} // namespace zk
