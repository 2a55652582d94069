#include "data/backends/backend.h"

namespace zk {

qsizetype RowSet::IndexOf(const QString& name) const
{
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QByteArray RowSet::Bytes(qsizetype row, qsizetype column) const
{
    const qsizetype index = Index(row, column);
    const auto found = binary_.constFind(index);
    return found != binary_.constEnd() ? *found : texts[index].toUtf8();
}

} // namespace zk
