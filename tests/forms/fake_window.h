#pragma once

#include "forms/layout/resizer_window.h"

#include <map>
#include <ostream>
#include <vector>

// Readable rectangles in failure messages (found by argument lookup).
inline void PrintTo(const QRect& r, std::ostream* os)
{
    *os << "(" << r.x() << "," << r.y() << "," << r.x() + r.width() << "," << r.y() + r.height()
        << ")";
}

namespace zk::test {

// A window for the geometry: controls are rectangles by window id.
class FakeWindow : public layout::IResizerWindow {
public:
    QRect client{0, 0, 400, 300};
    layout::ScrollInfo scroll;
    std::map<int, QRect> controls;
    int batches = 0;
    std::vector<int> lastBatch;
    QSize minimum, maximum;

    QRect ClientRect() const override { return client; }
    layout::ScrollInfo Scroll() const override { return scroll; }
    QSize GripSize() const override { return QSize(16, 16); }
    std::optional<QRect> ControlRect(int windowId) const override
    {
        const auto it = controls.find(windowId);
        if (it == controls.end())
            return std::nullopt;
        return it->second;
    }
    void MoveControls(const std::vector<layout::ControlMove>& batch) override
    {
        ++batches;
        lastBatch.clear();
        for (const auto& move : batch) {
            controls[move.windowId] = move.rect;
            lastBatch.push_back(move.windowId);
        }
    }
    void Invalidate(const QRect&) override {}
    void SizeLimits(const QSize& min, const QSize& max) override
    {
        minimum = min;
        maximum = max;
    }

    void Resize(int width, int height) { client = QRect(0, 0, width, height); }
};

// Rectangles written as in the definitions: left, top, right, bottom.
inline QRect Edges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

} // namespace zk::test
