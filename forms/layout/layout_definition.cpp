#include "forms/layout/layout_definition.h"

#include "util/numbers.h"

#include <QStringList>

namespace zk::layout {

namespace {

// Window ids are element ids + 1024.
constexpr int kWindowIdBase = 1024;

// A pane part of a split's value: a "T" name, or an element id.
PaneRef ToPane(const QString& part)
{
    if (part.startsWith(u'T'))
        return PaneRef(part);
    return PaneRef(ToInt(part) + kWindowIdBase);
}

void ApplySplit(CWndResizer& resizer, const LayoutElement& element)
{
    // Empty parts (a trailing ";") name nothing; a value with fewer than two
    // panes cannot be split, extra parts are ignored.
    const QStringList parts = element.value.split(u';', Qt::SkipEmptyParts);
    if (parts.size() < 2)
        return;
    if (!resizer.CreateSplitContainer(element.name, ToPane(parts[0]), ToPane(parts[1])))
        return;
    if (element.desp > 0)
        resizer.MovePanelInto(element.name, element.desp + kWindowIdBase);
    resizer.SetAnchor(element.name, kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom);
    resizer.ShowSplitterGrip(element.name, true);
}

void ApplyGroup(CWndResizer& resizer, const LayoutElement& element)
{
    if (element.targetIds.isEmpty())
        return;
    const QString name = QStringLiteral("T") + QString::number(element.id);
    QList<int> windowIds;
    for (int id : element.targetIds)
        windowIds.append(id + kWindowIdBase);
    if (!resizer.CreateFlowLayoutPanel(name, windowIds))
        return;
    resizer.SetFlowSpacing(name, element.hgap, element.vgap);
    if (element.desp > 0)
        resizer.MovePanelInto(name, element.desp + kWindowIdBase);
    resizer.SetAnchor(name, element.director);
    resizer.SetFlowDirection(name, element.style);
}

} // namespace

void ApplyLayoutDefinition(CWndResizer& resizer, const std::vector<LayoutElement>& elements,
                           bool embedded)
{
    for (const LayoutElement& element : elements) {
        switch (element.kind) {
        case LayoutElement::Kind::Split:
            ApplySplit(resizer, element);
            break;
        case LayoutElement::Kind::Group:
            ApplyGroup(resizer, element);
            break;
        case LayoutElement::Kind::Control:
            if (element.hidden != 2)
                resizer.SetAnchor(element.id + kWindowIdBase, element.director);
            break;
        }
    }
    if (!embedded)
        resizer.ShowResizeGrip(true);
    resizer.Relayout();
}

} // namespace zk::layout
