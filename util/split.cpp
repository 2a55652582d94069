#include "util/split.h"

#include "util/numbers.h"

namespace zk {

void SplitText(const QString& text, const QString& separator, QStringList& pieces)
{
    if (separator.isEmpty())
        pieces.append(text);
    else
        pieces.append(text.split(separator, Qt::KeepEmptyParts, Qt::CaseSensitive));
}

void SplitToList(const QString& text, const QString& separator, QStringList& pieces)
{
    SplitText(text, separator, pieces);
}

void SplitInts(const QString& text, const QString& separator, QList<int>& values)
{
    QStringList pieces;
    SplitText(text, separator, pieces);
    for (const QString& piece : pieces)
        values.append(ToInt(piece));
}

} // namespace zk
