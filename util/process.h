#pragma once

#include <QString>

namespace zk {

// Runs a command line with "/bin/sh -c" and returns what it wrote to its
// standard output and standard error, merged in the order written. The
// bytes are read as UTF-8 when they are valid UTF-8, else as GB18030. The
// command gets an empty standard input. The empty text when the shell cannot
// be started. With a timeout (milliseconds, -1 waits for as long as it
// runs) an overdue command is killed and what it wrote so far returned.
QString RunCommandCapture(const QString& command, int timeoutMs = -1);

// Starts the upgrade helper "zk_up" with the single argument "-" + argument,
// detached, at the lowest scheduling priority, in the program folder. The
// helper is looked for in ProgramFolder() first, then beside the executable.
// Also makes this program's own file writable so that the helper can
// replace it. 1 when the helper started, -1 otherwise.
int StartUpgradeHelper(const QString& argument);

} // namespace zk
