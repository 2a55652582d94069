#pragma once

// Stand-in handlers for the tests of the form window and the interpreter,
// attached under names of a command family that is not part of these tests
// (the grid and control commands), so that a script can record, fail, write
// the database, assign keys and click again.

#include "forms/controls/control_values.h"
#include "forms/grid/list_ctrl_ex.h"
#include "runtime/commands/command_registry.h"
#include "runtime/form_window/form_window.h"
#include "runtime/template/template_expand.h"

#include <QStringList>

#include <stdexcept>

namespace zk::test {

// What the recording handler saw, in order: its `values` after template
// expansion.
inline QStringList& RecordedCalls()
{
    static QStringList calls;
    return calls;
}

inline QString Attr(const CXmlNode& e, const char* name)
{
    return e.GetAttribute(QString::fromLatin1(name), QString());
}

// md5: records `values`, sets `message` as the result message, fails with
// `error` when `ok` is "0".
inline bool RecordHandler(const CXmlNode& e, D_T1& form)
{
    RecordedCalls().append(ExpandTemplates(form, Attr(e, "values")));
    if (!Attr(e, "message").isEmpty())
        form.message_text = Attr(e, "message");
    if (Attr(e, "ok") == u"0") {
        form.error_text = Attr(e, "error");
        return false;
    }
    return true;
}

// UrlEncode: runs `values` on the form's session.
inline bool ExecHandler(const CXmlNode& e, D_T1& form)
{
    return form.session.Execute(ExpandTemplates(form, Attr(e, "values")));
}

// UrlDecode: gives row 0 of grid `table_id` the key `key` and control
// `uid_id` the text `uid`, both remembered for a rollback.
inline bool AssignKeysHandler(const CXmlNode& e, D_T1& form)
{
    if (CListCtrlEx* grid = form.FindGrid(Attr(e, "table_id")); grid && grid->RowCount() > 0) {
        form.AddUndoRow(grid, 0, grid->RowKey(0));
        grid->SetRowKey(0, Attr(e, "key").toInt());
    }
    const int uidId = Attr(e, "uid_id").toInt();
    form.AddUndoControl(uidId);
    SetControlText(form.Control(uidId), Attr(e, "uid"));
    return true;
}

// save_pass: a second click on the same control while the first one runs,
// as a message box's message loop would deliver it.
inline bool ClickAgainHandler(const CXmlNode& e, D_T1& form)
{
    RecordedCalls().append(QStringLiteral("click"));
    form.RunControlEvent(WindowIdOfElement(Attr(e, "values").toInt()), QStringLiteral("CLICK"));
    return true;
}

// jiami_md5: a handler that breaks the rule and throws.
inline bool ThrowHandler(const CXmlNode&, D_T1&)
{
    throw std::runtime_error("boom");
}

inline void AttachTestHandlers(CommandRegistry& registry)
{
    static const HandlerBinding bindings[] = {
        {"md5", RecordHandler},           {"UrlEncode", ExecHandler},
        {"UrlDecode", AssignKeysHandler}, {"save_pass", ClickAgainHandler},
        {"jiami_md5", ThrowHandler},
    };
    QString error;
    const bool ok = registry.Attach(CommandFamily::grid_control, bindings, &error);
    if (!ok)
        throw std::logic_error(error.toStdString());
}

} // namespace zk::test
