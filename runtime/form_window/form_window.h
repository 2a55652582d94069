#pragma once

#include "data/session/db_session.h"
#include "data/xml/xml_document.h"
#include "forms/controls/control_host.h"
#include "forms/controls/control_registry.h"
#include "forms/definition/definition_context.h"
#include "forms/layout/layout_definition.h"
#include "runtime/app_state/app_context.h"
#include "runtime/definition/form_head.h"
#include "runtime/template/template_context.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QFont>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class QScrollBar;

// The form window: one form definition shown as a live window. It builds the
// controls of the body, applies the head, checks the user's button rights,
// logs the opening, runs INIT and routes the controls' events to their
// scripts, each control action inside one transaction with one uniform error
// report. It is also the context of every command handler: the handlers read
// and write the public members below, named as the scripts' vocabulary names
// them.

namespace zk {

class CListCtrlEx;
namespace layout {
class CWndResizerWidget;
}
using layout::CWndResizerWidget;
class FormBackground;
class FormEventRouter;

// The paging state of select_info_table and click_page.
struct FormPageState {
    int rows_per_page = 10;
    int current_page = 1;
    int total_records = 0;
    int page_count = 0;
    // True: a new select_info_table starts again at page 1.
    bool restart_paging = true;
    // Pages already read, by page number: the grid texts of that page.
    QHash<int, QStringList> cached_pages;
};

// A grid row whose key a command assigned during the current run, and the key
// it had before: a rolled-back run puts the old key back.
struct UndoRow {
    QPointer<CListCtrlEx> grid;
    int row = -1;
    int key = 0;
};

// The row a command's `table_id` names: the grid (or tree list) and its
// selected row.
struct RowContext {
    QWidget* control = nullptr;
    CListCtrlEx* grid = nullptr; // null for a tree list
    int row = -1;
    QString uid;       // "{{id?uid}}": the row's key as text
    QStringList cells; // the row's cell texts, column 0 first

    // The cell text of `column` (from 0), empty beyond the row.
    QString Cell(int column) const { return cells.value(column); }
};

class D_T1 : public QDialog, public TemplateContext, public ControlHost {
    Q_OBJECT

public:
    // A form of the application `app`, which must outlive the window.
    explicit D_T1(AppContext& app, QWidget* parent = nullptr);
    // A form with a given default font (tab pages take their opener's).
    D_T1(AppContext& app, QWidget* parent, const QFont& defaultFont);
    ~D_T1() override;

    // --- Identity, set before Create --------------------------------------
    QString form_id = QStringLiteral("0");
    QString menu_uid = QStringLiteral("0");
    QString menu_name;
    QString form_type;  // {{type}}
    QString form_type2; // {{type2}}
    QString form_index; // {{index}}; "NULL": the window is not dragged by its background
    // The form that opened this pop-up, or holds this tab page.
    QPointer<D_T1> opener;
    QString disabled_ids;  // ";"-separated definition ids disabled at start
    QString hidden_ids;    // ";"-separated definition ids hidden at start
    bool embedded = false; // a tab page
    bool modal_popup = false;

    // Loads the definition text (false: not XML; the window shows nothing).
    bool LoadDefinition(const QString& text);
    // Shows a form of a document another window already holds (pop-ups of an
    // inline definition, tab pages).
    void ShareDocument(std::shared_ptr<const CXmlDocument> document);

    // Builds the controls, initialises the window and runs the start
    // sequence (rights, open log, INIT, timer). False when the window closed
    // itself during initialisation (a head without `pos`).
    bool Create();

    // --- Run state, read and written by the command handlers ---------------
    // True while the run uses the form's main session, false during a run
    // whose event has its own `connstr`.
    bool server_mode = true;
    // The form's session for actions.
    CDbSession session;
    // The local text database over the program folder.
    CDbSession text_session;
    QString current_event;
    // The session's errorText: a failing session operation leaves its text
    // here by itself, a failing command writes its own. A command that fails
    // on text_session copies text_session.errorText here.
    QString& error_text = session.errorText;
    // The message shown after the run.
    QString message_text;
    QString deleted_rows; // {{deleted_uid_0}}
    bool deleted_rows_used = false;
    QList<UndoRow> undo_rows;
    QList<int> undo_controls; // definition ids of controls given a new uid
    bool busy = false;
    bool log_run = false;
    bool close_requested = false;
    bool close_by_destroy = false;
    bool initial_load = false; // INIT is running ({{TOP30}}, {{TOP100}})
    bool skip_next_erase = false;
    // ";" followed by "id;" for every button the rights disabled or hid.
    QString forbidden_ids = QStringLiteral(";");

    // Head settings.
    int head_style = 0;
    int timer_control = 0;
    int timer_period = 0;
    int parent_button = 0;
    QString scroll_spec;
    bool paint_bg = false;

    FormPageState page;
    // Row keys of the last grid fill joined with "," ({{selected_uid_0}}).
    QString loaded_keys;
    QList<int> uid_controls; // definition ids named by uid_wnd_id
    QString current_file;
    // Set when the form is opened to pick a value for another form.
    QString picking_target;
    int column_offset = 0;
    QStringList print_queue;
    QString print_section;
    qint64 run_started = 0; // milliseconds (steady clock)
    qint64 run_ended = 0;

    // --- What the handlers use ---------------------------------------------
    AppContext& App() const { return app_; }
    SessionState& State() const { return *app_.state; }
    // The session a command with attribute `txt` uses.
    CDbSession& SessionFor(bool txt) { return txt ? text_session : session; }

    const CXmlDocument* Document() const { return document_.get(); }
    // The html element of this form (form_id), or a null node.
    CXmlNodePtr FormElement() const;
    const FormHead& Head() const { return head_; }
    const DefinitionContext& Definition() const { return definition_; }
    QFont DefaultFont() const { return default_font_; }

    // This form's control of definition id `id`, or null.
    QWidget* Control(int definitionId) const;
    // A control by reference ("n", "x:n", "t:p:n"), or null.
    QWidget* FindControl(const QString& reference) const;
    // The grid a reference names, or null when it names something else.
    CListCtrlEx* FindGrid(const QString& reference) const;
    // The form's grids in creation order (a grid's index is its position).
    const QList<QPointer<CListCtrlEx>>& Grids() const { return grids_; }
    CListCtrlEx* Grid(int index) const;
    ControlRegistry& MutableRegistry() { return registry_; }

    // The selected row of the grid `reference` names; nullopt when there is
    // no such grid or it has no selected row.
    std::optional<RowContext> SelectedRow(const QString& reference) const;

    // Remember a key assignment of this run for the rollback.
    void AddUndoRow(CListCtrlEx* grid, int row, int oldKey);
    void AddUndoControl(int definitionId);

    // The message boxes (through the application's hook when it has one).
    int ShowBox(const QString& text, const QString& caption, int withCancel = 0);
    void ShowPlainBox(const QString& text, const QString& caption = QString());

    // Appends to the program folder's log file (GB18030, CR LF).
    void AppendToLog(const QString& text) const;
    static QString LogFilePath();

    // --- Runs --------------------------------------------------------------
    // One control action: session, transaction, rights, log, script, commit
    // or rollback, report, close handling.
    void RunControlEvent(int windowId, const QString& eventName);
    // The script only (no transaction, rights, log or report): RCLICK and
    // sendmessage.
    bool RunEventScript(int windowId, const QString& eventName);
    // Acts on close_requested (after INIT and after every control action).
    void HandleCloseRequest();
    // The event element of a control of this form, or a null node.
    CXmlNodePtr EventElement(int windowId, const QString& eventName) const;
    bool HasEvent(int windowId, const QString& eventName) const;
    // The offset of the scroll canvas (0,0 without one).
    QPoint ScrollOffset() const;

    // --- TemplateContext ---------------------------------------------------
    QString SessionValue(SessionField field) const override;
    QString FormType() const override { return form_type; }
    QString FormType2() const override { return form_type2; }
    QString FormIndex() const override { return form_index; }
    bool InitialLoad() const override { return initial_load; }
    QString LoadedKeyList() const override { return loaded_keys; }
    QString DeletedRowList() const override { return deleted_rows; }
    QString ControlValue(const QString& reference) const override;
    QString ControlText(int definitionId) const override;

    // --- ControlHost -------------------------------------------------------
    QWidget* HostWidget() const override { return const_cast<D_T1*>(this); }
    const ControlRegistry& Registry() const override { return registry_; }
    const ControlHost* Opener() const override { return opener.data(); }
    QString ForbiddenIds() const override { return forbidden_ids; }

    // The form number of saved grid column widths (form_id as an integer).
    int FormNumber() const;

signals:
    // Emitted after every control action (tests and the shell wait on it).
    void actionFinished(int windowId, const QString& eventName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class FormEventRouter;

    void BuildControls();
    void ConnectGrids();
    // The grid's cell-edited handler: the column's end-of-edit commands, then
    // the column totals.
    void OnCellEdited(int gridWindowId, int row, int column);
    bool RunEndEditCommand(const CXmlNode& command, CListCtrlEx& grid, int row);
    bool Initialise();
    void PlaceWindow(const QRect& rect);
    void ApplyLayout();
    void StartSequence();
    void LogOpening();
    void ApplyButtonRights();
    void RunInit();
    void StartTimer();
    void StopTimer();
    void SwitchToMainSession();
    bool RunScript(const CXmlNode& event, const QString& eventName);
    bool IsForbiddenRun(int definitionId);
    void RunDuringInit(int windowId, const CXmlNode& event, const QString& eventName);
    void FinishRun(bool& ok);
    void ReportRun(bool ok);
    void ReportFailedRun();

    static D_T1* OwningForm(QObject* object);
    int ControlWindowIdOf(QWidget* widget) const;
    bool KeyPressed(QKeyEvent* event);
    void PressHotKey(int functionKey);
    void EndGridEdits(QWidget* pressed);
    void MousePressedOnForm(QWidget* pressed, Qt::MouseButton button);

    void SetUpScrollCanvas();
    void UpdateScrollPages();
    void ApplyScroll();

    AppContext& app_;
    std::shared_ptr<const CXmlDocument> document_;
    FormHead head_;
    DefinitionContext definition_;
    QFont default_font_;
    ControlRegistry registry_;
    QList<QPointer<CListCtrlEx>> grids_;
    std::vector<LayoutElement> layout_;
    std::unique_ptr<CWndResizerWidget> resizer_;
    std::unique_ptr<FormEventRouter> router_;
    std::unique_ptr<FormBackground> background_;
    QScrollBar* vertical_bar_ = nullptr;
    QScrollBar* horizontal_bar_ = nullptr;
    QSize canvas_;
    QPoint scroll_offset_;
    QPoint drag_start_;
    bool dragging_ = false;
    bool closing_ = false;
    bool crashed_ = false;
    int timer_id_ = 0;
    QElapsedTimer clock_;
};

// Opens a top-level form from navigation: a new window without parent that
// deletes itself when it closes. Null when the definition is not XML or the
// window closed itself during initialisation.
D_T1* OpenFormWindow(AppContext& app, const QString& definition, const QString& disabledIds,
                     const QString& hiddenIds, const QString& menuUid, const QString& menuName,
                     const QString& formType);

// Loads the stored definition of menu uid `uid` (kind 1 c_menu_dh, cached;
// kind 2 c_menu_dh_m) through a session of the application and opens it.
// Null with the reason in *errorText when nothing could be read.
D_T1* OpenFormWindowByUid(AppContext& app, const QString& uid, int kind, const QString& menuName,
                          const QString& formType = QString(),
                          const QString& disabledIds = QString(),
                          const QString& hiddenIds = QString(), QString* errorText = nullptr);

} // namespace zk
