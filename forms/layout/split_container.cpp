#include "forms/layout/split_container.h"

#include <algorithm>

namespace zk::layout {

namespace {

constexpr int kGripLength = 12;

// truncate(ratio x size). The ratio is a quotient of two of these sizes, so a
// product that should be whole can come out a hair below it (240 / 440 * 440
// is 239.99...); without the nudge the first layout would move a pane by a
// pixel although nothing was resized.
int Share(double ratio, int size)
{
    const double share = ratio * size;
    return int(share >= 0 ? share + 1e-6 : share - 1e-6);
}

} // namespace

// Edges along the container's axis: x for side-by-side panes, y for stacked.
struct CSplitContainer::Axis {
    bool sideBySide;

    int Near(const QRect& r) const { return sideBySide ? r.x() : r.y(); }
    int Far(const QRect& r) const { return sideBySide ? RightEdge(r) : BottomEdge(r); }
    int Minimum(const CPanel& p) const
    {
        return sideBySide ? p.MinSize().width() : p.MinSize().height();
    }
    // r with its edges along the axis replaced.
    QRect With(const QRect& r, int nearEdge, int farEdge) const
    {
        return sideBySide ? FromEdges(nearEdge, r.y(), farEdge, BottomEdge(r))
                          : FromEdges(r.x(), nearEdge, RightEdge(r), farEdge);
    }
};

CSpitterPanel::CSpitterPanel(const QRect& rect, Orientation orientation)
    : CPanel(rect)
    , orientation_(orientation)
{
    // Along a vertical bar (side-by-side panes) the grip is 12 pixels high and
    // initially 0 wide; the layout widens it to its minimum of 2.
    const QRect grip = orientation == Orientation::SideBySide
                           ? QRect(rect.x() + rect.width() / 2,
                                   rect.y() + (rect.height() - kGripLength) / 2, 0, kGripLength)
                           : QRect(rect.x() + (rect.width() - kGripLength) / 2,
                                   rect.y() + rect.height() / 2, kGripLength, 0);
    auto panel = std::make_unique<CSplitterGripperPanel>(grip, orientation);
    grip_ = panel.get();
    AddChild(std::move(panel));
}

CSplitPanel::CSplitPanel(std::unique_ptr<CPanel> pane)
    : CPanel(pane->Rect(), pane->Name())
{
    SetLimits(pane->MinSize(), pane->MaxSize());
    pane->SetName(QString());
    pane->SetAnchor(kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom);
    AddChild(std::move(pane));
}

CSplitContainer::CSplitContainer(const QRect& rect, const QString& name, Orientation orientation,
                                 std::unique_ptr<CSplitPanel> pane1,
                                 std::unique_ptr<CSplitPanel> pane2)
    : CPanel(rect, name)
    , orientation_(orientation)
{
    const Axis axis{orientation == Orientation::SideBySide};
    const QRect a = pane1->Rect();
    const QRect b = pane2->Rect();
    splitterWidth_ = axis.Near(b) - axis.Far(a);
    pane1->SetAnchor(axis.sideBySide ? kAnchorLeft | kAnchorTop | kAnchorBottom
                                     : kAnchorLeft | kAnchorTop | kAnchorRight);
    pane2->SetAnchor(axis.sideBySide ? kAnchorTop | kAnchorRight | kAnchorBottom
                                     : kAnchorLeft | kAnchorRight | kAnchorBottom);
    auto splitter =
        std::make_unique<CSpitterPanel>(axis.With(rect, axis.Far(a), axis.Near(b)), orientation);
    pane1_ = pane1.get();
    pane2_ = pane2.get();
    splitter_ = splitter.get();
    AddChild(std::move(pane1));
    AddChild(std::move(pane2));
    AddChild(std::move(splitter));
    UpdateRatio();
}

int CSplitContainer::Size() const
{
    return orientation_ == Orientation::SideBySide ? Rect().width() : Rect().height();
}

void CSplitContainer::UpdateRatio()
{
    const Axis axis{orientation_ == Orientation::SideBySide};
    if (Size() > 0)
        ratio_ = double(axis.Far(pane1_->Rect()) - axis.Near(pane1_->Rect())) / Size();
}

void CSplitContainer::OnResized()
{
    const Axis axis{orientation_ == Orientation::SideBySide};
    if (Size() < axis.Minimum(*this))
        return;
    PlaceChildren();
    const QRect a = pane1_->Rect();
    const QRect b = pane2_->Rect();
    const int aNear = axis.Near(a);
    const int bFar = axis.Far(b);
    int aFar = std::max(aNear + Share(ratio_, Size()), aNear + axis.Minimum(*pane1_));
    int bNear = aFar + splitterWidth_;
    if (bFar - bNear < axis.Minimum(*pane2_)) {
        bNear = bFar - axis.Minimum(*pane2_);
        aFar = bNear - splitterWidth_;
    }
    // When even pane 2's minimum does not fit, pane 1 is cut to nothing, not
    // to a negative size, and the splitter narrows.
    aFar = std::max(aFar, aNear);
    const int splitterFar = std::max(aFar, std::min(aFar + splitterWidth_, bNear));
    pane1_->SetRect(axis.With(a, aNear, aFar));
    pane2_->SetRect(axis.With(b, bNear, bFar));
    splitter_->SetRect(axis.With(Rect(), aFar, splitterFar));
    pane1_->OnResized();
    pane2_->OnResized();
    splitter_->OnResized();
}

void CSplitContainer::Drag(int position, int grabOffset)
{
    const Axis axis{orientation_ == Orientation::SideBySide};
    const QRect a = pane1_->Rect();
    const QRect b = pane2_->Rect();
    const int aFar = position - grabOffset;
    pane1_->SetRect(axis.With(a, axis.Near(a), aFar));
    pane2_->SetRect(axis.With(b, aFar + splitterWidth_, axis.Far(b)));
    UpdateRatio();
    OnResized();
    UpdateRatio();
}

} // namespace zk::layout
