#pragma once

#include "data/backends/backend.h"
#include "data/backends/column_kind_cache.h"

#include <chrono>

struct sqlite3;
struct sqlite3_stmt;

namespace zk {

class SqliteRowSink;

// The embedded engine, on the sqlite3 C API (Qt SQL's row-by-row variants cost more than
// the rest of a large query put together). Files run in WAL mode with a 30 s busy time-out,
// so that concurrent writers wait for each other instead of failing; transactions begin
// IMMEDIATE, taking the write lock at once, so that two clients' transactions queue instead
// of one failing halfway. The legacy dialects' functions are registered on every connection
// and statements are translated for SQLite.
class SqliteBackend : public Backend {
public:
    // `path` may be ":memory:". Without `create` a missing file fails to open.
    SqliteBackend(QString path, bool create);
    ~SqliteBackend() override;
    SqliteBackend(const SqliteBackend&) = delete;
    SqliteBackend& operator=(const SqliteBackend&) = delete;

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
    bool QueryJoined(const QString& sql, JoinedRows& rows, QString& error) override;

    // Runs SQLite's own SQL, untranslated; `rows` may be null. For the text tables, which
    // build their SQLite tables themselves.
    bool RunNative(const QString& sql, const QVariantList& params, RowSet* rows, QString& error);
    sqlite3* Handle() const { return db_; }

    // How long each call may run (kStatementTimeoutSeconds unless changed); tests shorten it.
    void SetStatementTimeout(std::chrono::milliseconds timeout) { statementTimeout_ = timeout; }

private:
    bool Run(const QString& sql, const QVariantList& params, SqliteRowSink* sink, QString& error);
    bool Step(sqlite3_stmt* statement, SqliteRowSink* sink, QString& error);
    QString Message() const;
    static int Progress(void* self);

    std::chrono::milliseconds statementTimeout_{std::chrono::seconds(kStatementTimeoutSeconds)};
    std::chrono::steady_clock::time_point deadline_;
    bool timedOut_ = false;

    QString path_;
    bool create_;
    sqlite3* db_ = nullptr;
    ColumnKindCache kinds_;
};

// Binds the values to the statement's parameters in order (see Backend). False when their
// numbers differ.
bool BindSqliteValues(sqlite3_stmt* statement, const QVariantList& params);

} // namespace zk
