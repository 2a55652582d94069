#pragma once

#include "data/backends/backend.h"
#include "data/backends/column_kind_cache.h"
#include "data/backends/qt_sql_connection.h"

namespace zk {

// Any engine behind an ODBC driver, on Qt SQL's QODBC driver; SQL Server in practice.
// Statements go to the engine untranslated: a SQL Server understands the legacy T-SQL.
class OdbcBackend : public Backend {
public:
    // `connection` is what the driver manager receives; `sqlServer` says whether the
    // engine is a SQL Server (database type 1, @@IDENTITY) or something else (type 3).
    OdbcBackend(QString connection, bool sqlServer);

    OpenResult Open(QString& error) override;
    int DbType() const override { return sqlServer_ ? 1 : 3; }
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
    QString connectionText_;
    bool sqlServer_;
    QtSqlConnection connection_;
    ColumnKindCache kinds_;
};

} // namespace zk
