#pragma once

#include <QString>

class QWidget;

// What the query commands use of the form window, gathered in one place so
// that the handlers read like their rules and the form window's members are
// touched by one file only (query_form.cpp).

namespace zk {

class CDbSession;
class ControlHost;
class D_T1;
class TemplateContext;
struct FormPageState;
struct PageState;

// The database session (also where the commands leave their failure texts)
// and, for `txt` non-zero, the local text-file session.
CDbSession& FormSession(D_T1& form);
CDbSession& QuerySession(D_T1& form, bool textSession);

const ControlHost& FormHost(const D_T1& form);
const TemplateContext& FormTemplates(const D_T1& form);
QWidget* FormWidget(D_T1& form);

// The command's failure text, reported by the form window when the script
// stops (the error text of the database session).
void SetErrorText(D_T1& form, const QString& text);
void SetErrorDetail(D_T1& form, const QString& text);
QString ErrorText(D_T1& form);
// The result message shown after the run.
void SetMessageText(D_T1& form, const QString& text);

// The form's plain message box (OK only), and its yes/no question: true for yes.
void ShowFormMessage(D_T1& form, const QString& text);
bool AskFormQuestion(D_T1& form, const QString& text, const QString& caption);

// The form's paging state (with the paging-restart flag and the cached
// pages), and the same as the grid's page bar reads it.
FormPageState& FormPaging(D_T1& form);
PageState PageBarState(const D_T1& form);
// The row keys of the last grid fill ({{selected_uid_0}}).
void SetLoadedKeyList(D_T1& form, const QString& keys);

// The application's ten global text slots, numbered 1 to 10.
void SetGlobalSlot(D_T1& form, int slot, const QString& text);

// Runs another family's command on the form with the given attributes, as a
// script would (sum_table_col, set_row_color after a fill). A command whose
// family has not attached its handlers is left out.
bool RunFormCommand(D_T1& form, const QString& name, const QString& attributeName,
                    const QString& attributeValue);

} // namespace zk
