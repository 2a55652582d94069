#pragma once

#include "data/backends/backend.h"

#include <QHash>

#include <functional>

namespace zk {

// The column kinds a backend found for (table, names), kept for the life of its connection:
// the recordset operations ask again for every row they write.
class ColumnKindCache {
public:
    // Reads the kinds from the engine; false with the engine's message.
    using Describe = std::function<bool(QList<ColumnKind>& kinds, QString& error)>;

    // The kinds for (table, names): kept ones, else what `describe` reads, which are kept.
    bool Lookup(const QString& table, const QStringList& names, QList<ColumnKind>& kinds,
                QString& error, const Describe& describe);

private:
    static QString Key(const QString& table, const QStringList& names);

    QHash<QString, QList<ColumnKind>> kinds_;
};

// "SELECT names FROM table WHERE 1=0": a statement that only describes the columns.
QString ColumnProbeSql(const QString& table, const QStringList& names);

} // namespace zk
