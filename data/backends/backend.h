#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>
#include <vector>

namespace zk {

// What a value written into a column must look like; an empty text goes into anything but
// a text column as NULL.
enum class ColumnKind { Text, Number, DateTime, Binary, Other };

// The whole result of a reading statement, fetched before anybody looks at it (a client-side
// cursor: the row count is known before the first row is read).
struct RowSet {
    // False when the statement returned no result set at all (an UPDATE, a DDL statement):
    // callers treat that like a recordset that is not open.
    bool hasColumns = false;
    QStringList names;
    qsizetype rowCount = 0;
    // Every value as text, row after row, column after column; NULL and binary values read as
    // the empty text. Callers that only want texts may take the list over.
    QStringList texts;

    void AppendText(QString text)
    {
        texts.append(std::move(text));
        nulls_.push_back(false);
    }
    void AppendNull()
    {
        texts.append(QString());
        nulls_.push_back(true);
    }
    void AppendBinary(QByteArray bytes)
    {
        binary_.insert(texts.size(), std::move(bytes));
        texts.append(QString());
        nulls_.push_back(false);
    }

    qsizetype ColumnCount() const { return names.size(); }
    const QString& Text(qsizetype row, qsizetype column) const { return texts[Index(row, column)]; }
    bool IsNull(qsizetype row, qsizetype column) const { return nulls_[Index(row, column)]; }
    bool IsBinary(qsizetype row, qsizetype column) const
    {
        return binary_.contains(Index(row, column));
    }
    // The bytes of a value: binary data as it is, a text as UTF-8.
    QByteArray Bytes(qsizetype row, qsizetype column) const;
    // Index of a column by name, letters compared without case (-1 when absent).
    qsizetype IndexOf(const QString& name) const;

private:
    qsizetype Index(qsizetype row, qsizetype column) const { return row * names.size() + column; }

    std::vector<bool> nulls_;
    QHash<qsizetype, QByteArray> binary_;
};

// One database connection of a direct session. Statements arrive in the legacy dialects and
// each backend translates them for its engine. Parameters are bound in order to '?'
// placeholders: a null QVariant binds NULL, a QString text (the engine converts it to the
// column's type), a QByteArray binary data. Failures come back as false with the engine's
// message in `error`; nothing throws.
// A reading statement's result as one UTF-8 text, for passing a whole table on: the
// column names joined by `valueSeparator`, one `groupSeparator`, then every value, row after
// row, joined by `valueSeparator`. NULL and binary values are empty. Building it costs no
// text object per value, which is what most of a large query costs.
struct JoinedRows {
    QChar valueSeparator;
    QChar groupSeparator;
    bool hasColumns = false; // as RowSet::hasColumns
    qsizetype columnCount = 0;
    qsizetype rowCount = 0;
    QByteArray utf8;
};

// Appends names and values, joined as JoinedRows describes, and sets the counts.
void JoinInto(JoinedRows& rows, const QStringList& names, const QStringList& values);

// How long one statement may run before its engine abandons it with an error, so that a
// runaway query cannot hold a session (and, through zk_server, a worker) for ever.
constexpr int kStatementTimeoutSeconds = 600;

class Backend {
public:
    enum class OpenResult {
        Ok,
        Unreachable, // no connection could be made
        Failed,      // connected, but setting the connection up failed
    };

    virtual ~Backend() = default;

    virtual OpenResult Open(QString& error) = 0;
    // The database type callers choose their dialect by: 1 SQL Server, 2 file database, 3 other.
    virtual int DbType() const = 0;

    // Runs a statement or a script of statements (parameters only for a single statement).
    // A statement that translates to nothing succeeds.
    virtual bool Execute(const QString& sql, const QVariantList& params, QString& error) = 0;
    // Runs a statement and fetches all rows. A script runs every statement; the result is
    // that of the first statement that returned a result set.
    virtual bool Query(const QString& sql, const QVariantList& params, RowSet& rows,
                       QString& error) = 0;
    // Query, with the result joined into one text. This version joins what Query fetched;
    // a backend overrides it where it can write the engine's texts straight in.
    virtual bool QueryJoined(const QString& sql, JoinedRows& rows, QString& error);

    virtual bool Begin(QString& error) = 0;
    virtual bool Commit(QString& error) = 0;
    virtual bool Rollback(QString& error) = 0;

    // The columns that identify one row of `table` for an UPDATE after it was found:
    // SQLite's rowid, PostgreSQL's ctid, else the primary key. Empty when the table has
    // none: the row is then matched on all its values.
    virtual QStringList RowKey(const QString& table) = 0;
    // How values must be written into the named columns of `table`.
    virtual bool ColumnKinds(const QString& table, const QStringList& names,
                             QList<ColumnKind>& kinds, QString& error) = 0;
    // The identity value the last INSERT into `table` on this connection created; empty
    // when it created none.
    virtual bool LastInsertId(const QString& table, QString& id, QString& error) = 0;
};

} // namespace zk
