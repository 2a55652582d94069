#include "forms/controls/control_values.h"
#include "forms/grid/list_ctrl_ex.h"
#include "runtime/definition/form_events.h"
#include "runtime/form_window/form_texts.h"
#include "runtime/form_window/form_window.h"
#include "runtime/interpreter/action_interpreter.h"
#include "util/codec.h"
#include "util/program_folder.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>

#include <exception>

namespace zk {

CXmlNodePtr D_T1::EventElement(int windowId, const QString& eventName) const
{
    QWidget* control = registry_.Find(windowId);
    if (!document_ || !control)
        return CXmlNode::Null();
    return FindEventElement(*document_, form_id, ElementKindOf(control), windowId - kWindowIdBase,
                            eventName);
}

bool D_T1::HasEvent(int windowId, const QString& eventName) const
{
    return !EventElement(windowId, eventName)->IsNull();
}

bool D_T1::RunScript(const CXmlNode& event, const QString& eventName)
{
    // Handlers do not throw; should one do so all the same, the run ends as a
    // crash instead of taking the window down.
    try {
        return RunActionScript(*this, event, eventName);
    } catch (const std::exception& e) {
        const QString what = QString::fromUtf8(e.what());
        error_text = what.isEmpty() ? texts::kUnknownError : what;
    } catch (...) {
        error_text = texts::kUnknownError;
    }
    crashed_ = true;
    return false;
}

void D_T1::RunControlEvent(int windowId, const QString& eventName)
{
    run_started = clock_.elapsed();
    if (busy || closing_)
        return;
    const CXmlNodePtr event = EventElement(windowId, eventName);
    if (event->IsNull())
        return;
    if (initial_load) {
        RunDuringInit(windowId, *event, eventName);
        return;
    }
    const int definitionId = windowId - kWindowIdBase;
    const EventSettings settings = ReadEventSettings(*event);
    log_run = settings.log;
    if (!settings.connstr.isEmpty()) {
        session.SetConnectionString(settings.ConnectionString(ControlText(settings.id)));
        server_mode = false;
    } else {
        SwitchToMainSession();
        server_mode = true;
    }
    message_text.clear();
    error_text.clear();
    session.lastSql.clear();

    if (!session.EnsureOpen()) {
        ShowPlainBox(texts::kNetworkFailed);
        SwitchToMainSession();
        server_mode = true;
        return;
    }
    session.BeginTrans();
    busy = true;
    crashed_ = false;

    QPointer<D_T1> alive(this);
    bool ok = true;
    if (server_mode && definitionId != 0 && IsForbiddenRun(definitionId)) {
        error_text = texts::kForbidden;
        ok = false;
    }
    if (ok) {
        if (log_run && server_mode)
            session.Execute(RunLogStatement(menu_uid, State().userid, windowTitle(),
                                            ControlWindowText(registry_.Find(windowId)),
                                            State().user_id, definitionId));
        ok = RunScript(*event, eventName);
    }
    if (!alive)
        return;
    FinishRun(ok);
    ReportRun(ok);
    emit actionFinished(windowId, eventName);
    HandleCloseRequest();
}

// A control action that INIT sets off (a value it puts into a control with an
// EN_CHANGE script) runs on INIT's open session: opening, committing and
// closing a session of its own would close INIT's under the rest of INIT.
// INIT has no transaction and no rights check, and neither has this run.
void D_T1::RunDuringInit(int windowId, const CXmlNode& event, const QString& eventName)
{
    const QString initError = error_text;
    message_text.clear();
    error_text.clear();
    busy = true;
    crashed_ = false;
    QPointer<D_T1> alive(this);
    const bool ok = RunScript(event, eventName);
    if (!alive)
        return;
    busy = false;
    ReportRun(ok);
    error_text = initError;
    emit actionFinished(windowId, eventName);
}

bool D_T1::IsForbiddenRun(int definitionId)
{
    QString first;
    return session.IsFind(ForbiddenRunStatement(menu_uid, definitionId, State().userid), first);
}

void D_T1::FinishRun(bool& ok)
{
    // A commit that fails is a failed run (its text is the session's), not a
    // success: the changes are not there.
    if (ok && !session.CommitTrans())
        ok = false;
    if (ok) {
        if (deleted_rows_used)
            deleted_rows.clear();
    } else {
        // error_text is the session's errorText: keep it across the rollback.
        const QString error = error_text;
        session.RollbackTrans();
        error_text = error;
        for (const UndoRow& undo : undo_rows)
            if (undo.grid && undo.row >= 0 && undo.row < undo.grid->RowCount())
                undo.grid->SetRowKey(undo.row, undo.key);
        for (int id : undo_controls)
            SetControlText(Control(id), QStringLiteral("0"));
    }
    undo_rows.clear();
    undo_controls.clear();
    deleted_rows_used = false;
    busy = false;
    const QString error = error_text;
    session.Close();
    SwitchToMainSession();
    server_mode = true;
    error_text = error;
    run_ended = clock_.elapsed();
}

void D_T1::ReportRun(bool ok)
{
    if (crashed_) {
        AppendToLog(error_text);
        ShowBox(texts::kGenericFailure, texts::kCaption);
    } else if (!ok && !error_text.isEmpty()) {
        ReportFailedRun();
    } else if (!ok && !message_text.isEmpty()) {
        ShowPlainBox(message_text, texts::kCaption);
    } else if (ok && !message_text.isEmpty()) {
        ShowBox(message_text, texts::kCaption);
    }
}

bool D_T1::RunEventScript(int windowId, const QString& eventName)
{
    const CXmlNodePtr event = EventElement(windowId, eventName);
    if (event->IsNull())
        return false;
    return RunScript(*event, eventName);
}

void D_T1::ReportFailedRun()
{
    AppendToLog(error_text);
    ShowBox(FailedRunMessage(error_text), texts::kCaption);
}

QString D_T1::LogFilePath()
{
    return QDir(ProgramFolder()).filePath(QStringLiteral("log_lumo.log"));
}

void D_T1::AppendToLog(const QString& text) const
{
    QFile file(LogFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    QString lines = text;
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    file.write(ToGb18030(lines));
}

void D_T1::HandleCloseRequest()
{
    if (!close_requested || closing_)
        return;
    closing_ = true;
    StopTimer();
    if (opener && parent_button > 0)
        opener->RunControlEvent(WindowIdOfElement(parent_button), QStringLiteral("CLICK"));
    if (modal_popup && !close_by_destroy)
        done(QDialog::Accepted);
    else
        close();
}

void D_T1::StopTimer()
{
    if (timer_id_)
        killTimer(timer_id_);
    timer_id_ = 0;
}

void D_T1::closeEvent(QCloseEvent* event)
{
    // A closed form stops its timer whatever its period: a tick must not run
    // a script of a form that is going away.
    StopTimer();
    closing_ = true;
    QDialog::closeEvent(event);
}

} // namespace zk
