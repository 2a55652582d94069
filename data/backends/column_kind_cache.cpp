#include "data/backends/column_kind_cache.h"

using namespace Qt::StringLiterals;

namespace zk {

QString ColumnKindCache::Key(const QString& table, const QStringList& names)
{
    return table + u'\x1f' + names.join(u'\x1f');
}

const QList<ColumnKind>* ColumnKindCache::Find(const QString& table, const QStringList& names) const
{
    const auto found = kinds_.constFind(Key(table, names));
    return found == kinds_.constEnd() ? nullptr : &*found;
}

void ColumnKindCache::Store(const QString& table, const QStringList& names,
                            const QList<ColumnKind>& kinds)
{
    kinds_.insert(Key(table, names), kinds);
}

QString ColumnProbeSql(const QString& table, const QStringList& names)
{
    return u"SELECT "_s + names.join(u',') + u" FROM "_s + table + u" WHERE 1=0"_s;
}

} // namespace zk
