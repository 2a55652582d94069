#pragma once

#include "data/link/app_handshake.h"
#include "data/link/server_context.h"
#include "data/link/zk_socket.h"
#include "runtime/app_state/app_context.h"
#include "runtime/commands/command_registry.h"
#include "runtime/definition/form_cache.h"

#include <QIcon>
#include <QString>
#include <QStringList>

#include <array>
#include <mutex>

namespace zk {

// The application object: the state of the logged-in session that every part of the
// client reads, the application's socket of the server link and the form cache. There is
// one per process (CMainApp::Current()); it lives for the whole run. Members written by the
// login are written before the main window exists, on the user-interface thread.
//
// The server address and the handshake token (server_ip, server_port, init_reply of
// AppLinkState) are also read by every server session, from whichever thread uses one, so
// they are read and written under a lock (LinkContext, SetLink…).
class CMainApp : public AppLinkState, public SessionState {
public:
    CMainApp();
    ~CMainApp();
    CMainApp(const CMainApp&) = delete;
    CMainApp& operator=(const CMainApp&) = delete;

    // The one application object; null before it is made and after it is gone.
    static CMainApp* Current();

    // The logged-in user, db_kind, cpy, version_exe, isprint and the ten global slots are
    // the SessionState members (written by the login dialog and the main window).
    QString db_path;  // nothing assigns it
    QString exe_name; // nothing assigns it
    QString version_service;
    QString program_folder; // ends with "/"
    bool update_cleanup = false;
    QString app_id, menu_version, vendor_host;
    QIcon app_icon;
    FormCache form_cache;
    CZkSocket server_socket;
    // The handlers of the script commands, attached once at start-up.
    CommandRegistry commands;
    // What every form window opened by the application reads: this object's session
    // state, its form cache and its command registry.
    AppContext form_context;

    // What every server session takes from the application; safe from any thread.
    ServerContext LinkContext() const;
    // The server as the login's session resolved it.
    void SetLinkServer(const QString& ip, int port);

    // The start-up connection (cfg.ini IP, PORT, KEY; request 101); silent.
    bool ConnectToServer();
    // The handshake repeated to server_ip and server_port after a login attempt or a
    // settings test; a reply becomes init_reply.
    bool RepeatHandshakeToServer();
    // The handshake to another server (the settings test).
    bool HandshakeWith(const QString& host, int port, const QString& request);

private:
    mutable std::mutex link_mutex_;
    ScopedServerContext context_;
};

} // namespace zk
