#pragma once

#include "forms/layout/panel.h"

namespace zk::layout {

enum class FlowDirection {
    LeftToRight, // rows, wrapping to a new row below
    TopToBottom, // columns, wrapping to a new column on the right
};

// Arranges its children in rows or columns. The children keep their sizes;
// a child that would pass the panel's far edge starts a new row (column),
// below the tallest (right of the widest) child of the previous one.
class CFlowLayoutPanel : public CPanel {
public:
    CFlowLayoutPanel(const QRect& rect, const QString& name);
    void OnResized() override;
    QString TypeName() const override { return QStringLiteral("CFlowLayoutPanel"); }

    FlowDirection Direction() const { return direction_; }
    void SetDirection(FlowDirection direction) { direction_ = direction; }
    int HorizontalSpacing() const { return hSpacing_; }
    int VerticalSpacing() const { return vSpacing_; }
    void SetSpacing(int horizontal, int vertical);

private:
    FlowDirection direction_ = FlowDirection::LeftToRight;
    int hSpacing_ = 0;
    int vSpacing_ = 0;
};

} // namespace zk::layout
