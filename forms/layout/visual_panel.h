#pragma once

#include "forms/layout/panel.h"

namespace zk::layout {

enum class Orientation {
    SideBySide = 1, // panes left and right, a vertical splitter bar
    Stacked = 2,    // panes above each other, a horizontal bar
};

// A panel that is drawn on the hooked window (under its controls) while its
// visible flag is set. A layout invalidates its old and its new rectangle.
class CVisualPanel : public CPanel {
public:
    explicit CVisualPanel(const QRect& rect, const QString& name = QString());
    void OnResized() override;
    QString TypeName() const override { return QStringLiteral("CVisualPanel"); }

    bool IsVisible() const { return visible_; }
    // Returns whether the flag changed.
    bool SetVisible(bool visible);

private:
    bool visible_ = false;
    QRect drawn_; // the rectangle as of the last layout
};

// The size grip in the window's bottom-right corner.
class CGripperPanel : public CVisualPanel {
public:
    explicit CGripperPanel(const QRect& rect);
    QString TypeName() const override { return QStringLiteral("CGripperPanel"); }
};

// The dotted grip in the middle of a splitter bar.
class CSplitterGripperPanel : public CVisualPanel {
public:
    CSplitterGripperPanel(const QRect& rect, Orientation orientation);
    QString TypeName() const override { return QStringLiteral("CSplitterGripperPanel"); }
    Orientation GetOrientation() const { return orientation_; }

private:
    Orientation orientation_;
};

} // namespace zk::layout
