#pragma once

#include "forms/layout/flow_layout_panel.h"
#include "forms/layout/panel.h"
#include "forms/layout/resizer_window.h"
#include "forms/layout/split_container.h"
#include "forms/layout/visual_panel.h"

#include <QList>
#include <QPoint>
#include <QString>

#include <memory>
#include <vector>

namespace zk::layout {

// A pane of a split container: a panel name, or a control by window id.
struct PaneRef {
    PaneRef(const QString& panelName)
        : name(panelName)
    {
    }
    PaneRef(const char* panelName)
        : name(QString::fromUtf8(panelName))
    {
    }
    PaneRef(int controlWindowId)
        : windowId(controlWindowId)
        , byId(true)
    {
    }

    QString name;
    int windowId = 0;
    bool byId = false;
};

// Keeps the controls of one window in place when it is resized or scrolled:
// a tree of panels (one per anchored control, flow panels, split containers)
// recomputed from the anchors, and all controls moved in one batch. The
// engine is geometry only; IResizerWindow connects it to a real window.
class CWndResizer {
public:
    using CPanel = layout::CPanel;
    using CRootPanel = layout::CRootPanel;
    using CUIPanel = layout::CUIPanel;
    using CVisualPanel = layout::CVisualPanel;
    using CGripperPanel = layout::CGripperPanel;
    using CSplitterGripperPanel = layout::CSplitterGripperPanel;
    using CSpitterPanel = layout::CSpitterPanel;
    using CSplitPanel = layout::CSplitPanel;
    using CSplitContainer = layout::CSplitContainer;
    using CFlowLayoutPanel = layout::CFlowLayoutPanel;

    CWndResizer();
    ~CWndResizer();
    CWndResizer(const CWndResizer&) = delete;
    CWndResizer& operator=(const CWndResizer&) = delete;

    // Takes the window's client area as the root and puts the (hidden) size
    // grip into its bottom-right corner. Hooking again starts a new tree.
    bool Hook(IResizerWindow& window);
    // The window is going away: every panel is deleted.
    void Unhook();
    bool IsHooked() const { return window_ != nullptr; }

    // By name: the named panel. By id: the control's panel, made and added to
    // the root when it has none. False when neither exists.
    bool SetAnchor(const QString& panelName, int anchor);
    bool SetAnchor(int windowId, int anchor);
    // False and nothing changed when the name is taken, a pane is missing or
    // unusable, both are the same, either is already a split pane, or the
    // rectangles overlap or lie neither side by side nor above each other.
    bool CreateSplitContainer(const QString& name, const PaneRef& paneA, const PaneRef& paneB);
    // False and nothing changed when the name is taken, the list is empty, or
    // a listed control is missing or already has a panel.
    bool CreateFlowLayoutPanel(const QString& name, const QList<int>& windowIds);
    bool SetFlowSpacing(const QString& name, int horizontal, int vertical);
    // 1 left to right, any other value top to bottom.
    bool SetFlowDirection(const QString& name, int direction);
    // Moves the named panel into the control's panel (made as by SetAnchor);
    // its margins are recorded anew.
    bool MovePanelInto(const QString& name, int windowId);
    bool ShowSplitterGrip(const QString& name, bool show);
    void ShowResizeGrip(bool show);
    // Lays the whole tree out over the current client area and scroll state
    // and moves every control.
    void Relayout();

    // Splitter handling, from the hooked window's own mouse messages (not
    // those of its controls). overWindow: the pointer is over the hooked
    // window itself, not over one of its controls.
    void OnMouseMove(const QPoint& pos, bool leftHeld, bool overWindow);
    void OnLeftButtonDown(const QPoint& pos);
    void OnLeftButtonUp(const QPoint& pos, bool overWindow);
    // The splitter under the pointer, or nullptr; its orientation picks the
    // cursor.
    const CSpitterPanel* ActiveSplitter() const { return active_; }
    bool IsDragging() const { return dragging_; }

    CRootPanel* Root() const { return root_.get(); }
    CPanel* FindPanel(const QString& name) const;
    // The visual panels to draw, in tree order.
    std::vector<const CVisualPanel*> VisiblePanels() const;

private:
    CPanel* ControlPanel(int windowId);
    void MoveWindows(const CPanel& subtree, const QRect& area);
    CSpitterPanel* SplitterAt(const QPoint& pos) const;

    IResizerWindow* window_ = nullptr;
    std::unique_ptr<CRootPanel> root_;
    CGripperPanel* grip_ = nullptr;
    CSpitterPanel* active_ = nullptr;
    bool dragging_ = false;
    int grabOffset_ = 0;
};

} // namespace zk::layout

namespace zk {
using layout::CWndResizer;
} // namespace zk
