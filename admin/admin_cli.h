#pragma once

#include <QStringList>
#include <QTextStream>

namespace zk::admin {

// Runs one zk_admin command line (without the program name) and gives its exit status:
//   zk_admin [--db CONNECTION] COMMAND [ARGUMENTS]
// Commands that work on a database open a direct session on CONNECTION first.
int RunAdmin(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace zk::admin
