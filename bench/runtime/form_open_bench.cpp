// Opening a form of 300 controls (build, lay out, show) against QUiLoader
// building the same widgets from an equivalent .ui file and showing them.

#include "bench/harness/bench_harness.h"
#include "forms/controls/control_font.h"
#include "runtime/commands/command_registry.h"
#include "runtime/definition/form_cache.h"
#include "runtime/form_window/form_window.h"
#include "util/program_folder.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QUiLoader>
#include <QWidget>

namespace {

// 300 controls in rows of six, the kinds in the proportions of the test
// fixtures' business forms: of every 20 controls 6 labels, 5 edit boxes, 5
// buttons (each with a CLICK script), a drop list, a date picker, an edit box
// with a button and a multi-line box.
constexpr int kControls = 300;

enum class Kind { Label, Edit, Button, DropList, Date, EditButton, MultiLine };

Kind KindOf(int i)
{
    const int k = i % 20;
    if (k < 6)
        return Kind::Label;
    if (k < 11)
        return Kind::Edit;
    if (k < 16)
        return Kind::Button;
    static constexpr Kind kRest[] = {Kind::DropList, Kind::Date, Kind::EditButton, Kind::MultiLine};
    return kRest[k - 16];
}

QRect Cell(int i)
{
    return QRect(10 + (i % 6) * 130, 10 + (i / 6) * 28, 120, 24);
}

QString Definition()
{
    QString dialog;
    for (int i = 0; i < kControls; ++i) {
        const QRect r = Cell(i);
        const QString pos = QStringLiteral("%1,%2,%3,%4")
                                .arg(r.left())
                                .arg(r.top())
                                .arg(r.left() + r.width())
                                .arg(r.top() + r.height());
        const int id = i + 1;
        switch (KindOf(i)) {
        case Kind::Label:
            dialog += QStringLiteral("<static id='%1' pos='%2' value='标签%1'/>").arg(id).arg(pos);
            break;
        case Kind::Edit:
            dialog += QStringLiteral("<textbox id='%1' pos='%2' value='文本%1'/>").arg(id).arg(pos);
            break;
        case Kind::MultiLine:
            dialog += QStringLiteral("<textbox id='%1' pos='%2' style='4' value='备注%1'/>")
                          .arg(id)
                          .arg(pos);
            break;
        case Kind::EditButton:
            dialog +=
                QStringLiteral("<editbutton id='%1' pos='%2' value='说明%1'/>").arg(id).arg(pos);
            break;
        case Kind::DropList:
            dialog +=
                QStringLiteral("<droplist id='%1' pos='%2' value='甲;乙;丙'/>").arg(id).arg(pos);
            break;
        case Kind::Date:
            dialog +=
                QStringLiteral("<datectrl id='%1' pos='%2' value='2024-05-01'/>").arg(id).arg(pos);
            break;
        case Kind::Button:
            dialog += QStringLiteral("<button id='%1' pos='%2' value='按钮%1' style='1'><ACTION>"
                                     "<CLICK><md5 values='x'/></CLICK></ACTION></button>")
                          .arg(id)
                          .arg(pos);
            break;
        }
    }
    return QStringLiteral("<html version='1.0' id='0'><head title='基准' pos='0'/><body><dialog>") +
           dialog + QStringLiteral("</dialog></body></html>");
}

QString Geometry(int i)
{
    const QRect r = Cell(i);
    return QStringLiteral("<property name='geometry'><rect><x>%1</x><y>%2</y><width>%3</width>"
                          "<height>%4</height></rect></property>")
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height());
}

QByteArray UiFile()
{
    QString widgets;
    for (int i = 0; i < kControls; ++i) {
        const int id = i + 1;
        const QString name = QStringLiteral("w%1").arg(id);
        const QString text = QStringLiteral("<property name='text'><string>%1</string></property>");
        switch (KindOf(i)) {
        case Kind::Label:
            widgets += QStringLiteral("<widget class='QLabel' name='%1'>%2%3</widget>")
                           .arg(name, Geometry(i), text.arg(QStringLiteral("标签%1").arg(id)));
            break;
        case Kind::Edit:
            widgets += QStringLiteral("<widget class='QLineEdit' name='%1'>%2%3</widget>")
                           .arg(name, Geometry(i), text.arg(QStringLiteral("文本%1").arg(id)));
            break;
        case Kind::EditButton:
            // A line edit with one trailing action button, as the box with a button.
            widgets += QStringLiteral("<widget class='QLineEdit' name='%1'>%2%3<property "
                                      "name='clearButtonEnabled'><bool>true</bool></property>"
                                      "</widget>")
                           .arg(name, Geometry(i), text.arg(QStringLiteral("说明%1").arg(id)));
            break;
        case Kind::MultiLine:
            widgets += QStringLiteral("<widget class='QTextEdit' name='%1'>%2<property "
                                      "name='plainText'><string>备注%3</string></property>"
                                      "</widget>")
                           .arg(name, Geometry(i))
                           .arg(id);
            break;
        case Kind::DropList:
            widgets += QStringLiteral("<widget class='QComboBox' name='%1'>%2<property "
                                      "name='editable'><bool>true</bool></property>"
                                      "<item>%3</item><item>%4</item><item>%5</item></widget>")
                           .arg(name, Geometry(i), text.arg(QStringLiteral("甲")),
                                text.arg(QStringLiteral("乙")), text.arg(QStringLiteral("丙")));
            break;
        case Kind::Date:
            widgets += QStringLiteral("<widget class='QDateEdit' name='%1'>%2<property "
                                      "name='displayFormat'><string>yyyy-MM-dd</string></property>"
                                      "<property name='calendarPopup'><bool>true</bool></property>"
                                      "<property name='date'><date><year>2024</year><month>5"
                                      "</month><day>1</day></date></property></widget>")
                           .arg(name, Geometry(i));
            break;
        case Kind::Button:
            widgets += QStringLiteral("<widget class='QPushButton' name='%1'>%2%3</widget>")
                           .arg(name, Geometry(i), text.arg(QStringLiteral("按钮%1").arg(id)));
            break;
        }
    }
    return (QStringLiteral("<?xml version='1.0' encoding='UTF-8'?><ui version='4.0'>"
                           "<class>Form</class><widget class='QWidget' name='Form'>"
                           "<property name='windowTitle'><string>基准</string></property>") +
            widgets + QStringLiteral("</widget></ui>"))
        .toUtf8();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The database sits in memory-backed storage where there is one: the
    // figure is the client's work, not the disk's (a commit waits for the
    // disk, and on the build machine other jobs keep it busy).
    const QString shm = QStringLiteral("/dev/shm");
    QTemporaryDir home(QDir(shm).exists()
                           ? shm + QStringLiteral("/zk_formopen_XXXXXX")
                           : QDir::tempPath() + QStringLiteral("/zk_formopen_XXXXXX"));
    zk::SetProgramFolderOverride(home.path());

    // A form as navigation opens it, on a company database with the open log
    // and the rights tables (SQLite, not synchronised to disk per statement).
    zk::SessionState state;
    state.userid = QStringLiteral("1");
    zk::FormCache cache;
    zk::CommandRegistry registry;
    zk::AppContext context;
    context.state = &state;
    context.formCache = &cache;
    context.commands = &registry;
    context.directConnection =
        QStringLiteral("Provider=SQLite;Data Source=") + home.filePath(QStringLiteral("c.db"));
    // The application works the default font out once for all its forms.
    context.defaultFont = zk::FormDefaultFont();
    context.messageBox = [](QWidget*, const QString&, const QString&, int, bool) { return 1; };
    // The application's own session stays open while forms come and go, as in the
    // program: the database is not set up afresh (and its journal checkpointed away) for
    // every form.
    zk::CDbSession db;
    db.SetConnectionString(context.directConnection);
    db.Open();
    {
        db.RunScript(QStringLiteral(
            "PRAGMA synchronous=OFF;CREATE TABLE log_dh_open(uid_0 INTEGER PRIMARY KEY,"
            "menu_uid_0 INTEGER,open_user_uid_0 INTEGER,menu_name_0 TEXT,open_user_id_0 TEXT,"
            "control_id_0 INTEGER);CREATE TABLE c_menu_button(uid_0 INTEGER PRIMARY KEY,"
            "menu_uid_0 INTEGER,button_id_0 INTEGER,sta_0 INTEGER);CREATE TABLE "
            "c_menu_button_group(uid_0 INTEGER PRIMARY KEY,menu_button_uid_0 INTEGER,"
            "group_uid_0 INTEGER,sta_0 INTEGER);CREATE TABLE c_user(uid_0 INTEGER PRIMARY KEY,"
            "user_group_uid_0 INTEGER)"));
    }
    const QString definition = Definition();
    const QByteArray ui = UiFile();

    const auto openForm = [&] {
        zk::D_T1* form = zk::OpenFormWindow(context, definition, QString(), QString(),
                                            QStringLiteral("1"), QStringLiteral("基准"), QString());
        QApplication::processEvents();
        delete form;
    };
    const auto loadUi = [&] {
        QUiLoader loader;
        QBuffer buffer;
        buffer.setData(ui);
        buffer.open(QIODevice::ReadOnly);
        QWidget* widget = loader.load(&buffer);
        widget->show();
        QApplication::processEvents();
        delete widget;
    };
    // ZK_BENCH_ONLY=form|ui runs one side ZK_BENCH_LOOPS times (40 by default), for a
    // profiler.
    const QByteArray only = qgetenv("ZK_BENCH_ONLY");
    if (!only.isEmpty()) {
        const int loops = qEnvironmentVariableIntValue("ZK_BENCH_LOOPS");
        for (int i = 0; i < (loops > 0 ? loops : 40); ++i)
            only == "ui" ? loadUi() : openForm();
        return 0;
    }
    // A call takes some 25 ms; pairs of single calls see the same machine state.
    zk::bench::Report("formopen_vs_uiloader", zk::bench::PairedRatio(openForm, loadUi, 61), "<=1");
    return 0;
}
