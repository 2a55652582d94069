#include "forms/definition/control_definition.h"
#include "runtime/lint/lint_support.h"
#include "util/numbers.h"

#include <QHash>
#include <QSet>

namespace zk::lint {

namespace {

// The layout pass's view of one dialog while its elements are walked in
// document order.
struct LayoutState {
    QSet<int> controls;         // element ids of the dialog's controls
    QSet<int> placed;           // controls that have a panel of their own by now
    QHash<int, int> arrangedBy; // control id -> group id
    QSet<QString> names;        // panel names in use
    QSet<QString> panes;        // "T" names that a split can take as a pane
    QSet<QString> splitPanes;   // panes already taken by a split
};

void CheckDesp(Sink& sink, pugi::xml_node element, const LayoutState& state)
{
    const int desp = IntOf(element, "desp");
    if (desp > 0 && !state.controls.contains(desp))
        sink.Add(element,
                 QStringLiteral("%1 的 desp 引用了不存在的控件 %2").arg(Label(element)).arg(desp));
}

void LintGroup(Sink& sink, pugi::xml_node group, LayoutState& state)
{
    const int id = IntOf(group, "id");
    const QList<int> targets = ParseIdList(AttrOf(group, "value"));
    if (targets.isEmpty()) {
        sink.Add(group, QStringLiteral("group %1 的 value 为空，不排列任何控件").arg(id));
        return;
    }
    const QString name = QStringLiteral("T%1").arg(id);
    bool ok = true;
    if (state.names.contains(name)) {
        sink.Add(group, QStringLiteral("名称 %1 已被使用").arg(name));
        ok = false;
    }
    for (int target : targets) {
        if (!state.controls.contains(target)) {
            sink.Add(group, QStringLiteral("group %1 引用了不存在的控件 %2").arg(id).arg(target));
            ok = false;
        } else if (state.arrangedBy.contains(target)) {
            sink.Add(group, QStringLiteral("控件 %1 已由 group %2 排列")
                                .arg(target)
                                .arg(state.arrangedBy.value(target)));
            ok = false;
        } else if (state.placed.contains(target)) {
            sink.Add(group, QStringLiteral("group %1 必须写在控件 %2 之前").arg(id).arg(target));
            ok = false;
        }
    }
    CheckDesp(sink, group, state);
    if (!ok)
        return;
    for (int target : targets) {
        state.arrangedBy.insert(target, id);
        state.placed.insert(target);
    }
    state.names.insert(name);
    state.panes.insert(name);
}

// The key of a split's pane, or an empty text after a finding.
QString PaneKey(Sink& sink, pugi::xml_node split, const QString& part, const LayoutState& state)
{
    const QString name = AttrOf(split, "id");
    if (part.startsWith(u'T')) {
        if (state.panes.contains(part))
            return part;
        sink.Add(split,
                 QStringLiteral("split %1 引用的面板 %2 不存在（必须先定义）").arg(name, part));
        return {};
    }
    const int id = ToInt(part);
    if (state.controls.contains(id))
        return QStringLiteral("#%1").arg(id);
    sink.Add(split, QStringLiteral("split %1 引用了不存在的控件 %2").arg(name, part));
    return {};
}

void LintSplit(Sink& sink, pugi::xml_node split, LayoutState& state)
{
    const QString name = AttrOf(split, "id");
    const QString value = AttrOf(split, "value");
    if (value.isEmpty()) {
        sink.Add(split, QStringLiteral("split %1 的 value 为空，会被忽略").arg(name));
        return;
    }
    const QStringList parts = value.split(u';', Qt::SkipEmptyParts);
    if (parts.size() < 2) {
        sink.Add(split, QStringLiteral("split %1 的 value 需要两个部分 A;B").arg(name));
        return;
    }
    if (name.isEmpty())
        sink.Add(split, QStringLiteral("split 缺少 id（容器名称）"));
    const QString a = PaneKey(sink, split, parts[0], state);
    const QString b = PaneKey(sink, split, parts[1], state);
    bool ok = !a.isEmpty() && !b.isEmpty() && !name.isEmpty();
    if (ok && a == b) {
        sink.Add(split, QStringLiteral("split %1 的两个部分相同").arg(name));
        ok = false;
    }
    for (const QString& pane : {a, b}) {
        if (!pane.isEmpty() && state.splitPanes.contains(pane)) {
            sink.Add(split, QStringLiteral("split %1 的部分 %2 已属于另一个 split")
                                .arg(name, pane.startsWith(u'#') ? pane.mid(1) : pane));
            ok = false;
        }
    }
    if (state.names.contains(name)) {
        sink.Add(split, QStringLiteral("名称 %1 已被使用").arg(name));
        ok = false;
    }
    CheckDesp(sink, split, state);
    if (!ok)
        return;
    state.names.insert(name);
    if (name.startsWith(u'T'))
        state.panes.insert(name);
    state.splitPanes.insert(a);
    state.splitPanes.insert(b);
}

} // namespace

void LintLayout(Sink& sink, pugi::xml_node dialog)
{
    LayoutState state;
    for (pugi::xml_node e : dialog.children()) {
        if (e.type() == pugi::node_element && ControlElementKindFromName(NameOf(e)))
            state.controls.insert(IntOf(e, "id"));
    }
    for (pugi::xml_node e : dialog.children()) {
        if (e.type() != pugi::node_element)
            continue;
        const QString name = NameOf(e);
        if (name == u"group")
            LintGroup(sink, e, state);
        else if (name == u"split")
            LintSplit(sink, e, state);
        else if (ControlElementKindFromName(name) && IntOf(e, "hidden") != 2)
            state.placed.insert(IntOf(e, "id"));
    }
}

} // namespace zk::lint
