#pragma once

#include <QRect>
#include <QSize>

#include <optional>
#include <vector>

// What the layout engine needs of the window it manages. The engine is pure
// geometry: it asks for the client area, the scroll state and the controls'
// rectangles, and hands back the new rectangles in one batch. The widget
// applier implements this for a QWidget; tests implement it over a map.

namespace zk::layout {

// Scroll bars in the terms the layout uses: a present bar makes the root as
// wide (high) as the range maximum, the scrollable extent, and shifts it by
// the position.
struct ScrollInfo {
    bool horizontal = false;
    int horizontalMax = 0;
    int horizontalPos = 0;
    bool vertical = false;
    int verticalMax = 0;
    int verticalPos = 0;
};

struct ControlMove {
    int windowId = 0;
    QRect rect; // client coordinates of the hooked window
};

class IResizerWindow {
public:
    virtual ~IResizerWindow() = default;

    virtual QRect ClientRect() const = 0;
    virtual ScrollInfo Scroll() const { return {}; }
    // Size of the size grip in the bottom-right corner.
    virtual QSize GripSize() const = 0;
    // A control's current rectangle in client coordinates; nothing when the
    // window has no control with that id.
    virtual std::optional<QRect> ControlRect(int windowId) const = 0;
    // Moves every listed control at once, with one repaint at the end.
    virtual void MoveControls(const std::vector<ControlMove>& batch) = 0;
    virtual void Invalidate(const QRect& area) = 0;
    // The root's size limits, which bound the window's own size.
    virtual void SizeLimits(const QSize& minimum, const QSize& maximum)
    {
        Q_UNUSED(minimum);
        Q_UNUSED(maximum);
    }
};

} // namespace zk::layout
