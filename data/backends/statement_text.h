#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace zk {

// Small readings of statement texts that the backends need, on the translator's tokenizer
// (strings, quoted names and comments are never mistaken for SQL).

// The statements of a script, split at ';'; pieces of only blanks and comments are dropped.
QStringList SplitStatements(const QString& script);

// The table and column list of an INSERT statement.
struct InsertTarget {
    bool isInsert = false;
    QString table;           // as written, schema included
    bool hasColumns = false; // a column list was given
    QStringList columns;     // as written, quotes removed
};
InsertTarget ReadInsertTarget(const QString& statement);

// Every name of a statement in lower case, mapped to the spelling it was first written in.
QHash<QString, QString> NameSpellings(const QString& sql);

} // namespace zk
