#pragma once

#include <QString>
#include <QStringList>

class QSqlDatabase;

namespace zk {

// The PostgreSQL side of the dialect translator: the schema zk_compat holds the legacy
// functions the translated statements call (InStr, CHARINDEX, Val, Year, DateAdd, …, the
// '+' operators for texts and dates, zk_identity for @@IDENTITY) and is put on the search
// path of every connection.
//
// Installing needs the right to create a schema in the database (the database owner has
// it); afterwards every user may use it. Installing is idempotent and safe when several
// connections do it at the same time: the script takes a transaction-scoped advisory lock.
//
// Per connection, after connecting:
//   1. run PostgresCompatMarkerSql(); unless it gives PostgresCompatMarker(), install:
//      run PostgresCompatSchemaSql() as one text (libpq PQexec runs it in one transaction),
//      or PostgresCompatStatements() one by one inside one transaction;
//   2. run PostgresSearchPathSql().
// EnsurePostgresCompat does exactly that on a QtSql connection.

// The text the installed schema carries as its comment; it names the version of the
// definitions, so a newer build reinstalls them.
QString PostgresCompatMarker();

// A query whose one row holds the installed marker; no row when the schema is missing.
QString PostgresCompatMarkerSql();

// The install script as one text.
QString PostgresCompatSchemaSql();

// The install script statement by statement.
QStringList PostgresCompatStatements();

// SET search_path so that translated statements find the schema's functions and operators
// (after the user's own schemas: a table or function of the application's wins).
QString PostgresSearchPathSql();

// Checks the marker, installs when needed and sets the search path on an open QtSql
// (QPSQL) connection. False with the failing statement's message in errorText.
bool EnsurePostgresCompat(QSqlDatabase& db, QString* errorText);

} // namespace zk
