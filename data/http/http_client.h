#pragma once

#include <QString>

namespace zk {

// The client's HTTP requests (web commands of forms, server address look-ups, the
// vendor's service and its downloads). Every call is blocking, opens its own
// connection, may run on any thread, and never shows anything to the user. Proxies
// come from the usual environment variables (http_proxy, https_proxy, no_proxy).
// Server certificates are not verified.

// A form request: POST with `body` (already URL-encoded by the caller, sent as UTF-8)
// when `post` is set, otherwise a GET, which sends no body. A 2xx answer gives true
// and its body in `response` (an empty one for 204); `message` says what happened:
// "提交成功完成！" on success, otherwise the reason. `response` is left alone on failure.
// Waits up to 30 s for the connection and gives up after 120 s without any data.
bool HttpSubmit(const QString& url, const QString& body, QString& response, QString& message,
                bool post);

// HttpSubmit for calls that must come back quickly: 5 s to connect, then at most a
// 1 s standstill while the body goes out and 7 s waiting for (more of) the answer.
bool HttpSubmitTimed(const QString& url, const QString& body, QString& response, QString& message,
                     bool post);

// The body of a plain GET when the answer is exactly 200; an empty text otherwise.
QString GetUrlText(const QString& url);

// Stores the body of a 200 answer in `localPath`. The data goes to a temporary file
// beside it first and replaces the file only once the answer is complete, so a failed
// download leaves any earlier file untouched.
bool DownloadToFile(const QString& url, const QString& localPath);

} // namespace zk
