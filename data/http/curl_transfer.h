#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <curl/curl.h>

#include <functional>

namespace zk::http {

// When a transfer is given up. The two stall bounds count from the moment the
// connection stands: the longest pause while the request body is still going out,
// and the longest wait for the next byte of the answer after that.
struct TransferLimits {
    long connectMs = 0; // establishing the connection (TLS included)
    long sendStallMs = 0;
    long receiveStallMs = 0;
};

struct TransferRequest {
    QByteArray url; // absolute http or https URL, encoded
    bool post = false;
    QByteArray body; // sent with a POST only; an empty one goes out as Content-Length: 0
    QList<QByteArray> headers;
    TransferLimits limits;
    // Takes the body piece by piece together with the answer's status; returning false
    // stops the transfer. Without a sink the body is collected in TransferResult::body.
    std::function<bool(long status, QByteArrayView piece)> sink;
};

struct TransferResult {
    CURLcode code = CURLE_FAILED_INIT; // a stall is reported as CURLE_OPERATION_TIMEDOUT
    long status = 0;                   // of the last answer (after redirects); 0 when none came
    bool connected = false;            // the connection was up and the request about to go out
    QByteArray body;
};

// One blocking exchange on its own curl handle; safe to call from any thread. On the
// thread that installed the wait hook (data/wait_pump.h) the hook runs while it waits.
TransferResult RunTransfer(const TransferRequest& request);

} // namespace zk::http
