#include "runtime/commands/query_form.h"

#include "data/xml/xml_document.h"
#include "forms/grid/page_bar.h"
#include "runtime/commands/command_registry.h"
#include "runtime/form_window/form_window.h"

namespace zk {

CDbSession& FormSession(D_T1& form)
{
    return form.session;
}

CDbSession& QuerySession(D_T1& form, bool textSession)
{
    return form.SessionFor(textSession);
}

const ControlHost& FormHost(const D_T1& form)
{
    return form;
}

const TemplateContext& FormTemplates(const D_T1& form)
{
    return form;
}

QWidget* FormWidget(D_T1& form)
{
    return &form;
}

void SetErrorText(D_T1& form, const QString& text)
{
    form.error_text = text;
}

void SetErrorDetail(D_T1& form, const QString& text)
{
    form.session.errorDetail = text;
}

QString ErrorText(D_T1& form)
{
    return form.error_text;
}

void SetMessageText(D_T1& form, const QString& text)
{
    form.message_text = text;
}

void ShowFormMessage(D_T1& form, const QString& text)
{
    form.ShowPlainBox(text);
}

bool AskFormQuestion(D_T1& form, const QString& text, const QString& caption)
{
    return form.ShowBox(text, caption, 1) == 1;
}

FormPageState& FormPaging(D_T1& form)
{
    return form.page;
}

PageState PageBarState(const D_T1& form)
{
    PageState state;
    state.rowsPerPage = form.page.rows_per_page;
    state.currentPage = form.page.current_page;
    state.totalRecords = form.page.total_records;
    state.pageCount = form.page.page_count;
    return state;
}

void SetLoadedKeyList(D_T1& form, const QString& keys)
{
    form.loaded_keys = keys;
}

void SetGlobalSlot(D_T1& form, int slot, const QString& text)
{
    if (slot >= 1 && slot <= int(form.State().global_slots.size()))
        form.State().global_slots[size_t(slot - 1)] = text;
}

bool RunFormCommand(D_T1& form, const QString& name, const QString& attributeName,
                    const QString& attributeValue)
{
    const CommandRegistry* registry = form.App().commands;
    const CommandRegistry::Entry* entry = registry ? registry->Find(name) : nullptr;
    if (!entry || !entry->handler)
        return true;
    CXmlDocument document;
    QString escaped = attributeValue.toHtmlEscaped();
    if (!document.LoadXml(QStringLiteral("<%1 %2=\"%3\"/>").arg(name, attributeName, escaped)))
        return true;
    return entry->handler(*document.GetRoot(), form);
}

} // namespace zk
