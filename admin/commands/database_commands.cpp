// init: the system tables, the administrator and the application rows of a new company.
#include "admin/admin_command.h"
#include "data/schema/company_init.h"

using namespace Qt::StringLiterals;

namespace zk::admin {

namespace {

int Init(Invocation& run)
{
    Options options;
    QString error;
    if (!ReadOptions(run.args, {u"company"_s, u"admin-password"_s}, options, error) ||
        !options.positional.isEmpty()) {
        run.err << "zk_admin init: "
                << (error.isEmpty() ? u"unexpected argument "_s + options.positional.first()
                                    : error)
                << '\n';
        return kBadUsage;
    }
    CompanySetup setup;
    setup.company = options.values.value(u"company"_s);
    setup.adminPassword = options.values.value(u"admin-password"_s, kDefaultAdminPassword);
    if (setup.adminPassword.isEmpty()) {
        run.err << "zk_admin init: the administrator's password must not be empty\n";
        return kBadUsage;
    }
    QString message;
    if (!InitCompanyDatabase(*run.session, setup, message)) {
        run.err << message << '\n';
        return kFailed;
    }
    run.out << "created the system tables; administrator \"" << kAdminLoginId << "\" (uid 1)\n";
    return kOk;
}

} // namespace

QList<Command> DatabaseCommands()
{
    return {{u"init"_s, u"[--company NAME] [--admin-password PASSWORD]"_s, true, Init}};
}

} // namespace zk::admin
