#pragma once

#include "data/xml/xml_node.h"

#include <vector>

namespace zk {

// An ordered snapshot of nodes (the children of an element). A null list, as
// returned for a null node, counts 0 items.
class CXmlNodes {
public:
    CXmlNodes() = default;
    CXmlNodes(std::shared_ptr<XmlDocState> doc, std::vector<pugi::xml_node_struct*> nodes,
              quint64 seenRemovals);

    bool IsNull() const { return doc_ == nullptr; }
    int GetCount() const;
    // Null outside 0 … GetCount()-1.
    CXmlNodePtr GetItem(int index) const;

private:
    std::shared_ptr<XmlDocState> doc_;
    std::vector<pugi::xml_node_struct*> nodes_;
    quint64 seenRemovals_ = 0;
};

} // namespace zk
