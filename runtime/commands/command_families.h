#pragma once

class QString;

namespace zk {

class CommandRegistry;

// Attaches every command family's handler table to `registry`: the one place
// the program lists its families (command_families.cpp, one line a family).
// False, with the first refusal in *errorText, when a family's table was
// refused; the other families are attached all the same.
bool AttachAllCommandFamilies(CommandRegistry& registry, QString* errorText = nullptr);

} // namespace zk
