#pragma once

#include <QString>
#include <QStringList>

namespace zk {

class CMainApp;

// What the command line of Zk_ERP says.
struct StartOptions {
    QString home;     // --home DIR: the program folder (else ZK_HOME, else the default)
    QString tourDir;  // --tour DIR: run the scripted tour, screenshots into DIR
    QString password; // --password PW: the password the tour logs in with
    bool ok = true;
    QString error;
};

StartOptions ParseStartOptions(const QStringList& arguments);

// The program's own file name must stay "Zk_ERP": the restart of the settings dialog and
// the upgrade helper start it by that name. The message for another name; empty when the
// name is right.
QString ProgramNameProblem(const QString& fileName);

// The start-up sequence up to the login; false when the program is to end. Fills the
// application object (program folder, version, icon, the start-up connection).
bool InitInstance(CMainApp& app, const StartOptions& options);

// The exit sequence: the form cache, the "temp" folder, and the "update" folder when
// update_cleanup is set.
void ExitInstance(CMainApp& app);

// The whole run of the program after the Qt application exists: start-up, login, main
// window (or the tour), exit. The process exit code.
int RunProgram(CMainApp& app, const StartOptions& options);

} // namespace zk
