#include "forms/layout/wnd_resizer_widget.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSizeGrip>

#include <utility>
#include <vector>

namespace zk::layout {

namespace {

// A line of dots along the bar, one every 4 pixels: a 2 x 2 square in the
// button-shadow colour with a white 2 x 2 square one pixel right and below.
void DrawSplitterDots(QPainter& painter, const QRect& grip, Orientation orientation,
                      const QColor& shadow)
{
    const bool vertical = orientation == Orientation::SideBySide;
    const int end = vertical ? BottomEdge(grip) : RightEdge(grip);
    for (int along = vertical ? grip.y() : grip.x(); along < end; along += 4) {
        const QPoint at = vertical ? QPoint(grip.x(), along) : QPoint(along, grip.y());
        painter.fillRect(QRect(at, QSize(2, 2)), shadow);
        painter.fillRect(QRect(at + QPoint(1, 1), QSize(2, 2)), Qt::white);
    }
}

ScrollInfo FromBars(const QScrollBar* horizontal, const QScrollBar* vertical)
{
    ScrollInfo info;
    if (horizontal && !horizontal->isHidden()) {
        info.horizontal = true;
        info.horizontalMax = horizontal->maximum() + horizontal->pageStep();
        info.horizontalPos = horizontal->value();
    }
    if (vertical && !vertical->isHidden()) {
        info.vertical = true;
        info.verticalMax = vertical->maximum() + vertical->pageStep();
        info.verticalPos = vertical->value();
    }
    return info;
}

} // namespace

CWndResizerWidget::CWndResizerWidget(ControlLookup lookup, QObject* parent)
    : QObject(parent)
    , lookup_(std::move(lookup))
{
}

CWndResizerWidget::~CWndResizerWidget()
{
    if (form_)
        form_->removeEventFilter(this);
}

bool CWndResizerWidget::Hook(QWidget* form)
{
    if (!form)
        return false;
    if (form_) {
        form_->removeEventFilter(this);
        disconnect(form_, nullptr, this, nullptr);
    }
    form_ = form;
    form->installEventFilter(this);
    // Splitters light up under the pointer without a button held.
    form->setMouseTracking(true);
    connect(form, &QObject::destroyed, this, [this] { resizer_.Unhook(); });
    return resizer_.Hook(*this);
}

void CWndResizerWidget::SetScrollProvider(ScrollProvider provider)
{
    scroll_ = std::move(provider);
}

void CWndResizerWidget::WatchScrollBars(QScrollBar* horizontal, QScrollBar* vertical)
{
    const QPointer<QScrollBar> h(horizontal);
    const QPointer<QScrollBar> v(vertical);
    scroll_ = [h, v] { return FromBars(h.data(), v.data()); };
    for (QScrollBar* bar : {horizontal, vertical}) {
        if (!bar)
            continue;
        connect(bar, &QScrollBar::valueChanged, this, &CWndResizerWidget::Relayout);
        connect(bar, &QScrollBar::rangeChanged, this, &CWndResizerWidget::Relayout);
    }
}

void CWndResizerWidget::Relayout()
{
    resizer_.Relayout();
}

QRect CWndResizerWidget::ClientRect() const
{
    return form_ ? form_->rect() : QRect();
}

ScrollInfo CWndResizerWidget::Scroll() const
{
    return scroll_ ? scroll_() : ScrollInfo{};
}

QSize CWndResizerWidget::GripSize() const
{
    // The size of a scroll bar's arrow button, as the system grip has.
    const int extent =
        form_ ? form_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, form_) : 16;
    return QSize(extent, extent);
}

std::optional<QRect> CWndResizerWidget::ControlRect(int windowId) const
{
    QWidget* control = lookup_ ? lookup_(windowId) : nullptr;
    if (!control || !form_ || !form_->isAncestorOf(control))
        return std::nullopt;
    return QRect(control->mapTo(form_, QPoint(0, 0)), control->size());
}

void CWndResizerWidget::MoveControls(const std::vector<ControlMove>& batch)
{
    if (!form_ || !lookup_)
        return;
    std::vector<std::pair<QWidget*, QRect>> moves;
    for (const ControlMove& move : batch) {
        QWidget* control = lookup_(move.windowId);
        if (!control || !form_->isAncestorOf(control))
            continue;
        QRect target = move.rect;
        if (control->parentWidget() != form_)
            target.moveTopLeft(control->parentWidget()->mapFrom(form_, target.topLeft()));
        if (control->geometry() != target)
            moves.emplace_back(control, target);
    }
    if (moves.empty())
        return;
    // On a shown form every control moves before anything is painted again;
    // re-enabling the updates repaints the form once. A form not yet shown
    // paints nothing meanwhile anyway.
    const bool batched = form_->isVisible();
    if (batched)
        form_->setUpdatesEnabled(false);
    for (const auto& [control, target] : moves)
        control->setGeometry(target);
    if (batched)
        form_->setUpdatesEnabled(true);
}

void CWndResizerWidget::Invalidate(const QRect& area)
{
    if (form_)
        form_->update(area);
}

void CWndResizerWidget::SizeLimits(const QSize& minimum, const QSize& maximum)
{
    // Only a top-level form has a border that the user drags.
    if (!form_ || !form_->isWindow())
        return;
    const QSize bounded = maximum.boundedTo(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    if (form_->minimumSize() != minimum)
        form_->setMinimumSize(minimum);
    if (form_->maximumSize() != bounded)
        form_->setMaximumSize(bounded);
}

bool CWndResizerWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != form_ || !resizer_.IsHooked())
        return false;
    switch (event->type()) {
    case QEvent::Resize:
        resizer_.Relayout();
        return false;
    case QEvent::Paint:
        // The form paints itself first (its drawn background included), then
        // the grips go on top of that; the controls, being children, are
        // painted after both.
        static_cast<QObject*>(form_.data())->event(event);
        PaintGrips();
        return true;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        return OnMouse(event);
    case QEvent::Leave:
        if (!resizer_.IsDragging()) {
            resizer_.OnMouseMove(QPoint(-1, -1), false, false);
            UpdateCursor();
        }
        return false;
    default:
        return false;
    }
}

bool CWndResizerWidget::OnMouse(QEvent* event)
{
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    // Events that a control ignored reach the form too; only the form's own
    // background counts.
    const bool overForm = form_->childAt(pos) == nullptr;
    const bool wasDragging = resizer_.IsDragging();
    switch (event->type()) {
    case QEvent::MouseMove:
        resizer_.OnMouseMove(pos, mouse->buttons() & Qt::LeftButton, overForm);
        break;
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::LeftButton && overForm)
            resizer_.OnLeftButtonDown(pos);
        break;
    default:
        if (mouse->button() == Qt::LeftButton)
            resizer_.OnLeftButtonUp(pos, overForm);
        break;
    }
    UpdateCursor();
    // A press, drag or release on a splitter is the splitter's: the form
    // would take a press on its background for the start of a window move.
    return wasDragging || resizer_.IsDragging();
}

void CWndResizerWidget::UpdateCursor()
{
    const CSpitterPanel* active = resizer_.ActiveSplitter();
    const int orientation = active ? int(active->GetOrientation()) : 0;
    if (orientation == cursorOrientation_)
        return;
    cursorOrientation_ = orientation;
    if (orientation == 0)
        form_->unsetCursor();
    else
        form_->setCursor(orientation == int(Orientation::SideBySide) ? Qt::SplitHCursor
                                                                     : Qt::SplitVCursor);
}

void CWndResizerWidget::PaintGrips()
{
    QPainter painter(form_);
    const QColor shadow = form_->palette().color(QPalette::Dark);
    for (const CVisualPanel* panel : resizer_.VisiblePanels()) {
        if (dynamic_cast<const CGripperPanel*>(panel)) {
            QStyleOptionSizeGrip option;
            option.initFrom(form_);
            option.rect = panel->Rect();
            option.corner = Qt::BottomRightCorner;
            form_->style()->drawControl(QStyle::CE_SizeGrip, &option, &painter, form_);
        } else if (const auto* grip = dynamic_cast<const CSplitterGripperPanel*>(panel)) {
            DrawSplitterDots(painter, grip->Rect(), grip->GetOrientation(), shadow);
        }
    }
}

} // namespace zk::layout
