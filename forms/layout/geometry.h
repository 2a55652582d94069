#pragma once

#include <QRect>

#include <algorithm>

// Rectangles of the layout engine are left, top, right, bottom with exclusive
// right and bottom edges, as in the definitions. QRect stores them as origin
// and size; these helpers give the exclusive edges without QRect's inclusive
// right() and bottom().

namespace zk::layout {

// Anchor bits of a panel (the `director` attribute of a definition).
enum AnchorBits : int {
    kAnchorLeft = 1,
    kAnchorTop = 2,
    kAnchorRight = 4,
    kAnchorBottom = 8,
    kAnchorCenterH = 16,
    kAnchorCenterV = 32,
    // Left and right together: the left edge gives way at the size limits.
    kAnchorKeepRight = 64,
    // Top and bottom together: the top edge gives way at the size limits.
    kAnchorKeepBottom = 128,
};

inline int RightEdge(const QRect& r)
{
    return r.x() + r.width();
}

inline int BottomEdge(const QRect& r)
{
    return r.y() + r.height();
}

inline QRect FromEdges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

// The smallest rectangle holding both, also for rectangles of zero width or
// height (QRect::united skips those).
inline QRect Union(const QRect& a, const QRect& b)
{
    return FromEdges(std::min(a.x(), b.x()), std::min(a.y(), b.y()),
                     std::max(RightEdge(a), RightEdge(b)), std::max(BottomEdge(a), BottomEdge(b)));
}

inline bool Overlap(const QRect& a, const QRect& b)
{
    return a.x() < RightEdge(b) && b.x() < RightEdge(a) && a.y() < BottomEdge(b) &&
           b.y() < BottomEdge(a);
}

inline bool Inside(const QRect& r, const QPoint& p)
{
    return p.x() >= r.x() && p.x() < RightEdge(r) && p.y() >= r.y() && p.y() < BottomEdge(r);
}

} // namespace zk::layout
