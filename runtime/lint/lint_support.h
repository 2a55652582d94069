#pragma once

#include "runtime/lint/form_lint.h"

#include <pugixml.hpp>

#include <QByteArray>
#include <QList>
#include <QString>

#include <span>
#include <vector>

// Shared pieces of the form linter. The linter reads pugixml directly: it
// needs every element's position in the text, which the document layer does
// not keep.

namespace zk::lint {

// The findings and the line map of the text being checked.
class Sink {
public:
    explicit Sink(const QByteArray& utf8);

    int LineAt(qsizetype byteOffset) const;
    int LineOf(pugi::xml_node node) const;
    void Add(pugi::xml_node node, const QString& message);
    void AddAtOffset(qsizetype byteOffset, const QString& message);
    // Findings sorted by line, in the order found within a line.
    QList<LintFinding> Take();

private:
    std::vector<qsizetype> lineStarts_;
    QList<LintFinding> findings_;
};

inline QString NameOf(pugi::xml_node node)
{
    return QString::fromUtf8(node.name());
}

inline QString AttrOf(pugi::xml_node node, const char* name)
{
    return QString::fromUtf8(node.attribute(name).value());
}

inline bool HasAttr(pugi::xml_node node, const char* name)
{
    return !node.attribute(name).empty();
}

// The integer an attribute reads as (leading-number rule), def when empty.
int IntOf(pugi::xml_node node, const char* name, int def = 0);

// The value forms that attributes are checked against. Empty values are
// always accepted: they read as the attribute's default.
enum class ValueForm { Integer, Rectangle, Colour, Font, IdList };

struct AttrRule {
    const char* name;
    ValueForm form;
};

// One finding per attribute of `node` named in `rules` whose non-empty value
// is not of its form.
void CheckValueForms(Sink& sink, pugi::xml_node node, std::span<const AttrRule> rules);

// "<textbox id=3>" style label of an element for messages.
QString Label(pugi::xml_node node);

// Checks the children of an event element as a script.
void LintScript(Sink& sink, pugi::xml_node event);

// Split and group elements of one dialog, in document order.
void LintLayout(Sink& sink, pugi::xml_node dialog);

} // namespace zk::lint
