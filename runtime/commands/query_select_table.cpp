// select_info_table (also select_head_name and select_head_length): fills a
// grid from a query, a page at a time when the command asks for paging.

#include "data/session/db_session.h"
#include "data/xml/xml_node.h"
#include "forms/controls/control_host.h"
#include "forms/controls/control_registry.h"
#include "forms/controls/control_values.h"
#include "forms/grid/list_ctrl_ex.h"
#include "forms/grid/page_bar.h"
#include "runtime/commands/query_form.h"
#include "runtime/commands/query_handlers.h"
#include "runtime/commands/query_support.h"
#include "runtime/form_window/form_window.h"
#include "util/split.h"

namespace zk {

namespace {

// The fill options of the command element, passed on to the grid.
struct FillOptions {
    bool containHead = false; // the query's field names become the header, with row numbers
    bool resetHead = false;   // the query's field names become the header
    QString columnWidths;     // cols_width
};

void FillFromResult(CListCtrlEx& grid, D_T1& form, const FillOptions& options,
                    const QStringList& names, const QStringList& values)
{
    if (names.isEmpty() || values.isEmpty()) {
        grid.DeleteAllRows();
        SetLoadedKeyList(form, QString());
        return;
    }
    QString keys;
    if (options.containHead || options.resetHead)
        keys = grid.FillGrid(names, values, options.containHead, options.columnWidths);
    else
        keys = grid.FillRows(values, false, int(names.size()));
    SetLoadedKeyList(form, keys);
}

void ShowPageBar(D_T1& form, const CXmlNode& parameters)
{
    QList<int> buttons;
    const QString buttonIds = Attr(parameters, "page_buttons");
    if (!buttonIds.isEmpty())
        SplitInts(buttonIds, QStringLiteral(";"), buttons);
    const ControlHost& host = FormHost(form);
    UpdatePageBar(
        PageBarState(form), buttons, parameters.GetAttribute(QStringLiteral("result_info_id"), 0),
        [&host](int id, const QString& text) {
            SetControlTextById(host, WindowIdOfElement(id), text);
        },
        [&host](int id, bool enabled) {
            EnableControl(host, host.Registry().Find(WindowIdOfElement(id)), enabled);
        });
}

// A select of one word names a control whose text holds the rows, its
// fields separated by ",", `counts_in_page` fields a row.
void FillFromControl(CListCtrlEx& grid, D_T1& form, const CXmlNode& parameters,
                     const QString& controlId, bool rowNumbers)
{
    QStringList texts;
    const QString data = ControlWindowText(QueryControl(form, controlId));
    if (!data.isEmpty())
        SplitText(data, QStringLiteral(","), texts);
    const int fields = parameters.GetAttribute(QStringLiteral("counts_in_page"), 0);
    SetLoadedKeyList(form, grid.FillRows(texts, rowNumbers, fields));
}

// The paged query reads a later page by reversing the order, and it reverses
// only the words " ASC" and " DESC": a term without a direction (or with a
// lower-case one) would not turn round, and every page would show the first
// one. Each term gets its direction written out in capitals. An order with
// parentheses is left as it is, since its commas need not separate terms.
QString PageOrder(const QString& order)
{
    if (order.contains(QLatin1Char('(')))
        return order;
    QStringList terms = order.split(QLatin1Char(','));
    for (QString& term : terms) {
        term = term.trimmed();
        if (term.isEmpty())
            continue;
        const qsizetype blank = term.lastIndexOf(QLatin1Char(' '));
        const QString last = blank < 0 ? QString() : term.mid(blank + 1).toUpper();
        if (last == QLatin1String("ASC") || last == QLatin1String("DESC"))
            term = term.left(blank).trimmed() + QLatin1Char(' ') + last;
        else
            term += QStringLiteral(" ASC");
    }
    return terms.join(QLatin1Char(','));
}

} // namespace

bool SelectInfoTable(const CXmlNode& command, D_T1& form)
{
    FormPageState& page = FormPaging(form);
    page.cached_pages.clear();
    if (page.restart_paging)
        page.current_page = 1;

    CXmlNodePtr parameters = command.GetChild(QStringLiteral("para_info_where"));
    const bool whereList = !parameters->IsNull();
    if (!whereList)
        parameters = command.GetChild(QStringLiteral("para_info"));
    CListCtrlEx* grid = QueryGrid(form, Attr(*parameters, "table_id"));
    if (!grid)
        return false;
    const int topRow = grid->TopRow();
    if (parameters->GetAttribute(QStringLiteral("is_rowid"), QString()) != QString())
        grid->SetRowNumberFlag(parameters->GetAttribute(QStringLiteral("is_rowid"), false));
    FillOptions options;
    options.containHead = parameters->GetAttribute(QStringLiteral("contain_head"), false);
    options.resetHead = parameters->GetAttribute(QStringLiteral("reset_head"), false);
    options.columnWidths = Attr(*parameters, "cols_width");

    QString select = Attr(*parameters, "select");
    if (!select.isEmpty() && !select.contains(QLatin1Char(' '))) {
        FillFromControl(*grid, form, *parameters, select, options.containHead);
    } else {
        QString where = Attr(*parameters, "where");
        const ConditionRule rule =
            whereList ? ConditionRule::FragmentOfIdText : ConditionRule::EscapedIdText;
        ApplyConditions(form, *parameters, rule, select);
        ApplyConditions(form, *parameters, rule, where);
        select = Expand(form, select);
        where = Expand(form, where);

        CDbSession& session = FormSession(form);
        QStringList names;
        QStringList values;
        const int pageSize = parameters->GetAttribute(QStringLiteral("counts_in_page"), 0);
        if (pageSize > 0) {
            page.rows_per_page = pageSize;
            if (!where.isEmpty())
                where.prepend(QStringLiteral(" WHERE "));
            const bool read = session.QueryPage(select, where, pageSize, page.current_page,
                                                PageOrder(Expand(form, Attr(*parameters, "order"))),
                                                names, values, page.total_records, page.page_count);
            if (!read)
                grid->DeleteAllRows();
            ShowPageBar(form, *parameters);
            if (!read)
                return false;
        } else if (!session.QueryTable(select, names, values)) {
            grid->DeleteAllRows();
            return false;
        }
        FillFromResult(*grid, form, options, names, values);
    }

    grid->ScrollToTopRow(topRow);
    // The totals and row colours follow the new rows; the fill stands whatever
    // they report.
    const QString gridId = QString::number(ElementIdOf(grid));
    RunFormCommand(form, QStringLiteral("sum_table_col"), QStringLiteral("target_ids"), gridId);
    RunFormCommand(form, QStringLiteral("set_row_color"), QStringLiteral("table_id"), gridId);
    return true;
}

} // namespace zk
