// The commands that put a whole result into one control or into drop lists:
// query_to_wnd, query_to_wnd2, query_to_list, query_to_lists, query_to_lists2.

#include "data/xml/xml_node.h"
#include "forms/controls/control_values.h"
#include "forms/controls/zk_drop_list.h"
#include "forms/controls/zk_edit.h"
#include "runtime/commands/query_form.h"
#include "runtime/commands/query_handlers.h"
#include "runtime/commands/query_support.h"

namespace zk {

namespace {

// query_to_wnd and query_to_wnd2: the row context, the conditions (rule A),
// then every value of the statement.
bool JoinedValues(const CXmlNode& command, D_T1& form, QWidget*& target, QStringList& values)
{
    const QString targetId = Attr(command, "target_ids");
    if (targetId.isEmpty()) {
        SetErrorText(form, query_texts::kBadParameters);
        return false;
    }
    QString statement = Attr(command, "values");
    if (!ApplyRowContext(form, Attr(command, "table_id"), RowPlaceholders::UidAndCells, false,
                         statement))
        return false;
    statement = Expand(form, statement);
    ApplyConditions(form, *command.GetChild(QStringLiteral("para_info_where")),
                    ConditionRule::FragmentOfValue, statement);
    statement = Expand(form, statement);
    values = QueryValues(form, statement, QString(), TextSession(command));
    target = QueryControl(form, targetId);
    return true;
}

// The value list of the drop-list commands (rule B, para_info first), or
// nothing without targets.
QStringList ListValues(const CXmlNode& command, D_T1& form, QStringList& targets)
{
    targets = SplitTargets(Attr(command, "target_ids"));
    if (targets.isEmpty())
        return {};
    CXmlNodePtr conditions = command.GetChild(QStringLiteral("para_info"));
    if (conditions->IsNull())
        conditions = command.GetChild(QStringLiteral("para_info_where"));
    QString statement = Expand(form, Attr(command, "values"));
    ApplyConditions(form, *conditions, ConditionRule::FragmentAlways, statement);
    statement = Expand(form, statement);
    return QueryValues(form, statement, QString(), TextSession(command));
}

void FillDropList(QWidget* control, const QStringList& items)
{
    auto* list = qobject_cast<ZkDropList*>(control);
    if (!list)
        return;
    list->SetItems(items);
    if (!items.isEmpty())
        list->setCurrentIndex(0);
}

} // namespace

bool QueryToWnd(const CXmlNode& command, D_T1& form)
{
    QWidget* target = nullptr;
    QStringList values;
    if (!JoinedValues(command, form, target, values))
        return false;
    SetControlText(target, values.join(QLatin1Char(',')));
    return true;
}

bool QueryToWnd2(const CXmlNode& command, D_T1& form)
{
    QWidget* target = nullptr;
    QStringList values;
    if (!JoinedValues(command, form, target, values))
        return false;
    auto* edit = qobject_cast<ZkEdit*>(target);
    if (values.isEmpty() || !edit) {
        SetControlText(target, values.join(QLatin1Char(',')));
        return true;
    }
    edit->ReplaceSelection(values.join(QLatin1Char(',')));
    edit->Editor()->setFocus();
    return true;
}

bool QueryToList(const CXmlNode& command, D_T1& form)
{
    QStringList targets;
    const QStringList values = ListValues(command, form, targets);
    if (!values.isEmpty())
        FillDropList(QueryControl(form, targets.first()), values);
    return true;
}

bool QueryToLists(const CXmlNode& command, D_T1& form)
{
    QStringList targets;
    const QStringList values = ListValues(command, form, targets);
    if (values.isEmpty())
        return true;
    for (const QString& target : targets)
        FillDropList(QueryControl(form, target), values);
    return true;
}

bool QueryToLists2(const CXmlNode& command, D_T1& form)
{
    static const QString kGroupEnd = QStringLiteral("-|-||-|-");
    QStringList targets;
    const QStringList values = ListValues(command, form, targets);
    if (values.isEmpty())
        return true;
    qsizetype next = 0;
    QStringList group;
    for (qsizetype i = 0; i <= values.size() && next < targets.size(); ++i) {
        if (i < values.size() && values[i] != kGroupEnd) {
            group.append(values[i]);
            continue;
        }
        FillDropList(QueryControl(form, targets[next++]), group);
        group.clear();
    }
    return true;
}

} // namespace zk
