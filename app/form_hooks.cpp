#include "app/form_hooks.h"

#include "app/main_app.h"
#include "runtime/form_window/form_window.h"

#include <QWidget>

namespace zk {

namespace {

// A form window that lives inside `parent` instead of being a window of its own.
D_T1* ChildForm(CMainApp& app, QWidget* parent)
{
    auto* form = new D_T1(app.form_context, parent);
    form->setWindowFlags(Qt::Widget);
    return form;
}

} // namespace

FormHooks DefaultFormHooks(CMainApp& app)
{
    FormHooks hooks;
    hooks.open = [&app](const QString& text, const QString& uid, const QString& name) {
        return OpenFormWindow(app.form_context, text, QString(), QString(), uid, name, QString()) !=
               nullptr;
    };
    hooks.embed = [&app](QWidget* parent, const QString& text, const QString& uid) -> QWidget* {
        D_T1* form = ChildForm(app, parent);
        form->menu_uid = uid;
        form->menu_name.clear();
        form->form_index = QStringLiteral("NULL"); // not dragged by its background
        if (!form->LoadDefinition(text)) {
            delete form;
            return nullptr;
        }
        form->form_id =
            form->Document()->GetRoot()->GetAttribute(QStringLiteral("id"), QStringLiteral("0"));
        if (!form->Create()) {
            form->deleteLater();
            return nullptr;
        }
        return form;
    };
    hooks.embedEmpty = [&app](QWidget* parent) -> QWidget* { return ChildForm(app, parent); };
    return hooks;
}

} // namespace zk
