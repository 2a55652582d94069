#include "forms/definition/definition_paths.h"

namespace zk {

QString ControlEventPath(const QString& formId, const QString& elementName, int elementId,
                         const QString& eventName)
{
    return QStringLiteral("//html[@id=%1]/body/dialog/%2[@id=%3]/ACTION/%4")
        .arg(formId, elementName, QString::number(elementId), eventName);
}

QString GridColumnPath(const QString& formId, int gridId, int columnId)
{
    return QStringLiteral("//html[@id=%1]/body/dialog/table[@id=%2]/PARA/col_info/col[@id=%3]")
        .arg(formId, QString::number(gridId), QString::number(columnId));
}

QString GridColumnEndEditPath(const QString& formId, int gridId, int columnId)
{
    return GridColumnPath(formId, gridId, columnId) + QStringLiteral("/ENDEDIT");
}

QString GridColumnListPath(int gridId)
{
    return QStringLiteral("//html/body/dialog/table[@id=%1]/PARA/col_info").arg(gridId);
}

QString InlinePopupPath(const QString& popupId)
{
    return QStringLiteral("popup/html[@id=%1]").arg(popupId);
}

QString FormPath(const QString& formId)
{
    return QStringLiteral("//html[@id=%1]").arg(formId);
}

} // namespace zk
