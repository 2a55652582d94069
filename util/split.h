#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zk {

// Splitting a separated list. The separator is a text; every occurrence,
// left to right, ends a piece, and the piece after the last one is always
// appended, even when empty: "a;b;" gives "a", "b", "" and "" gives one empty
// piece. An empty separator does not split. The target is appended to, not
// cleared.
void SplitText(const QString& text, const QString& separator, QStringList& pieces);

// The same as SplitText; both names are in use by callers.
void SplitToList(const QString& text, const QString& separator, QStringList& pieces);

// The pieces read as decimal integers (ToInt), appended to the target.
void SplitInts(const QString& text, const QString& separator, QList<int>& values);

} // namespace zk
