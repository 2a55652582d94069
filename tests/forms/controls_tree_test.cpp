#include "forms/controls/zk_tree_ctrl.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

// The tree as "caption(children)" in item order, checked items marked "*".
QString Shape(const QTreeWidgetItem* item)
{
    QString text = item->text(0);
    if (IsItemChecked(item))
        text += QLatin1Char('*');
    if (item->childCount() == 0)
        return text;
    QStringList children;
    for (int i = 0; i < item->childCount(); ++i)
        children << Shape(item->child(i));
    return text + QLatin1Char('(') + children.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QString Shape(const QTreeWidget& tree)
{
    QStringList top;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        top << Shape(tree.topLevelItem(i));
    return top.join(QLatin1Char(' '));
}

QStringList Rows(std::initializer_list<const char*> values)
{
    QStringList list;
    for (const char* v : values)
        list << QString::fromUtf8(v);
    return list;
}

TEST(ControlTrees, FillTreeFollowsTheListOrder)
{
    const struct {
        const char* name;
        QStringList rows;
        const char* checked;
        const char* shape;
    } cases[] = {
        {"nested",
         Rows({"0", "公司", "1", "1", "销售部", "2", "1", "财务部", "3", "2", "一组", "4"}), "",
         "公司(销售部(一组) 财务部)"},
        // The parent comes later in the list: its child goes to the top level.
        {"parent later", Rows({"5", "早", "6", "0", "父", "5"}), "", "早 父"},
        // A repeated parent uid reuses the first look-up, even though it was
        // not found then and exists now.
        {"reused miss", Rows({"9", "A", "9", "9", "B", "10"}), "", "A B"},
        {"checked", Rows({"0", "甲", "11", "11", "乙", "12", "11", "丙", "112"}), ",12,112,",
         "甲(乙* 丙*)"},
        {"partial row", Rows({"0", "甲", "1", "1", "乙"}), "", "甲"},
        {"uid text between commas", Rows({"0", "x", "1", "0", "y", "21"}), ",21,", "x y*"},
    };
    for (const auto& c : cases) {
        CZkTreeCtrl tree;
        tree.SetCheckBoxes(QString::fromUtf8(c.checked).size() > 0);
        FillTree(tree, c.rows, QString::fromUtf8(c.checked));
        EXPECT_EQ(Shape(tree), QString::fromUtf8(c.shape)) << c.name;
    }
}

TEST(ControlTrees, FindItemByUidIsDepthFirstAndFirstWins)
{
    CZkTreeCtrl tree;
    QTreeWidgetItem* a = tree.AddItem(nullptr, QStringLiteral("a"), 1);
    QTreeWidgetItem* deep =
        tree.AddItem(tree.AddItem(a, QStringLiteral("a1"), 2), QStringLiteral("a11"), 7);
    tree.AddItem(nullptr, QStringLiteral("b"), 7);
    QTreeWidgetItem* c = tree.AddItem(nullptr, QStringLiteral("c"), 3);

    EXPECT_EQ(FindItemByUid(tree, tree.topLevelItem(0), 7), deep);
    EXPECT_EQ(FindItemByUid(tree, tree.topLevelItem(0), 3), c);
    EXPECT_EQ(FindItemByUid(tree, tree.topLevelItem(0), 99), nullptr);
    // The search covers the start and what follows it, not what came before.
    EXPECT_EQ(FindItemByUid(tree, c, 1), nullptr);
    EXPECT_EQ(FindItemByUid(tree, nullptr, 1), nullptr);
}

TEST(ControlTrees, CollectCheckedItemsDepthFirst)
{
    CZkTreeCtrl tree;
    tree.SetCheckBoxes(true);
    FillTree(tree,
             Rows({"0", "r", "1", "1", "x", "2", "2", "y", "3", "1", "z", "4", "0", "s", "5"}),
             QStringLiteral(",1,3,4,5,"));
    QString all = QStringLiteral("ids:");
    CollectCheckedItems(tree, nullptr, all, QStringLiteral(","));
    EXPECT_EQ(all, QStringLiteral("ids:1,3,4,5,"));

    QString branch;
    CollectCheckedItems(tree, tree.topLevelItem(0)->child(0), branch, QStringLiteral(";"));
    EXPECT_EQ(branch, QStringLiteral("3;"));

    // Checking a parent leaves its children as they are.
    tree.topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    tree.topLevelItem(0)->child(0)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(tree.topLevelItem(0)->child(0)->child(0)->checkState(0), Qt::Checked);
    QString after;
    CollectCheckedItems(tree, nullptr, after, QStringLiteral(","));
    EXPECT_EQ(after, QStringLiteral("1,2,3,4,"));
}

TEST(ControlTrees, CheckBoxesComeAndGo)
{
    CZkTreeCtrl tree;
    tree.AddItem(nullptr, QStringLiteral("a"), 1);
    EXPECT_TRUE(tree.topLevelItem(0)->data(0, Qt::CheckStateRole).isNull());
    tree.SetCheckBoxes(true);
    EXPECT_EQ(tree.topLevelItem(0)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(tree.AddItem(nullptr, QStringLiteral("b"), 2)->checkState(0), Qt::Unchecked);
    tree.SetCheckBoxes(false);
    EXPECT_TRUE(tree.topLevelItem(1)->data(0, Qt::CheckStateRole).isNull());
}

} // namespace
} // namespace zk
