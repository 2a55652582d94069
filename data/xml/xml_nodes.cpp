#include "data/xml/xml_nodes.h"

#include "data/xml/xml_doc_state.h"

namespace zk {

CXmlNodes::CXmlNodes(std::shared_ptr<XmlDocState> doc, std::vector<pugi::xml_node_struct*> nodes,
                     quint64 seenRemovals)
    : doc_(std::move(doc))
    , nodes_(std::move(nodes))
    , seenRemovals_(seenRemovals)
{
}

int CXmlNodes::GetCount() const
{
    return int(nodes_.size());
}

CXmlNodePtr CXmlNodes::GetItem(int index) const
{
    if (index < 0 || index >= GetCount())
        return CXmlNode::Null();
    // The node checks for itself whether it was removed since the list was taken.
    return std::make_shared<CXmlNode>(doc_, nodes_[size_t(index)], nullptr, seenRemovals_);
}

} // namespace zk
