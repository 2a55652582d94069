#pragma once

#include <QString>

namespace zk {

// Makes a control's text safe inside a single-quoted SQL literal of a
// statement built by the action commands, in place: "'" is doubled, and
// "[" and the double quote are bracketed ("[[]", "[\"]") so that they match
// themselves in LIKE patterns. "O'Neil [x]" becomes "O''Neil [[]x]".
void EscapeSql(QString& text);

// The lighter escaping of values written by the record-save commands:
// "'" doubled and the double quote bracketed, on a copy.
QString EscapeSqlText(const QString& text);

} // namespace zk
