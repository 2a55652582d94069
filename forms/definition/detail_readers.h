#pragma once

#include "data/xml/xml_node.h"
#include "forms/definition/attributes.h"
#include "forms/definition/control_definition.h"
#include "forms/definition/definition_context.h"

// The readers of the larger control details, shared by the body reader.

namespace zk::definition_detail {

// The grid options and columns of a table element (its PARA child).
GridDefinition ReadGrid(const CXmlNode& table, const DefinitionMessages& messages);

// The items of a treelist element (its PARA/head_info child) below "root".
TreeListItem ReadTreeListItems(const CXmlNode& treeList);

} // namespace zk::definition_detail
