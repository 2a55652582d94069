#pragma once

#include "forms/controls/control_kind.h"

#include <QStringList>
#include <QTreeWidget>

namespace zk {

// The tree of a form (`tree`): a border, expand buttons, dotted lines (also
// at the root), items with a caption, an integer uid as their data and,
// when the check boxes are on, a check state. Checking an item never
// changes its parent or children.
class CZkTreeCtrl : public QTreeWidget, public ControlTag {
    Q_OBJECT

public:
    explicit CZkTreeCtrl(QWidget* parent = nullptr);

    // Check boxes for every item, present and future.
    void SetCheckBoxes(bool on);
    bool CheckBoxes() const { return checkBoxes_; }

    // Appends an item as the last child of `parent` (top level when null).
    QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, const QString& caption, int uid);

signals:
    // Mouse notifications anywhere in the tree (on an item or not) and a new
    // current item, as the form routes them to CLICK, DCLICK, RCLICK and
    // EN_CHANGE.
    void clicked();
    void doubleClicked();
    void rightClicked();
    void selectionChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;

private:
    bool checkBoxes_ = false;
};

int ItemUid(const QTreeWidgetItem* item);
bool IsItemChecked(const QTreeWidgetItem* item);

// Depth first from `start` through its following siblings and all their
// children: the first item carrying the uid, or null.
QTreeWidgetItem* FindItemByUid(const QTreeWidget& tree, QTreeWidgetItem* start, int uid);

// Appends the rows of `values` (parent uid, caption, uid; a trailing partial
// row is ignored) in order. The parent is looked up from the first top-level
// item only when the parent uid differs from the previous row's, so a parent
// that comes later in the list is not found and its children go to the top
// level. An item is checked when `checkedUids` (written ",a,b,") holds its uid
// text between commas.
void FillTree(CZkTreeCtrl& tree, const QStringList& values, const QString& checkedUids);

// Depth first from `item` over it and its descendants (the whole tree when
// `item` is null): every checked item appends its uid and the separator to
// the accumulator.
void CollectCheckedItems(const QTreeWidget& tree, const QTreeWidgetItem* item, QString& accumulator,
                         const QString& separator);

} // namespace zk
