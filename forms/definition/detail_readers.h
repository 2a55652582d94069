#pragma once

#include "data/xml/xml_node.h"
#include "forms/definition/control_definition.h"
#include "forms/definition/definition_context.h"

// The readers of the larger control details, shared by the body reader.

namespace zk::definition_detail {

// A text attribute, "" when absent.
inline QString Text(const CXmlNode& node, const QString& name)
{
    QString value;
    node.GetAttribute(name, value);
    return value;
}

// An integer attribute by the leading-number rule; `def` when absent or empty.
inline int Int(const CXmlNode& node, const QString& name, int def = 0)
{
    return node.GetAttribute(name, def);
}

// The grid options and columns of a table element (its PARA child).
GridDefinition ReadGrid(const CXmlNode& table, const DefinitionMessages& messages);

// The items of a treelist element (its PARA/head_info child) below "root".
TreeListItem ReadTreeListItems(const CXmlNode& treeList);

} // namespace zk::definition_detail
