#pragma once

#include "data/link/app_handshake.h"
#include "data/link/server_context.h"
#include "data/link/zk_socket.h"
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
class CMainApp : public AppLinkState {
public:
    CMainApp();
    ~CMainApp();
    CMainApp(const CMainApp&) = delete;
    CMainApp& operator=(const CMainApp&) = delete;

    // The one application object; null before it is made and after it is gone.
    static CMainApp* Current();

    // Logged-in user (written by the login dialog).
    QString userid;   // c_user.uid_0
    QString user_id;  // the login id as entered, single quotes doubled
    QString username; // display name
    QString password; // digest of the entered password
    QString auth;     // navigation rights
    QString groupid;  // the user's group
    QString db_kind;  // "1" SQL Server dialect, anything else the file database dialect
    QString cpy;      // company name (c_app row 1)
    QString db_path;  // nothing assigns it
    QString exe_name; // nothing assigns it
    QString version_service;
    QString version_exe;
    quint8 isprint = 0;
    QString program_folder; // ends with "/"
    bool update_cleanup = false;
    QString app_id, menu_version, vendor_host;
    QIcon app_icon;
    // query_to_main's application-wide values, numbered 1 to 10 (index 0 is slot 1).
    std::array<QString, 10> global_slots;
    FormCache form_cache;
    CZkSocket server_socket;

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
