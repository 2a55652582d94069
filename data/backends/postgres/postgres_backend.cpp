#include "data/backends/postgres/postgres_backend.h"

#include "data/backends/column_kind_cache.h"
#include "data/backends/postgres/compat_schema.h"
#include "data/backends/statement_text.h"
#include "data/backends/value_text.h"
#include "data/sql/sql_translate.h"

#include <QSqlError>

#include <utility>

using namespace Qt::StringLiterals;

namespace zk {

namespace {

constexpr int kConnectTimeoutSeconds = 10;

QString Translate(const QString& sql)
{
    return sql::TranslateSql(sql, sql::Dialect::PostgreSQL);
}

// A text as an SQL string literal.
QString Literal(const QString& text)
{
    return u'\'' + QString(text).replace(u'\'', u"''"_s) + u'\'';
}

// Result names in the spelling the statement wrote them in.
void RestoreSpelling(const QString& sql, RowSet& rows)
{
    if (!rows.hasColumns)
        return;
    const QHash<QString, QString> spellings = NameSpellings(sql);
    for (QString& name : rows.names) {
        const auto found = spellings.constFind(name.toLower());
        if (found != spellings.constEnd())
            name = *found;
    }
}

} // namespace

PostgresBackend::PostgresBackend(PostgresParams params)
    : params_(std::move(params))
    , connection_(QStringLiteral("QPSQL"), false)
{
}

Backend::OpenResult PostgresBackend::Open(QString& error)
{
    QSqlDatabase& db = connection_.Db();
    db.setHostName(params_.host);
    db.setPort(params_.port);
    db.setDatabaseName(params_.database);
    db.setUserName(params_.user);
    db.setPassword(params_.password);
    db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(kConnectTimeoutSeconds));
    if (!db.open()) {
        error = QtSqlErrorText(db.lastError());
        return OpenResult::Unreachable;
    }
    if (!EnsurePostgresCompat(db, &error))
        return OpenResult::Failed;
    // Dates typed as 2024/5/1 or 5/1/2024 read as the legacy engines read them.
    if (!connection_.Run(QStringLiteral("SET datestyle TO ISO, YMD"), {}, nullptr, error))
        return OpenResult::Failed;
    if (!connection_.Run(QStringLiteral("SET statement_timeout TO %1").arg(kStatementTimeoutSeconds * 1000),
                         {}, nullptr, error))
        return OpenResult::Failed;
    if (!params_.schema.isEmpty()) {
        const QString first =
            QStringLiteral("SELECT set_config('search_path', quote_ident(?) || ', ' || "
                           "current_setting('search_path'), false)");
        if (!connection_.Run(first, {params_.schema}, nullptr, error))
            return OpenResult::Failed;
    }
    return OpenResult::Ok;
}

bool PostgresBackend::RunGuarded(const QString& statement, const QVariantList& params, RowSet* rows,
                                 QString& error, QList<QMetaType>* types)
{
    if (!inTransaction_)
        return connection_.Run(statement, params, rows, error, types);
    QString ignored;
    if (!connection_.Run(QStringLiteral("SAVEPOINT zk_statement"), {}, nullptr, error))
        return false;
    if (!connection_.Run(statement, params, rows, error, types)) {
        connection_.Run(QStringLiteral("ROLLBACK TO SAVEPOINT zk_statement"), {}, nullptr, ignored);
        connection_.Run(QStringLiteral("RELEASE SAVEPOINT zk_statement"), {}, nullptr, ignored);
        return false;
    }
    return connection_.Run(QStringLiteral("RELEASE SAVEPOINT zk_statement"), {}, nullptr, error);
}

bool PostgresBackend::RunScript(const QString& translated, const QVariantList& params, RowSet* rows,
                                QString& error)
{
    // A dollar-quoted body (DO, CREATE FUNCTION) holds ';' of its own: such a text runs whole.
    const QStringList statements =
        translated.contains(u"$$"_s) ? QStringList{translated} : SplitStatements(translated);
    if (!params.isEmpty() && statements.size() != 1) {
        error = QStringLiteral("参数个数与语句不符");
        return false;
    }
    for (const QString& statement : statements) {
        if (!RunGuarded(statement, params, rows, error))
            return false;
        if (!KeepIdentityInStep(statement, error))
            return false;
    }
    return true;
}

bool PostgresBackend::Execute(const QString& sql, const QVariantList& params, QString& error)
{
    return RunScript(Translate(sql), params, nullptr, error);
}

bool PostgresBackend::Query(const QString& sql, const QVariantList& params, RowSet& rows,
                            QString& error)
{
    if (!RunScript(Translate(sql), params, &rows, error))
        return false;
    RestoreSpelling(sql, rows);
    return true;
}

bool PostgresBackend::Begin(QString& error)
{
    inTransaction_ = connection_.Transact(&QSqlDatabase::transaction, error);
    return inTransaction_;
}

bool PostgresBackend::Commit(QString& error)
{
    inTransaction_ = false;
    return connection_.Transact(&QSqlDatabase::commit, error);
}

bool PostgresBackend::Rollback(QString& error)
{
    inTransaction_ = false;
    return connection_.Transact(&QSqlDatabase::rollback, error);
}

QStringList PostgresBackend::RowKey(const QString&)
{
    return {QStringLiteral("ctid")};
}

bool PostgresBackend::ColumnKinds(const QString& table, const QStringList& names,
                                  QList<ColumnKind>& kinds, QString& error)
{
    return kinds_.Lookup(table, names, kinds, error,
                         [&](QList<ColumnKind>& found, QString& failure) {
                             RowSet rows;
                             QList<QMetaType> types;
                             const QString probe = Translate(ColumnProbeSql(table, names));
                             if (!RunGuarded(probe, {}, &rows, failure, &types))
                                 return false;
                             found = KindsOfMetaTypes(types);
                             return true;
                         });
}

bool PostgresBackend::LastInsertId(const QString&, QString& id, QString&)
{
    RowSet rows;
    QString failure;
    // lastval() fails while no sequence was used in this session: then there is no
    // identity, as @@IDENTITY gives NULL.
    const bool found = RunGuarded(QStringLiteral("SELECT lastval()"), {}, &rows, failure);
    id = found && rows.rowCount > 0 ? rows.Text(0, 0) : QString();
    return true;
}

bool PostgresBackend::IdentityOf(const QString& table, QList<Identity>& identity, QString& error)
{
    const QString key = table.toLower();
    if (const auto found = identities_.constFind(key); found != identities_.constEnd()) {
        identity = *found;
        return true;
    }
    const QString sql =
        QStringLiteral("SELECT a.attname, pg_get_serial_sequence(?, a.attname) FROM pg_attribute a "
                       "WHERE a.attrelid = to_regclass(?) AND a.attnum > 0 AND NOT a.attisdropped "
                       "AND pg_get_serial_sequence(?, a.attname) IS NOT NULL");
    RowSet rows;
    if (!RunGuarded(sql, {table, table, table}, &rows, error))
        return false;
    identity.clear();
    for (qsizetype r = 0; r < rows.rowCount; ++r)
        identity.append({rows.Text(r, 0), rows.Text(r, 1)});
    identities_.insert(key, identity);
    return true;
}

bool PostgresBackend::KeepIdentityInStep(const QString& statement, QString& error)
{
    const InsertTarget target = ReadInsertTarget(statement);
    if (!target.isInsert)
        return true;
    QList<Identity> identity;
    if (!IdentityOf(target.table, identity, error))
        return false;
    for (const Identity& column : identity) {
        const bool explicitValue =
            !target.hasColumns || target.columns.contains(column.column, Qt::CaseInsensitive);
        if (!explicitValue)
            continue;
        // Only ever forward: rows other sessions have not committed yet may hold larger ids.
        const QString sync =
            QStringLiteral(
                "SELECT setval(%1, s.m) FROM (SELECT max(\"%2\") AS m FROM %3) s, %4 q "
                "WHERE s.m > CASE WHEN q.is_called THEN q.last_value ELSE q.last_value - 1 END")
                .arg(Literal(column.sequence), QString(column.column).replace(u'"', u"\"\""_s),
                     target.table, column.sequence);
        if (!RunGuarded(sync, {}, nullptr, error))
            return false;
    }
    return true;
}

} // namespace zk
