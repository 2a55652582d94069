#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace zk {

// The paging state of a form: rows per page P, current page C, total records
// T and page count N (set by the paged query).
struct PageState {
    int rowsPerPage = 10;
    int currentPage = 1;
    int totalRecords = 0;
    int pageCount = 0;
};

// The text of the result label: "当前 C/N 页 每页 P 条记录 合计 T 条记录".
QString PageBarText(const PageState& page);

// Updates a form's page bar through the form's own operations (element ids,
// not window ids). `buttonIds` lists first, previous, next, last. The label
// `resultInfoId` gets PageBarText when above 0. When P >= T every button is
// disabled; otherwise first and previous are enabled when C > 1 and next and
// last when C < N. A list shorter than four updates the buttons it names, by
// position, and ignores the rest; ids below 1 name no control and are skipped
// (element id 0 would address the form window itself).
void UpdatePageBar(const PageState& page, const QList<int>& buttonIds, int resultInfoId,
                   const std::function<void(int elementId, const QString& text)>& setText,
                   const std::function<void(int elementId, bool enabled)>& enable);

} // namespace zk
