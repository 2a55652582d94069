#pragma once

#include <QString>
#include <QStringList>

namespace zk {

// What the query commands need of a picture control in tree-list mode. The
// tree-list renderer (installed on ZkPicture for DisplayMode::TreeList)
// implements it; the commands find it by a dynamic_cast of that renderer.
class TreeListRows {
public:
    virtual ~TreeListRows() = default;

    // The key of the selected row, empty without a selection.
    virtual QString SelectedRowKey() const = 0;
    // Gives the items of one level (the root item is level 0, the items
    // directly under it level 1, …), visited depth first in the order of the
    // item lists, the captions in order. Items beyond the captions keep
    // theirs; surplus captions are ignored. Requests no redraw.
    virtual void SetLevelCaptions(int level, const QStringList& captions) = 0;
};

} // namespace zk
