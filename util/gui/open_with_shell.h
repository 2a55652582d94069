#pragma once

#include <QString>

namespace zk {

// Opens a file or a web page with the desktop's program for it, as a double
// click would. A text with a scheme ("https://…", "mailto:…") is a URL; an
// existing relative path is taken from the current folder. True when the
// desktop accepted the request.
bool OpenWithShell(const QString& path);

} // namespace zk
