#pragma once

#include "data/xml/xml_node.h"
#include "data/xml/xml_nodes.h"

namespace zk {

// A parsed XML text (form definitions, print layouts, command parameter blocks).
// Empty until LoadXml succeeds; every LoadXml starts a new tree, and handles taken
// from an earlier one stay valid on their own.
class CXmlDocument {
public:
    CXmlDocument() = default;
    CXmlDocument(const CXmlDocument&) = delete;
    CXmlDocument& operator=(const CXmlDocument&) = delete;
    CXmlDocument(CXmlDocument&&) = default;
    CXmlDocument& operator=(CXmlDocument&&) = default;

    // True only for a well-formed text with exactly one root element. Text nodes that
    // hold nothing but white space are dropped. On false the document is empty.
    bool LoadXml(const QString& text);

    // The root element, or a null node.
    CXmlNodePtr GetRoot() const;

    // XPath evaluated with the root element as context ("body/dialog" under "html").
    CXmlNodePtr SelectSingleNode(const QString& xpath) const;

private:
    std::shared_ptr<XmlDocState> doc_;
};

} // namespace zk
