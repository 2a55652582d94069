#pragma once

#include "forms/controls/control_kind.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

namespace zk {

// Window id of an element id: element id + 1024.
inline constexpr int kWindowIdBase = 1024;
inline constexpr int WindowIdOfElement(int elementId)
{
    return elementId + kWindowIdBase;
}

// The form's window-id registry: every control the form made, by window id,
// in creation order. The form owns the widgets (as their Qt parent); the
// registry only refers to them, so a destroyed widget is no longer found.
// With two controls of one id the first one made is found, as a look-up of
// the child windows by id always gave.
class ControlRegistry {
public:
    // Records the control and tags it with its window id.
    void Register(int windowId, QWidget* control);
    QWidget* Find(int windowId) const;
    // The controls in creation order (destroyed ones left out).
    QList<QWidget*> Controls() const;
    // Calls fn(windowId, control) for each of them, in creation order.
    template <typename Fn> void ForEach(Fn&& fn) const
    {
        for (const Entry& entry : controls_) {
            if (entry.widget)
                fn(entry.windowId, entry.widget.data());
        }
    }
    int Count() const { return int(controls_.size()); }

private:
    struct Entry {
        int windowId;
        QPointer<QWidget> widget;
    };
    QList<Entry> controls_;
    QHash<int, qsizetype> firstById_;
};

// The window id a registered control was given, or 0.
int WindowIdOf(const QWidget* control);
// Element id = window id − 1024 (−1024 for an unregistered widget).
int ElementIdOf(const QWidget* control);

} // namespace zk
