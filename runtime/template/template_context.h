#pragma once

#include <QDateTime>
#include <QString>

// What template expansion reads. The form window implements TemplateContext
// over its own state, the application's session state and its controls;
// tests give it plain values.

namespace zk {

// The values of the logged-in session that placeholders read, named as the
// application object names them.
enum class SessionField {
    userid,          // record uid of the user
    groupid,         // the user's group
    user_id,         // login id
    username,        // display name
    cpy,             // company name
    password,        // the stored digest of the password
    db_path,         // (empty)
    version_exe,     // the program's version "a.b.c.d"
    version_service, // (empty)
    exe_name,        // (empty)
    isprint,         // "1" while a job prints on a printer, else "0"
};

class TemplateContext {
public:
    virtual ~TemplateContext() = default;

    virtual QString SessionValue(SessionField field) const = 0;

    // The opener's values: {{type}}, {{type2}}, {{index}}.
    virtual QString FormType() const = 0;
    virtual QString FormType2() const = 0;
    virtual QString FormIndex() const = 0;
    // True while the form's INIT script runs.
    virtual bool InitialLoad() const = 0;
    // Row keys of the last grid fill joined with "," ({{selected_uid_0}}).
    virtual QString LoadedKeyList() const = 0;
    // Uids of the grid rows deleted since the last save ({{deleted_uid_0}}).
    virtual QString DeletedRowList() const = 0;

    // GetControlValue for a control reference ("n", "x:n", "t:p:n"): a drop
    // list's selected item, else the window text; empty when nothing is found.
    virtual QString ControlValue(const QString& reference) const = 0;
    // The window text of this form's control with that definition id; empty
    // when there is none.
    virtual QString ControlText(int definitionId) const = 0;

    // The clock: local time, and milliseconds since the system started (the
    // low 32 bits). Overridden by tests to fix the date.
    virtual QDateTime Now() const { return QDateTime::currentDateTime(); }
    virtual quint32 TickCount() const;
};

} // namespace zk
