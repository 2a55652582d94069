#pragma once

#include <QHeaderView>

#include <functional>

namespace zk {

// The grid's column header. It has no behaviour of its own beyond keeping the
// user away from fixed columns and telling when a divider drag ended; the
// grid decides everything else. A fixed column is also put in the Fixed
// resize mode by the grid, which keeps its divider from being dragged or
// double-clicked; this class swallows clicks on its caption.
class CHeaderCtrlZk : public QHeaderView {
    Q_OBJECT

public:
    using FixedTest = std::function<bool(int logicalIndex)>;

    explicit CHeaderCtrlZk(QWidget* parent = nullptr);

    void SetFixedTest(FixedTest test) { isFixed_ = std::move(test); }

signals:
    // The user released the mouse after dragging the divider of a column.
    void dividerDragFinished(int logicalIndex, int size);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int DividerAt(int position) const;
    bool IsFixedCaptionAt(const QPoint& position) const;

    FixedTest isFixed_;
    bool pressed_ = false;
    int resized_ = -1;
};

} // namespace zk
