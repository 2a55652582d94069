#pragma once

#include <QString>
#include <QStringList>

namespace zk {

// The system tables every company database holds (users, menus, button rights, logs, the
// application rows), one script per engine, compiled in from data/schema/*.sql.
enum class SchemaDialect { SQLite, PostgreSQL, SqlServer };

// The script for a session's database type: 1 SQL Server, 2 SQLite, anything else PostgreSQL.
SchemaDialect SchemaDialectOf(int dbType);

QString SystemSchemaScript(SchemaDialect dialect);

// The statements of a schema script: comment lines ("--") and batch lines ("GO") dropped,
// split where a line ends in ';'.
QStringList SchemaStatements(const QString& script);

} // namespace zk
