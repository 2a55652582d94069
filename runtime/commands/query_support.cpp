#include "runtime/commands/query_support.h"

#include "data/session/db_session.h"
#include "data/xml/xml_node.h"
#include "data/xml/xml_nodes.h"
#include "forms/controls/control_host.h"
#include "forms/controls/control_registry.h"
#include "forms/controls/control_values.h"
#include "forms/controls/tree_list_rows.h"
#include "forms/controls/zk_picture.h"
#include "forms/grid/list_ctrl_ex.h"
#include "runtime/commands/query_form.h"
#include "runtime/template/template_expand.h"
#include "util/split.h"
#include "util/sql_text.h"

namespace zk {

namespace {

const TreeListRows* TreeListOf(const QWidget* control)
{
    const auto* picture = qobject_cast<const ZkPicture*>(control);
    if (!picture || picture->Mode() != ZkPicture::DisplayMode::TreeList)
        return nullptr;
    return dynamic_cast<const TreeListRows*>(picture->Renderer(ZkPicture::DisplayMode::TreeList));
}

// The text a condition reads, by its rule.
QString ConditionText(const D_T1& form, const CXmlNode& condition, ConditionRule rule)
{
    switch (rule) {
    case ConditionRule::FragmentOfIdText:
    case ConditionRule::EscapedIdText: {
        QString text = ControlWindowText(
            QueryControlById(form, condition.GetAttribute(QStringLiteral("value"), 0)));
        if (rule == ConditionRule::EscapedIdText)
            EscapeSql(text);
        return text;
    }
    default: {
        QString text = GetControlValue(FormHost(form), Attr(condition, "value"));
        if (rule == ConditionRule::EscapedFragmentOfValue)
            EscapeSql(text);
        return text;
    }
    }
}

QString Fragment(const CXmlNode& condition, ConditionRule rule, const QString& text)
{
    QString where = Attr(condition, "where");
    switch (rule) {
    case ConditionRule::FragmentAlways:
        return where.isEmpty() ? text : where.replace(QStringLiteral("{{self}}"), text);
    case ConditionRule::EscapedIdText:
    case ConditionRule::PlainValue:
        return text;
    default:
        return text.isEmpty() ? QString() : where.replace(QStringLiteral("{{self}}"), text);
    }
}

} // namespace

QString Attr(const CXmlNode& node, const char* name)
{
    return node.GetAttribute(QString::fromLatin1(name), QString());
}

bool TextSession(const CXmlNode& command)
{
    return command.GetAttribute(QStringLiteral("txt"), 0) != 0;
}

QWidget* QueryControl(const D_T1& form, const QString& reference)
{
    return FindControl(FormHost(form), reference);
}

QWidget* QueryControlById(const D_T1& form, int id)
{
    return id < 1 ? nullptr : FormHost(form).Registry().Find(WindowIdOfElement(id));
}

CListCtrlEx* QueryGrid(const D_T1& form, const QString& reference)
{
    return qobject_cast<CListCtrlEx*>(QueryControl(form, reference));
}

QString Expand(const D_T1& form, const QString& text)
{
    return ExpandTemplates(FormTemplates(form), text);
}

void ApplyRowTexts(const CListCtrlEx& grid, int row, int firstColumnNumber, QString& text)
{
    if (!text.contains(QStringLiteral("{{id?")))
        return;
    for (int column = 0; column < grid.ColumnCount(); ++column) {
        QString cell = grid.CellText(row, column);
        EscapeSql(cell);
        text.replace(QStringLiteral("{{id?%1}}").arg(column + firstColumnNumber), cell);
    }
}

void ApplyRowUid(const QString& uid, QString& text)
{
    text.replace(QStringLiteral("{{id?uid}}"), uid);
}

bool ApplyRowContext(const D_T1& form, const QString& tableId, RowPlaceholders placeholders,
                     bool treeLists, QString& text)
{
    if (tableId.isEmpty())
        return true;
    QWidget* control = QueryControl(form, tableId);
    if (const auto* grid = qobject_cast<const CListCtrlEx*>(control)) {
        const int row = grid->FirstSelectedRow();
        if (row < 0)
            return false;
        ApplyRowUid(QString::number(grid->RowKey(row)), text);
        if (placeholders == RowPlaceholders::UidAndCells)
            ApplyRowTexts(*grid, row, 0, text);
        return true;
    }
    const TreeListRows* treeList = treeLists ? TreeListOf(control) : nullptr;
    if (!treeList)
        return false;
    const QString key = treeList->SelectedRowKey();
    if (key.isEmpty())
        return false;
    ApplyRowUid(key, text);
    return true;
}

void ApplyConditions(const D_T1& form, const CXmlNode& list, ConditionRule rule, QString& text,
                     bool signs)
{
    if (list.IsNull())
        return;
    const CXmlNodesPtr children = list.GetChildren();
    for (int k = 0; k < children->GetCount(); ++k) {
        const CXmlNodePtr condition = children->GetItem(k);
        const QString fragment = Fragment(*condition, rule, ConditionText(form, *condition, rule));
        text.replace(QStringLiteral("{{p%1}}").arg(k + 1), fragment);
        if (!signs)
            continue;
        QString sign = Attr(*condition, "sign");
        if (sign.isEmpty())
            sign = ControlWindowText(QueryControl(form, Attr(*condition, "sign_id")));
        if (!sign.isEmpty())
            text.replace(sign, fragment);
    }
}

QStringList SplitTargets(const QString& targetIds)
{
    QStringList targets;
    if (!targetIds.isEmpty())
        SplitText(targetIds, QStringLiteral(";"), targets);
    return targets;
}

TargetList ReadTargets(const D_T1& form, const CXmlNode& command, QString& text)
{
    TargetList list;
    const CXmlNodePtr mapping = command.GetChild(QStringLiteral("para_in_out"));
    if (mapping->IsNull()) {
        list.targets = SplitTargets(Attr(command, "target_ids"));
        for (qsizetype i = 0; i < list.targets.size(); ++i)
            list.types.append(QString());
        return list;
    }
    QStringList inputs;
    const CXmlNodesPtr children = mapping->GetChildren();
    for (int k = 0; k < children->GetCount(); ++k) {
        const CXmlNodePtr entry = children->GetItem(k);
        inputs.append(Attr(*entry, "in"));
        list.targets.append(Attr(*entry, "out"));
        list.types.append(Attr(*entry, "type"));
    }
    text.replace(QStringLiteral("{{para_in}}"), inputs.join(QLatin1Char(',')));
    text = Expand(form, text);
    return list;
}

QStringList QueryValues(D_T1& form, const QString& statement, const QString& type, bool textSession)
{
    QStringList values;
    if (!type.isEmpty()) {
        SplitText(statement, type, values);
        return values;
    }
    CDbSession& session = QuerySession(form, textSession);
    if (session.QueryList(statement, values) < 0)
        values.clear();
    return values;
}

bool CountsMatch(D_T1& form, qsizetype values, qsizetype targets)
{
    if (values == targets)
        return true;
    ShowFormMessage(form, query_texts::kCountMismatch);
    return false;
}

void ClearTargets(const D_T1& form, const QStringList& targets)
{
    for (const QString& target : targets)
        SetControlText(QueryControl(form, target), QString());
}

} // namespace zk
