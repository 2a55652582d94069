#pragma once

#include "forms/layout/wnd_resizer.h"

#include <QList>
#include <QString>

#include <vector>

namespace zk::layout {

// One child of a form body's dialog element as the layout pass reads it. The
// body reader fills these in document order, with the attribute defaults of
// the definition format already applied.
struct LayoutElement {
    enum class Kind {
        Split,   // a `split` element
        Group,   // a `group` element
        Control, // any other element: an ordinary control
    };

    Kind kind = Kind::Control;
    QString name;         // split: `id`, the container's name
    int id = 0;           // group: panel "T" + id; control: element id
    QString value;        // split: "A;B", panes by "T" name or element id
    QList<int> targetIds; // group: `value`, the element ids it arranges
    int desp = 0;         // split, group: element id of the control to sit in
    int director = 3;     // anchors: a control defaults to 3, a group to 15
    int style = 1;        // group: 1 rows, other values columns
    int hgap = 0;         // group: width of `pos`
    int vgap = 0;         // group: height of `pos`
    int hidden = 0;       // control: 2 keeps it out of the layout
};

// The form's layout pass after Hook: per element in document order the
// split, group or anchor calls, then the size grip unless the form is
// embedded in another one, then Relayout. An element that cannot be built is
// left out; the calls that would refine it are skipped.
void ApplyLayoutDefinition(CWndResizer& resizer, const std::vector<LayoutElement>& elements,
                           bool embedded);

} // namespace zk::layout

namespace zk {
using layout::ApplyLayoutDefinition;
using layout::LayoutElement;
} // namespace zk
