#pragma once

#include <QString>

namespace zk {

// The folder of the program's own files (cfg.ini, logs, "temp", "update"),
// always ending with "/". In order:
//   1. the environment variable ZK_HOME, when set and not empty;
//   2. the executable's folder, when it is writable;
//   3. ~/.local/share/Zk_ERP/ (created when missing).
// Read afresh on every call, so it follows SetProgramFolderOverride.
QString ProgramFolder();

// Makes every later ProgramFolder() return the given folder (the client's
// "--home DIR"). It sets ZK_HOME for this process, so that programs it
// starts, such as the upgrade helper, work in the same folder.
void SetProgramFolderOverride(const QString& folder);

// The executable's full path; the empty text when it cannot be found.
QString ModuleFileName();

} // namespace zk
