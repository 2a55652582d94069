// user add: a new login.
#include "admin/admin_command.h"
#include "data/schema/company_init.h"

using namespace Qt::StringLiterals;

namespace zk::admin {

namespace {

int AddUserCommand(Invocation& run)
{
    Options options;
    QString error;
    if (!ReadOptions(run.args, {u"id"_s, u"name"_s, u"password"_s, u"group"_s, u"auth"_s}, options,
                     error)) {
        run.err << "zk_admin user add: " << error << '\n';
        return kBadUsage;
    }
    NewUser user;
    user.id = options.values.value(u"id"_s);
    user.name = options.values.value(u"name"_s);
    user.password = options.values.value(u"password"_s);
    user.group = options.values.value(u"group"_s);
    user.auth = options.values.value(u"auth"_s);
    if (user.id.isEmpty() || user.name.isEmpty() || user.password.isEmpty() ||
        !options.positional.isEmpty()) {
        run.err << "zk_admin user add: --id, --name and --password are required\n";
        return kBadUsage;
    }
    QString uid;
    QString message;
    if (!AddUser(*run.session, user, uid, message)) {
        run.err << message << '\n';
        return kFailed;
    }
    run.out << uid << '\n';
    return kOk;
}

} // namespace

QList<Command> UserCommands()
{
    return {{u"user add"_s,
             u"--id ID --name NAME --password PASSWORD [--group GROUP] [--auth LIST]"_s, true,
             AddUserCommand}};
}

} // namespace zk::admin
