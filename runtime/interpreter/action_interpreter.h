#pragma once

#include "data/xml/xml_node.h"

#include <QString>

// The action interpreter: walks the commands of one event element in order,
// treats the pseudo-command `jump`, and hands every other element to the
// handler its name selects in the command registry.

namespace zk {

class D_T1;

// The outcome of a `jump`: on success the offset, relative to the jump
// element itself (1 goes on with the next element).
struct JumpResult {
    bool ok = false;
    int offset = 0;
};

// Walks the children of `event` in document order. True when the walk ran
// off the end; false at the first command or jump that failed, or a jump
// that left the script before its start (the reason in form.error_text).
bool RunActionScript(D_T1& form, const CXmlNode& event, const QString& eventName);

// One command element: sets current_event, clears message_text, and runs the
// handler of that exact name. A name that is no command is skipped (true); a
// command whose family has no handler yet fails with
// CommandRegistry::MissingHandlerText.
bool ExecuteCommand(D_T1& form, const CXmlNode& command, const QString& eventName);

// The `jump` pseudo-command: its query's first value is the offset.
JumpResult EvaluateJump(D_T1& form, const CXmlNode& jump);

} // namespace zk
