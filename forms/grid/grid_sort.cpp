#include "forms/grid/grid_sort.h"

#include "forms/controls/locale_date.h"
#include "util/numbers.h"

namespace zk {

namespace {

template <typename T> int ThreeWay(const T& a, const T& b)
{
    if (a < b)
        return -1;
    if (b < a)
        return 1;
    return 0;
}

} // namespace

CellSortKey MakeSortKey(GridSortKind kind, const QString& text)
{
    CellSortKey key;
    switch (kind) {
    case GridSortKind::Text:
        key.text = text;
        break;
    case GridSortKind::Number: {
        QString digits = text;
        digits.remove(QLatin1Char(','));
        key.number = ToReal(digits);
        break;
    }
    case GridSortKind::Date:
        key.date = ParseLocaleDateTime(text);
        break;
    case GridSortKind::None:
        break;
    }
    return key;
}

int CompareSortKeys(GridSortKind kind, const CellSortKey& a, const CellSortKey& b)
{
    switch (kind) {
    case GridSortKind::Text:
        return QString::compare(a.text, b.text, Qt::CaseInsensitive);
    case GridSortKind::Number:
        return ThreeWay(a.number, b.number);
    case GridSortKind::Date:
        if (!a.date.isValid() || !b.date.isValid())
            return ThreeWay(a.date.isValid(), b.date.isValid());
        return ThreeWay(a.date, b.date);
    case GridSortKind::None:
        break;
    }
    return 0;
}

int CompareCellTexts(GridSortKind kind, const QString& a, const QString& b)
{
    return CompareSortKeys(kind, MakeSortKey(kind, a), MakeSortKey(kind, b));
}

} // namespace zk
