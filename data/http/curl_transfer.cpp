#include "data/http/curl_transfer.h"

#include "data/wait_pump.h"

#include <chrono>
#include <memory>

namespace zk::http {

namespace {

bool CurlReady()
{
    // A function-local static makes the one global initialisation thread-safe.
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using HeaderList = std::unique_ptr<curl_slist, ListDeleter>;

using Clock = std::chrono::steady_clock;

struct Exchange {
    const TransferRequest& request;
    TransferResult& result;
    CURL* easy;
    // Stall watch: the byte counts last seen and when they last moved.
    curl_off_t sent = 0;
    curl_off_t received = 0;
    Clock::time_point lastMove{};
    // Stays set once the body is out, also when a redirect starts counting afresh.
    bool bodySent = false;
    bool stalled = false;
};

size_t OnBody(char* data, size_t size, size_t count, void* user)
{
    auto* exchange = static_cast<Exchange*>(user);
    const size_t bytes = size * count;
    if (!exchange->request.sink) {
        exchange->result.body.append(data, qsizetype(bytes));
        return bytes;
    }
    long status = 0;
    curl_easy_getinfo(exchange->easy, CURLINFO_RESPONSE_CODE, &status);
    return exchange->request.sink(status, QByteArrayView(data, qsizetype(bytes))) ? bytes : 0;
}

// Called once the connection stands, just before the request is written.
int OnConnected(void* user, char*, char*, int, int)
{
    auto* exchange = static_cast<Exchange*>(user);
    exchange->result.connected = true;
    exchange->lastMove = Clock::now();
    return CURL_PREREQFUNC_OK;
}

// curl's own low-speed limit averages over a window of seconds, so a silent server
// would be given up only seconds after the bound; this watch measures the pause itself.
// curl calls it at least once a second, also while nothing arrives.
int OnProgress(void* user, curl_off_t, curl_off_t received, curl_off_t, curl_off_t sent)
{
    auto* exchange = static_cast<Exchange*>(user);
    if (!exchange->result.connected)
        return 0; // the connect time-out covers this phase
    const Clock::time_point now = Clock::now();
    if (sent != exchange->sent || received != exchange->received) {
        exchange->sent = sent;
        exchange->received = received;
        exchange->lastMove = now;
        return 0;
    }
    const TransferRequest& request = exchange->request;
    exchange->bodySent = exchange->bodySent || !request.post || sent >= request.body.size();
    const long limitMs =
        exchange->bodySent ? request.limits.receiveStallMs : request.limits.sendStallMs;
    exchange->stalled = now - exchange->lastMove > std::chrono::milliseconds(limitMs);
    return exchange->stalled ? 1 : 0;
}

// curl_easy_perform would freeze the windows for the whole exchange; the multi
// interface lets the wait be cut into short polls with the wait hook in between.
CURLcode PerformPumpingEvents(CURL* easy)
{
    const std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!multi || curl_multi_add_handle(multi.get(), easy) != CURLM_OK)
        return CURLE_FAILED_INIT;
    int running = 1;
    while (curl_multi_perform(multi.get(), &running) == CURLM_OK && running > 0) {
        curl_multi_poll(multi.get(), nullptr, 0, kWaitPumpIntervalMs, nullptr);
        RunWaitPump();
    }
    CURLcode code = CURLE_FAILED_INIT;
    int queued = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi.get(), &queued)) {
        if (message->msg == CURLMSG_DONE)
            code = message->data.result;
    }
    curl_multi_remove_handle(multi.get(), easy);
    return code;
}

bool AppendHeaders(HeaderList& list, const QList<QByteArray>& headers)
{
    for (const QByteArray& header : headers) {
        curl_slist* head = curl_slist_append(list.get(), header.constData());
        if (!head)
            return false;
        (void)list.release();
        list.reset(head);
    }
    return true;
}

void SetCommonOptions(CURL* easy, Exchange& exchange)
{
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
    // The vendor's service and the companies' own servers are reached whatever their
    // certificates say: an expired one, one for another name or one from an unknown
    // authority is accepted. The transfer is encrypted, but the server not verified.
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 0L);
    // Cookies set by one answer go with the redirects of the same call, nowhere else.
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &exchange);
    curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, &OnConnected);
    curl_easy_setopt(easy, CURLOPT_PREREQDATA, &exchange);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &OnProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &exchange);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, exchange.request.limits.connectMs);
}

} // namespace

TransferResult RunTransfer(const TransferRequest& request)
{
    TransferResult result;
    if (!CurlReady())
        return result;
    const EasyHandle easy(curl_easy_init());
    HeaderList headers;
    if (!easy || !AppendHeaders(headers, request.headers))
        return result;

    Exchange exchange{request, result, easy.get()};
    SetCommonOptions(easy.get(), exchange);
    curl_easy_setopt(easy.get(), CURLOPT_URL, request.url.constData());
    curl_easy_setopt(easy.get(), CURLOPT_HTTPHEADER, headers.get());
    if (request.post) {
        curl_easy_setopt(easy.get(), CURLOPT_POST, 1L);
        // Never null: a POST without fields would read its body from standard input.
        curl_easy_setopt(easy.get(), CURLOPT_POSTFIELDS, request.body.constData());
        curl_easy_setopt(easy.get(), CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(request.body.size()));
    } else {
        curl_easy_setopt(easy.get(), CURLOPT_HTTPGET, 1L);
    }

    result.code =
        WaitPumpActive() ? PerformPumpingEvents(easy.get()) : curl_easy_perform(easy.get());
    if (exchange.stalled)
        result.code = CURLE_OPERATION_TIMEDOUT;
    curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &result.status);
    return result;
}

} // namespace zk::http
