#include "forms/layout/visual_panel.h"

namespace zk::layout {

CVisualPanel::CVisualPanel(const QRect& rect, const QString& name)
    : CPanel(rect, name)
    , drawn_(rect)
{
}

void CVisualPanel::OnResized()
{
    if (IResizerWindow* window = Window(); window && visible_ && drawn_ != Rect()) {
        window->Invalidate(drawn_);
        window->Invalidate(Rect());
    }
    drawn_ = Rect();
    CPanel::OnResized();
}

bool CVisualPanel::SetVisible(bool visible)
{
    if (visible_ == visible)
        return false;
    visible_ = visible;
    if (IResizerWindow* window = Window())
        window->Invalidate(Rect());
    return true;
}

CGripperPanel::CGripperPanel(const QRect& rect)
    : CVisualPanel(rect, QStringLiteral("_resizeGrip"))
{
    SetAnchor(kAnchorRight | kAnchorBottom);
}

CSplitterGripperPanel::CSplitterGripperPanel(const QRect& rect, Orientation orientation)
    : CVisualPanel(rect)
    , orientation_(orientation)
{
    SetAnchor(kAnchorCenterH | kAnchorCenterV);
    SetMinSize(QSize(2, 2));
}

} // namespace zk::layout
