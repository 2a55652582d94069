// TEMPORARY STAND-IN until the dialect translator is merged: statements pass through
// unchanged. The merge replaces this file.
#include "data/sql/sql_translate.h"

namespace zk::sql {

QString TranslateSql(const QString& sql, Dialect)
{
    return sql;
}

} // namespace zk::sql
