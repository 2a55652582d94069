#include "runtime/form_window/form_window.h"

#include "forms/controls/control_font.h"
#include "forms/controls/control_values.h"
#include "forms/controls/zk_tab_ctrl.h"
#include "forms/definition/body_reader.h"
#include "forms/dialogs/zk_message_box.h"
#include "forms/factory/control_factory.h"
#include "forms/grid/list_ctrl_ex.h"
#include "forms/layout/layout_definition.h"
#include "forms/layout/wnd_resizer_widget.h"
#include "forms/resources/program_images.h"
#include "runtime/definition/form_events.h"
#include "runtime/form_window/form_background.h"
#include "runtime/form_window/form_event_router.h"
#include "runtime/form_window/form_texts.h"
#include "runtime/template/template_expand.h"
#include "util/numbers.h"
#include "util/program_folder.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>

namespace zk {

QString SessionState::Field(SessionField field) const
{
    switch (field) {
    case SessionField::userid:
        return userid;
    case SessionField::groupid:
        return groupid;
    case SessionField::user_id:
        return user_id;
    case SessionField::username:
        return username;
    case SessionField::cpy:
        return cpy;
    case SessionField::password:
        return password;
    case SessionField::version_exe:
        return version_exe;
    case SessionField::isprint:
        return isprint;
    case SessionField::db_path:
    case SessionField::version_service:
    case SessionField::exe_name:
        break;
    }
    return {};
}

D_T1::D_T1(AppContext& app, QWidget* parent)
    : D_T1(app, parent, app.defaultFont ? *app.defaultFont : FormDefaultFont())
{
}

D_T1::D_T1(AppContext& app, QWidget* parent, const QFont& defaultFont)
    : QDialog(parent)
    , app_(app)
{
    clock_.start();
    setWindowTitle(QStringLiteral("XXX"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    InstallFontSubstitutions();
    default_font_ = defaultFont;
    setFont(default_font_);
    definition_.defaultFace = default_font_.family();
    // Format errors of the definition show a message box and the form goes on.
    definition_.messages.show = [this](const QString& text) { ShowPlainBox(text); };
    SwitchToMainSession();
    // The keyboard rules see every key of the form's controls first.
    qApp->installEventFilter(this);
}

D_T1::~D_T1()
{
    if (timer_id_)
        killTimer(timer_id_);
    // The controls go before the sessions and the document they refer to.
    // Nothing is drawn any more: each control gone would otherwise mark its
    // part of the window for drawing again.
    setUpdatesEnabled(false);
    resizer_.reset();
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

bool D_T1::LoadDefinition(const QString& text)
{
    auto document = std::make_shared<CXmlDocument>();
    if (!document->LoadXml(text)) {
        document_.reset();
        return false;
    }
    document_ = std::move(document);
    return true;
}

void D_T1::ShareDocument(std::shared_ptr<const CXmlDocument> document)
{
    document_ = std::move(document);
}

CXmlNodePtr D_T1::FormElement() const
{
    if (!document_)
        return CXmlNode::Null();
    return FindFormElement(*document_, form_id);
}

int D_T1::FormNumber() const
{
    return ToInt(form_id);
}

// --- Creation -----------------------------------------------------------------

bool D_T1::Create()
{
    if (document_)
        BuildControls();
    return Initialise();
}

void D_T1::BuildControls()
{
    const CXmlNodePtr html = FormElement();
    if (html->IsNull())
        return;
    const FormBody body = ReadFormBody(*html, definition_);

    FactoryTarget target;
    target.form = this;
    target.registry = &registry_;
    target.grids = &grids_;
    target.defaultFont = default_font_;
    target.defaultFace = definition_.defaultFace;
    target.formNumber = FormNumber();
    target.userUid = app_.state ? app_.state->userid : QString();
    target.expand = [this](const QString& text) { return ExpandTemplates(*this, text); };
    target.makeTabPage = [this](const TabPageDefinition& page, CZkTabCtrl& tabs) -> QWidget* {
        auto* form = new D_T1(app_, &tabs, default_font_);
        form->embedded = true;
        form->opener = this;
        form->form_id = page.id;
        form->menu_uid = menu_uid;
        form->menu_name = menu_name;
        form->form_type = form_type;
        form->form_type2 = form_type2;
        form->form_index = form_index;
        form->ShareDocument(document_);
        form->setWindowFlags(Qt::Widget);
        form->Create();
        return form;
    };
    zk::BuildControls(target, body);
    layout_ = body.layout;

    text_session.SetConnectionString(TextSessionConnection(ProgramFolder()));
    if (!text_session.Open())
        ShowPlainBox(texts::kTextEngineFailed);

    router_ = std::make_unique<FormEventRouter>(*this);
    router_->ConnectControls(body);
    ConnectGrids();
}

bool D_T1::Initialise()
{
    setWindowIcon(QIcon(ProgramPixmap(408)));
    const CXmlNodePtr html = FormElement();
    if (!document_ || html->IsNull())
        return true;

    head_ = ReadFormHead(*html, definition_);
    scroll_spec = head_.scroll;
    paint_bg = head_.paintsBackground();
    if (!embedded) {
        setWindowTitle(head_.title);
        head_style = head_.style;
        timer_control = head_.threadId;
        timer_period = head_.timeSplit;
        parent_button = head_.parentBtn;
        if (head_.placement == WindowPlacement::CloseAtOnce) {
            closing_ = true;
            return false;
        }
        if (head_.placement == WindowPlacement::Rectangle)
            PlaceWindow(head_.rect.toQRect());
        if (head_.inId)
            SetControlText(Control(*head_.inId), form_index);
    }

    if (scroll_spec.isEmpty())
        ApplyLayout();
    else
        SetUpScrollCanvas();

    if (!embedded) {
        if (head_style == 2)
            setWindowFlag(Qt::WindowMaximizeButtonHint, false);
        if (head_style == 1)
            showMaximized();
        else
            show();
        // After the layout pass, whose size limits would undo it.
        if (head_style == 2)
            setFixedSize(size());
    }
    StartSequence();
    skip_next_erase = true;
    return !closing_;
}

void D_T1::PlaceWindow(const QRect& rect)
{
    // Centred in the work area, leaving room for the navigation on the left.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize area = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    int dx = (area.width() - rect.width() - 325) / 2;
    if (dx <= 0)
        dx = 0;
    const int dy = (area.height() - rect.height()) / 2;
    setGeometry(rect.translated(dx, dy));
}

void D_T1::ApplyLayout()
{
    resizer_ = std::make_unique<CWndResizerWidget>(
        [this](int windowId) { return registry_.Find(windowId); });
    if (resizer_->Hook(this))
        ApplyLayoutDefinition(resizer_->Resizer(), layout_, embedded);
}

// --- Start sequence -------------------------------------------------------------

void D_T1::StartSequence()
{
    initial_load = true;
    run_started = clock_.elapsed();
    for (int id : ParseIdList(disabled_ids))
        if (QWidget* control = Control(id))
            control->setEnabled(false);
    for (int id : ParseIdList(hidden_ids))
        if (QWidget* control = Control(id))
            control->hide();

    if (!session.EnsureOpen()) {
        ShowPlainBox(texts::kOpenLogFailed);
    } else {
        LogOpening();
        ApplyButtonRights();
        SwitchToMainSession();
    }
    RunInit();
    initial_load = false;
    run_ended = clock_.elapsed();
    HandleCloseRequest();
}

void D_T1::LogOpening()
{
    if (menu_name.isEmpty())
        menu_name = windowTitle() + QStringLiteral("（PopUp）");
    session.Execute(OpenLogStatement(menu_uid, State().userid, menu_name, State().user_id));
}

void D_T1::ApplyButtonRights()
{
    forbidden_ids = QStringLiteral(";");
    QStringList values;
    if (session.QueryList(RightsStatement(menu_uid, State().userid), values) < 0)
        return;
    for (qsizetype i = 0; i + 1 < values.size(); i += 2) {
        const int button = ToInt(values[i]);
        const int state = ToInt(values[i + 1]);
        QWidget* control = Control(button);
        if (state == 1 && control)
            control->setEnabled(true);
        if (state >= 0)
            continue;
        if (control) {
            control->setEnabled(false);
            if (state == -2)
                control->hide();
        }
        forbidden_ids += QString::number(button) + QLatin1Char(';');
    }
}

void D_T1::RunInit()
{
    const CXmlNodePtr html = FormElement();
    const CXmlNodePtr init = html->IsNull() ? CXmlNode::Null() : FindInitScript(*html);
    if (init->IsNull()) {
        StartTimer();
        return;
    }
    const EventSettings settings = ReadEventSettings(*init);
    if (!settings.connstr.isEmpty())
        session.SetConnectionString(settings.connstr);
    session.lastSql.clear();
    session.errorText.clear();
    if (session.EnsureOpen()) {
        const bool ok = RunScript(*init, QString::fromUtf16(kInitEvent));
        session.Close();
        SwitchToMainSession();
        if (!ok && !error_text.isEmpty()) {
            ReportFailedRun();
            return;
        }
    } else {
        SwitchToMainSession();
    }
    StartTimer();
}

void D_T1::StartTimer()
{
    // Only a form with a timer control gets the timer: a tick that names no
    // control does nothing, so other forms need none. A period of 0 is the
    // shortest interval the window system gave (10 ms), not a busy loop.
    if (timer_control <= 0 || timer_id_)
        return;
    timer_id_ = startTimer(std::max(timer_period, 10));
}

void D_T1::SwitchToMainSession()
{
    if (app_.directConnection.isEmpty()) {
        session.SetConnectionString(QString());
        session.UseServer();
    } else {
        session.SetConnectionString(app_.directConnection);
    }
}

// --- Look-ups -----------------------------------------------------------------

QWidget* D_T1::Control(int definitionId) const
{
    return registry_.Find(WindowIdOfElement(definitionId));
}

QWidget* D_T1::FindControl(const QString& reference) const
{
    return zk::FindControl(*this, reference);
}

CListCtrlEx* D_T1::FindGrid(const QString& reference) const
{
    return qobject_cast<CListCtrlEx*>(FindControl(reference));
}

CListCtrlEx* D_T1::Grid(int index) const
{
    return grids_.value(index).data();
}

std::optional<RowContext> D_T1::SelectedRow(const QString& reference) const
{
    QWidget* control = FindControl(reference);
    auto* grid = qobject_cast<CListCtrlEx*>(control);
    if (!grid)
        return std::nullopt;
    const int row = grid->FirstSelectedRow();
    if (row < 0)
        return std::nullopt;
    RowContext context;
    context.control = control;
    context.grid = grid;
    context.row = row;
    context.uid = QString::number(grid->RowKey(row));
    for (int c = 0; c < grid->ColumnCount(); ++c)
        context.cells.append(grid->CellText(row, c));
    return context;
}

void D_T1::AddUndoRow(CListCtrlEx* grid, int row, int oldKey)
{
    undo_rows.append(UndoRow{grid, row, oldKey});
}

void D_T1::AddUndoControl(int definitionId)
{
    if (!undo_controls.contains(definitionId))
        undo_controls.append(definitionId);
}

// --- Messages -----------------------------------------------------------------

int D_T1::ShowBox(const QString& text, const QString& caption, int withCancel)
{
    if (app_.messageBox)
        return app_.messageBox(this, text, caption, withCancel, false);
    return zk::ShowBox(this, text, caption, withCancel);
}

void D_T1::ShowPlainBox(const QString& text, const QString& caption)
{
    if (app_.messageBox) {
        app_.messageBox(this, text, caption, 0, true);
        return;
    }
    QMessageBox::information(this, caption.isEmpty() ? QApplication::applicationName() : caption,
                             text);
}

// --- TemplateContext ------------------------------------------------------------

QString D_T1::SessionValue(SessionField field) const
{
    return app_.state ? app_.state->Field(field) : QString();
}

QString D_T1::ControlValue(const QString& reference) const
{
    return GetControlValue(*this, reference);
}

QString D_T1::ControlText(int definitionId) const
{
    return ControlWindowText(Control(definitionId));
}

} // namespace zk
