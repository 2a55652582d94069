#include "runtime/definition/form_cache.h"

namespace zk {

bool FormCache::Find(const QString& uid, QString& text) const
{
    const auto it = texts_.constFind(uid);
    if (it == texts_.constEnd())
        return false;
    text = *it;
    return true;
}

void FormCache::Store(const QString& uid, const QString& text)
{
    texts_.insert(uid, text);
}

} // namespace zk
