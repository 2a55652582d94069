#include "forms/definition/definition_paths.h"
#include "forms/grid/list_ctrl_ex.h"
#include "runtime/commands/query_form.h"
#include "runtime/form_window/form_texts.h"
#include "runtime/form_window/form_window.h"
#include "runtime/template/template_expand.h"

namespace zk {

namespace {

const QString kEndEditIncomplete = QStringLiteral("数据处理不完整，请联系管理员!");
const QString kFieldCountMismatch = QStringLiteral("参数和值数量不匹配!");

QStringList RowTexts(const CListCtrlEx& grid, int row)
{
    QStringList texts;
    for (int c = 0; c < grid.ColumnCount(); ++c)
        texts.append(grid.CellText(row, c));
    return texts;
}

} // namespace

void D_T1::ConnectGrids()
{
    for (const QPointer<CListCtrlEx>& grid : grids_) {
        if (grid)
            grid->SetCellEditedHandler(
                [this](int windowId, int row, int column) { OnCellEdited(windowId, row, column); });
    }
}

void D_T1::OnCellEdited(int gridWindowId, int row, int column)
{
    auto* grid = qobject_cast<CListCtrlEx*>(registry_.Find(gridWindowId));
    if (!grid || !document_ || row < 0 || row >= grid->RowCount())
        return;
    // The column's script is found by its position: col[@id = column + 1].
    const CXmlNodePtr endEdit = document_->SelectSingleNode(
        GridColumnEndEditPath(form_id, gridWindowId - kWindowIdBase, column + 1));
    if (endEdit->IsNull())
        return;
    // While an action runs, the session and its transaction are that run's.
    if (busy || !session.EnsureOpen())
        return;
    bool ok = true;
    const CXmlNodesPtr commands = endEdit->GetChildren();
    for (int i = 0; ok && i < commands->GetCount(); ++i)
        ok = RunEndEditCommand(*commands->GetItem(i), *grid, row);
    session.Close();
    SwitchToMainSession();
    if (!ok) {
        ShowBox(kEndEditIncomplete, texts::kCaption);
        return;
    }
    RunFormCommand(*this, QStringLiteral("sum_table_col"), QStringLiteral("target_ids"),
                   QString::number(gridWindowId - kWindowIdBase));
}

bool D_T1::RunEndEditCommand(const CXmlNode& command, CListCtrlEx& grid, int row)
{
    const QString sql =
        ExpandQueryParams(*this, command.GetAttribute(QStringLiteral("values"), QString()), command,
                          RowTexts(grid, row));
    QList<int> targets;
    for (const QString& part :
         command.GetAttribute(QStringLiteral("target_ids"), QString()).split(QLatin1Char(';')))
        if (!part.trimmed().isEmpty())
            targets.append(part.trimmed().toInt());
    QStringList names;
    QStringList values;
    if (!session.QueryTable(sql, names, values))
        return false;
    if (names.isEmpty()) {
        for (int target : targets)
            grid.SetCellText(row, target - 1, QString());
        return true;
    }
    if (names.size() != targets.size()) {
        ShowBox(kFieldCountMismatch, texts::kCaption);
        return false;
    }
    for (qsizetype i = 0; i < targets.size(); ++i)
        grid.SetCellText(row, targets[i] - 1, values.value(i));
    return true;
}

} // namespace zk
