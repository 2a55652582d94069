#include "util/gui/copy_to_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace zk {

bool CopyToClipboard(const QString& text)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    QGuiApplication::clipboard()->setText(text);
    return true;
}

} // namespace zk
