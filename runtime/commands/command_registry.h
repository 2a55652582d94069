#pragma once

#include "runtime/commands/command_table.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <span>
#include <string_view>
#include <vector>

// The command list with the handlers attached. Each family defines, in its
// own file next to its handlers, a table of HandlerBinding; the program
// attaches every family's table once at start-up and dispatches through the
// registry afterwards. Attaching is checked against the declarative list, so
// a family cannot bring in a name the list does not have.

namespace zk {

struct HandlerBinding {
    std::string_view name;
    CommandHandler handler = nullptr;
};

class CommandRegistry {
public:
    struct Entry {
        const CommandSpec* command = nullptr;
        CommandHandler handler = nullptr; // null until the family is attached
    };

    CommandRegistry();

    // Attaches the handlers of one family. Refuses the whole table (false,
    // nothing attached, the reason in *errorText) when a name is not in the
    // list, belongs to another family, is bound twice or has a null handler,
    // or when a command is already attached.
    bool Attach(CommandFamily family, std::span<const HandlerBinding> bindings,
                QString* errorText = nullptr);

    // The entry of that exact name, or nullptr: the script skips it.
    const Entry* Find(QStringView name) const;

    // Names of the commands that have no handler yet, in dispatch order.
    QStringList Unattached() const;

    // The failure text of a script that reaches a command without handler.
    static QString MissingHandlerText(QStringView name);

private:
    std::vector<Entry> entries_;
    QHash<QString, qsizetype> index_;
};

} // namespace zk
