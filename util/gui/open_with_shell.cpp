#include "util/gui/open_with_shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace zk {

bool OpenWithShell(const QString& path)
{
    if (path.trimmed().isEmpty())
        return false;
    const QUrl url = QUrl::fromUserInput(path, QDir::currentPath());
    return url.isValid() && QDesktopServices::openUrl(url);
}

} // namespace zk
