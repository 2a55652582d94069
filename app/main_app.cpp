#include "app/main_app.h"

#include <QThread>

namespace zk {

namespace {

CMainApp* g_current = nullptr;

} // namespace

CMainApp::CMainApp()
    : context_([this] { return LinkContext(); })
{
    g_current = this;
    form_context.state = this;
    form_context.formCache = &form_cache;
    form_context.commands = &commands;
}

CMainApp::~CMainApp()
{
    if (g_current == this)
        g_current = nullptr;
}

CMainApp* CMainApp::Current()
{
    return g_current;
}

ServerContext CMainApp::LinkContext() const
{
    std::lock_guard lock(link_mutex_);
    return ServerContextOf(*this);
}

void CMainApp::SetLinkServer(const QString& ip, int port)
{
    std::lock_guard lock(link_mutex_);
    server_ip = ip;
    server_port = port;
}

// The handshakes work on a copy of the link state, so that a session opening on another
// thread never reads a half-written token.
bool CMainApp::ConnectToServer()
{
    AppLinkState state = [this] {
        std::lock_guard lock(link_mutex_);
        return static_cast<const AppLinkState&>(*this);
    }();
    const bool answered = ConnectAtStartUp(state, server_socket);
    std::lock_guard lock(link_mutex_);
    main_thread_id = state.main_thread_id;
    init_request = state.init_request;
    init_reply = state.init_reply;
    return answered;
}

bool CMainApp::RepeatHandshakeToServer()
{
    QString host, request;
    int port = 0;
    {
        std::lock_guard lock(link_mutex_);
        host = server_ip;
        port = server_port;
        request = init_request;
    }
    return HandshakeWith(host, port, request);
}

bool CMainApp::HandshakeWith(const QString& host, int port, const QString& request)
{
    QString reply;
    if (!InitHandshake(server_socket, host, port, request, reply))
        return false;
    std::lock_guard lock(link_mutex_);
    init_reply = reply;
    return true;
}

} // namespace zk
