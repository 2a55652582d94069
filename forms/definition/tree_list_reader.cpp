#include "data/xml/xml_nodes.h"
#include "forms/definition/detail_readers.h"

#include <algorithm>

namespace zk::definition_detail {

namespace {

// Items inherit the kind and menu entry of their parent; the depth bound
// keeps a hostile definition from exhausting the stack.
void ReadChildren(const CXmlNode& element, TreeListItem& parent, int depth)
{
    if (depth > kMaxTreeListDepth)
        return;
    const CXmlNodesPtr children = element.GetChildren();
    const int count = children->GetCount();
    parent.children.reserve(count);
    for (int i = 0; i < count; ++i) {
        const CXmlNodePtr child = children->GetItem(i);
        TreeListItem item;
        item.title = AttrText(*child, QStringLiteral("title"));
        item.width = AttrInt(*child, QStringLiteral("width"));
        item.height = AttrInt(*child, QStringLiteral("height"));
        item.type = std::max(AttrInt(*child, QStringLiteral("type")), parent.type);
        item.menuId = AttrInt(*child, QStringLiteral("menu_id"));
        if (item.menuId < 1)
            item.menuId = parent.menuId;
        ReadChildren(*child, item, depth + 1);
        parent.children.append(std::move(item));
    }
}

} // namespace

TreeListItem ReadTreeListItems(const CXmlNode& treeList)
{
    TreeListItem root;
    root.title = QStringLiteral("root");
    const CXmlNodePtr headInfo =
        treeList.GetChild(QStringLiteral("PARA"))->GetChild(QStringLiteral("head_info"));
    ReadChildren(*headInfo, root, 1);
    return root;
}

} // namespace zk::definition_detail
