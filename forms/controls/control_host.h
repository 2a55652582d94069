#pragma once

#include <QString>

class QWidget;

namespace zk {

class ControlRegistry;

// What the value operations need of a form window: the form itself, its
// controls, the form that opened it (or holds it as a tab page) and the
// buttons the user's rights forbid. The form window implements it; its tab
// pages are form windows too, so a page widget is also a ControlHost.
class ControlHost {
public:
    virtual ~ControlHost() = default;

    virtual QWidget* HostWidget() const = 0;
    virtual const ControlRegistry& Registry() const = 0;
    // The opener of a pop-up, or the form that holds this tab page; null for a
    // top-level form.
    virtual const ControlHost* Opener() const = 0;
    // ";" followed by "id;" for every forbidden button, e.g. ";7;9;".
    virtual QString ForbiddenIds() const = 0;
};

} // namespace zk
