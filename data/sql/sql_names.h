#pragma once

#include <QString>
#include <QStringView>

namespace zk::sql {

// The PostgreSQL spelling of a [bracketed] name (given without its brackets, "]]" already
// undone). PostgreSQL folds unquoted names to lower case, so a plain name stays unquoted and
// [pUid_0] still finds the column created as pUid_0; any other name (blanks, punctuation,
// reserved words) is quoted in lower case, which is how our translated DDL creates it.
QString PostgresName(QStringView name);

// The text inside [brackets] with "]]" read as "]".
QString BracketContent(QStringView bracketed);

// A name as the translator compares it: brackets or quotes removed, lower case.
QString NormalName(QStringView token);

} // namespace zk::sql
