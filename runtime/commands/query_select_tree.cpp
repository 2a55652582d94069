// select_info_tree: fills a check-box tree from a query of (parent uid,
// caption, uid) rows and checks the items another query names.

#include "data/session/db_session.h"
#include "data/xml/xml_node.h"
#include "forms/controls/zk_tree_ctrl.h"
#include "runtime/commands/query_form.h"
#include "runtime/commands/query_handlers.h"
#include "runtime/commands/query_support.h"

namespace zk {

bool SelectInfoTree(const CXmlNode& command, D_T1& form)
{
    const CXmlNodePtr parameters = command.GetChild(QStringLiteral("para_info_where"));
    QString select = parameters->GetAttribute(QStringLiteral("select"), QString());
    QString checkSql = parameters->GetAttribute(QStringLiteral("check_sql"), QString());
    ApplyConditions(form, *parameters, ConditionRule::FragmentOfIdText, select);
    ApplyConditions(form, *parameters, ConditionRule::FragmentOfIdText, checkSql);
    select = Expand(form, select);
    checkSql = Expand(form, checkSql);

    auto* tree = qobject_cast<CZkTreeCtrl*>(
        QueryControl(form, parameters->GetAttribute(QStringLiteral("tree_id"), QString())));
    if (!tree)
        return true;
    CDbSession& session = FormSession(form);
    QStringList rows;
    session.QueryList(select, rows);
    QStringList checked;
    if (!checkSql.isEmpty())
        session.QueryList(checkSql, checked);
    const QString checkedUids =
        QLatin1Char(',') + checked.join(QLatin1Char(',')) + QLatin1Char(',');

    tree->setUpdatesEnabled(false);
    tree->clear();
    // A query for the checked items puts check boxes on the items.
    if (!checkSql.isEmpty())
        tree->SetCheckBoxes(true);
    FillTree(*tree, rows, checkedUids);
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        tree->topLevelItem(i)->setExpanded(true);
    tree->setUpdatesEnabled(true);
    return true;
}

} // namespace zk
