#include "data/backends/backend.h"

namespace zk {

void JoinInto(JoinedRows& rows, const QStringList& names, const QStringList& values)
{
    rows.columnCount = names.size();
    rows.rowCount = names.isEmpty() ? 0 : values.size() / names.size();
    rows.utf8 +=
        (names.join(rows.valueSeparator) + rows.groupSeparator + values.join(rows.valueSeparator))
            .toUtf8();
}

bool Backend::QueryJoined(const QString& sql, JoinedRows& rows, QString& error)
{
    RowSet fetched;
    if (!Query(sql, {}, fetched, error))
        return false;
    rows.hasColumns = fetched.hasColumns;
    JoinInto(rows, fetched.names, fetched.texts);
    return true;
}

} // namespace zk
