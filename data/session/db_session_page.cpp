#include "data/backends/backend.h"
#include "data/session/db_session.h"
#include "data/session/page_query.h"
#include "data/session/session_texts.h"
#include "util/numbers.h"

using namespace Qt::StringLiterals;

namespace zk {

bool CDbSession::QueryPage(const QString& select, const QString& condition, int pageSize,
                           int pageNumber, const QString& order, QStringList& names,
                           QStringList& values, int& total, int& pageCount)
{
    lastSql = select;
    if (useServer) {
        return server_ ? server_->QueryPage(*this, select, condition, pageSize, pageNumber, order,
                                            names, values, total, pageCount)
                       : ServerMissing();
    }
    return QueryPageDirect(select, condition, pageSize, pageNumber, order, names, values, total,
                           pageCount);
}

bool CDbSession::QueryPageDirect(const QString& select, const QString& condition, int pageSize,
                                 int pageNumber, const QString& order, QStringList& names,
                                 QStringList& values, int& total, int& pageCount)
{
    const QString table = PageTable(select, condition);
    RowSet rows;
    const Step step = QueryStep(PageCountSql(table), rows);
    const qsizetype column = rows.IndexOf(QStringLiteral("zk_counts"));
    if (step != Step::Rows || rows.rowCount == 0 || column < 0) {
        if (step != Step::Failed)
            errorDetail = texts::kNoSuchField + u"zk_counts"_s;
        errorText += texts::kPageCountFailed;
        return false;
    }
    total = ToInt(rows.Text(0, column));
    if (total <= 0)
        return true;
    const PagePlan plan = PlanPage(total, pageSize, pageNumber);
    pageCount = plan.pageCount;
    return QueryTable(PageSql(plan, table, order), names, values);
}

} // namespace zk
