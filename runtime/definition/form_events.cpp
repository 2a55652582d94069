#include "runtime/definition/form_events.h"

#include "data/xml/xml_nodes.h"
#include "forms/definition/attributes.h"
#include "forms/definition/definition_paths.h"

namespace zk {

const QStringList& ControlEventNames()
{
    static const QStringList names = {
        QStringLiteral("CLICK"),     QStringLiteral("DCLICK"),       QStringLiteral("RCLICK"),
        QStringLiteral("EN_CHANGE"), QStringLiteral("EN_KILLFOCUS"), QStringLiteral("ENTER"),
    };
    return names;
}

bool IsControlEventName(QStringView name)
{
    return ControlEventNames().contains(name);
}

const QStringList& EventCarrierNames()
{
    static const QStringList names = {
        QStringLiteral("editbutton"), QStringLiteral("textbox"),  QStringLiteral("droplist"),
        QStringLiteral("datectrl"),   QStringLiteral("button"),   QStringLiteral("table"),
        QStringLiteral("tree"),       QStringLiteral("treelist"),
    };
    return names;
}

bool CanCarryEvents(QStringView elementName)
{
    return EventCarrierNames().contains(elementName);
}

CXmlNodePtr FindEventElement(const CXmlDocument& document, const QString& formId,
                             const QString& elementName, int elementId, const QString& eventName)
{
    if (!CanCarryEvents(elementName))
        return CXmlNode::Null();
    return document.SelectSingleNode(ControlEventPath(formId, elementName, elementId, eventName));
}

CXmlNodePtr FindInitScript(const CXmlNode& html)
{
    const CXmlNodePtr init = html.GetChild(QStringLiteral("head"))
                                 ->GetChild(QStringLiteral("ACTION"))
                                 ->GetChild(QString::fromUtf16(kInitEvent));
    if (init->GetChildren()->GetCount() == 0)
        return CXmlNode::Null();
    return init;
}

QString EventSettings::ConnectionString(const QString& idControlText) const
{
    if (id <= 0)
        return connstr;
    return QString(connstr).replace(QStringLiteral("{{conn}}"), idControlText);
}

EventSettings ReadEventSettings(const CXmlNode& event)
{
    EventSettings s;
    s.connstr = AttrText(event, QStringLiteral("connstr"));
    s.id = AttrInt(event, QStringLiteral("id"));
    s.log = event.GetAttribute(QStringLiteral("log"), false);
    return s;
}

} // namespace zk
