#include "runtime/commands/command_registry.h"

#include <QSet>

namespace zk {

namespace {

QString Name(std::string_view name)
{
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

} // namespace

CommandRegistry::CommandRegistry()
{
    const std::span<const CommandSpec> list = CommandList();
    entries_.reserve(list.size());
    for (const CommandSpec& command : list) {
        index_.insert(Name(command.name), qsizetype(entries_.size()));
        entries_.push_back(Entry{&command, nullptr});
    }
}

bool CommandRegistry::Attach(CommandFamily family, std::span<const HandlerBinding> bindings,
                             QString* errorText)
{
    const auto refuse = [&](const QString& why) {
        if (errorText)
            *errorText = why;
        return false;
    };
    QSet<QString> seen;
    for (const HandlerBinding& binding : bindings) {
        const QString name = Name(binding.name);
        const auto it = index_.constFind(name);
        if (it == index_.constEnd())
            return refuse(QStringLiteral("命令表中没有命令 %1").arg(name));
        const Entry& entry = entries_[size_t(*it)];
        if (entry.command->family != family) {
            return refuse(
                QStringLiteral("命令 %1 属于 %2，不属于 %3")
                    .arg(name, CommandFamilyName(entry.command->family), CommandFamilyName(family)));
        }
        if (!binding.handler)
            return refuse(QStringLiteral("命令 %1 没有处理函数").arg(name));
        if (seen.contains(name) || entry.handler)
            return refuse(QStringLiteral("命令 %1 重复登记").arg(name));
        seen.insert(name);
    }
    for (const HandlerBinding& binding : bindings)
        entries_[size_t(index_.value(Name(binding.name)))].handler = binding.handler;
    return true;
}

const CommandRegistry::Entry* CommandRegistry::Find(QStringView name) const
{
    const auto it = index_.constFind(name.toString());
    return it == index_.constEnd() ? nullptr : &entries_[size_t(*it)];
}

QStringList CommandRegistry::Unattached() const
{
    QStringList names;
    for (const Entry& entry : entries_) {
        if (!entry.handler)
            names.append(Name(entry.command->name));
    }
    return names;
}

QString CommandRegistry::MissingHandlerText(QStringView name)
{
    return QStringLiteral("命令 %1 尚未实现").arg(name);
}

} // namespace zk
