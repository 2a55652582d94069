#include "data/session/db_session.h"
#include "runtime/definition/form_loader.h"
#include "runtime/form_window/form_window.h"

namespace zk {

D_T1* OpenFormWindow(AppContext& app, const QString& definition, const QString& disabledIds,
                     const QString& hiddenIds, const QString& menuUid, const QString& menuName,
                     const QString& formType)
{
    auto* form = new D_T1(app);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->disabled_ids = disabledIds;
    form->hidden_ids = hiddenIds;
    form->menu_uid = menuUid;
    form->menu_name = menuName;
    form->form_type = formType;
    form->form_index.clear();
    if (!form->LoadDefinition(definition)) {
        delete form;
        return nullptr;
    }
    // The document's own form.
    const CXmlNodePtr root = form->Document()->GetRoot();
    form->form_id = root->GetAttribute(QStringLiteral("id"), QStringLiteral("0"));
    if (!form->Create()) {
        form->deleteLater();
        return nullptr;
    }
    return form;
}

D_T1* OpenFormWindowByUid(AppContext& app, const QString& uid, int kind, const QString& menuName,
                          const QString& formType, const QString& disabledIds,
                          const QString& hiddenIds, QString* errorText)
{
    CDbSession session;
    if (!app.directConnection.isEmpty())
        session.SetConnectionString(app.directConnection);
    FormCache scratch;
    FormCache& cache = app.formCache ? *app.formCache : scratch;
    QString definition;
    if (!session.EnsureOpen() || LoadFormDefinition(session, definition, uid, kind, cache) < 0) {
        if (errorText)
            *errorText = session.errorText;
        return nullptr;
    }
    session.Close();
    D_T1* form = OpenFormWindow(app, definition, disabledIds, hiddenIds, uid, menuName, formType);
    if (!form && errorText)
        errorText->clear();
    return form;
}

} // namespace zk
