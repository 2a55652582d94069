// run_sql: every child element is a statement element whose queries and
// statements run per grid row (or once) in two phases of numbered steps;
// controls named by jp_id and jump_id hold the step numbers, so a query can
// choose the next step by writing a number into them.

#include "data/session/db_session.h"
#include "data/xml/xml_node.h"
#include "data/xml/xml_nodes.h"
#include "forms/controls/control_values.h"
#include "forms/grid/list_ctrl_ex.h"
#include "runtime/commands/query_form.h"
#include "runtime/commands/query_handlers.h"
#include "runtime/commands/query_support.h"
#include "runtime/template/template_expand.h"
#include "util/numbers.h"

namespace zk {

namespace {

// A phase that keeps being sent back is stopped after this many passes, and
// the statement fails: a step number that no query resets would otherwise
// hang the form for good.
constexpr int kMaxPasses = 10000;

const QString kAllSelected = QStringLiteral("{{id?uid_all_selected}}");

class StatementRun {
public:
    StatementRun(const CXmlNode& statement, D_T1& form)
        : statement_(statement)
        , form_(form)
    {
    }

    bool Run();

private:
    QString Attr(const char* name) const
    {
        return statement_.GetAttribute(QString::fromLatin1(name), QString());
    }

    // The text of an attribute for the current row, the statement's own
    // parameter list and the form's templates applied.
    QString Prepared(const char* name) const;
    // The step number a control holds; 0 for a missing control or text.
    int StepNumber(const QString& reference) const;
    // Shows the prepared text first when `tip` names the step.
    void Tip(char step, const QString& text) const;
    bool QueryInto(const char* query, const char* targets, char step = 0);
    bool Execute(const char* name, char step = 0);
    bool Guard();
    void FirstPhase();
    bool SecondPhase();
    bool RunRow();
    bool RunAllSelected(const QList<int>& rows);
    bool Finish(bool ok);

    const CXmlNode& statement_;
    D_T1& form_;
    const CListCtrlEx* grid_ = nullptr;
    int row_ = -1;
    QString allSelected_; // the uids of the selected rows, for {{id?uid_all_selected}}
    bool tips_ = false;   // selected-rows mode honours `tip`
    bool guarded_ = false;
    bool guardRefused_ = false;
    bool tooManyPasses_ = false;
    QString lastRunSql_;
};

QString StatementRun::Prepared(const char* name) const
{
    QString text = Attr(name);
    if (!allSelected_.isEmpty())
        text.replace(kAllSelected, allSelected_);
    if (grid_ && row_ >= 0) {
        ApplyRowUid(QString::number(grid_->RowKey(row_)), text);
        ApplyRowTexts(*grid_, row_, 1, text);
    }
    return ExpandParamList(FormTemplates(form_), text, statement_);
}

int StatementRun::StepNumber(const QString& reference) const
{
    if (reference.isEmpty())
        return 0;
    return ToInt(ControlWindowText(QueryControl(form_, reference)));
}

void StatementRun::Tip(char step, const QString& text) const
{
    if (tips_ && step && Attr("tip").contains(QLatin1Char(step)))
        ShowFormMessage(form_, text);
}

bool StatementRun::QueryInto(const char* query, const char* targets, char step)
{
    const QString sql = Prepared(query);
    Tip(step, sql);
    QStringList values;
    if (QuerySession(form_, false).QueryList(sql, values) < 0)
        values.clear();
    const QStringList ids = SplitTargets(Attr(targets));
    if (values.isEmpty()) {
        ClearTargets(form_, ids);
        return false;
    }
    if (!CountsMatch(form_, values.size(), ids.size()))
        return false;
    for (qsizetype k = 0; k < ids.size(); ++k)
        SetControlValue(QueryControl(form_, ids[k]), values[k]);
    return true;
}

bool StatementRun::Execute(const char* name, char step)
{
    const QString sql = Prepared(name);
    if (qstrcmp(name, "run_sql") == 0)
        lastRunSql_ = sql;
    Tip(step, sql);
    return FormSession(form_).RunScript(sql);
}

// The guard runs once a statement: a value it returns refuses the statement.
bool StatementRun::Guard()
{
    if (guarded_ || Attr("can_run_sql").isEmpty())
        return true;
    guarded_ = true;
    const QString sql = Prepared("can_run_sql");
    Tip('1', sql);
    QString value;
    if (!FormSession(form_).IsFind(sql, value))
        return true;
    SetErrorText(form_, value);
    guardRefused_ = true;
    return false;
}

void StatementRun::FirstPhase()
{
    const QString jp = Attr("jp_id");
    int step = 0;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        bool ok = true;
        const struct {
            int below;
            const char* query;
            const char* ids;
            char tip;
        } steps[] = {
            {2, "query1", "ids1", '2'}, {3, "query2", "ids2", '3'}, {4, "query3", "ids3", '4'}};
        for (const auto& s : steps) {
            if (step >= s.below || !ok || Attr(s.query).isEmpty())
                continue;
            if (StepNumber(jp) == 0)
                return;
            ok = QueryInto(s.query, s.ids, s.tip);
        }
        step = StepNumber(jp);
        if (step == 0 || !ok)
            return;
    }
    tooManyPasses_ = true;
}

bool StatementRun::SecondPhase()
{
    const QString jump = Attr("jump_id");
    int step = 0;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        bool ok = true;
        if (step < 2) {
            if (!Attr("run_sql").isEmpty())
                ok = Execute("run_sql", '5');
            if (ok && !Attr("query_sql").isEmpty())
                ok = QueryInto("query_sql", "target_ids", '6');
        }
        if (step < 3 && ok) {
            if (!Attr("query_sql2").isEmpty()) {
                if (StepNumber(jump) == 0)
                    return true;
                ok = QueryInto("query_sql2", "target_ids2", '7');
            }
            if (ok && !Attr("run_sql2").isEmpty()) {
                if (StepNumber(jump) == 0)
                    return true;
                ok = Execute("run_sql2", '8');
            }
        }
        if (ok && !Attr("query_sql3").isEmpty()) {
            if (StepNumber(jump) == 0)
                return true;
            ok = QueryInto("query_sql3", "target_ids3", '9');
        }
        step = StepNumber(jump);
        if (step == 0 || !ok)
            return ok;
    }
    tooManyPasses_ = true;
    return false;
}

bool StatementRun::RunRow()
{
    for (const QString& id : {Attr("jp_id"), Attr("jump_id")}) {
        if (!id.isEmpty())
            SetControlText(QueryControl(form_, id), QStringLiteral("1"));
    }
    if (!Guard())
        return false;
    FirstPhase();
    if (tooManyPasses_ || !SecondPhase())
        return false;
    if (!Attr("query10").isEmpty() && !Attr("ids10").isEmpty() && !QueryInto("query10", "ids10"))
        return false;
    return Attr("run_sql10").isEmpty() || Execute("run_sql10");
}

bool StatementRun::RunAllSelected(const QList<int>& rows)
{
    QStringList uids;
    for (int row : rows)
        uids.append(QString::number(grid_->RowKey(row)));
    allSelected_ = uids.join(QLatin1Char(','));
    if (!Guard())
        return false;
    return Attr("run_sql").isEmpty() || Execute("run_sql", '5');
}

bool StatementRun::Finish(bool ok)
{
    if (guardRefused_)
        return false;
    if (ok) {
        SetMessageText(form_, query_texts::kSuccess);
        return true;
    }
    SetMessageText(form_, query_texts::kRunFailed + QLatin1Char('\n'));
    SetErrorText(form_, query_texts::kRunFailed);
    SetErrorDetail(form_, lastRunSql_.isEmpty() ? Attr("run_sql") : lastRunSql_);
    return false;
}

bool StatementRun::Run()
{
    const QString tableId = Attr("table_id");
    if (tableId.isEmpty())
        return Finish(RunRow());
    grid_ = QueryGrid(form_, tableId);
    const int firstRow = statement_.GetAttribute(QStringLiteral("all_rows"), 0);
    QList<int> rows;
    if (firstRow >= 1) {
        for (int row = firstRow - 1; grid_ && row < grid_->RowCount(); ++row)
            rows.append(row);
    } else {
        rows = grid_ ? grid_->SelectedRows() : QList<int>();
        if (rows.isEmpty()) {
            SetMessageText(form_, query_texts::kSelectRow);
            return false;
        }
        tips_ = true;
        if (Attr("can_run_sql").contains(kAllSelected))
            return Finish(RunAllSelected(rows));
    }
    for (int row : rows) {
        row_ = row;
        if (!RunRow())
            return Finish(false);
    }
    return Finish(true);
}

} // namespace

bool RunSql(const CXmlNode& command, D_T1& form)
{
    const CXmlNodesPtr statements = command.GetChildren();
    for (int i = 0; i < statements->GetCount(); ++i) {
        if (!StatementRun(*statements->GetItem(i), form).Run())
            return false;
    }
    return true;
}

} // namespace zk
