#include "data/link/link_frame.h"

#include "data/link/link_protocol.h"
#include "data/link/zk_socket.h"
#include "util/codec.h"

#include <QtEndian>

#include <cstring>
#include <limits>

namespace zk {

namespace {

void PutWord(char* at, qint32 value)
{
    qToLittleEndian(value, at);
}

qint32 Word(const char* at)
{
    return qFromLittleEndian<qint32>(at);
}

FrameFailure FailureOf(SocketResult result, FrameFailure otherwise)
{
    switch (result) {
    case SocketResult::Closed:
        return FrameFailure::PeerClosed;
    case SocketResult::TimedOut:
        return FrameFailure::TimedOut;
    default:
        return otherwise;
    }
}

FrameFailure SendRequest(CZkSocket& socket, qint32 code, const QByteArray& text,
                         const QByteArray& binary)
{
    const qint64 all = qint64(text.size()) + binary.size();
    if (all > std::numeric_limits<qint32>::max())
        return FrameFailure::TooLong;
    char header[link::kHeaderBytes];
    PutWord(header, link::kFrameMagic);
    PutWord(header + 4, code);
    PutWord(header + 8, qint32(text.size()));
    PutWord(header + 12, qint32(all));
    SocketResult sent = socket.SendAll(QByteArrayView(header, sizeof header));
    if (sent != SocketResult::Ok)
        return FailureOf(sent, FrameFailure::Send);

    char ack[sizeof link::kAcknowledge];
    qint64 got = 0;
    const SocketResult acked = socket.ReceiveAll(ack, sizeof ack, got);
    if (acked != SocketResult::Ok)
        return FailureOf(acked, FrameFailure::Receive);
    if (std::memcmp(ack, link::kAcknowledge, sizeof ack) != 0)
        return FrameFailure::Acknowledge;

    // A request without payload (an empty statement or token) sends nothing more:
    // the server reads zero bytes and answers as usual.
    if (all == 0)
        return FrameFailure::None;
    QByteArray payload = text;
    payload.append(binary);
    sent = socket.SendAll(payload);
    return sent == SocketResult::Ok ? FrameFailure::None : FailureOf(sent, FrameFailure::Send);
}

FrameFailure ReadHeader(CZkSocket& socket, ServerReply& reply)
{
    char header[link::kHeaderBytes];
    qint64 got = 0;
    const SocketResult read = socket.ReceiveAll(header, sizeof header, got);
    if (read != SocketResult::Ok)
        return FailureOf(read, FrameFailure::Receive);
    const qint32 textLength = Word(header + 8);
    const qint32 total = Word(header + 12);
    if (Word(header) != link::kFrameMagic || textLength < 0 || total < 0 || textLength > total)
        return FrameFailure::Header;
    if (total > socket.limits.maxPayload)
        return FrameFailure::TooLarge;
    reply.status = Word(header + 4);
    reply.total = total;
    // A text length of 0 means that the whole payload is text.
    reply.textLength = textLength > 0 ? textLength : total;
    reply.binaryLength = total - reply.textLength;
    return FrameFailure::None;
}

void TakePayload(const QByteArray& payload, ServerReply& reply)
{
    const QByteArray text = payload.left(reply.textLength);
    if (reply.status > 0) {
        reply.text = FromGb18030(text);
        if (reply.binaryLength > 0)
            reply.binary = payload.mid(reply.textLength);
    } else if (reply.status < 0) {
        reply.serverMessage = FromGb18030(text);
    }
}

FrameFailure Exchange(CZkSocket& socket, qint32 code, const QString& text, const QByteArray& binary,
                      ServerReply& reply)
{
    if (!socket.connected)
        return FrameFailure::NotConnected;
    FrameFailure failure = SendRequest(socket, code, ToGb18030(text), binary);
    if (failure == FrameFailure::None)
        failure = ReadHeader(socket, reply);
    if (failure != FrameFailure::None || reply.total == 0)
        return failure;
    QByteArray payload(reply.total, Qt::Uninitialized);
    qint64 got = 0;
    const SocketResult read = socket.ReceiveAll(payload.data(), payload.size(), got);
    if (read != SocketResult::Ok)
        return FailureOf(read, FrameFailure::Receive);
    TakePayload(payload, reply);
    return FrameFailure::None;
}

} // namespace

bool ExchangeFrame(CZkSocket& socket, qint32 code, const QString& text, const QByteArray& binary,
                   ServerReply& reply)
{
    reply = ServerReply{};
    if (!socket.TryBeginExchange()) {
        reply.failure = FrameFailure::Busy;
        return false;
    }
    reply.failure = Exchange(socket, code, text, binary, reply);
    socket.EndExchange();
    if (reply.failure == FrameFailure::None)
        return true;
    if (reply.failure == FrameFailure::Receive || reply.failure == FrameFailure::PeerClosed ||
        reply.failure == FrameFailure::TimedOut)
        reply.status = -1;
    if (reply.failure != FrameFailure::TooLong)
        socket.Close();
    return false;
}

} // namespace zk
