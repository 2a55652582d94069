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

QString CellText(const QVariant& cell)
{
    if (cell.typeId() == QMetaType::QString)
        return cell.toString();
    if (cell.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(cell.toByteArray());
    return {};
}

QByteArray CellBytes(const QVariant& cell)
{
    if (cell.typeId() == QMetaType::QByteArray)
        return cell.toByteArray();
    if (cell.typeId() == QMetaType::QString)
        return cell.toString().toUtf8();
    return {};
}

} // namespace zk
