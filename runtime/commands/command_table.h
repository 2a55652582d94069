#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <span>
#include <string_view>

// The commands of action scripts, as one declarative list in dispatch order:
// for each command its name, its family and the attributes and child
// elements it reads. The interpreter dispatches by this list, the form
// linter checks names against it and the command reference is printed from
// it, so a new command is added here and nowhere else; its handler is
// attached by its family (command_registry.h).

namespace zk {

class CXmlNode;
class D_T1;

// A command's work: its element and the form window that runs it. True lets
// the script go on; false stops it, with the reason in the form's error text.
using CommandHandler = bool (*)(const CXmlNode&, D_T1&);

enum class CommandFamily {
    query,                 // read the database into controls
    record_save,           // write head records and grid rows
    grid_control,          // change grids and controls without the database
    file_picture,          // attached files and pictures
    export_excel,          // workbooks, clipboard, charts
    web_dialog_navigation, // web pages, shell commands, pop-up forms, close
    print,                 // printing, preview and print settings
};

QString CommandFamilyName(CommandFamily family);

struct CommandSpec {
    std::string_view name; // the element name, matched case-sensitively
    CommandFamily family;
    // What the command reads, as "place: attribute …" entries separated by
    // ";". A place is "." (the command element), a path of child names below
    // it ("para_info", "para_info/para_in"), "*" for every child at that
    // level, "(first)" for the first child element, and "a|b" for "a, or b
    // when a is absent". An entry without attributes names a child element
    // that the command reads as a whole.
    std::string_view reads;
    // Anything else a reader of the reference needs to know.
    std::string_view note = {};
};

// One entry of CommandSpec::reads, split.
struct CommandRead {
    QString place;
    QStringList attributes;
};

// Every command, in dispatch order.
std::span<const CommandSpec> CommandList();

// The command of that exact name, or nullptr (names are case-sensitive:
// "Query_To_Table" is no command).
const CommandSpec* FindCommand(QStringView name);

// The pseudo-command that moves the position in a script; the interpreter
// treats it before the list.
inline constexpr std::string_view kJumpName = "jump";
const CommandSpec& JumpSpec();

// The entries of a command's `reads`.
QList<CommandRead> CommandReads(const CommandSpec& command);

// The command reference: one Markdown table per family, commands in
// dispatch order.
QString CommandReferenceMarkdown();

} // namespace zk
