#include "runtime/definition/form_head.h"

#include "data/xml/xml_nodes.h"
#include "forms/definition/attributes.h"
#include "forms/definition/definition_paths.h"

namespace zk {

namespace {

QList<BackgroundDrawing> ReadBackground(const CXmlNode& head, const DefinitionContext& context)
{
    QList<BackgroundDrawing> drawings;
    const CXmlNodesPtr items = head.GetChild(QStringLiteral("bg"))->GetChildren();
    for (int i = 0; i < items->GetCount(); ++i) {
        const CXmlNodePtr item = items->GetItem(i);
        BackgroundDrawing d;
        d.type = AttrText(*item, QStringLiteral("type"));
        d.pos = ReadRect(AttrText(*item, QStringLiteral("pos")), context.messages);
        d.style = item->GetAttribute(QStringLiteral("style"), 0);
        d.width = item->GetAttribute(QStringLiteral("width"), 1);
        d.color = ReadOptionalColor(AttrText(*item, QStringLiteral("color")), context.messages);
        d.text = AttrText(*item, QStringLiteral("text"));
        d.font = ReadFont(AttrText(*item, QStringLiteral("font")), context.defaultFace);
        d.element = item;
        drawings.append(std::move(d));
    }
    return drawings;
}

} // namespace

CXmlNodePtr FindFormElement(const CXmlDocument& document, const QString& formId)
{
    return document.SelectSingleNode(FormPath(formId));
}

FormHead ReadFormHead(const CXmlNode& html, const DefinitionContext& context)
{
    FormHead head;
    head.element = html.GetChild(QStringLiteral("head"));
    const CXmlNode& h = *head.element;
    head.title = AttrText(h, QStringLiteral("title"));
    head.style = h.GetAttribute(QStringLiteral("style"), 0);
    const QString pos = AttrText(h, QStringLiteral("pos"));
    if (pos.isEmpty()) {
        head.placement = WindowPlacement::CloseAtOnce;
    } else if (pos == u"0") {
        head.placement = WindowPlacement::KeepTemplate;
    } else {
        head.placement = WindowPlacement::Rectangle;
        head.rect = ReadRect(pos, context.messages);
    }
    if (!AttrText(h, QStringLiteral("in_id")).isEmpty())
        head.inId = h.GetAttribute(QStringLiteral("in_id"), 0);
    head.threadId = h.GetAttribute(QStringLiteral("thread_id"), 0);
    head.timeSplit = h.GetAttribute(QStringLiteral("time_split"), 0);
    head.parentBtn = h.GetAttribute(QStringLiteral("parent_btn"), 0);
    head.scroll = AttrText(h, QStringLiteral("scroll"));
    head.bg = h.GetAttribute(QStringLiteral("bg"), 0);
    head.drawMethod = AttrText(h, QStringLiteral("draw_method"));
    head.background = ReadBackground(h, context);
    return head;
}

std::optional<int> HotKeyTarget(const CXmlNode& html, int functionKey)
{
    const CXmlNodesPtr keys = html.GetChild(QStringLiteral("head"))
                                  ->GetChild(QStringLiteral("HOTKEY"))
                                  ->GetChild(QStringLiteral("para_info"))
                                  ->GetChildren();
    for (int i = 0; i < keys->GetCount(); ++i) {
        const CXmlNodePtr key = keys->GetItem(i);
        if (key->GetAttribute(QStringLiteral("id"), 0) == functionKey)
            return key->GetAttribute(QStringLiteral("value"), 0);
    }
    return std::nullopt;
}

} // namespace zk
