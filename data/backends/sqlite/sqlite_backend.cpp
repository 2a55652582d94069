#include "data/backends/sqlite/sqlite_backend.h"

#include "data/backends/sqlite/legacy_functions.h"
#include "data/backends/value_text.h"
#include "data/sql/sql_translate.h"

#include <sqlite3.h>

#include <charconv>
#include <utility>

using namespace Qt::StringLiterals;

namespace zk {

namespace {

constexpr int kBusyTimeoutMs = 30000;
// Virtual machine steps between two looks at the clock: cheap, and well under a millisecond.
constexpr int kProgressSteps = 1000;

// SQLite's affinity rules on a declared type, with dates told apart from other numbers.
ColumnKind KindOfDeclaredType(const char* declared)
{
    const QString type = QString::fromUtf8(declared ? declared : "").toUpper();
    if (type.isEmpty())
        return ColumnKind::Other;
    if (type.contains(u"INT"_s))
        return ColumnKind::Number;
    if (type.contains(u"CHAR"_s) || type.contains(u"CLOB"_s) || type.contains(u"TEXT"_s))
        return ColumnKind::Text;
    if (type.contains(u"BLOB"_s) || type.contains(u"BINARY"_s) || type.contains(u"IMAGE"_s))
        return ColumnKind::Binary;
    if (type.contains(u"DATE"_s) || type.contains(u"TIME"_s))
        return ColumnKind::DateTime;
    return ColumnKind::Number;
}

} // namespace

// Where the rows of a statement go: a RowSet, or one joined text. Only the first result set
// of a script is kept.
class SqliteRowSink {
public:
    virtual ~SqliteRowSink() = default;
    virtual bool Wants() const = 0;
    virtual void Start(sqlite3_stmt* statement, int columns) = 0;
    virtual void Row(sqlite3_stmt* statement, int columns) = 0;
};

namespace {

class RowSetSink final : public SqliteRowSink {
public:
    explicit RowSetSink(RowSet& rows)
        : rows_(rows)
    {
    }
    bool Wants() const override { return !rows_.hasColumns; }
    void Start(sqlite3_stmt* statement, int columns) override
    {
        rows_.hasColumns = true;
        for (int c = 0; c < columns; ++c)
            rows_.names.append(QString::fromUtf8(sqlite3_column_name(statement, c)));
    }
    void Row(sqlite3_stmt* statement, int columns) override
    {
        for (int c = 0; c < columns; ++c)
            Append(statement, c);
        ++rows_.rowCount;
    }

private:
    void Append(sqlite3_stmt* statement, int column)
    {
        switch (sqlite3_column_type(statement, column)) {
        case SQLITE_INTEGER:
            rows_.AppendText(QString::number(sqlite3_column_int64(statement, column)));
            break;
        case SQLITE_FLOAT:
            rows_.AppendText(RealText(sqlite3_column_double(statement, column)));
            break;
        case SQLITE_TEXT: {
            const auto* text =
                reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
            rows_.AppendText(QString::fromUtf8(text, sqlite3_column_bytes(statement, column)));
            break;
        }
        case SQLITE_BLOB: {
            const auto* data = static_cast<const char*>(sqlite3_column_blob(statement, column));
            rows_.AppendBinary(QByteArray(data, sqlite3_column_bytes(statement, column)));
            break;
        }
        default:
            rows_.AppendNull();
        }
    }

    RowSet& rows_;
};

// Writes the engine's UTF-8 texts straight into the joined text: the same texts as
// RowSetSink, without making one object per value.
class JoinedSink final : public SqliteRowSink {
public:
    explicit JoinedSink(JoinedRows& rows)
        : rows_(rows)
        , value_(QString(rows.valueSeparator).toUtf8())
    {
    }
    bool Wants() const override { return !rows_.hasColumns; }
    void Start(sqlite3_stmt* statement, int columns) override
    {
        rows_.hasColumns = true;
        rows_.columnCount = columns;
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                rows_.utf8 += value_;
            rows_.utf8 += sqlite3_column_name(statement, c);
        }
        rows_.utf8 += QString(rows_.groupSeparator).toUtf8();
    }
    void Row(sqlite3_stmt* statement, int columns) override
    {
        for (int c = 0; c < columns; ++c) {
            if (rows_.rowCount > 0 || c > 0)
                rows_.utf8 += value_;
            Append(statement, c);
        }
        ++rows_.rowCount;
    }

private:
    void Append(sqlite3_stmt* statement, int column)
    {
        QByteArray& out = rows_.utf8;
        switch (sqlite3_column_type(statement, column)) {
        case SQLITE_INTEGER: {
            char digits[24];
            const auto end = std::to_chars(digits, digits + sizeof digits,
                                           sqlite3_column_int64(statement, column));
            out.append(digits, end.ptr - digits);
            break;
        }
        case SQLITE_FLOAT:
            out += RealText(sqlite3_column_double(statement, column)).toUtf8();
            break;
        case SQLITE_TEXT:
            out.append(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                       sqlite3_column_bytes(statement, column));
            break;
        default: // NULL and binary values are empty
            break;
        }
    }

    JoinedRows& rows_;
    const QByteArray value_;
};

} // namespace

bool BindSqliteValues(sqlite3_stmt* statement, const QVariantList& params)
{
    if (sqlite3_bind_parameter_count(statement) != params.size())
        return false;
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& value = params[i];
        int rc = SQLITE_OK;
        if (value.isNull()) {
            rc = sqlite3_bind_null(statement, i + 1);
        } else if (value.typeId() == QMetaType::QByteArray) {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob64(statement, i + 1, bytes.constData(),
                                     static_cast<sqlite3_uint64>(bytes.size()), SQLITE_TRANSIENT);
        } else {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text64(statement, i + 1, text.constData(),
                                     static_cast<sqlite3_uint64>(text.size()), SQLITE_TRANSIENT,
                                     SQLITE_UTF8);
        }
        if (rc != SQLITE_OK)
            return false;
    }
    return true;
}

SqliteBackend::SqliteBackend(QString path, bool create)
    : path_(std::move(path))
    , create_(create)
{
}

SqliteBackend::~SqliteBackend()
{
    sqlite3_close_v2(db_);
}

QString SqliteBackend::Message() const
{
    return QString::fromUtf8(sqlite3_errmsg(db_));
}

Backend::OpenResult SqliteBackend::Open(QString& error)
{
    const int flags =
        SQLITE_OPEN_READWRITE | (create_ ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path_.toUtf8().constData(), &db_, flags, nullptr) != SQLITE_OK) {
        error = Message() + u": "_s + path_;
        sqlite3_close_v2(db_);
        db_ = nullptr;
        return OpenResult::Unreachable;
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    sqlite3_progress_handler(db_, kProgressSteps, &SqliteBackend::Progress, this);
    // Reading the schema is what tells a database from any other file.
    if (!RunNative(QStringLiteral("PRAGMA schema_version"), {}, nullptr, error)) {
        error += u": "_s + path_;
        return OpenResult::Unreachable;
    }
    QString ignored;
    // Read-only media keep their journal mode; the database still works.
    RunNative(QStringLiteral("PRAGMA journal_mode=WAL"), {}, nullptr, ignored);
    if (!RegisterLegacyFunctions(db_)) {
        error = Message();
        return OpenResult::Failed;
    }
    return OpenResult::Ok;
}

bool SqliteBackend::Step(sqlite3_stmt* statement, SqliteRowSink* sink, QString& error)
{
    const int columns = sqlite3_column_count(statement);
    const bool collect = sink && sink->Wants() && columns > 0;
    if (collect)
        sink->Start(statement, columns);
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        if (collect)
            sink->Row(statement, columns);
    }
    if (rc != SQLITE_DONE) {
        error = timedOut_
                    ? QStringLiteral("语句执行超时(%1秒),已中止")
                          .arg(std::chrono::duration_cast<std::chrono::seconds>(statementTimeout_)
                                   .count())
                    : Message();
        return false;
    }
    return true;
}

int SqliteBackend::Progress(void* self)
{
    auto* backend = static_cast<SqliteBackend*>(self);
    if (std::chrono::steady_clock::now() < backend->deadline_)
        return 0;
    backend->timedOut_ = true;
    return 1; // interrupts the running statement
}

bool SqliteBackend::RunNative(const QString& sql, const QVariantList& params, RowSet* rows,
                              QString& error)
{
    if (!rows)
        return Run(sql, params, nullptr, error);
    RowSetSink sink(*rows);
    return Run(sql, params, &sink, error);
}

bool SqliteBackend::QueryJoined(const QString& sql, JoinedRows& rows, QString& error)
{
    JoinedSink sink(rows);
    return Run(sql::TranslateSql(sql, sql::Dialect::SQLite), {}, &sink, error);
}

bool SqliteBackend::Run(const QString& sql, const QVariantList& params, SqliteRowSink* sink,
                        QString& error)
{
    if (!db_) {
        error = QStringLiteral("数据库未打开");
        return false;
    }
    deadline_ = std::chrono::steady_clock::now() + statementTimeout_;
    timedOut_ = false;
    const QByteArray text = sql.toUtf8();
    const char* next = text.constData();
    const char* const end = next + text.size();
    bool bound = false;
    while (next < end) {
        sqlite3_stmt* statement = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(db_, next, static_cast<int>(end - next), &statement, &tail) !=
            SQLITE_OK) {
            error = Message();
            return false;
        }
        next = tail;
        if (!statement)
            continue; // only blanks or a comment were left
        bool ok = true;
        if (!params.isEmpty() && !bound) {
            bound = true;
            if (!BindSqliteValues(statement, params)) {
                error = QStringLiteral("参数个数与语句不符");
                ok = false;
            }
        }
        ok = ok && Step(statement, sink, error);
        sqlite3_finalize(statement);
        if (!ok)
            return false;
    }
    return true;
}

bool SqliteBackend::Execute(const QString& sql, const QVariantList& params, QString& error)
{
    return RunNative(sql::TranslateSql(sql, sql::Dialect::SQLite), params, nullptr, error);
}

bool SqliteBackend::Query(const QString& sql, const QVariantList& params, RowSet& rows,
                          QString& error)
{
    return RunNative(sql::TranslateSql(sql, sql::Dialect::SQLite), params, &rows, error);
}

bool SqliteBackend::Begin(QString& error)
{
    return RunNative(QStringLiteral("BEGIN IMMEDIATE"), {}, nullptr, error);
}

bool SqliteBackend::Commit(QString& error)
{
    return RunNative(QStringLiteral("COMMIT"), {}, nullptr, error);
}

bool SqliteBackend::Rollback(QString& error)
{
    return RunNative(QStringLiteral("ROLLBACK"), {}, nullptr, error);
}

QStringList SqliteBackend::RowKey(const QString&)
{
    return {QStringLiteral("rowid")};
}

bool SqliteBackend::ColumnKinds(const QString& table, const QStringList& names,
                                QList<ColumnKind>& kinds, QString& error)
{
    return kinds_.Lookup(
        table, names, kinds, error, [&](QList<ColumnKind>& found, QString& failure) {
            // Preparing the statement is enough: the declared types are known before any row.
            const QByteArray text =
                sql::TranslateSql(ColumnProbeSql(table, names), sql::Dialect::SQLite).toUtf8();
            sqlite3_stmt* statement = nullptr;
            if (sqlite3_prepare_v2(db_, text.constData(), static_cast<int>(text.size()), &statement,
                                   nullptr) != SQLITE_OK ||
                !statement) {
                failure = Message();
                return false;
            }
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                found.append(KindOfDeclaredType(sqlite3_column_decltype(statement, c)));
            sqlite3_finalize(statement);
            return true;
        });
}

bool SqliteBackend::LastInsertId(const QString&, QString& id, QString&)
{
    const sqlite3_int64 rowid = sqlite3_last_insert_rowid(db_);
    id = rowid ? QString::number(rowid) : QString();
    return true;
}

} // namespace zk
