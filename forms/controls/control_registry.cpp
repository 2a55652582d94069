#include "forms/controls/control_registry.h"

namespace zk {

namespace {

constexpr char kWindowIdProperty[] = "zkWindowId";

} // namespace

void ControlRegistry::Register(int windowId, QWidget* control)
{
    if (!control)
        return;
    if (ControlTag* tag = ControlTagOf(control))
        tag->SetTaggedWindowId(windowId);
    else
        control->setProperty(kWindowIdProperty, windowId);
    if (!firstById_.contains(windowId) || !controls_[firstById_[windowId]].widget)
        firstById_[windowId] = controls_.size();
    controls_.append({windowId, control});
}

QWidget* ControlRegistry::Find(int windowId) const
{
    const auto it = firstById_.constFind(windowId);
    if (it == firstById_.constEnd())
        return nullptr;
    if (QWidget* widget = controls_[*it].widget)
        return widget;
    // The first one is gone; a later control of the same id stands in.
    for (const Entry& entry : controls_) {
        if (entry.windowId == windowId && entry.widget)
            return entry.widget;
    }
    return nullptr;
}

QList<QWidget*> ControlRegistry::Controls() const
{
    QList<QWidget*> widgets;
    for (const Entry& entry : controls_) {
        if (entry.widget)
            widgets.append(entry.widget);
    }
    return widgets;
}

int WindowIdOf(const QWidget* control)
{
    if (!control)
        return 0;
    if (const ControlTag* tag = ControlTagOf(control))
        return tag->TaggedWindowId();
    return control->property(kWindowIdProperty).toInt();
}

int ElementIdOf(const QWidget* control)
{
    return WindowIdOf(control) - kWindowIdBase;
}

} // namespace zk
