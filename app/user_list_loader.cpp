#include "app/user_list_loader.h"

#include "app/login_sql.h"
#include "data/session/db_session.h"
#include "data/session/link_server_ops.h"

namespace zk {

UserListResult LoadUserList()
{
    UserListResult result;
    CDbSession session;
    session.ConfigureServer();
    if (!session.Open())
        return result;
    result.opened = true;
    session.QueryList(UserListSql(), result.ids);
    if (CServerLink* link = ServerLinkOf(session)) {
        result.serverHost = link->host;
        result.serverPort = link->port;
    }
    result.dbKind = session.GetDbType();
    session.Close();
    return result;
}

UserListLoader::UserListLoader(QObject* receiver, Done done)
    : receiver_(receiver)
    , done_(std::move(done))
{
}

UserListLoader::~UserListLoader()
{
    wait();
}

void UserListLoader::run()
{
    const UserListResult result = LoadUserList();
    // Posted with the receiver as context: Qt drops the call when the receiver has been
    // destroyed before the event loop reaches it.
    if (QObject* receiver = receiver_.data())
        QMetaObject::invokeMethod(
            receiver, [done = done_, result] { done(result); }, Qt::QueuedConnection);
}

} // namespace zk
