#include "app/form_hooks.h"

#include "app/main_app.h"

#include <QWidget>

namespace zk {

FormHooks DefaultFormHooks(CMainApp&)
{
    FormHooks hooks;
    hooks.open = [](const QString&, const QString&, const QString&) { return false; };
    hooks.embed = [](QWidget*, const QString&, const QString&) -> QWidget* { return nullptr; };
    hooks.embedEmpty = [](QWidget* parent) { return new QWidget(parent); };
    return hooks;
}

} // namespace zk
