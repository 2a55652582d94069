#include "data/backends/backend.h"

namespace zk {

namespace {

void AppendJoined(QByteArray& out, const QStringList& texts, QChar separator)
{
    const QByteArray between = QString(separator).toUtf8();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0)
            out += between;
        out += texts[i].toUtf8();
    }
}

} // namespace

bool Backend::QueryJoined(const QString& sql, JoinedRows& rows, QString& error)
{
    RowSet fetched;
    if (!Query(sql, {}, fetched, error))
        return false;
    rows.hasColumns = fetched.hasColumns;
    rows.columnCount = fetched.names.size();
    rows.rowCount = fetched.rowCount;
    AppendJoined(rows.utf8, fetched.names, rows.valueSeparator);
    rows.utf8 += QString(rows.groupSeparator).toUtf8();
    AppendJoined(rows.utf8, fetched.texts, rows.valueSeparator);
    return true;
}

} // namespace zk
