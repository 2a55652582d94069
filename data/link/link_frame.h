#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace zk {

class CZkSocket;

// Why a frame exchange failed.
enum class FrameFailure {
    None,
    Busy, // the socket is already in an exchange (a request run from the wait hook)
    NotConnected,
    TooLong, // the request does not fit the 32-bit length words
    Send,
    Acknowledge, // the three bytes after the request header were not "ok\0"
    Header,      // a reply header that is short, does not start with 1, or has bad lengths
    TooLarge,    // the reply announces more payload than the socket's limits allow
    Receive,
    PeerClosed, // the peer closed the connection before the reply was complete
    TimedOut,
};

// One reply of the server.
struct ServerReply {
    qint32 status = -1;
    qint32 total = 0;        // payload bytes
    qint32 textLength = 0;   // payload bytes that are text
    qint32 binaryLength = 0; // payload bytes that are binary
    // The text part, decoded only for a positive status.
    QString text;
    // The binary part of a positive status (QByteArray keeps a zero byte after it).
    QByteArray binary;
    // The text part of a negative status: the server's reason.
    QString serverMessage;
    FrameFailure failure = FrameFailure::None;
};

// Sends one request (text in GB18030, then the binary part) and reads its reply.
// False when the transport failed; the socket is then closed, because the stream
// can no longer be trusted to be in step with the server (a late reply would
// otherwise be taken for the answer to the next request).
bool ExchangeFrame(CZkSocket& socket, qint32 code, const QString& text, const QByteArray& binary,
                   ServerReply& reply);

} // namespace zk
