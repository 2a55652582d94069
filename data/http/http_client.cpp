#include "data/http/http_client.h"

#include "data/http/curl_transfer.h"

#include <QSaveFile>
#include <QUrl>

namespace zk {

namespace {

using http::RunTransfer;
using http::TransferLimits;
using http::TransferRequest;
using http::TransferResult;

// Generous bounds so that a dead server cannot hold a thread forever.
constexpr TransferLimits kPatientLimits{30000, 120000, 120000};
// Connect 5 s, at most 1 s of standstill while sending and 7 s while waiting for the
// answer. There is no bound on the whole exchange: an answer that keeps coming is read.
constexpr TransferLimits kTimedLimits{5000, 1000, 7000};

// Absolute http and https URLs with a host only. The scheme is compared without
// regard to case, so "HTTPS://…" is encrypted as well.
bool ToRequestUrl(const QString& url, QByteArray& encoded)
{
    const QUrl parsed(url, QUrl::StrictMode);
    const QString scheme = parsed.scheme().toLower();
    if (!parsed.isValid() || (scheme != u"http" && scheme != u"https") || parsed.host().isEmpty())
        return false;
    encoded = parsed.toEncoded(QUrl::RemoveFragment);
    return true;
}

// A fresh request carries no headers of its own, so each of these is always added.
// "Expect:" only keeps curl from holding a large body back for a "100 Continue".
QList<QByteArray> FormHeaders()
{
    return {
        "Content-Type: application/x-www-form-urlencoded",
        "Accept: */*",
        "Accept-Language: zh-CN",
        "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; Trident/5.0)",
        "Expect:",
    };
}

bool IsSuccess(long status)
{
    return status >= 200 && status <= 299;
}

bool IsConnectFailure(const TransferResult& result)
{
    switch (result.code) {
    case CURLE_FAILED_INIT:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
        return true;
    case CURLE_OPERATION_TIMEDOUT:
        return !result.connected;
    default:
        return false;
    }
}

QString FailureMessage(const TransferResult& result, const QString& url, bool post)
{
    if (result.code == CURLE_URL_MALFORMAT || result.code == CURLE_UNSUPPORTED_PROTOCOL)
        return QStringLiteral("找不到网络地址") + url;
    if (IsConnectFailure(result))
        return QStringLiteral("对不起，连接服务器失败！");
    return QStringLiteral("向服务器%1失败！错误号：%2")
        .arg(post ? QStringLiteral("post") : QStringLiteral("get"))
        .arg(int(result.code));
}

bool Submit(const QString& url, const QString& body, QString& response, QString& message, bool post,
            const TransferLimits& limits)
{
    message = QStringLiteral("提交成功完成！");
    TransferRequest request;
    if (!ToRequestUrl(url, request.url)) {
        message = url + QStringLiteral("不是有效有网络地址！");
        return false;
    }
    request.post = post;
    if (post)
        request.body = body.toUtf8();
    request.headers = FormHeaders();
    request.limits = limits;

    const TransferResult result = RunTransfer(request);
    // An answer outside 2xx is the server's error even when its body broke off.
    if (result.status != 0 && !IsSuccess(result.status)) {
        message = QStringLiteral("网站服务器错误") + url;
        return false;
    }
    if (result.code != CURLE_OK) {
        message = FailureMessage(result, url, post);
        return false;
    }
    response = QString::fromUtf8(result.body);
    return true;
}

} // namespace

bool HttpSubmit(const QString& url, const QString& body, QString& response, QString& message,
                bool post)
{
    return Submit(url, body, response, message, post, kPatientLimits);
}

bool HttpSubmitTimed(const QString& url, const QString& body, QString& response, QString& message,
                     bool post)
{
    return Submit(url, body, response, message, post, kTimedLimits);
}

QString GetUrlText(const QString& url)
{
    TransferRequest request;
    if (!ToRequestUrl(url, request.url))
        return {};
    request.limits = kPatientLimits;
    const TransferResult result = RunTransfer(request);
    if (result.code != CURLE_OK || result.status != 200)
        return {};
    return QString::fromUtf8(result.body);
}

bool DownloadToFile(const QString& url, const QString& localPath)
{
    TransferRequest request;
    if (!ToRequestUrl(url, request.url))
        return false;
    QSaveFile file(localPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    request.limits = kPatientLimits;
    // Anything but a 200 is not written at all; the transfer stops at its first byte.
    request.sink = [&file](long status, QByteArrayView piece) {
        return status == 200 && file.write(piece.data(), piece.size()) == piece.size();
    };
    const TransferResult result = RunTransfer(request);
    if (result.code != CURLE_OK || result.status != 200) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace zk
