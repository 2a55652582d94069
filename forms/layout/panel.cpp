#include "forms/layout/panel.h"

#include <algorithm>

namespace zk::layout {

namespace {

struct Span {
    int near;
    int far;
};

// One axis of the anchor rule. `center`, `near`, `far` and `keepFar` are the
// bits of this axis; parent and child are given as spans along it.
Span PlaceAxis(int anchor, Span parent, int childSize, int marginNear, int marginFar, int minimum,
               int maximum, int center, int nearBit, int farBit, int keepFarBit)
{
    const auto fit = [&](int size) { return std::clamp(size, minimum, maximum); };
    if (anchor & center) {
        const int size = fit(childSize);
        const int start = parent.near + (parent.far - parent.near - size) / 2;
        return {start, start + size};
    }
    if ((anchor & nearBit) && (anchor & farBit)) {
        Span span{parent.near + marginNear, parent.far - marginFar};
        const int size = span.far - span.near;
        if (size != fit(size)) {
            if (anchor & keepFarBit)
                span.near = span.far - fit(size);
            else
                span.far = span.near + fit(size);
        }
        return span;
    }
    if (anchor & farBit) {
        const int far = parent.far - marginFar;
        return {far - fit(childSize), far};
    }
    const int start = parent.near + marginNear;
    return {start, start + fit(childSize)};
}

} // namespace

CPanel::CPanel(const QRect& rect, const QString& name)
    : rect_(rect)
    , name_(name)
    , folded_(name.toCaseFolded())
    , foldedHash_(qHash(folded_))
{
}

CPanel::~CPanel() = default;

void CPanel::OnResized()
{
    PlaceChildren();
    for (const auto& child : children_)
        child->OnResized();
}

void CPanel::PlaceChildren()
{
    for (const auto& child : children_)
        child->SetRect(Anchored(rect_, *child));
}

QRect CPanel::Anchored(const QRect& parent, const CPanel& child)
{
    const QRect& r = child.rect_;
    const QMargins& m = child.margins_;
    const Span h = PlaceAxis(child.anchor_, {parent.x(), RightEdge(parent)}, r.width(), m.left(),
                             m.right(), child.minSize_.width(), child.maxSize_.width(),
                             kAnchorCenterH, kAnchorLeft, kAnchorRight, kAnchorKeepRight);
    const Span v = PlaceAxis(child.anchor_, {parent.y(), BottomEdge(parent)}, r.height(), m.top(),
                             m.bottom(), child.minSize_.height(), child.maxSize_.height(),
                             kAnchorCenterV, kAnchorTop, kAnchorBottom, kAnchorKeepBottom);
    return FromEdges(h.near, v.near, h.far, v.far);
}

bool CPanel::AddChild(std::unique_ptr<CPanel> child)
{
    if (!child || !AcceptsChildren())
        return false;
    const QRect& r = child->rect_;
    child->margins_ = QMargins(r.x() - rect_.x(), r.y() - rect_.y(),
                               RightEdge(rect_) - RightEdge(r), BottomEdge(rect_) - BottomEdge(r));
    child->parent_ = this;
    children_.push_back(std::move(child));
    return true;
}

std::unique_ptr<CPanel> CPanel::RemoveChild(CPanel* child)
{
    const auto it = std::find_if(children_.begin(), children_.end(),
                                 [child](const auto& c) { return c.get() == child; });
    if (it == children_.end())
        return nullptr;
    std::unique_ptr<CPanel> removed = std::move(*it);
    children_.erase(it);
    removed->parent_ = nullptr;
    return removed;
}

void CPanel::SetAnchor(int anchor)
{
    if (!(anchor & (kAnchorTop | kAnchorBottom | kAnchorCenterV)))
        anchor |= kAnchorTop;
    if (!(anchor & (kAnchorLeft | kAnchorRight | kAnchorCenterH)))
        anchor |= kAnchorLeft;
    anchor_ = anchor;
}

bool CPanel::SetMinSize(const QSize& size)
{
    if (size.width() > maxSize_.width() || size.height() > maxSize_.height())
        return false;
    minSize_ = size;
    return true;
}

bool CPanel::SetMaxSize(const QSize& size)
{
    if (size.width() < minSize_.width() || size.height() < minSize_.height())
        return false;
    maxSize_ = size;
    return true;
}

void CPanel::SetLimits(const QSize& minimum, const QSize& maximum)
{
    minSize_ = minimum;
    maxSize_ = maximum;
}

QString CPanel::Describe() const
{
    // Built piece by piece: names come from definitions and may hold '%'.
    const auto n = [](qsizetype value) { return QString::number(value); };
    return QStringLiteral("Name(") + name_ + QStringLiteral("), Type(") + TypeName() +
           QStringLiteral("), Anchor(") + n(anchor_) + QStringLiteral("), Size(w:") +
           n(rect_.width()) + QStringLiteral(", h:") + n(rect_.height()) +
           QStringLiteral("), Area(l:") + n(rect_.x()) + QStringLiteral(", t:") + n(rect_.y()) +
           QStringLiteral(", r:") + n(RightEdge(rect_)) + QStringLiteral(", b:") +
           n(BottomEdge(rect_)) + QStringLiteral("), MinSize(w:") + n(minSize_.width()) +
           QStringLiteral(", h:") + n(minSize_.height()) + QStringLiteral("), MaxSize(w:") +
           n(maxSize_.width()) + QStringLiteral(", h:") + n(maxSize_.height()) +
           QStringLiteral("), Parent(") + (parent_ ? parent_->name_ : QString()) +
           QStringLiteral("), ChildrenCount(") + n(qsizetype(children_.size())) +
           QStringLiteral(")");
}

IResizerWindow* CPanel::Window() const
{
    return parent_ ? parent_->Window() : nullptr;
}

CPanel* CPanel::Find(const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    const QString folded = name.toCaseFolded();
    return FindFolded(folded, qHash(folded));
}

CPanel* CPanel::FindFolded(const QString& folded, size_t hash)
{
    if (foldedHash_ == hash && folded_ == folded)
        return this;
    for (const auto& child : children_) {
        if (CPanel* found = child->FindFolded(folded, hash))
            return found;
    }
    return nullptr;
}

bool CPanel::Contains(const CPanel* panel) const
{
    for (const CPanel* p = panel; p; p = p->parent_) {
        if (p == this)
            return true;
    }
    return false;
}

CRootPanel::CRootPanel(const QRect& rect, IResizerWindow* window)
    : CPanel(rect, QStringLiteral("_root"))
    , window_(window)
{
}

CUIPanel::CUIPanel(const QRect& rect, int windowId)
    : CPanel(rect, QString::number(windowId))
    , windowId_(windowId)
{
}

} // namespace zk::layout
