#pragma once

#include "runtime/commands/command_registry.h"

#include <span>

namespace zk {

// The handlers of the query family: the commands that read the database into
// the form's controls, run_sql, check and checkthis.
std::span<const HandlerBinding> QueryHandlerBindings();

} // namespace zk
