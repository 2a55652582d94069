// TEMPORARY STAND-IN until the dialect translator is merged: installs nothing. The merge
// replaces this file.
#include "data/backends/postgres/compat_schema.h"

#include <QSqlDatabase>

namespace zk {

QString PostgresCompatMarker()
{
    return QStringLiteral("zk_compat stand-in");
}

QString PostgresCompatMarkerSql()
{
    return QStringLiteral("SELECT 'zk_compat stand-in'");
}

QString PostgresCompatSchemaSql()
{
    return {};
}

QStringList PostgresCompatStatements()
{
    return {};
}

QString PostgresSearchPathSql()
{
    return QStringLiteral("SET search_path TO \"$user\", public");
}

bool EnsurePostgresCompat(QSqlDatabase&, QString*)
{
    return true;
}

} // namespace zk
