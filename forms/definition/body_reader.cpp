#include "forms/definition/body_reader.h"

#include "data/xml/xml_nodes.h"
#include "forms/definition/definition_paths.h"
#include "forms/definition/detail_readers.h"

namespace zk {

using definition_detail::Int;
using definition_detail::Text;

namespace {

// Anchors when `director` is missing: controls keep left and top, a group
// all four edges.
constexpr int kControlDirector = 3;
constexpr int kGroupDirector = 15;
constexpr int kGroupStyle = 1;

CXmlNodePtr DialogOf(const CXmlNode& html)
{
    return html.GetChild(QStringLiteral("body"))->GetChild(QStringLiteral("dialog"));
}

} // namespace

LayoutElement ReadLayoutElement(const CXmlNode& element, const DefinitionContext& context)
{
    LayoutElement e;
    const QString name = element.GetName();
    if (name == u"split") {
        e.kind = LayoutElement::Kind::Split;
        e.name = Text(element, QStringLiteral("id"));
        e.value = Text(element, QStringLiteral("value"));
        e.desp = Int(element, QStringLiteral("desp"));
    } else if (name == u"group") {
        e.kind = LayoutElement::Kind::Group;
        e.id = Int(element, QStringLiteral("id"));
        e.targetIds = ParseIdList(Text(element, QStringLiteral("value")));
        const DefRect gaps = ReadRect(Text(element, QStringLiteral("pos")), context.messages);
        e.hgap = gaps.width();
        e.vgap = gaps.height();
        e.style = Int(element, QStringLiteral("style"), kGroupStyle);
        e.desp = Int(element, QStringLiteral("desp"));
        e.director = Int(element, QStringLiteral("director"), kGroupDirector);
    } else {
        e.kind = LayoutElement::Kind::Control;
        e.id = Int(element, QStringLiteral("id"));
        e.director = Int(element, QStringLiteral("director"), kControlDirector);
        e.hidden = Int(element, QStringLiteral("hidden"));
    }
    return e;
}

FormBody ReadFormBody(const CXmlNode& html, const DefinitionContext& context)
{
    FormBody body;
    body.formId = html.GetAttribute(QStringLiteral("id"), QString::fromUtf16(kNoFormId));
    if (body.formId == QStringView(kNoFormId))
        return body;
    const CXmlNodesPtr children = DialogOf(html)->GetChildren();
    const int count = children->GetCount();
    body.controls.reserve(count);
    body.layout.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const CXmlNodePtr element = children->GetItem(i);
        if (std::optional<ControlDefinition> control = ReadControl(element, context))
            body.controls.append(std::move(*control));
        body.layout.push_back(ReadLayoutElement(*element, context));
    }
    return body;
}

CXmlNodePtr FindInlinePopup(const CXmlNode& body, const QString& popupId)
{
    return body.SelectSingleNode(InlinePopupPath(popupId));
}

QList<EndEditCommand> ReadEndEditCommands(const CXmlNode& endEdit)
{
    QList<EndEditCommand> commands;
    const CXmlNodesPtr children = endEdit.GetChildren();
    for (int i = 0; i < children->GetCount(); ++i) {
        const CXmlNodePtr child = children->GetItem(i);
        EndEditCommand c;
        c.values = Text(*child, QStringLiteral("values"));
        c.targetIds = ParseIdList(Text(*child, QStringLiteral("target_ids")));
        const CXmlNodesPtr params = child->GetChild(QStringLiteral("para_info"))->GetChildren();
        for (int k = 0; k < params->GetCount(); ++k)
            c.paraValues.append(Int(*params->GetItem(k), QStringLiteral("value")));
        c.element = child;
        commands.append(std::move(c));
    }
    return commands;
}

} // namespace zk
