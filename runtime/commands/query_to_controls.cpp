// The commands that put one row of values into several controls:
// query_to_wnds, query_to_btns, query_to_head, query_to_tree_head,
// query_to_main and able.

#include "data/session/db_session.h"
#include "data/xml/xml_node.h"
#include "forms/controls/control_host.h"
#include "forms/controls/control_values.h"
#include "forms/controls/tree_list_rows.h"
#include "forms/controls/zk_picture.h"
#include "forms/grid/list_ctrl_ex.h"
#include "runtime/commands/query_form.h"
#include "runtime/commands/query_handlers.h"
#include "runtime/commands/query_support.h"
#include "util/numbers.h"

namespace zk {

namespace {

// How a command prepares its statement.
struct Preparation {
    RowPlaceholders rowPlaceholders = RowPlaceholders::UidOnly;
    bool rowContext = true; // table_id gives a row (else it names the control to change)
    bool treeLists = false; // a tree list may give the row
    bool inOut = true;      // reads para_in_out
    bool signs = false;     // conditions carry sign / sign_id
};

struct Prepared {
    bool ok = false;
    QString statement;
    TargetList targets;
};

// The common preparation: row context, the form's templates, the conditions
// of para_info_where (rule A, or `rule`), the templates again, then the
// input/output mapping.
Prepared Prepare(const CXmlNode& command, D_T1& form, const Preparation& how,
                 ConditionRule rule = ConditionRule::FragmentOfValue,
                 const char* conditions = "para_info_where")
{
    Prepared prepared;
    prepared.statement = Attr(command, "values");
    if (how.rowContext && !ApplyRowContext(form, Attr(command, "table_id"), how.rowPlaceholders,
                                           how.treeLists, prepared.statement))
        return prepared;
    prepared.statement = Expand(form, prepared.statement);
    ApplyConditions(form, *command.GetChild(QString::fromLatin1(conditions)), rule,
                    prepared.statement, how.signs);
    prepared.statement = Expand(form, prepared.statement);
    if (how.inOut) {
        prepared.targets = ReadTargets(form, command, prepared.statement);
    } else {
        prepared.targets.targets = SplitTargets(Attr(command, "target_ids"));
        prepared.targets.types = QStringList(prepared.targets.targets.size(), QString());
    }
    prepared.ok = true;
    return prepared;
}

// A global slot number: a whole number from 1 to 10.
int SlotNumber(const QString& target)
{
    bool ok = false;
    const int slot = target.trimmed().toInt(&ok);
    return ok && slot >= 1 && slot <= 10 ? slot : 0;
}

bool IsForbidden(const D_T1& form, const QString& target)
{
    return FormHost(form).ForbiddenIds().contains(QLatin1Char(';') + target + QLatin1Char(';'));
}

} // namespace

bool QueryToWnds(const CXmlNode& command, D_T1& form)
{
    Preparation how;
    how.rowPlaceholders = RowPlaceholders::UidAndCells;
    how.treeLists = true;
    how.signs = true;
    const Prepared prepared = Prepare(command, form, how);
    if (!prepared.ok)
        return false;
    const QStringList values =
        QueryValues(form, prepared.statement, Attr(command, "type"), TextSession(command));
    const QStringList& targets = prepared.targets.targets;
    if (values.isEmpty()) {
        ClearTargets(form, targets);
        return true;
    }
    if (!CountsMatch(form, values.size(), targets.size()))
        return false;
    for (qsizetype k = 0; k < targets.size(); ++k) {
        QWidget* control = QueryControl(form, targets[k]);
        if (prepared.targets.types[k] == QLatin1String("checked"))
            SetCheckState(control, ToInt(values[k]));
        else
            SetControlValue(control, values[k]);
    }
    return true;
}

bool QueryToBtns(const CXmlNode& command, D_T1& form)
{
    const Prepared prepared = Prepare(command, form, Preparation{});
    if (!prepared.ok)
        return false;
    const QStringList values = QueryValues(form, prepared.statement, QString(), false);
    const QStringList& targets = prepared.targets.targets;
    if (values.isEmpty())
        return false;
    if (!CountsMatch(form, values.size(), targets.size()))
        return false;
    for (qsizetype k = 0; k < targets.size(); ++k)
        SetButtonBadge(QueryControl(form, targets[k]), values[k]);
    return true;
}

bool QueryToHead(const CXmlNode& command, D_T1& form)
{
    const QString tableId = Attr(command, "table_id");
    if (tableId.isEmpty()) {
        SetErrorText(form, query_texts::kNoGridId);
        return false;
    }
    Preparation how;
    how.rowContext = false;
    const Prepared prepared = Prepare(command, form, how);
    const QStringList values =
        QueryValues(form, prepared.statement, Attr(command, "type"), TextSession(command));
    const QStringList& targets = prepared.targets.targets;
    if (values.isEmpty())
        return true;
    if (!CountsMatch(form, values.size(), targets.size()))
        return false;
    CListCtrlEx* grid = QueryGrid(form, tableId);
    if (!grid)
        return true;
    for (qsizetype k = 0; k < targets.size(); ++k) {
        const int column = ToInt(targets[k]);
        if (column >= 1)
            grid->SetHeaderText(column - 1, values[k]);
    }
    return true;
}

bool QueryToTreeHead(const CXmlNode& command, D_T1& form)
{
    const QString tableId = Attr(command, "table_id");
    if (tableId.isEmpty()) {
        SetErrorText(form, query_texts::kNoGridId);
        return false;
    }
    const QString level = Attr(command, "target_ids");
    if (level.isEmpty())
        return false;
    Preparation how;
    how.rowContext = false;
    how.inOut = false;
    const Prepared prepared = Prepare(command, form, how);
    const QStringList values = QueryValues(form, prepared.statement, Attr(command, "type"), false);
    if (values.isEmpty())
        return true;
    const auto* picture = qobject_cast<ZkPicture*>(QueryControl(form, tableId));
    auto* treeList =
        picture ? dynamic_cast<TreeListRows*>(picture->Renderer(ZkPicture::DisplayMode::TreeList))
                : nullptr;
    if (treeList)
        treeList->SetLevelCaptions(ToInt(level), values);
    return true;
}

bool QueryToMain(const CXmlNode& command, D_T1& form)
{
    const Prepared prepared = Prepare(command, form, Preparation{});
    if (!prepared.ok)
        return false;
    const QStringList values =
        QueryValues(form, prepared.statement, QString(), TextSession(command));
    const QStringList& targets = prepared.targets.targets;
    if (!values.isEmpty() && !CountsMatch(form, values.size(), targets.size()))
        return false;
    for (qsizetype k = 0; k < targets.size(); ++k) {
        const int slot = SlotNumber(targets[k]);
        if (slot == 0) {
            ShowFormMessage(form, query_texts::kSlotRange);
            return false;
        }
        SetGlobalSlot(form, slot, values.isEmpty() ? QString() : values[k]);
    }
    return true;
}

bool Able(const CXmlNode& command, D_T1& form)
{
    const bool whereList = !command.GetChild(QStringLiteral("para_info_where"))->IsNull();
    Preparation how;
    how.inOut = false;
    const Prepared prepared =
        whereList ? Prepare(command, form, how, ConditionRule::EscapedFragmentOfValue)
                  : Prepare(command, form, how, ConditionRule::PlainValue, "para_info");
    if (!prepared.ok)
        return false;
    const QStringList values =
        QueryValues(form, prepared.statement, Attr(command, "type"), TextSession(command));
    const QStringList& targets = prepared.targets.targets;
    if (values.isEmpty())
        return true;
    // Fewer targets than values is refused; a surplus target takes the state
    // of the one before it.
    if (targets.size() < values.size())
        return CountsMatch(form, values.size(), targets.size());
    bool enabled = false;
    for (qsizetype k = 0; k < targets.size(); ++k) {
        if (k < values.size())
            enabled = ToInt(values[k]) != 0;
        QWidget* control = QueryControl(form, targets[k]);
        if (control)
            EnableControl(FormHost(form), control, enabled && !IsForbidden(form, targets[k]));
    }
    return true;
}

} // namespace zk
