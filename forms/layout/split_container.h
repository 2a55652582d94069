#pragma once

#include "forms/layout/visual_panel.h"

namespace zk::layout {

// The bar between the two panes of a split container; it owns the dotted
// grip, 12 pixels long along the bar, centred both ways.
class CSpitterPanel : public CPanel {
public:
    CSpitterPanel(const QRect& rect, Orientation orientation);
    QString TypeName() const override { return QStringLiteral("CSpitterPanel"); }
    Orientation GetOrientation() const { return orientation_; }
    CSplitterGripperPanel* Grip() const { return grip_; }

private:
    Orientation orientation_;
    CSplitterGripperPanel* grip_ = nullptr; // owned as the only child
};

// Wraps one pane of a split container: it takes over the pane's rectangle,
// name and size limits and holds the pane as its child, anchored on all four
// edges. The pane itself is left without a name, so the pane's name (a control
// window id, a group's "T" name) now finds this wrapper.
class CSplitPanel : public CPanel {
public:
    explicit CSplitPanel(std::unique_ptr<CPanel> pane);
    QString TypeName() const override { return QStringLiteral("CSplitPanel"); }
};

// Two panes and the splitter between them. The panes share the container by
// a ratio (pane 1 size / container size) that dragging the splitter changes;
// the pane minimums hold, pane 2's first.
class CSplitContainer : public CPanel {
public:
    // The panes must already be wrapped; the container's rectangle is their
    // union and the splitter fills the gap between them.
    CSplitContainer(const QRect& rect, const QString& name, Orientation orientation,
                    std::unique_ptr<CSplitPanel> pane1, std::unique_ptr<CSplitPanel> pane2);

    void OnResized() override;
    bool AcceptsChildren() const override { return Children().size() < 3; }
    QString TypeName() const override { return QStringLiteral("CSplitContainer"); }

    // Puts pane 1's far edge at position - grabOffset (a coordinate along the
    // container's axis), then lays the container out again.
    void Drag(int position, int grabOffset);

    Orientation GetOrientation() const { return orientation_; }
    CSplitPanel* Pane1() const { return pane1_; }
    CSplitPanel* Pane2() const { return pane2_; }
    CSpitterPanel* Splitter() const { return splitter_; }
    int SplitterWidth() const { return splitterWidth_; }
    double Ratio() const { return ratio_; }
    // Always 0 (proportional) and clear (draggable) in this program.
    int FixedPane() const { return fixedPane_; }
    bool IsLocked() const { return locked_; }

private:
    struct Axis; // near/far edges along the container's orientation
    int Size() const;
    void UpdateRatio();

    Orientation orientation_;
    CSplitPanel* pane1_ = nullptr;
    CSplitPanel* pane2_ = nullptr;
    CSpitterPanel* splitter_ = nullptr;
    int splitterWidth_ = 0;
    double ratio_ = 0.5;
    int fixedPane_ = 0;
    bool locked_ = false;
};

} // namespace zk::layout
