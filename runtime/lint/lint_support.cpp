#include "runtime/lint/lint_support.h"

#include "forms/definition/value_forms.h"
#include "util/numbers.h"

#include <algorithm>

namespace zk::lint {

Sink::Sink(const QByteArray& utf8)
{
    lineStarts_.push_back(0);
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\n')
            lineStarts_.push_back(i + 1);
    }
}

int Sink::LineAt(qsizetype byteOffset) const
{
    const auto it = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), byteOffset);
    return int(it - lineStarts_.begin());
}

int Sink::LineOf(pugi::xml_node node) const
{
    const ptrdiff_t offset = node.offset_debug();
    return offset < 0 ? 0 : LineAt(qsizetype(offset));
}

void Sink::Add(pugi::xml_node node, const QString& message)
{
    findings_.append(LintFinding{LineOf(node), message});
}

void Sink::AddAtOffset(qsizetype byteOffset, const QString& message)
{
    findings_.append(LintFinding{LineAt(byteOffset), message});
}

QList<LintFinding> Sink::Take()
{
    std::stable_sort(findings_.begin(), findings_.end(),
                     [](const LintFinding& a, const LintFinding& b) { return a.line < b.line; });
    return std::move(findings_);
}

int IntOf(pugi::xml_node node, const char* name, int def)
{
    const QString text = AttrOf(node, name);
    return text.isEmpty() ? def : ToInt(text);
}

namespace {

bool IsIdList(const QString& text)
{
    const QStringList parts = text.split(u';', Qt::SkipEmptyParts);
    return std::all_of(parts.begin(), parts.end(),
                       [](const QString& p) { return IsIntegerText(p); });
}

// Exactly `count` integers separated by ",".
bool IsIntegerParts(const QString& text, qsizetype count)
{
    const QStringList parts = text.split(u',');
    return parts.size() == count && std::all_of(parts.begin(), parts.end(),
                                                [](const QString& p) { return IsIntegerText(p); });
}

bool Matches(ValueForm form, const QString& text)
{
    switch (form) {
    case ValueForm::Integer:
        return IsIntegerText(text);
    case ValueForm::Rectangle:
        return IsIntegerParts(text, 4);
    case ValueForm::Colour:
        return IsIntegerParts(text, 3);
    case ValueForm::Font:
        return IsValidFontText(text);
    case ValueForm::IdList:
        return IsIdList(text);
    }
    return true;
}

QString FormName(ValueForm form)
{
    switch (form) {
    case ValueForm::Integer:
        return QStringLiteral("整数");
    case ValueForm::Rectangle:
        return QStringLiteral("矩形 left,top,right,bottom");
    case ValueForm::Colour:
        return QStringLiteral("颜色 r,g,b");
    case ValueForm::Font:
        return QStringLiteral("字体 size[,face]");
    case ValueForm::IdList:
        return QStringLiteral("编号列表 a;b;c");
    }
    return {};
}

} // namespace

void CheckValueForms(Sink& sink, pugi::xml_node node, std::span<const AttrRule> rules)
{
    for (const AttrRule& rule : rules) {
        const QString value = AttrOf(node, rule.name);
        if (value.isEmpty() || Matches(rule.form, value))
            continue;
        sink.Add(node,
                 QStringLiteral("%1 的属性 %2 不是%3：\"%4\"")
                     .arg(Label(node), QString::fromUtf8(rule.name), FormName(rule.form), value));
    }
}

QString Label(pugi::xml_node node)
{
    const pugi::xml_attribute id = node.attribute("id");
    if (id.empty())
        return QStringLiteral("<%1>").arg(NameOf(node));
    return QStringLiteral("<%1 id=%2>").arg(NameOf(node), QString::fromUtf8(id.value()));
}

} // namespace zk::lint
