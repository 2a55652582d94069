#pragma once

#include "data/session/server_ops.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace zk {

class Backend;
struct RowSet;
struct JoinedRows;

// The one door to the database. A session works either directly on a database (a backend
// chosen by the connection string: SQLite, PostgreSQL, ODBC, or the text files of a folder)
// or through the server link (ServerOps), chosen per session; every operation checks
// `useServer` first. Operations return bool or -1/0/1 (error, nothing found, found) and
// leave `errorText`, `errorDetail` and `lastState` behind; nothing throws. A session is used
// by one thread at a time.
class CDbSession {
public:
    CDbSession();
    ~CDbSession();
    CDbSession(const CDbSession&) = delete;
    CDbSession& operator=(const CDbSession&) = delete;

    // 1 SQL Server, 2 file database (SQLite, Jet names), 3 other (PostgreSQL, other ODBC).
    int dbType = 1;
    bool useServer = true;
    // -1 after a database error and initially, 0 when Open could not connect and when
    // ReadBinary or QueryFields found no row, 1 after a successful Execute and after a
    // QueryList that read rows.
    int lastState = -1;
    QString errorText = QStringLiteral("未设置错误信息");
    QString errorDetail;
    // The statement the last operation was given; callers clear it before a run.
    QString lastSql;

    // Stores the string; an empty one selects the server link, any other a direct connection.
    void SetConnectionString(const QString& connection);
    const QString& ConnectionString() const { return connection_; }
    void UseServer();
    void ConfigureServer();

    bool Open();
    // Opens the session when it is not open; in server mode it first points the link at the
    // application's server (as a window's session does before every use).
    bool EnsureOpen();
    // Direct mode also forgets the connection string.
    void Close();
    bool IsOpen() const;
    QString GetDbType();

    bool Execute(const QString& sql);
    // Database type 1: the script is one Execute. Otherwise it is split at every ';' (one
    // inside a string literal splits too: callers write their scripts for that), leading line
    // feeds are dropped, pieces shorter than 6 characters and pieces starting with "--" are
    // skipped. With stopOnError the first failure ends it with false, else failures are
    // ignored and the result is true.
    bool RunScript(const QString& sql, bool stopOnError = true);
    // Splits like RunScript on any database type and runs every piece; always true.
    bool RunScriptAll(const QString& sql);

    bool Exists(const QString& sql);
    // The first column of the first row (NULL gives the empty text); false and empty when
    // there is no row.
    bool IsFind(const QString& sql, QString& value);
    int IsFind2(const QString& sql, QString& value);
    // Every value of every row, row by row; the list is cleared first.
    int QueryList(const QString& sql, QStringList& list);
    // The named fields of every row, in the order of the names; false when there is no row.
    bool QueryFields(const QString& sql, const QStringList& names, QStringList& list);
    // Appends the column names (when there is a row) and every value of every row.
    bool QueryTable(const QString& sql, QStringList& names, QStringList& values);
    // QueryTable with the result as one joined text (see JoinedRows), for passing a large
    // table on; the same outcome, state and texts as QueryTable.
    bool QueryTableJoined(const QString& sql, JoinedRows& rows);
    bool QueryPage(const QString& select, const QString& condition, int pageSize, int pageNumber,
                   const QString& order, QStringList& names, QStringList& values, int& total,
                   int& pageCount);
    // Appends one buffer per named field of every row; false when there is no row.
    bool ReadBinary(const QString& sql, const QStringList& names, QList<QByteArray>& buffers);

    // The recordset operations take the table, condition and order from the caller's
    // SELECT ("SELECT … FROM table [alias] [joins] [WHERE …] [ORDER BY …]") and bind the values
    // as text, letting the engine convert them; an empty text goes into a column that is
    // not a text column as NULL.
    //
    // Inserts a row when `sql` finds none (false without an error text when it finds one).
    // The values must pair with the names one to one.
    bool InsertRecord(const QString& sql, const QStringList& names, const QStringList& values);
    // As InsertRecord; 1 with the new row's identity in `id`, -1 when a row exists or on
    // error, -2 when the values do not pair with the names.
    int InsertUidRecord(QString& id, const QString& sql, const QStringList& names,
                        const QStringList& values);
    // Sets the named fields of the first row `sql` finds; false when it finds none.
    bool Update(const QString& sql, const QStringList& names, const QStringList& values);
    // Writes the first buffer into the first named field of the first row `sql` finds.
    bool UpdateBinaryRecord(const QString& sql, const QStringList& names,
                            const QList<QByteArray>& buffers);

    bool BeginTrans();
    bool CommitTrans();
    bool RollbackTrans();

    // Direct mode: empty; server mode: the address the server sees.
    QString GetClientIp();
    // Direct mode: "0"; server mode: the server's answer to a free-text request.
    QString CallServer(const QString& text);

    // The server-mode implementation: the session's server link (data/session/link_server_ops.h)
    // unless another one is given.
    void SetServerOps(std::unique_ptr<ServerOps> ops);
    ServerOps* Server() const { return server_.get(); }

private:
    // Outcome of a reading statement before the operation looks at its rows.
    enum class Step { Failed, NoResultSet, Rows };

    bool ServerMissing();
    bool Transaction(bool (ServerOps::*server)(CDbSession&), bool (Backend::*direct)(QString&));
    void OpenFailed(int state, const QString& text, const QString& detail);
    bool OpenDirect();
    Step QueryStep(const QString& sql, RowSet& rows);
    Step QueryFailed(const QString& sql, const QString& error);
    bool ExecuteDirect(const QString& sql);
    bool QueryPageDirect(const QString& select, const QString& condition, int pageSize,
                         int pageNumber, const QString& order, QStringList& names,
                         QStringList& values, int& total, int& pageCount);
    bool RunPieces(const QString& sql, bool stopOnError);

    // Recordset emulation (db_session_records.cpp).
    enum class RecordFailure { None, Step, NoRow, Error };
    bool InsertDirect(const QString& sql, const QStringList& names, const QStringList& values,
                      QString* id, RecordFailure& failure);
    bool UpdateDirect(const QString& sql, const QStringList& names, QVariantList values,
                      RecordFailure& failure);
    bool RecordStep(const QString& sql, RowSet& rows, RecordFailure& failure);
    bool BindValues(const QString& table, const QStringList& names, QVariantList& values);
    void RecordError(const QString& what, const QString& sql);

    QString connection_;
    bool isOpen_ = false;
    std::unique_ptr<Backend> backend_;
    std::unique_ptr<ServerOps> server_;
};

} // namespace zk
