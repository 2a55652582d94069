#pragma once

#include <QString>

namespace zk {

// Puts the text on the system clipboard. False only when there is no GUI
// application (and so no clipboard) in this process.
bool CopyToClipboard(const QString& text);

} // namespace zk
