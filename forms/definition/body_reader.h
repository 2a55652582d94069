#pragma once

#include "data/xml/xml_node.h"
#include "forms/definition/control_definition.h"
#include "forms/definition/definition_context.h"
#include "forms/layout/layout_definition.h"

#include <QList>
#include <QString>

#include <optional>
#include <vector>

// Reading the body of a form definition: html/body/dialog holds the form's
// controls and layout elements, html/body/popup its inline pop-up forms.

namespace zk {

// The form id of an html element without one: such a form has no controls.
inline constexpr char16_t kNoFormId[] = u"-1";
// What an edit-with-button's pop-up gets when its inline form is missing.
inline constexpr char16_t kEmptyPopupDefinition[] = u"<html id='-1'></html>";

struct FormBody {
    QString formId; // html's id, kNoFormId when missing or empty
    // The control elements of body/dialog in document order; other names are
    // not controls and are skipped.
    QList<ControlDefinition> controls;
    // The layout pass input (ApplyLayoutDefinition), one entry per element of
    // body/dialog in document order: split, group, and every other element
    // as an ordinary control, whatever its name.
    std::vector<LayoutElement> layout;
};

// The body of the form whose html element is `html`. A form id of "-1"
// gives an empty body: no controls, no layout. Format errors go to the
// context's message hook, each once, and the fallback value is used.
FormBody ReadFormBody(const CXmlNode& html, const DefinitionContext& context);

// One element of body/dialog; nullopt when its name is not a control
// element's.
std::optional<ControlDefinition> ReadControl(const CXmlNodePtr& element,
                                             const DefinitionContext& context);

// The layout entry of one element of body/dialog.
LayoutElement ReadLayoutElement(const CXmlNode& element, const DefinitionContext& context);

// The inline pop-up form body/popup/html[@id=popupId] below `body`, or null.
CXmlNodePtr FindInlinePopup(const CXmlNode& body, const QString& popupId);

// One child of a grid column's ENDEDIT element: a query whose fields go into
// target columns of the edited row.
struct EndEditCommand {
    QString values;        // the SQL text
    QList<int> targetIds;  // 1-based columns of the edited row
    QList<int> paraValues; // para_info children's `value`: for {{pN}} and {{cN}}
    CXmlNodePtr element = CXmlNode::Null();
};

// The children of an ENDEDIT element, in order; none for a null element.
QList<EndEditCommand> ReadEndEditCommands(const CXmlNode& endEdit);

} // namespace zk
