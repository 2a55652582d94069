#include "runtime/commands/command_table.h"
#include "runtime/lint/lint_support.h"

#include <QRegularExpression>

#include <optional>

namespace zk::lint {

namespace {

// A jump whose query is a bare "SELECT n": its offset is known before the
// script runs. Placeholders, FROM or anything else make it data-dependent.
std::optional<int> ConstantOffset(pugi::xml_node jump)
{
    static const QRegularExpression literal(QStringLiteral("^\\s*select\\s+([-+]?\\d+)\\s*;?\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = literal.match(AttrOf(jump, "values"));
    if (!m.hasMatch())
        return std::nullopt;
    bool ok = false;
    const int offset = m.captured(1).toInt(&ok);
    return ok ? std::optional<int>(offset) : std::nullopt;
}

void LintJump(Sink& sink, pugi::xml_node jump, int position, int count)
{
    const std::optional<int> offset = ConstantOffset(jump);
    if (!offset)
        return;
    const int target = position + *offset;
    if (*offset == 0)
        sink.Add(jump, QStringLiteral("jump 的偏移为 0，运行时失败（jump为0无效）"));
    else if (target < 0)
        sink.Add(jump, QStringLiteral("jump 的偏移 %1 跳到脚本开头之前").arg(*offset));
    else if (target > count)
        sink.Add(jump, QStringLiteral("jump 的偏移 %1 跳过了脚本末尾").arg(*offset));
    else if (*offset < 0)
        sink.Add(
            jump,
            QStringLiteral("jump 的偏移 %1 是常数，脚本会一直循环到某个命令失败为止").arg(*offset));
}

// The command whose name differs only in case, for the message.
QString CaseNearMiss(const QString& name)
{
    for (const CommandSpec& command : CommandList()) {
        const QString candidate =
            QString::fromLatin1(command.name.data(), qsizetype(command.name.size()));
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    return {};
}

void LintCommand(Sink& sink, pugi::xml_node command)
{
    const QString name = NameOf(command);
    if (FindCommand(name))
        return;
    const QString nearMiss = CaseNearMiss(name);
    if (nearMiss.isEmpty())
        sink.Add(command, QStringLiteral("未知命令 <%1>").arg(name));
    else
        sink.Add(command, QStringLiteral("未知命令 <%1>（是否为 <%2>？）").arg(name, nearMiss));
}

} // namespace

void LintScript(Sink& sink, pugi::xml_node event)
{
    int count = 0;
    for (pugi::xml_node child = event.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element)
            ++count;
    }
    int position = 0;
    const QString jump = QString::fromLatin1(kJumpName.data(), qsizetype(kJumpName.size()));
    for (pugi::xml_node child = event.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        if (NameOf(child) == jump)
            LintJump(sink, child, position, count);
        else
            LintCommand(sink, child);
        ++position;
    }
}

} // namespace zk::lint
