#pragma once

#include "forms/grid/grid_types.h"

#include <QDateTime>
#include <QString>

namespace zk {

// A cell text prepared for comparison by a column's sort kind, so that a sort
// reads every text once instead of at every comparison.
struct CellSortKey {
    QString text;      // Text: compared without regard to case
    double number = 0; // Number: every "," removed, then the leading decimal number
    QDateTime date;    // Date: ParseLocaleDateTime; invalid sorts before all dates
};

CellSortKey MakeSortKey(GridSortKind kind, const QString& text);

// Three-way comparison: negative when a sorts before b, 0 when equal,
// positive otherwise; a strict weak ordering for every kind (None: all equal).
// Equal cells keep their order when the grid sorts (the sort is stable in
// both directions), so sorting twice the same way never shuffles equal rows.
int CompareSortKeys(GridSortKind kind, const CellSortKey& a, const CellSortKey& b);

// The same for two texts.
int CompareCellTexts(GridSortKind kind, const QString& a, const QString& b);

} // namespace zk
