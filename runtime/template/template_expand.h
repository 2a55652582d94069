#pragma once

#include "data/xml/xml_node.h"
#include "runtime/template/template_context.h"

#include <QString>
#include <QStringList>

// Placeholder expansion of the texts of action scripts. Expansion is plain
// text substitution, one placeholder after the other in a fixed order, each
// replaced everywhere; a text inserted by an earlier step is subject to the
// later steps, never to the earlier ones. Placeholders that no rule names
// stay as they are. Expansion never fails.

namespace zk {

// The form-wide expansion every command applies last: the opener's values,
// the session, the clock, the loaded keys, the date lists and {{TOP30}} /
// {{TOP100}} (only while INIT runs). Session and form values are inserted as
// they are; the caller quotes what comes from controls.
QString ExpandTemplates(const TemplateContext& context, const QString& text);

// The parameter list of the record commands: for the k-th child of `list`
// (k from 1) the value of the control named by its `value` (else its `wnd`),
// escaped for SQL; an empty value replaces "{{pk}}" by nothing, otherwise by
// the child's `where` with "{{self}}" replaced (or by the value itself when
// `where` is empty). Then "{{deleted_uid_0}}" and ExpandTemplates.
QString ExpandParamList(const TemplateContext& context, const QString& text, const CXmlNode& list);

// The end-of-edit commands of grid columns: for the N-th child of the
// command's para_info (N from 1), whose `value` is an element id v,
// "{{pN}}" becomes the window text of control v, then "{{cN}}" the edited
// row's text in column v - 1 (from `rowTexts`, empty beyond it); single
// quotes doubled in both. "{{para_in}}" is removed, then ExpandTemplates.
QString ExpandQueryParams(const TemplateContext& context, const QString& text,
                          const CXmlNode& command, const QStringList& rowTexts);

} // namespace zk
