#pragma once

#include "data/xml/xml_document.h"

#include <QString>
#include <QStringList>

// Event elements: a control's behaviour is the ACTION/<event> child of its
// element, and the form's initialisation script is head/ACTION/INIT. The
// children of an event element are its script.

namespace zk {

inline constexpr char16_t kInitEvent[] = u"INIT";

// The events a control can raise: CLICK, DCLICK, RCLICK, EN_CHANGE,
// EN_KILLFOCUS, ENTER.
const QStringList& ControlEventNames();
bool IsControlEventName(QStringView name);

// The element names whose controls can carry events, in the order in which a
// live control's kind is told from its class: editbutton, textbox, droplist,
// datectrl, button, table, tree, treelist. A `pic` is looked up as
// `treelist`; `static` and `panel` controls have no scripts.
const QStringList& EventCarrierNames();
bool CanCarryEvents(QStringView elementName);

// The event element of control `elementId` (a definition id) of form
// `formId`; null when there is none or the element name cannot carry events.
CXmlNodePtr FindEventElement(const CXmlDocument& document, const QString& formId,
                             const QString& elementName, int elementId, const QString& eventName);

// The form's initialisation script head/ACTION/INIT, walked from its html
// element; null when a step is missing or INIT has no child elements.
CXmlNodePtr FindInitScript(const CXmlNode& html);

// The attributes of an event element (INIT included).
struct EventSettings {
    // Connection string for this run instead of the server link.
    QString connstr;
    // The control whose text replaces "{{conn}}" in `connstr` (when > 0); on
    // EN_CHANGE also the text length at which the event fires.
    int id = 0;
    // "1": each run is logged.
    bool log = false;

    // `connstr` with "{{conn}}" replaced by the text of control `id` when
    // `id` > 0.
    QString ConnectionString(const QString& idControlText) const;
    // EN_CHANGE fires at any length when `id` is below 1, else only when the
    // text has exactly `id` characters.
    bool FiresAtLength(int textLength) const { return id < 1 || id == textLength; }
};

EventSettings ReadEventSettings(const CXmlNode& event);

} // namespace zk
