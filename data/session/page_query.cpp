#include "data/session/page_query.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zk {

QString PageTable(const QString& select, const QString& condition)
{
    return u'(' + select + u' ' + condition + u") AS TABLE_A"_s;
}

QString PageCountSql(const QString& table)
{
    return u"SELECT count(1) as zk_counts FROM "_s + table;
}

QString ReversedOrder(const QString& order)
{
    QString reversed = order;
    reversed.replace(u" ASC"_s, u" ASC_DESC"_s);
    reversed.replace(u" DESC"_s, u" DESC_ASC"_s);
    reversed.replace(u" ASC_DESC"_s, u" DESC"_s);
    reversed.replace(u" DESC_ASC"_s, u" ASC"_s);
    return reversed;
}

PagePlan PlanPage(int total, int pageSize, int pageNumber)
{
    PagePlan plan;
    const int size = std::max(pageSize, 1);
    plan.pageCount = total / size + (total % size > 0 ? 1 : 0);
    const int page = std::clamp(pageNumber, 1, std::max(plan.pageCount, 1));
    const int upper = size * (total > size ? page : 1);
    plan.outerTop = upper > total ? total - upper + size : size;
    plan.innerTop = std::min(upper, total);
    return plan;
}

QString PageSql(const PagePlan& plan, const QString& table, const QString& order)
{
    // Joined piece by piece: the texts may hold '%' signs of their own.
    const QString page = u"( SELECT Top "_s + QString::number(plan.outerTop) +
                         u" * FROM (SELECT Top "_s + QString::number(plan.innerTop) +
                         u" * FROM "_s + table + u" ORDER By "_s + order +
                         u" ) DERIVEDTBL Order By "_s + ReversedOrder(order) + u" ) DERIVEDTBL"_s;
    return u"SELECT * FROM "_s + page + u" Order By "_s + order;
}

} // namespace zk
