// Arbitrary text as a form definition: parsing, reading the body and head of
// every form in it and linting it must never crash or hang.
#include "data/xml/xml_document.h"
#include "data/xml/xml_nodes.h"
#include "forms/definition/body_reader.h"
#include "runtime/definition/form_head.h"
#include "runtime/lint/form_lint.h"

#include <cstdint>
#include <cstdlib>

namespace {

void ReadForm(const zk::CXmlNode& html, const zk::DefinitionContext& context, int depth)
{
    if (depth > 8)
        return;
    const zk::FormBody body = zk::ReadFormBody(html, context);
    zk::ReadFormHead(html, context);
    for (const zk::ControlDefinition& control : body.controls) {
        if (const auto* panel = std::get_if<zk::PanelDetail>(&control.detail)) {
            for (const zk::TabPageDefinition& page : panel->pages)
                ReadForm(*page.element, context, depth + 1);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    int messages = 0;
    zk::DefinitionContext context;
    context.messages.show = [&messages](const QString&) { ++messages; };
    zk::CXmlDocument document;
    if (document.LoadXml(text))
        ReadForm(*document.GetRoot(), context, 0);
    for (const zk::LintFinding& finding : zk::LintForm(text)) {
        if (finding.line < 0 || finding.message.isEmpty())
            std::abort();
    }
    return 0;
}
