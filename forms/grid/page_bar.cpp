#include "forms/grid/page_bar.h"

namespace zk {

QString PageBarText(const PageState& page)
{
    return QStringLiteral("当前 %1/%2 页 每页 %3 条记录 合计 %4 条记录")
        .arg(page.currentPage)
        .arg(page.pageCount)
        .arg(page.rowsPerPage)
        .arg(page.totalRecords);
}

void UpdatePageBar(const PageState& page, const QList<int>& buttonIds, int resultInfoId,
                   const std::function<void(int elementId, const QString& text)>& setText,
                   const std::function<void(int elementId, bool enabled)>& enable)
{
    if (resultInfoId > 0 && setText)
        setText(resultInfoId, PageBarText(page));
    if (!enable)
        return;
    const bool onePage = page.rowsPerPage >= page.totalRecords;
    const bool back = !onePage && page.currentPage > 1;
    const bool forward = !onePage && page.currentPage < page.pageCount;
    const bool states[4] = {back, back, forward, forward};
    for (int position = 0; position < 4 && position < buttonIds.size(); ++position) {
        if (buttonIds[position] > 0)
            enable(buttonIds[position], states[position]);
    }
}

} // namespace zk
