#pragma once

#include "data/backends/backend.h"

#include <QHash>

namespace zk {

// The column kinds a backend found for (table, names), kept for the life of its connection:
// the recordset operations ask again for every row they write.
class ColumnKindCache {
public:
    const QList<ColumnKind>* Find(const QString& table, const QStringList& names) const;
    void Store(const QString& table, const QStringList& names, const QList<ColumnKind>& kinds);

private:
    static QString Key(const QString& table, const QStringList& names);

    QHash<QString, QList<ColumnKind>> kinds_;
};

// "SELECT names FROM table WHERE 1=0": a statement that only describes the columns.
QString ColumnProbeSql(const QString& table, const QStringList& names);

} // namespace zk
