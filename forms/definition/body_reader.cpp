#include "forms/definition/body_reader.h"

#include "data/xml/xml_nodes.h"
#include "forms/definition/definition_paths.h"
#include "forms/definition/detail_readers.h"

namespace zk {

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
        e.name = AttrText(element, QStringLiteral("id"));
        e.value = AttrText(element, QStringLiteral("value"));
        e.desp = AttrInt(element, QStringLiteral("desp"));
    } else if (name == u"group") {
        e.kind = LayoutElement::Kind::Group;
        e.id = AttrInt(element, QStringLiteral("id"));
        e.targetIds = ParseIdList(AttrText(element, QStringLiteral("value")));
        const DefRect gaps = ReadRect(AttrText(element, QStringLiteral("pos")), context.messages);
        e.hgap = gaps.width();
        e.vgap = gaps.height();
        e.style = AttrInt(element, QStringLiteral("style"), kGroupStyle);
        e.desp = AttrInt(element, QStringLiteral("desp"));
        e.director = AttrInt(element, QStringLiteral("director"), kGroupDirector);
    } else {
        e.kind = LayoutElement::Kind::Control;
        e.id = AttrInt(element, QStringLiteral("id"));
        e.director = AttrInt(element, QStringLiteral("director"), kControlDirector);
        e.hidden = AttrInt(element, QStringLiteral("hidden"));
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
        std::optional<ControlDefinition> control = ReadControl(element, context);
        if (!control) {
            body.layout.push_back(ReadLayoutElement(*element, context));
            continue;
        }
        // A control's entry reuses what has been read already.
        LayoutElement e;
        e.id = control->id;
        e.hidden = control->hidden;
        e.director = AttrInt(*element, QStringLiteral("director"), kControlDirector);
        body.layout.push_back(e);
        body.controls.append(std::move(*control));
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
        c.values = AttrText(*child, QStringLiteral("values"));
        c.targetIds = ParseIdList(AttrText(*child, QStringLiteral("target_ids")));
        const CXmlNodesPtr params = child->GetChild(QStringLiteral("para_info"))->GetChildren();
        for (int k = 0; k < params->GetCount(); ++k)
            c.paraValues.append(AttrInt(*params->GetItem(k), QStringLiteral("value")));
        c.element = child;
        commands.append(std::move(c));
    }
    return commands;
}

} // namespace zk
