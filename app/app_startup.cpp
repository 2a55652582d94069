#include "app/app_startup.h"

#include "app/dialog_login.h"
#include "app/form_hooks.h"
#include "app/main_app.h"
#include "app/tour/tour_driver.h"
#include "app/zkims_dlg.h"
#include "data/wait_pump.h"
#include "forms/controls/control_font.h"
#include "forms/dialogs/zk_message_box.h"
#include "forms/resources/program_images.h"
#include "runtime/commands/command_families.h"
#include "util/files.h"
#include "util/module_version.h"
#include "util/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zk {

namespace {

const QString kProgramName = QStringLiteral("Zk_ERP");

void RemoveFolder(const QString& path)
{
    ClearFolder(path);
    QDir().rmdir(path);
}

} // namespace

StartOptions ParseStartOptions(const QStringList& arguments)
{
    StartOptions options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& flag = arguments[i];
        QString* target = flag == QStringLiteral("--home")       ? &options.home
                          : flag == QStringLiteral("--tour")     ? &options.tourDir
                          : flag == QStringLiteral("--password") ? &options.password
                                                                 : nullptr;
        if (!target) {
            options.ok = false;
            options.error = QStringLiteral("未知参数: ") + flag;
            return options;
        }
        if (i + 1 >= arguments.size()) {
            options.ok = false;
            options.error = QStringLiteral("参数缺少值: ") + flag;
            return options;
        }
        *target = arguments[++i];
    }
    return options;
}

QString ProgramNameProblem(const QString& fileName)
{
    if (fileName == kProgramName)
        return {};
    return QStringLiteral("主程序名不能改为 %1 须是默认的 %2\n\n请修改后重新运行程序！\n\n"
                          "可以发送主程序的快捷方式到桌面，再修改快捷方式的名称。")
        .arg(fileName, kProgramName);
}

bool InitInstance(CMainApp& app, const StartOptions& options)
{
    // The window system, sockets, the drawing library and the locale need no steps of
    // their own here: the Qt application object and QString cover them.
    InstallFontSubstitutions();
    InstallWaitPump(EventLoopWaitPump());
    AttachAllCommandFamilies(app.commands);
    // Worked out once: matching the font is dearer than building a small form.
    app.form_context.defaultFont = FormDefaultFont();
    if (!options.home.isEmpty())
        SetProgramFolderOverride(QDir(options.home).absolutePath());
    app.program_folder = ProgramFolder();
    app.version_exe = FileVersionText();
    QDir::setCurrent(app.program_folder);
    app.app_icon = ProgramIcon(kWindowIconId);
    app.ConnectToServer();
    app.version_service.clear();
    const QString problem =
        ProgramNameProblem(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    if (!problem.isEmpty()) {
        ShowBox(nullptr, problem, QString(), 0);
        return false;
    }
    return true;
}

void ExitInstance(CMainApp& app)
{
    app.form_cache.Clear();
    RemoveFolder(QStringLiteral("temp"));
    if (app.update_cleanup)
        RemoveFolder(app.program_folder + QStringLiteral("update"));
    InstallWaitPump({});
}

int RunProgram(CMainApp& app, const StartOptions& options)
{
    if (!InitInstance(app, options))
        return 0;
    int status = 0;
    if (!options.tourDir.isEmpty()) {
        status = RunTour(app, options.tourDir, options.password);
    } else {
        Dialog_Login login(app);
        if (login.exec() == QDialog::Accepted) {
            CZkimsDlg main(app, DefaultFormHooks(app));
            main.exec();
        }
    }
    ExitInstance(app);
    return status;
}

} // namespace zk
