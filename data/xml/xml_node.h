#pragma once

#include <QString>

#include <concepts>
#include <memory>

namespace pugi {
struct xml_node_struct;
struct xml_attribute_struct;
} // namespace pugi

namespace zk {

struct XmlDocState;
class CXmlNode;
class CXmlNodes;

// Handles are always non-null pointers; a handle that refers to nothing holds a
// CXmlNode whose IsNull() is true, and every operation on it gives the empty result.
using CXmlNodePtr = std::shared_ptr<CXmlNode>;
using CXmlNodesPtr = std::shared_ptr<CXmlNodes>;

// One node of a parsed document (normally an element; XPath may also yield an
// attribute, a text node or the document itself), or nothing.
//
// The node keeps its document alive for as long as it is held. Nothing here throws:
// every failure gives the empty or default result.
class CXmlNode {
public:
    CXmlNode() = default;
    CXmlNode(std::shared_ptr<XmlDocState> doc, pugi::xml_node_struct* node,
             pugi::xml_attribute_struct* attr, quint64 seenRemovals);

    static CXmlNodePtr Null() { return std::make_shared<CXmlNode>(); }

    bool IsNull() const;

    // Element and attribute names as written (with prefix); "#text", "#document"…
    // for the other node kinds.
    QString GetName() const;

    // All text below the node, in document order; false for a null node.
    bool GetText(QString& text) const;
    QString GetText() const;

    // Replaces everything below the node by the one text (an empty text leaves the
    // node empty). Handles to the replaced nodes read as null afterwards.
    bool SetText(const QString& text);

    // The text as an integer; an empty text is first replaced by `def`.
    int GetTextInt(int def);

    // The node's own markup, compact, without an XML declaration.
    QString GetXml() const;

    // Attribute reads. An absent attribute reads as "" (and true) with the first form;
    // the others fall back to `def` when the value is absent or empty. Flags are "1"
    // and "0" only; numbers take their leading digits ("12px" is 12, "px" is 0).
    bool GetAttribute(const QString& name, QString& value) const;
    QString GetAttribute(const QString& name, const QString& def) const;
    int GetAttribute(const QString& name, int def) const;
    // Only a real bool selects the flag read: a string literal must not decay into it.
    template <std::same_as<bool> Bool> bool GetAttribute(const QString& name, Bool def) const
    {
        return AttributeFlag(name, def);
    }

    // The first child element whose local name (prefix ignored) is `name`. With
    // `create`, a missing one is appended as the last child. Apostrophes in the name
    // are doubled both for the match and for the created element, so find-or-create
    // is idempotent for any name.
    CXmlNodePtr GetChild(const QString& name) const;
    CXmlNodePtr GetChild(const QString& name, bool create);

    // The child elements in document order.
    CXmlNodesPtr GetChildren() const;

    // The first node, in document order, matched by an XPath 1.0 expression relative
    // to this node; null when nothing matches or the expression is invalid.
    CXmlNodePtr SelectSingleNode(const QString& xpath) const;

    // The parent element (or the document node above the root); null for an
    // attribute, as in the DOM.
    CXmlNodePtr GetParent() const;

private:
    bool AttributeFlag(const QString& name, bool def) const;
    bool Refresh() const;
    CXmlNodePtr Wrap(pugi::xml_node_struct* node, pugi::xml_attribute_struct* attr) const;

    std::shared_ptr<XmlDocState> doc_;
    // Mutable because a handle whose node was removed turns itself null on first use.
    mutable pugi::xml_node_struct* node_ = nullptr;
    mutable pugi::xml_attribute_struct* attr_ = nullptr;
    mutable quint64 seenRemovals_ = 0;
};

} // namespace zk
