#include "forms/layout/wnd_resizer.h"

#include <QSet>

#include <algorithm>

namespace zk::layout {

namespace {

template <class Visitor> void Visit(const CPanel& panel, const Visitor& visit)
{
    visit(panel);
    for (const auto& child : panel.Children())
        Visit(*child, visit);
}

// Panels that belong to the structure of another panel and cannot be taken
// out of it: the root, the grips, split panes and splitters.
bool IsStructural(const CPanel& panel)
{
    return !panel.Parent() || dynamic_cast<const CVisualPanel*>(&panel) ||
           dynamic_cast<const CSplitPanel*>(&panel) || dynamic_cast<const CSpitterPanel*>(&panel);
}

QString ControlName(int windowId)
{
    return QString::number(windowId);
}

// A pane as found before anything changes: an existing panel, or a control
// that has no panel yet and would get one.
struct Pane {
    CPanel* panel = nullptr;
    int windowId = 0;
    QRect rect;
    bool found = false;

    std::unique_ptr<CPanel> Take() const
    {
        if (panel)
            return panel->Parent()->RemoveChild(panel);
        return std::make_unique<CUIPanel>(rect, windowId);
    }
};

} // namespace

CWndResizer::CWndResizer() = default;
CWndResizer::~CWndResizer() = default;

bool CWndResizer::Hook(IResizerWindow& window)
{
    Unhook();
    window_ = &window;
    const QRect client = window.ClientRect();
    root_ = std::make_unique<CRootPanel>(client, &window);
    const QSize size = window.GripSize();
    auto grip = std::make_unique<CGripperPanel>(FromEdges(RightEdge(client) - size.width(),
                                                          BottomEdge(client) - size.height(),
                                                          RightEdge(client), BottomEdge(client)));
    grip_ = grip.get();
    root_->AddChild(std::move(grip));
    return true;
}

void CWndResizer::Unhook()
{
    active_ = nullptr;
    dragging_ = false;
    grip_ = nullptr;
    root_.reset();
    window_ = nullptr;
}

CPanel* CWndResizer::FindPanel(const QString& name) const
{
    return root_ ? root_->Find(name) : nullptr;
}

CPanel* CWndResizer::ControlPanel(int windowId)
{
    if (!root_)
        return nullptr;
    if (CPanel* panel = FindPanel(ControlName(windowId)))
        return panel;
    const std::optional<QRect> rect = window_->ControlRect(windowId);
    if (!rect)
        return nullptr;
    auto panel = std::make_unique<CUIPanel>(*rect, windowId);
    CPanel* added = panel.get();
    root_->AddChild(std::move(panel));
    return added;
}

bool CWndResizer::SetAnchor(const QString& panelName, int anchor)
{
    CPanel* panel = FindPanel(panelName);
    if (!panel)
        return false;
    panel->SetAnchor(anchor);
    return true;
}

bool CWndResizer::SetAnchor(int windowId, int anchor)
{
    CPanel* panel = ControlPanel(windowId);
    if (!panel)
        return false;
    panel->SetAnchor(anchor);
    return true;
}

bool CWndResizer::CreateSplitContainer(const QString& name, const PaneRef& paneA,
                                       const PaneRef& paneB)
{
    if (!root_ || FindPanel(name))
        return false;
    const auto resolve = [this](const PaneRef& ref) {
        Pane pane;
        pane.windowId = ref.windowId;
        pane.panel = FindPanel(ref.byId ? ControlName(ref.windowId) : ref.name);
        if (pane.panel) {
            pane.rect = pane.panel->Rect();
            pane.found = !IsStructural(*pane.panel);
        } else if (ref.byId) {
            const std::optional<QRect> rect = window_->ControlRect(ref.windowId);
            pane.found = rect.has_value();
            pane.rect = rect.value_or(QRect());
        }
        return pane;
    };
    const Pane a = resolve(paneA);
    const Pane b = resolve(paneB);
    if (!a.found || !b.found)
        return false;
    if (a.panel ? a.panel == b.panel : (!b.panel && a.windowId == b.windowId))
        return false;
    if (Overlap(a.rect, b.rect))
        return false;
    Orientation orientation = Orientation::SideBySide;
    if (RightEdge(a.rect) < b.rect.x())
        orientation = Orientation::SideBySide;
    else if (BottomEdge(a.rect) < b.rect.y())
        orientation = Orientation::Stacked;
    else
        return false;

    const QRect area = Union(a.rect, b.rect);
    auto wrappedA = std::make_unique<CSplitPanel>(a.Take());
    auto wrappedB = std::make_unique<CSplitPanel>(b.Take());
    root_->AddChild(std::make_unique<CSplitContainer>(area, name, orientation, std::move(wrappedA),
                                                      std::move(wrappedB)));
    return true;
}

bool CWndResizer::CreateFlowLayoutPanel(const QString& name, const QList<int>& windowIds)
{
    if (!root_ || FindPanel(name) || windowIds.isEmpty())
        return false;
    std::vector<QRect> rects;
    QSet<int> seen;
    for (int id : windowIds) {
        // A control that already has a panel (an earlier element anchored it,
        // or it is listed twice) cannot be arranged by the group.
        if (seen.contains(id) || FindPanel(ControlName(id)))
            return false;
        const std::optional<QRect> rect = window_->ControlRect(id);
        if (!rect)
            return false;
        seen.insert(id);
        rects.push_back(*rect);
    }
    QRect area = rects.front();
    for (const QRect& r : rects)
        area = Union(area, r);
    auto flow = std::make_unique<CFlowLayoutPanel>(area, name);
    for (qsizetype k = 0; k < windowIds.size(); ++k)
        flow->AddChild(std::make_unique<CUIPanel>(rects[size_t(k)], windowIds[k]));
    root_->AddChild(std::move(flow));
    return true;
}

bool CWndResizer::SetFlowSpacing(const QString& name, int horizontal, int vertical)
{
    auto* flow = dynamic_cast<CFlowLayoutPanel*>(FindPanel(name));
    if (!flow)
        return false;
    flow->SetSpacing(horizontal, vertical);
    return true;
}

bool CWndResizer::SetFlowDirection(const QString& name, int direction)
{
    auto* flow = dynamic_cast<CFlowLayoutPanel*>(FindPanel(name));
    if (!flow)
        return false;
    flow->SetDirection(direction == 1 ? FlowDirection::LeftToRight : FlowDirection::TopToBottom);
    return true;
}

bool CWndResizer::MovePanelInto(const QString& name, int windowId)
{
    CPanel* panel = FindPanel(name);
    if (!panel || IsStructural(*panel))
        return false;
    // The target must not lie inside the panel that moves: it would end up
    // owning itself.
    CPanel* target = FindPanel(ControlName(windowId));
    if (target && (panel->Contains(target) || !target->AcceptsChildren()))
        return false;
    if (!target)
        target = ControlPanel(windowId);
    if (!target)
        return false;
    return target->AddChild(panel->Parent()->RemoveChild(panel));
}

bool CWndResizer::ShowSplitterGrip(const QString& name, bool show)
{
    auto* container = dynamic_cast<CSplitContainer*>(FindPanel(name));
    if (!container)
        return false;
    container->Splitter()->Grip()->SetVisible(show);
    return true;
}

void CWndResizer::ShowResizeGrip(bool show)
{
    if (grip_ && grip_->SetVisible(show))
        window_->Invalidate(window_->ClientRect());
}

void CWndResizer::Relayout()
{
    if (!root_)
        return;
    QRect area = window_->ClientRect();
    const ScrollInfo scroll = window_->Scroll();
    if (scroll.horizontal)
        area =
            QRect(area.x() - scroll.horizontalPos, area.y(), scroll.horizontalMax, area.height());
    if (scroll.vertical)
        area = QRect(area.x(), area.y() - scroll.verticalPos, area.width(), scroll.verticalMax);
    const QSize minimum = root_->MinSize();
    const QSize maximum = root_->MaxSize();
    area.setSize(QSize(std::clamp(area.width(), minimum.width(), maximum.width()),
                       std::clamp(area.height(), minimum.height(), maximum.height())));
    root_->SetRect(area);
    root_->OnResized();
    window_->SizeLimits(minimum, maximum);
    MoveWindows(*root_, area);
}

void CWndResizer::MoveWindows(const CPanel& subtree, const QRect& area)
{
    std::vector<ControlMove> batch;
    Visit(subtree, [&batch](const CPanel& panel) {
        if (const auto* ui = dynamic_cast<const CUIPanel*>(&panel))
            batch.push_back(ControlMove{ui->WindowId(), ui->Rect()});
    });
    window_->MoveControls(batch);
    window_->Invalidate(area);
}

std::vector<const CVisualPanel*> CWndResizer::VisiblePanels() const
{
    std::vector<const CVisualPanel*> panels;
    if (root_) {
        Visit(*root_, [&panels](const CPanel& panel) {
            const auto* visual = dynamic_cast<const CVisualPanel*>(&panel);
            if (visual && visual->IsVisible())
                panels.push_back(visual);
        });
    }
    return panels;
}

CSpitterPanel* CWndResizer::SplitterAt(const QPoint& pos) const
{
    CSpitterPanel* found = nullptr;
    if (root_) {
        Visit(*root_, [&](const CPanel& panel) {
            const auto* splitter = dynamic_cast<const CSpitterPanel*>(&panel);
            const auto* container =
                splitter ? dynamic_cast<const CSplitContainer*>(splitter->Parent()) : nullptr;
            if (!found && container && !container->IsLocked() && Inside(panel.Rect(), pos))
                found = container->Splitter();
        });
    }
    return found;
}

void CWndResizer::OnMouseMove(const QPoint& pos, bool leftHeld, bool overWindow)
{
    if (!active_) {
        dragging_ = false;
        if (overWindow)
            active_ = SplitterAt(pos);
        return;
    }
    if (leftHeld) {
        if (dragging_) {
            auto* container = static_cast<CSplitContainer*>(active_->Parent());
            const bool side = container->GetOrientation() == Orientation::SideBySide;
            container->Drag(side ? pos.x() : pos.y(), grabOffset_);
            MoveWindows(*container, container->Rect());
        }
        return;
    }
    if (!overWindow || !Inside(active_->Rect(), pos)) {
        active_ = nullptr;
        dragging_ = false;
    }
}

void CWndResizer::OnLeftButtonDown(const QPoint& pos)
{
    if (!active_)
        return;
    if (!Inside(active_->Rect(), pos)) {
        active_ = nullptr;
        return;
    }
    const auto* container = static_cast<const CSplitContainer*>(active_->Parent());
    const bool side = container->GetOrientation() == Orientation::SideBySide;
    const int offset = side ? pos.x() - active_->Rect().x() : pos.y() - active_->Rect().y();
    grabOffset_ = std::clamp(offset, 0, container->SplitterWidth());
    dragging_ = true;
}

void CWndResizer::OnLeftButtonUp(const QPoint& pos, bool overWindow)
{
    dragging_ = false;
    if (active_ && (!overWindow || !Inside(active_->Rect(), pos)))
        active_ = nullptr;
}

} // namespace zk::layout
