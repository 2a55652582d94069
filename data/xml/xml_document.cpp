#include "data/xml/xml_document.h"

#include "data/xml/xml_doc_state.h"

namespace zk {

namespace {

// White-space-only text is not kept (the default); comments are, so that GetXml
// gives back what was written. The fragment mode keeps stray text beside the root
// visible so that it can be refused below.
constexpr unsigned kParseOptions =
    pugi::parse_default | pugi::parse_comments | pugi::parse_fragment;

// pugixml accepts several top-level elements and text beside the root; an XML
// document has exactly one root element and nothing but markup around it.
bool HasSingleRoot(const pugi::xml_document& doc)
{
    int elements = 0;
    for (pugi::xml_node n : doc.children()) {
        if (n.type() == pugi::node_element)
            ++elements;
        else if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata)
            return false;
    }
    return elements == 1;
}

} // namespace

bool CXmlDocument::LoadXml(const QString& text)
{
    doc_.reset();
    auto state = std::make_shared<XmlDocState>();
    const QByteArray bytes = text.toUtf8();
    const pugi::xml_parse_result result = state->doc.load_buffer(
        bytes.constData(), size_t(bytes.size()), kParseOptions, pugi::encoding_utf8);
    if (!result || !HasSingleRoot(state->doc))
        return false;
    doc_ = std::move(state);
    return true;
}

CXmlNodePtr CXmlDocument::GetRoot() const
{
    if (!doc_)
        return CXmlNode::Null();
    return std::make_shared<CXmlNode>(doc_, doc_->doc.document_element().internal_object(), nullptr,
                                      doc_->removals);
}

CXmlNodePtr CXmlDocument::SelectSingleNode(const QString& xpath) const
{
    return GetRoot()->SelectSingleNode(xpath);
}

} // namespace zk
