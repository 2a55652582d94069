#pragma once

#include <QList>
#include <QString>

// The form author's check of a definition. The runtime forgives a lot: it
// skips unknown element and command names, reads broken numbers as 0 and
// leaves out layout elements it cannot build, so a mistake shows only as a
// form that quietly does less. The linter reports what can be known from the
// text alone:
//
// * text that is not well-formed XML, or has no single root, or a root other
//   than html;
// * unknown element names under dialog; attribute values that are not of
//   their value form (integer, rectangle, colour, font, id list); a control
//   or group without pos; a form without head pos (it closes at once);
// * duplicate control ids within one form, duplicate form ids in a document;
// * split and group references to missing controls or panes, panes named
//   before they exist, groups placed after the controls they arrange,
//   controls arranged twice, names used twice;
// * event elements on kinds that cannot carry events, unknown event names,
//   inline pop-ups that do not exist;
// * command names that are not in the command table (names are
//   case-sensitive; a near miss in case is pointed out);
// * a jump whose offset is a constant ("SELECT n" without placeholders and
//   without FROM) and that is 0, lands before the script's start, past its
//   end, or goes back (such a script loops for ever). Offsets that depend on
//   data or on controls cannot be checked and are not reported.
//
// Messages are in Chinese like the rest of the system's texts.

namespace zk {

struct LintFinding {
    int line = 0; // 1-based line of the element concerned
    QString message;

    bool operator==(const LintFinding&) const = default;
};

// The findings in document order; none for a clean definition.
QList<LintFinding> LintForm(const QString& xmlText);

} // namespace zk
