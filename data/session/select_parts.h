#pragma once

#include <QString>

namespace zk {

// What the recordset operations take from a caller's SELECT:
// "SELECT … FROM table [[AS] alias] [joins] [WHERE …] [GROUP BY …] [ORDER BY …]".
struct SelectParts {
    bool ok = false;   // a FROM with a table was found
    QString table;     // the first table, as written (schema and brackets included)
    QString qualifier; // its alias, else the table
    QString from;      // the whole FROM clause, joins included
    QString where;     // the condition, empty when there is none
    QString order;     // the ORDER BY list, empty when there is none
};

SelectParts ReadSelectParts(const QString& sql);

} // namespace zk
