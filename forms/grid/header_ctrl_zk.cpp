#include "forms/grid/header_ctrl_zk.h"

#include <QMouseEvent>
#include <QStyle>

namespace zk {

CHeaderCtrlZk::CHeaderCtrlZk(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setSectionsMovable(false);
    setHighlightSections(false);
    setStretchLastSection(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(this, &QHeaderView::sectionResized, this, [this](int logicalIndex) {
        if (pressed_)
            resized_ = logicalIndex;
    });
}

// The section whose divider lies under the position, found as the header
// itself finds it: near the left edge the previous shown section, near the
// right edge the section itself; -1 over a caption.
int CHeaderCtrlZk::DividerAt(int position) const
{
    int visual = visualIndexAt(position);
    if (visual < 0)
        return -1;
    const int logical = logicalIndex(visual);
    const int start = sectionViewportPosition(logical);
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    if (position < start + grip) {
        while (--visual >= 0) {
            const int previous = logicalIndex(visual);
            if (!isSectionHidden(previous))
                return previous;
        }
        return -1;
    }
    if (position > start + sectionSize(logical) - grip)
        return logical;
    return -1;
}

bool CHeaderCtrlZk::IsFixedCaptionAt(const QPoint& position) const
{
    if (!isFixed_ || DividerAt(position.x()) >= 0)
        return false;
    const int logical = logicalIndexAt(position);
    return logical >= 0 && isFixed_(logical);
}

void CHeaderCtrlZk::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && IsFixedCaptionAt(event->position().toPoint())) {
        event->accept();
        return;
    }
    pressed_ = event->button() == Qt::LeftButton;
    resized_ = -1;
    QHeaderView::mousePressEvent(event);
}

void CHeaderCtrlZk::mouseReleaseEvent(QMouseEvent* event)
{
    QHeaderView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    const int resized = resized_;
    resized_ = -1;
    if (resized >= 0)
        emit dividerDragFinished(resized, sectionSize(resized));
}

void CHeaderCtrlZk::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (IsFixedCaptionAt(event->position().toPoint())) {
        event->accept();
        return;
    }
    QHeaderView::mouseDoubleClickEvent(event);
}

} // namespace zk
