#pragma once

#include <QString>
#include <Qt>

namespace zk {

class CZkSocket;

// The part of the application's state that the opening handshake with the server
// reads and writes.
struct AppLinkState {
    QString server_ip; // the server as the login's session resolved it
    int server_port = 0;
    QString init_request; // "Init" followed by the configured server key
    QString init_reply;   // the server's answer: the session token every link logs in with
    Qt::HANDLE main_thread_id = nullptr; // the user-interface thread
};

// Connects the socket to host and port and sends `initRequest` as request 101. True
// when an answer arrived; it becomes `initReply` (the empty text when the server
// refused the key). The socket is closed afterwards: every session has its own link,
// and an idle handshake connection would hold a worker of the server.
bool InitHandshake(CZkSocket& socket, const QString& host, int port, const QString& initRequest,
                   QString& initReply);

// The start-up connection: reads IP, PORT and KEY of cfg.ini [SERVER], resolves the
// address, records the calling thread as the main thread and performs the handshake.
// Nothing is reported: a server that cannot be reached shows later, when a session
// is used. False when no answer came.
bool ConnectAtStartUp(AppLinkState& state, CZkSocket& socket);

// The handshake repeated after a login attempt, to server_ip and server_port.
bool RepeatHandshake(AppLinkState& state, CZkSocket& socket);

} // namespace zk
