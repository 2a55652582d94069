#include "data/xml/xml_node.h"

#include "data/xml/xml_doc_state.h"
#include "data/xml/xml_nodes.h"
#include "util/numbers.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace zk {

namespace {

// Visits the nodes below `top` in document order until `stop` returns true.
template <typename Stop> bool AnyBelow(pugi::xml_node top, Stop stop)
{
    pugi::xml_node n = top.first_child();
    while (n) {
        if (stop(n))
            return true;
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n != top && !n.next_sibling())
            n = n.parent();
        if (n == top)
            break;
        n = n.next_sibling();
    }
    return false;
}

bool InTree(const pugi::xml_document& doc, const pugi::xml_node_struct* target)
{
    if (doc.internal_object() == target)
        return true;
    return AnyBelow(doc, [target](pugi::xml_node n) { return n.internal_object() == target; });
}

bool HasAttribute(pugi::xml_node owner, const pugi::xml_attribute_struct* target)
{
    for (pugi::xml_attribute a : owner.attributes()) {
        if (a.internal_object() == target)
            return true;
    }
    return false;
}

const char* LocalName(const char* name)
{
    const char* colon = std::strchr(name, ':');
    return colon ? colon + 1 : name;
}

// Apostrophes doubled as for a quoted XPath literal; used for matching and creating.
QByteArray EscapedName(const QString& name)
{
    return QString(name).replace(u'\'', QStringLiteral("''")).toUtf8();
}

struct ByteWriter : pugi::xml_writer {
    QByteArray bytes;
    void write(const void* data, size_t size) override
    {
        bytes.append(static_cast<const char*>(data), qsizetype(size));
    }
};

QString AttributeMarkup(pugi::xml_attribute a)
{
    QString value = QString::fromUtf8(a.value());
    value.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'<', QStringLiteral("&lt;"))
        .replace(u'>', QStringLiteral("&gt;"))
        .replace(u'"', QStringLiteral("&quot;"))
        .replace(u'\t', QStringLiteral("&#9;"))
        .replace(u'\n', QStringLiteral("&#10;"))
        .replace(u'\r', QStringLiteral("&#13;"));
    return QString::fromUtf8(a.name()) + QStringLiteral("=\"") + value + u'"';
}

bool HoldsChildren(pugi::xml_node n)
{
    return n.type() == pugi::node_element || n.type() == pugi::node_document;
}

} // namespace

CXmlNode::CXmlNode(std::shared_ptr<XmlDocState> doc, pugi::xml_node_struct* node,
                   pugi::xml_attribute_struct* attr, quint64 seenRemovals)
    : doc_(std::move(doc))
    , node_(node)
    , attr_(attr)
    , seenRemovals_(seenRemovals)
{
    if (!doc_ || !node_)
        *this = CXmlNode();
}

// Confirms, after nodes were removed anywhere in the document, that this handle's
// node still exists; a handle to a removed node becomes null.
bool CXmlNode::Refresh() const
{
    if (!node_)
        return false;
    if (seenRemovals_ != doc_->removals) {
        seenRemovals_ = doc_->removals;
        if (!InTree(doc_->doc, node_) || (attr_ && !HasAttribute(pugi::xml_node(node_), attr_))) {
            node_ = nullptr;
            attr_ = nullptr;
        }
    }
    return node_ != nullptr;
}

CXmlNodePtr CXmlNode::Wrap(pugi::xml_node_struct* node, pugi::xml_attribute_struct* attr) const
{
    return std::make_shared<CXmlNode>(doc_, node, attr, seenRemovals_);
}

bool CXmlNode::IsNull() const
{
    return !Refresh();
}

QString CXmlNode::GetName() const
{
    if (!Refresh())
        return {};
    if (attr_)
        return QString::fromUtf8(pugi::xml_attribute(attr_).name());
    const pugi::xml_node n(node_);
    switch (n.type()) {
    case pugi::node_document:
        return QStringLiteral("#document");
    case pugi::node_pcdata:
        return QStringLiteral("#text");
    case pugi::node_cdata:
        return QStringLiteral("#cdata-section");
    case pugi::node_comment:
        return QStringLiteral("#comment");
    default:
        return QString::fromUtf8(n.name());
    }
}

bool CXmlNode::GetText(QString& text) const
{
    text.clear();
    if (!Refresh())
        return false;
    if (attr_) {
        text = QString::fromUtf8(pugi::xml_attribute(attr_).value());
        return true;
    }
    const pugi::xml_node n(node_);
    if (!HoldsChildren(n)) {
        text = QString::fromUtf8(n.value());
        return true;
    }
    QByteArray bytes;
    AnyBelow(n, [&bytes](pugi::xml_node d) {
        if (d.type() == pugi::node_pcdata || d.type() == pugi::node_cdata)
            bytes.append(d.value());
        return false;
    });
    text = QString::fromUtf8(bytes);
    return true;
}

QString CXmlNode::GetText() const
{
    QString text;
    GetText(text);
    return text;
}

bool CXmlNode::SetText(const QString& text)
{
    if (!Refresh())
        return false;
    const QByteArray bytes = text.toUtf8();
    if (attr_)
        return pugi::xml_attribute(attr_).set_value(bytes.constData());
    pugi::xml_node n(node_);
    if (n.type() == pugi::node_document)
        return false;
    if (n.type() != pugi::node_element)
        return n.set_value(bytes.constData());
    if (n.first_child()) {
        seenRemovals_ = ++doc_->removals;
        n.remove_children();
    }
    return bytes.isEmpty() || n.append_child(pugi::node_pcdata).set_value(bytes.constData());
}

int CXmlNode::GetTextInt(int def)
{
    QString text;
    if (!GetText(text))
        return def;
    if (!text.isEmpty())
        return ToInt(text);
    SetText(QString::number(def));
    return def;
}

QString CXmlNode::GetXml() const
{
    if (!Refresh())
        return {};
    if (attr_)
        return AttributeMarkup(pugi::xml_attribute(attr_));
    ByteWriter writer;
    pugi::xml_node(node_).print(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return QString::fromUtf8(writer.bytes);
}

bool CXmlNode::GetAttribute(const QString& name, QString& value) const
{
    value.clear();
    if (!Refresh() || attr_)
        return false;
    const pugi::xml_node n(node_);
    if (n.type() != pugi::node_element)
        return false;
    value = QString::fromUtf8(n.attribute(name.toUtf8().constData()).value());
    return true;
}

QString CXmlNode::GetAttribute(const QString& name, const QString& def) const
{
    QString value;
    GetAttribute(name, value);
    return value.isEmpty() ? def : value;
}

int CXmlNode::GetAttribute(const QString& name, int def) const
{
    QString value;
    GetAttribute(name, value);
    return value.isEmpty() ? def : ToInt(value);
}

bool CXmlNode::AttributeFlag(const QString& name, bool def) const
{
    QString value;
    GetAttribute(name, value);
    if (value == u"1")
        return true;
    if (value == u"0")
        return false;
    return def;
}

CXmlNodePtr CXmlNode::GetChild(const QString& name) const
{
    if (!Refresh() || attr_)
        return Null();
    const QByteArray wanted = EscapedName(name);
    for (pugi::xml_node c : pugi::xml_node(node_).children()) {
        if (c.type() == pugi::node_element &&
            std::strcmp(LocalName(c.name()), wanted.constData()) == 0)
            return Wrap(c.internal_object(), nullptr);
    }
    return Null();
}

CXmlNodePtr CXmlNode::GetChild(const QString& name, bool create)
{
    CXmlNodePtr found = std::as_const(*this).GetChild(name);
    if (!found->IsNull() || !create || name.isEmpty() || !Refresh() || attr_)
        return found;
    pugi::xml_node n(node_);
    if (n.type() != pugi::node_element)
        return found;
    pugi::xml_node child = n.append_child(EscapedName(name).constData());
    return child ? Wrap(child.internal_object(), nullptr) : Null();
}

CXmlNodesPtr CXmlNode::GetChildren() const
{
    if (!Refresh())
        return std::make_shared<CXmlNodes>();
    std::vector<pugi::xml_node_struct*> elements;
    if (!attr_) {
        for (pugi::xml_node c : pugi::xml_node(node_).children()) {
            if (c.type() == pugi::node_element)
                elements.push_back(c.internal_object());
        }
    }
    return std::make_shared<CXmlNodes>(doc_, std::move(elements), seenRemovals_);
}

CXmlNodePtr CXmlNode::SelectSingleNode(const QString& xpath) const
{
    if (!Refresh())
        return Null();
    const pugi::xpath_node context =
        attr_ ? pugi::xpath_node(pugi::xml_attribute(attr_), pugi::xml_node(node_))
              : pugi::xpath_node(pugi::xml_node(node_));
    pugi::xpath_node found;
    // pugixml reports a malformed expression, or one that gives no node set, by
    // throwing; neither may leave this layer.
    try {
        const pugi::xpath_query query(xpath.toUtf8().constData());
        found = query.evaluate_node(context);
    } catch (const std::exception&) {
        return Null();
    }
    if (found.attribute())
        return Wrap(found.parent().internal_object(), found.attribute().internal_object());
    if (found.node())
        return Wrap(found.node().internal_object(), nullptr);
    return Null();
}

CXmlNodePtr CXmlNode::GetParent() const
{
    if (!Refresh() || attr_)
        return Null();
    const pugi::xml_node parent = pugi::xml_node(node_).parent();
    return parent ? Wrap(parent.internal_object(), nullptr) : Null();
}

} // namespace zk
