#include "data/link/server_address.h"

#include "data/http/http_client.h"
#include "util/ini.h"
#include "util/sysinfo.h"

#include <QUrl>

namespace zk {

namespace {

const QString kScrambledPrefix = QStringLiteral("ZK");
constexpr int kLongestAddress = 20;
constexpr int kFirstShift = 20;

// The vendor's answer for an account code; empty when there is none.
QString LookUpAccountCode(const QString& code)
{
    QString vendor =
        ReadIni(QStringLiteral("cfg.ini"), QStringLiteral("SERVER"), QStringLiteral("VENDOR"));
    while (vendor.endsWith(u'/'))
        vendor.chop(1);
    if (vendor.isEmpty())
        return {};
    const QString url = vendor + QStringLiteral("/user/ag.aspx?id=") +
                        QString::fromLatin1(QUrl::toPercentEncoding(code));
    return GetUrlText(url).trimmed();
}

} // namespace

bool UnscrambleServerAddress(const QString& body, QString& address)
{
    // The shift grows by one per position: 20 for the first character, 34 for the
    // fifteenth (the longest dotted address), and on in the same way up to the
    // longest name accepted.
    if (body.size() > kLongestAddress)
        return false;
    QString plain(body.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < body.size(); ++i)
        plain[i] = QChar(char16_t(body[i].unicode() - (kFirstShift + i)));
    address = plain;
    return true;
}

bool ResolveServerAddress(const QString& value, QString& address)
{
    QString current = value.trimmed();
    // A scrambled address never contains a "." (every character is raised by at
    // least 20), so it is recognised by its prefix before the account-code rule.
    if (!current.startsWith(kScrambledPrefix) && !current.contains(u'.')) {
        current = LookUpAccountCode(current);
        if (current.isEmpty())
            return false;
    }
    if (current.startsWith(kScrambledPrefix) &&
        !UnscrambleServerAddress(current.mid(kScrambledPrefix.size()), current))
        return false;
    if (current.isEmpty())
        return false;
    ResolveHost(current, current);
    address = current;
    return true;
}

} // namespace zk
