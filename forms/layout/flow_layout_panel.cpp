#include "forms/layout/flow_layout_panel.h"

#include <algorithm>

namespace zk::layout {

CFlowLayoutPanel::CFlowLayoutPanel(const QRect& rect, const QString& name)
    : CPanel(rect, name)
{
}

void CFlowLayoutPanel::SetSpacing(int horizontal, int vertical)
{
    hSpacing_ = horizontal;
    vSpacing_ = vertical;
}

void CFlowLayoutPanel::OnResized()
{
    const bool rows = direction_ == FlowDirection::LeftToRight;
    const QRect area = Rect();
    // "Along" runs within a row (column), "across" from one row to the next.
    const int alongStart = rows ? area.x() : area.y();
    const int alongEnd = rows ? RightEdge(area) : BottomEdge(area);
    const int alongGap = rows ? hSpacing_ : vSpacing_;
    const int acrossGap = rows ? vSpacing_ : hSpacing_;
    int along = alongStart;
    int across = rows ? area.y() : area.x();
    int lineExtent = 0; // tallest (widest) child of the current line
    bool lineStarted = false;
    for (const auto& child : Children()) {
        const QSize size = child->Rect().size();
        const int length = rows ? size.width() : size.height();
        const int thickness = rows ? size.height() : size.width();
        if (lineStarted && along + length > alongEnd) {
            along = alongStart;
            across += lineExtent + acrossGap;
            lineExtent = 0;
        }
        child->SetRect(rows ? QRect(QPoint(along, across), size)
                            : QRect(QPoint(across, along), size));
        along += length + alongGap;
        lineExtent = std::max(lineExtent, thickness);
        lineStarted = true;
    }
    for (const auto& child : Children())
        child->OnResized();
}

} // namespace zk::layout
