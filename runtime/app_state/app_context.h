#pragma once

#include "runtime/template/template_context.h"

#include <QFont>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

// What a form window reads of the application: the logged-in session, the
// application-wide slots, the form cache and the command registry. The
// application object owns one AppContext and hands it to every form window it
// opens; tests make their own. Nothing here is a global: a form window only
// knows the AppContext it was given.

namespace zk {

class CommandRegistry;
class FormCache;

// The session state of the logged-in user, named as the application object
// names its members.
struct SessionState {
    QString userid;   // record uid of the user (c_user.uid_0)
    QString user_id;  // login id
    QString username; // display name
    QString password; // the stored digest
    QString auth;
    QString groupid;
    QString cpy; // company name
    QString db_kind;
    QString version_exe;
    QString isprint = QStringLiteral("0");
    // Ten application-wide texts, numbered 1 to 10 (index 0 is slot 1);
    // written by query_to_main, outlive every form.
    std::array<QString, 10> global_slots;

    // The value a placeholder of that field reads (empty for the fields the
    // application does not keep).
    QString Field(SessionField field) const;
};

// The message box a form shows; 1 for OK, 2 for Cancel. `plain` is the
// system's plain box (OK only) where the form window uses it; otherwise the
// program's own ShowBox. Tests answer boxes through this hook.
using MessageBoxHook = std::function<int(QWidget* parent, const QString& text,
                                         const QString& caption, int withCancel, bool plain)>;

struct AppContext {
    SessionState* state = nullptr;             // never null in a running form
    FormCache* formCache = nullptr;            // pop-ups and uid look-ups; may be null
    const CommandRegistry* commands = nullptr; // null: every command is unknown
    // Empty: a form's main session works through the server link, as in the
    // usual set-up. Otherwise the form's main session connects directly with
    // this connection string (a single-user installation, the tests); it is
    // then the form's "server" session for the rights and log rules.
    QString directConnection;
    // Empty: the program's message boxes.
    MessageBoxHook messageBox;
    // The forms' default font, when the application has worked it out once
    // (FormDefaultFont matches fonts, which costs more than building a small
    // form); nullopt: every form asks FormDefaultFont itself.
    std::optional<QFont> defaultFont;
};

} // namespace zk
