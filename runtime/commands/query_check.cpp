// check and checkthis: a guarded, confirmed update of one record, the
// selected row of a grid or the record whose uid a control holds.

#include "data/session/db_session.h"
#include "data/xml/xml_node.h"
#include "forms/controls/control_values.h"
#include "forms/grid/list_ctrl_ex.h"
#include "runtime/commands/query_form.h"
#include "runtime/commands/query_handlers.h"
#include "runtime/commands/query_support.h"

namespace zk {

namespace {

enum class Question {
    FromQuery, // check: the guard query's value is the question
    Fixed,     // checkthis: "是否确认操作？"
};

// The record the command works on: its uid and, for a grid row, the row.
struct Record {
    const CListCtrlEx* grid = nullptr;
    int row = -1;
    QString uid;
};

bool FindRecord(const CXmlNode& parameters, D_T1& form, Record& record)
{
    const QString tableId = parameters.GetAttribute(QStringLiteral("table_id"), QString());
    record.grid = tableId.isEmpty() ? nullptr : QueryGrid(form, tableId);
    if (record.grid) {
        record.row = record.grid->FirstSelectedRow();
        if (record.row < 0) {
            SetErrorText(form, query_texts::kSelectRecord);
            return false;
        }
        record.uid = QString::number(record.grid->RowKey(record.row));
        return true;
    }
    record.uid = GetControlValue(FormHost(form),
                                 parameters.GetAttribute(QStringLiteral("uid_wnd_id"), QString()));
    if (record.uid.isEmpty()) {
        SetErrorText(form, query_texts::kSelectRecordOrUid);
        return false;
    }
    return true;
}

// A statement with the record's placeholders and the form's templates.
QString Prepare(const CXmlNode& parameters, const char* name, D_T1& form, const Record& record)
{
    QString text = parameters.GetAttribute(QString::fromLatin1(name), QString());
    if (record.grid)
        ApplyRowTexts(*record.grid, record.row, 0, text);
    ApplyRowUid(record.uid, text);
    return Expand(form, text);
}

// Runs a statement of the record; on failure the session's text moves to
// its detail and `failure` becomes the error text.
bool Execute(CDbSession& session, D_T1& form, const QString& sql, const QString& failure)
{
    if (session.RunScript(sql))
        return true;
    SetErrorDetail(form, ErrorText(form));
    SetErrorText(form, failure);
    return false;
}

bool RunCheck(const CXmlNode& command, D_T1& form, Question question)
{
    const CXmlNodePtr parameters = command.GetChild(QStringLiteral("para_info"));
    Record record;
    if (!FindRecord(*parameters, form, record))
        return false;
    CDbSession& session = FormSession(form);

    const QString checkSql = Prepare(*parameters, "check_sql", form, record);
    if (parameters->GetAttribute(QStringLiteral("check_sql"), QString()).isEmpty()) {
        if (!AskFormQuestion(form, query_texts::kConfirmQuestion, query_texts::kConfirmCaption))
            return false;
    } else {
        QString value;
        const int found = session.IsFind2(checkSql, value);
        if (found < 0)
            return false;
        if (found > 0) {
            SetErrorText(form, QString());
            const QString& text =
                question == Question::FromQuery ? value : query_texts::kConfirmQuestion;
            if (!AskFormQuestion(form, text, query_texts::kConfirmCaption))
                return false;
        }
    }

    const QString canUpdate = Prepare(*parameters, "can_update_sql", form, record);
    if (!canUpdate.isEmpty()) {
        // A record found refuses the update; what it found is the reason.
        QString value;
        if (session.IsFind2(canUpdate, value) > 0) {
            SetErrorText(form, value);
            return false;
        }
    }
    const QString update = Prepare(*parameters, "update_sql", form, record);
    if (!update.isEmpty() && !Execute(session, form, update, query_texts::kCommandFailed))
        return false;
    const QString follow = Prepare(*parameters, "run_sql", form, record);
    if (!follow.isEmpty() && !Execute(session, form, follow, query_texts::kCommand2Failed))
        return false;
    SetMessageText(form, query_texts::kSuccess);
    return true;
}

} // namespace

bool Check(const CXmlNode& command, D_T1& form)
{
    return RunCheck(command, form, Question::FromQuery);
}

bool CheckThis(const CXmlNode& command, D_T1& form)
{
    return RunCheck(command, form, Question::Fixed);
}

} // namespace zk
