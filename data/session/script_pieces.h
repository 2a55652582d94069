#pragma once

#include <QString>
#include <QStringList>

namespace zk {

// The statements RunScript runs on a database that takes one statement at a time: the
// script split at every ';' (inside string literals too, as it always was), each piece
// without its leading line feeds; pieces shorter than 6 characters and pieces that start
// with "--" are left out.
QStringList ScriptPieces(const QString& script);

} // namespace zk
