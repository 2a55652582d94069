#include "forms/controls/zk_tree_ctrl.h"

#include "forms/controls/control_kind.h"
#include "util/numbers.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>

#include <functional>

namespace zk {

namespace {

constexpr int kUidRole = Qt::UserRole;
constexpr int kExpanderHalf = 4;

void MakeCheckable(QTreeWidgetItem& item)
{
    item.setFlags((item.flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsAutoTristate);
    if (item.data(0, Qt::CheckStateRole).isNull())
        item.setCheckState(0, Qt::Unchecked);
}

void WalkItems(QTreeWidgetItem& item, const std::function<void(QTreeWidgetItem&)>& visit)
{
    visit(item);
    for (int i = 0; i < item.childCount(); ++i)
        WalkItems(*item.child(i), visit);
}

QTreeWidgetItem* NextSibling(const QTreeWidget& tree, QTreeWidgetItem* item)
{
    QTreeWidgetItem* parent = item->parent();
    if (parent) {
        const int at = parent->indexOfChild(item);
        return at + 1 < parent->childCount() ? parent->child(at + 1) : nullptr;
    }
    const int at = tree.indexOfTopLevelItem(item);
    return at + 1 < tree.topLevelItemCount() ? tree.topLevelItem(at + 1) : nullptr;
}

void Collect(const QTreeWidgetItem& item, QString& accumulator, const QString& separator)
{
    if (IsItemChecked(&item))
        accumulator = QStringLiteral("%1%2%3").arg(accumulator).arg(ItemUid(&item)).arg(separator);
    for (int i = 0; i < item.childCount(); ++i)
        Collect(*item.child(i), accumulator, separator);
}

} // namespace

CZkTreeCtrl::CZkTreeCtrl(QWidget* parent)
    : QTreeWidget(parent)
    , ControlTag(ControlKind::Tree)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setUniformRowHeights(false);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setFocusPolicy(Qt::StrongFocus);
    setIndentation(19);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setStretchLastSection(true);
    connect(this, &QTreeWidget::currentItemChanged, this, [this] { emit selectionChanged(); });
}

void CZkTreeCtrl::mousePressEvent(QMouseEvent* event)
{
    QTreeWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

void CZkTreeCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton)
        emit rightClicked();
}

void CZkTreeCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void CZkTreeCtrl::SetCheckBoxes(bool on)
{
    checkBoxes_ = on;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        WalkItems(*topLevelItem(i), [on](QTreeWidgetItem& item) {
            if (on) {
                MakeCheckable(item);
            } else {
                item.setData(0, Qt::CheckStateRole, QVariant());
                item.setFlags(item.flags() & ~Qt::ItemIsUserCheckable);
            }
        });
    }
}

QTreeWidgetItem* CZkTreeCtrl::AddItem(QTreeWidgetItem* parent, const QString& caption, int uid)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, caption);
    item->setData(0, kUidRole, uid);
    item->setFlags(item->flags() & ~Qt::ItemIsAutoTristate);
    if (checkBoxes_)
        MakeCheckable(*item);
    return item;
}

void CZkTreeCtrl::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const
{
    // Dotted connectors as the classic tree shows them: a line down through
    // every ancestor level that has more siblings below, the item's own
    // elbow, and a box with + or − where there are children.
    const QTreeWidgetItem* item = itemFromIndex(index);
    if (!item)
        return;
    const int step = indentation();
    const int midY = rect.center().y();
    painter->save();
    QPen dots(QColor(128, 128, 128), 1, Qt::DotLine);
    painter->setPen(dots);

    int level = 0;
    for (const QTreeWidgetItem* p = item->parent(); p; p = p->parent())
        ++level;
    const auto hasNext = [this](const QTreeWidgetItem* it) {
        const QTreeWidgetItem* parent = it->parent();
        if (parent)
            return parent->indexOfChild(const_cast<QTreeWidgetItem*>(it)) <
                   parent->childCount() - 1;
        return indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(it)) < topLevelItemCount() - 1;
    };
    const auto hasPrevious = [this](const QTreeWidgetItem* it) {
        const QTreeWidgetItem* parent = it->parent();
        if (parent)
            return parent->indexOfChild(const_cast<QTreeWidgetItem*>(it)) > 0;
        return indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(it)) > 0;
    };

    // Ancestors' continuing lines.
    const QTreeWidgetItem* ancestor = item->parent();
    for (int l = level - 1; l >= 0 && ancestor; --l, ancestor = ancestor->parent()) {
        if (hasNext(ancestor)) {
            const int x = rect.left() + l * step + step / 2;
            painter->drawLine(x, rect.top(), x, rect.bottom());
        }
    }
    // The item's own elbow.
    const int x = rect.left() + level * step + step / 2;
    const bool root = level == 0;
    const int top = (root && !hasPrevious(item)) ? midY : rect.top();
    painter->drawLine(x, top, x, hasNext(item) ? rect.bottom() : midY);
    painter->drawLine(x, midY, rect.left() + (level + 1) * step, midY);

    if (item->childCount() > 0) {
        const QRect box(x - kExpanderHalf, midY - kExpanderHalf, 2 * kExpanderHalf,
                        2 * kExpanderHalf);
        painter->setPen(QPen(QColor(140, 140, 140), 1));
        painter->setBrush(Qt::white);
        painter->drawRect(box);
        painter->setPen(QPen(Qt::black, 1));
        painter->drawLine(box.left() + 2, midY, box.right() - 2, midY);
        if (!item->isExpanded())
            painter->drawLine(x, box.top() + 2, x, box.bottom() - 2);
    }
    painter->restore();
}

int ItemUid(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kUidRole).toInt() : 0;
}

bool IsItemChecked(const QTreeWidgetItem* item)
{
    return item && !item->data(0, Qt::CheckStateRole).isNull() &&
           item->checkState(0) == Qt::Checked;
}

QTreeWidgetItem* FindItemByUid(const QTreeWidget& tree, QTreeWidgetItem* start, int uid)
{
    for (QTreeWidgetItem* item = start; item; item = NextSibling(tree, item)) {
        if (ItemUid(item) == uid)
            return item;
        if (item->childCount() > 0) {
            if (QTreeWidgetItem* found = FindItemByUid(tree, item->child(0), uid))
                return found;
        }
    }
    return nullptr;
}

void FillTree(CZkTreeCtrl& tree, const QStringList& values, const QString& checkedUids)
{
    QTreeWidgetItem* parent = nullptr;
    QString previousParentUid;
    bool first = true;
    for (qsizetype at = 0; at + 2 < values.size(); at += 3) {
        const QString& parentUid = values[at];
        if (first || parentUid != previousParentUid) {
            parent = FindItemByUid(tree, tree.topLevelItem(0), ToInt(parentUid));
            previousParentUid = parentUid;
            first = false;
        }
        const QString& uidText = values[at + 2];
        QTreeWidgetItem* item = tree.AddItem(parent, values[at + 1], ToInt(uidText));
        if (!checkedUids.isEmpty() && checkedUids.contains(QStringLiteral(",%1,").arg(uidText))) {
            item->setCheckState(0, Qt::Checked);
        }
    }
}

void CollectCheckedItems(const QTreeWidget& tree, const QTreeWidgetItem* item, QString& accumulator,
                         const QString& separator)
{
    if (item) {
        Collect(*item, accumulator, separator);
        return;
    }
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        Collect(*tree.topLevelItem(i), accumulator, separator);
}

} // namespace zk
