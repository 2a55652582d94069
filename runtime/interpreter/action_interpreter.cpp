#include "runtime/interpreter/action_interpreter.h"

#include "runtime/commands/command_registry.h"
#include "runtime/commands/command_table.h"
#include "runtime/form_window/form_window.h"
#include "runtime/template/template_expand.h"

namespace zk {

namespace {

const QString kJumpInvalid = QStringLiteral("jump无效");
const QString kJumpZero = QStringLiteral("jump为0无效");

// The offset of a jump is a decimal integer; anything else reads as 0.
int DecimalOffset(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

// Variant A of the condition lists: child k (from 1) of para_info_where
// fills "{{pk}}" with its `where` around the control's value, or with
// nothing when the value is empty. Values are inserted as they are.
QString ApplyConditions(const D_T1& form, QString sql, const CXmlNode& jump)
{
    const CXmlNodePtr conditions = jump.GetChild(QStringLiteral("para_info_where"));
    if (conditions->IsNull())
        return sql;
    const CXmlNodesPtr children = conditions->GetChildren();
    for (int k = 0; k < children->GetCount(); ++k) {
        const CXmlNodePtr condition = children->GetItem(k);
        const QString value =
            form.ControlValue(condition->GetAttribute(QStringLiteral("value"), QString()));
        QString fragment;
        if (!value.isEmpty()) {
            fragment = condition->GetAttribute(QStringLiteral("where"), QString());
            fragment.replace(QStringLiteral("{{self}}"), value);
        }
        sql.replace(QStringLiteral("{{p%1}}").arg(k + 1), fragment);
    }
    return sql;
}

} // namespace

JumpResult EvaluateJump(D_T1& form, const CXmlNode& jump)
{
    QString sql = jump.GetAttribute(QStringLiteral("values"), QString());
    const QString tableId = jump.GetAttribute(QStringLiteral("table_id"), QString());
    if (!tableId.isEmpty()) {
        const std::optional<RowContext> row = form.SelectedRow(tableId);
        if (!row)
            return {};
        sql.replace(QStringLiteral("{{id?uid}}"), row->uid);
    }
    sql = ExpandTemplates(form, ApplyConditions(form, sql, jump));

    const bool txt = jump.GetAttribute(QStringLiteral("txt"), 0) != 0;
    CDbSession& session = form.SessionFor(txt);
    QString first;
    if (!session.IsFind(sql, first)) {
        form.error_text = kJumpInvalid;
        return {};
    }
    const int offset = DecimalOffset(first);
    if (offset == 0) {
        form.error_text = kJumpZero;
        return {};
    }
    return {true, offset};
}

bool ExecuteCommand(D_T1& form, const CXmlNode& command, const QString& eventName)
{
    const QString name = command.GetName();
    form.current_event = eventName;
    form.message_text.clear();
    const CommandRegistry* registry = form.App().commands;
    const CommandRegistry::Entry* entry = registry ? registry->Find(name) : nullptr;
    if (!entry)
        return true; // no such command: skipped
    if (!entry->handler) {
        form.error_text = CommandRegistry::MissingHandlerText(name);
        return false;
    }
    return entry->handler(command, form);
}

bool RunActionScript(D_T1& form, const CXmlNode& event, const QString& eventName)
{
    const CXmlNodesPtr script = event.GetChildren();
    const int n = script->GetCount();
    int p = 0;
    while (p < n) {
        const CXmlNodePtr element = script->GetItem(p);
        if (element->GetName() == QLatin1String(kJumpName.data(), qsizetype(kJumpName.size()))) {
            const JumpResult jump = EvaluateJump(form, *element);
            if (!jump.ok)
                return false;
            p += jump.offset;
            // A jump before the first element leaves the script: that ends
            // it as failed rather than reading outside it.
            if (p < 0) {
                form.error_text = kJumpInvalid;
                return false;
            }
            continue;
        }
        if (!ExecuteCommand(form, *element, eventName))
            return false;
        ++p;
    }
    return true;
}

} // namespace zk
