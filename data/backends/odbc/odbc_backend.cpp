#include "data/backends/odbc/odbc_backend.h"

#include "data/backends/value_text.h"

#include <QSqlError>
#include <QSqlIndex>

#include <utility>

using namespace Qt::StringLiterals;

namespace zk {

namespace {

constexpr int kLoginTimeoutSeconds = 10;

} // namespace

OdbcBackend::OdbcBackend(QString connection, bool sqlServer)
    : connectionText_(std::move(connection))
    , sqlServer_(sqlServer)
    , connection_(QStringLiteral("QODBC"), true)
{
}

Backend::OpenResult OdbcBackend::Open(QString& error)
{
    QSqlDatabase& db = connection_.Db();
    db.setDatabaseName(connectionText_);
    db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(kLoginTimeoutSeconds));
    if (!db.open()) {
        error = QtSqlErrorText(db.lastError());
        return OpenResult::Unreachable;
    }
    return OpenResult::Ok;
}

bool OdbcBackend::Execute(const QString& sql, const QVariantList& params, QString& error)
{
    if (sql.trimmed().isEmpty())
        return true;
    return connection_.Run(sql, params, nullptr, error);
}

bool OdbcBackend::Query(const QString& sql, const QVariantList& params, RowSet& rows,
                        QString& error)
{
    if (sql.trimmed().isEmpty())
        return true;
    return connection_.Run(sql, params, &rows, error);
}

bool OdbcBackend::Begin(QString& error)
{
    return connection_.Transact(&QSqlDatabase::transaction, error);
}

bool OdbcBackend::Commit(QString& error)
{
    return connection_.Transact(&QSqlDatabase::commit, error);
}

bool OdbcBackend::Rollback(QString& error)
{
    return connection_.Transact(&QSqlDatabase::rollback, error);
}

QStringList OdbcBackend::RowKey(const QString& table)
{
    QStringList key;
    const QSqlIndex index = connection_.Db().primaryIndex(table);
    for (int i = 0; i < index.count(); ++i)
        key.append(index.fieldName(i));
    return key;
}

bool OdbcBackend::ColumnKinds(const QString& table, const QStringList& names,
                              QList<ColumnKind>& kinds, QString& error)
{
    return kinds_.Lookup(
        table, names, kinds, error, [&](QList<ColumnKind>& found, QString& failure) {
            RowSet rows;
            QList<QMetaType> types;
            if (!connection_.Run(ColumnProbeSql(table, names), {}, &rows, failure, &types))
                return false;
            found = KindsOfMetaTypes(types);
            return true;
        });
}

bool OdbcBackend::LastInsertId(const QString&, QString& id, QString& error)
{
    id.clear();
    if (!sqlServer_)
        return true;
    RowSet rows;
    if (!connection_.Run(QStringLiteral("SELECT @@IDENTITY AS z_uid"), {}, &rows, error))
        return false;
    if (rows.rowCount > 0)
        id = rows.Text(0, 0);
    return true;
}

} // namespace zk
