#pragma once

#include "data/backends/backend.h"
#include "data/session/connection_string.h"

#include <memory>

namespace zk {

// The backend a direct session opens for a connection string, not yet opened. Null when the
// string leads nowhere usable, with the user's message in `text` and the reason in `detail`.
//
// A Jet data source opens as SQLite when the file is a SQLite database (so that a cfg.ini
// written for an Access file keeps working after the file was imported); an Access file
// itself is refused, and a file that does not exist is never created.
std::unique_ptr<Backend> MakeBackend(const QString& connection, const ConnectionTarget& target,
                                     QString& text, QString& detail);

} // namespace zk
