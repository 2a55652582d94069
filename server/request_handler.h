#pragma once

#include "data/session/db_session.h"
#include "server/client_connection.h"

#include <QString>

namespace zk::server {

class FileStore;
class ServerLog;
class TokenIssuer;

// What every connection's handler shares.
struct ServiceContext {
    QString db; // the connection string of the direct sessions
    const TokenIssuer* tokens = nullptr;
    const FileStore* files = nullptr;
    ServerLog* log = nullptr;
    qint64 maxReply = qint64(1) << 30;
};

// The requests of one client connection, answered by the connection's own direct session:
// each request code runs the session operation of the same name, so the server mode and
// the direct mode share every operation and every error text. A refusal carries the
// session's errorText (or, when the operation wrote none, its errorDetail); both are
// emptied before each request, so the text is that of the request alone.
//
// Until the token of request 102 and the "Open" of request 1 are accepted only the
// handshake requests (101, 102, "Open") are answered; anything else is refused and ends
// the connection.
class RequestHandler {
public:
    RequestHandler(const ServiceContext& context, QString peer);
    // Rolls back a transaction the client left open.
    ~RequestHandler();
    RequestHandler(const RequestHandler&) = delete;
    RequestHandler& operator=(const RequestHandler&) = delete;

    // The reply to one request; `close` is set when the connection must end after it.
    Reply Handle(const Request& request, bool& close);

private:
    Reply Handshake(qint32 code, const QString& text, bool& close);
    Reply Command(const QString& text);
    Reply Database(qint32 code, const QString& text, const QByteArray& binary);
    Reply Records(qint32 code, const QString& text);
    Reply Page(const QString& text);
    Reply File(const QString& text, const QByteArray& binary);
    Reply Failure() const;
    bool OpenSession();
    void EndTransaction();
    void Log(const QString& text) const;

    const ServiceContext& context_;
    QString peer_;
    CDbSession session_;
    bool tokenAccepted_ = false;
    bool open_ = false;
    bool inTransaction_ = false;
};

} // namespace zk::server
