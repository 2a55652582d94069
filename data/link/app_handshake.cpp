#include "data/link/app_handshake.h"

#include "data/link/link_frame.h"
#include "data/link/link_protocol.h"
#include "data/link/server_address.h"
#include "data/link/zk_socket.h"
#include "util/ini.h"
#include "util/numbers.h"

#include <QThread>

namespace zk {

namespace {

QString ServerSetting(const char* key)
{
    return ReadIni(QStringLiteral("cfg.ini"), QStringLiteral("SERVER"), QString::fromLatin1(key));
}

} // namespace

bool InitHandshake(CZkSocket& socket, const QString& host, int port, const QString& initRequest,
                   QString& initReply)
{
    if (!socket.Connect(host, port))
        return false;
    ServerReply reply;
    const bool answered = ExchangeFrame(socket, link::kInit, initRequest, {}, reply);
    if (answered)
        initReply = reply.text;
    socket.Close();
    return answered;
}

bool ConnectAtStartUp(AppLinkState& state, CZkSocket& socket)
{
    QString address;
    if (!ResolveServerAddress(ServerSetting("IP"), address))
        return false;
    state.main_thread_id = QThread::currentThreadId();
    state.init_request = link::kInitPrefix + ServerSetting("KEY");
    return InitHandshake(socket, address, ToInt(ServerSetting("PORT")), state.init_request,
                         state.init_reply);
}

bool RepeatHandshake(AppLinkState& state, CZkSocket& socket)
{
    return InitHandshake(socket, state.server_ip, state.server_port, state.init_request,
                         state.init_reply);
}

} // namespace zk
