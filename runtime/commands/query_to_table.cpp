// query_to_table: one query's values become one new row at the end of a grid.

#include "data/session/db_session.h"
#include "data/xml/xml_node.h"
#include "data/xml/xml_nodes.h"
#include "forms/controls/control_registry.h"
#include "forms/grid/list_ctrl_ex.h"
#include "runtime/commands/query_form.h"
#include "runtime/commands/query_handlers.h"
#include "runtime/commands/query_support.h"
#include "util/numbers.h"

namespace zk {

bool QueryToTable(const CXmlNode& command, D_T1& form)
{
    const CXmlNodePtr parameters = command.GetChild(QStringLiteral("para_info"));
    QString select = parameters->GetAttribute(QStringLiteral("select"), QString());
    ApplyConditions(form, *parameters->GetChild(QStringLiteral("para_in")),
                    ConditionRule::EscapedIdText, select);
    select = Expand(form, select);
    QStringList values;
    if (FormSession(form).QueryList(select, values) < 1 || values.isEmpty())
        return true;
    CListCtrlEx* grid =
        QueryGrid(form, parameters->GetAttribute(QStringLiteral("to_table_id"), QString()));
    if (!grid)
        return true;

    const int row = grid->InsertRow(grid->RowCount(), QString());
    const QString rowNumber = QString::number(row + 1);
    bool numbered = false;
    const CXmlNodesPtr mapping = parameters->GetChild(QStringLiteral("para_out"))->GetChildren();
    for (int k = 0; k < mapping->GetCount() && k < values.size(); ++k) {
        QString value = values[k];
        if (value == QLatin1String("{{row_num}}")) {
            value = rowNumber;
            numbered = true;
        }
        // Column 0 holds the row's first text; n > 0 names column n - 1.
        const int column =
            ToInt(mapping->GetItem(k)->GetAttribute(QStringLiteral("value"), QString()));
        grid->SetCellText(row, column > 0 ? column - 1 : 0, value);
    }
    if (numbered)
        grid->RenumberRows(0);
    RunFormCommand(form, QStringLiteral("sum_table_col"), QStringLiteral("target_ids"),
                   QString::number(ElementIdOf(grid)));
    return true;
}

} // namespace zk
