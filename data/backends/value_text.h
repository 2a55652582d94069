#pragma once

#include "data/backends/backend.h"

#include <QMetaType>
#include <QString>
#include <QVariant>

namespace zk {

// The text of a floating-point value as the program shows numbers: at most 15 significant
// digits and no trailing zeros, so 3.0 reads "3" and 0.1 reads "0.1" on every engine.
QString RealText(double value);

// An exact decimal text without the zeros after its point: "3.50" reads "3.5", "10.00" "10".
QString TrimDecimalZeros(const QString& text);

// Appends a value that Qt SQL fetched (column type `type`) to a RowSet: NULL and binary data
// as such, everything else as its text (times as "yyyy-MM-dd HH:mm:ss", booleans as 1 and 0).
void AppendQtSqlCell(RowSet& rows, const QVariant& value, QMetaType type);

// The kinds of columns Qt SQL field types stand for.
QList<ColumnKind> KindsOfMetaTypes(const QList<QMetaType>& types);

} // namespace zk
