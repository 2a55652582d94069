#pragma once

#include <QString>
#include <QStringList>

namespace zk {

class CMainApp;

// The scripted tour of the demo: logs in with the preselected user and `password`, shows
// the three navigation modes, opens every leaf of the navigation tree, presses the form's
// buttons in order (the main button first, each after a click on the first grid row) and
// closes it again, then closes the main window. Then the next user of the list, when the
// same password lets him in: his navigation and his forms, without pressing anything.
// Every step is one PNG in `folder` (made when missing), its path printed on standard
// output; message boxes that come up on the way are pictured and answered with OK.
// 0 when every step ran, 1 when the login failed or a step made no picture.
int RunTour(CMainApp& app, const QString& folder, const QString& password);

} // namespace zk
