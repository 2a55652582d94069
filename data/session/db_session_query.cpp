#include "data/backends/backend.h"
#include "data/session/db_session.h"
#include "data/session/session_texts.h"

namespace zk {

namespace {

// The columns of the named fields, in the order of the names; false with the first name
// the result does not have.
bool ColumnsOf(const RowSet& rows, const QStringList& names, QList<qsizetype>& columns,
               QString& missing)
{
    for (const QString& name : names) {
        const qsizetype column = rows.IndexOf(name);
        if (column < 0) {
            missing = name;
            return false;
        }
        columns.append(column);
    }
    return true;
}

} // namespace

// Every reading operation starts here: the whole result is fetched before the operation
// decides anything. A database error marks the session not open, so that its owner
// reconnects before the next use.
CDbSession::Step CDbSession::QueryStep(const QString& sql, RowSet& rows)
{
    QString error = texts::kNotConnected;
    if (!backend_ || !backend_->Query(sql, {}, rows, error))
        return QueryFailed(sql, error);
    if (rows.hasColumns)
        return Step::Rows;
    errorDetail = texts::kNoResultSet;
    return Step::NoResultSet;
}

CDbSession::Step CDbSession::QueryFailed(const QString& sql, const QString& error)
{
    errorDetail = error;
    errorText = sql + texts::kSelectFailed;
    lastState = -1;
    isOpen_ = false;
    return Step::Failed;
}

bool CDbSession::Exists(const QString& sql)
{
    lastSql = sql;
    if (useServer)
        return server_ ? server_->Exists(*this, sql) : ServerMissing();
    RowSet rows;
    return QueryStep(sql, rows) == Step::Rows && rows.rowCount > 0;
}

bool CDbSession::IsFind(const QString& sql, QString& value)
{
    lastSql = sql;
    if (useServer)
        return server_ ? server_->IsFind(*this, sql, value) : ServerMissing();
    value.clear();
    RowSet rows;
    switch (QueryStep(sql, rows)) {
    case Step::Failed:
        return false;
    case Step::NoResultSet:
        value = errorDetail + texts::kIsFindFailed + sql;
        errorText += value;
        lastState = -1;
        return false;
    case Step::Rows:
        break;
    }
    if (rows.rowCount == 0)
        return false;
    value = rows.Text(0, 0);
    return true;
}

int CDbSession::IsFind2(const QString& sql, QString& value)
{
    lastSql = sql;
    if (useServer) {
        if (server_)
            return server_->IsFind2(*this, sql, value);
        ServerMissing();
        return -1;
    }
    value.clear();
    RowSet rows;
    switch (QueryStep(sql, rows)) {
    case Step::Failed:
        return -1;
    case Step::NoResultSet:
        errorText = texts::kIsFind2Failed + u'\n' + sql;
        value = texts::kIsFind2Failed;
        return -1;
    case Step::Rows:
        break;
    }
    if (rows.rowCount == 0)
        return 0;
    value = rows.Text(0, 0);
    return 1;
}

int CDbSession::QueryList(const QString& sql, QStringList& list)
{
    lastSql = sql;
    if (useServer) {
        if (server_)
            return server_->QueryList(*this, sql, list);
        list.clear();
        ServerMissing();
        return -1;
    }
    list.clear();
    RowSet rows;
    if (QueryStep(sql, rows) != Step::Rows) {
        errorText = texts::kSqlFailed + u'\n' + sql;
        return -1;
    }
    if (rows.rowCount == 0)
        return 0;
    list = std::move(rows.texts);
    lastState = 1;
    return 1;
}

bool CDbSession::QueryFields(const QString& sql, const QStringList& names, QStringList& list)
{
    lastSql = sql;
    list.clear();
    if (useServer)
        return server_ ? server_->QueryFields(*this, sql, names, list) : ServerMissing();
    RowSet rows;
    const Step step = QueryStep(sql, rows);
    if (step == Step::Failed)
        return false;
    auto fail = [this](const QString& detail) {
        errorDetail = detail;
        errorText = texts::kQueryFieldsFailed;
        lastState = -1;
        isOpen_ = false;
        return false;
    };
    if (step == Step::NoResultSet)
        return fail(texts::kNoResultSet);
    if (rows.rowCount == 0) {
        lastState = 0;
        return false;
    }
    QList<qsizetype> columns;
    QString missing;
    if (!ColumnsOf(rows, names, columns, missing))
        return fail(texts::kNoSuchField + missing);
    list.reserve(rows.rowCount * columns.size());
    for (qsizetype r = 0; r < rows.rowCount; ++r) {
        for (const qsizetype column : std::as_const(columns))
            list.append(rows.Text(r, column));
    }
    return true;
}

bool CDbSession::QueryTable(const QString& sql, QStringList& names, QStringList& values)
{
    lastSql = sql;
    if (useServer)
        return server_ ? server_->QueryTable(*this, sql, names, values) : ServerMissing();
    RowSet rows;
    if (QueryStep(sql, rows) != Step::Rows) {
        errorText = texts::kSqlFailed + u'\n' + sql;
        return false;
    }
    if (rows.rowCount == 0)
        return true;
    names.append(rows.names);
    if (values.isEmpty())
        values = std::move(rows.texts);
    else
        values.append(rows.texts);
    return true;
}

bool CDbSession::QueryTableJoined(const QString& sql, JoinedRows& rows)
{
    if (useServer) {
        QStringList names, values;
        if (!QueryTable(sql, names, values))
            return false;
        rows.hasColumns = true;
        JoinInto(rows, names, values);
        return true;
    }
    lastSql = sql;
    QString error = texts::kNotConnected;
    Step step = Step::Rows;
    if (!backend_ || !backend_->QueryJoined(sql, rows, error)) {
        step = QueryFailed(sql, error);
    } else if (!rows.hasColumns) {
        errorDetail = texts::kNoResultSet;
        step = Step::NoResultSet;
    }
    if (step != Step::Rows) {
        errorText = texts::kSqlFailed + u'\n' + sql;
        return false;
    }
    return true;
}

bool CDbSession::ReadBinary(const QString& sql, const QStringList& names,
                            QList<QByteArray>& buffers)
{
    lastSql = sql;
    if (useServer)
        return server_ ? server_->ReadBinary(*this, sql, names, buffers) : ServerMissing();
    RowSet rows;
    if (QueryStep(sql, rows) != Step::Rows)
        return false;
    if (rows.rowCount == 0) {
        lastState = 0;
        return false;
    }
    QList<qsizetype> columns;
    QString missing;
    if (!ColumnsOf(rows, names, columns, missing)) {
        errorDetail = texts::kNoSuchField + missing;
        return false;
    }
    for (qsizetype r = 0; r < rows.rowCount; ++r) {
        for (const qsizetype column : std::as_const(columns))
            buffers.append(rows.Bytes(r, column));
    }
    return true;
}

} // namespace zk
