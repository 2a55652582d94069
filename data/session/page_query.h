#pragma once

#include <QString>

namespace zk {

// The statements of a paged query, written in the T-SQL form callers have always sent (the
// backends translate them): the page is the last rows of the first page × size rows, read in
// reversed order and turned back.

// "(select condition) AS TABLE_A"
QString PageTable(const QString& select, const QString& condition);
// "SELECT count(1) as zk_counts FROM <table>"
QString PageCountSql(const QString& table);
// Every " ASC" becomes " DESC" and every " DESC" " ASC", as plain text replacement.
QString ReversedOrder(const QString& order);

struct PagePlan {
    int outerTop = 0;
    int innerTop = 0;
    int pageCount = 0;
};
// For `total` rows (> 0). A page size below 1 counts as 1 and a page number outside
// 1…page count is held at the nearest end, so that no TOP ever turns negative.
PagePlan PlanPage(int total, int pageSize, int pageNumber);

QString PageSql(const PagePlan& plan, const QString& table, const QString& order);

} // namespace zk
