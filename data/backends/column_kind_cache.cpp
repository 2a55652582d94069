#include "data/backends/column_kind_cache.h"

using namespace Qt::StringLiterals;

namespace zk {

QString ColumnKindCache::Key(const QString& table, const QStringList& names)
{
    return table + u'\x1f' + names.join(u'\x1f');
}

bool ColumnKindCache::Lookup(const QString& table, const QStringList& names,
                             QList<ColumnKind>& kinds, QString& error, const Describe& describe)
{
    const QString key = Key(table, names);
    if (const auto found = kinds_.constFind(key); found != kinds_.constEnd()) {
        kinds = *found;
        return true;
    }
    kinds.clear();
    if (!describe(kinds, error))
        return false;
    kinds_.insert(key, kinds);
    return true;
}

QString ColumnProbeSql(const QString& table, const QStringList& names)
{
    return u"SELECT "_s + names.join(u',') + u" FROM "_s + table + u" WHERE 1=0"_s;
}

} // namespace zk
