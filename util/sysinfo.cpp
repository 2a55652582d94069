#include "util/sysinfo.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>

#include <algorithm>

namespace zk {

namespace {

bool IsUsableHardwareAddress(const QString& address)
{
    // "AA:BB:CC:DD:EE:FF": six bytes, not all zero.
    const QStringList parts = address.split(QLatin1Char(':'));
    return parts.size() == 6 && std::any_of(parts.cbegin(), parts.cend(), [](const QString& part) {
               return part.toInt(nullptr, 16) != 0;
           });
}

QList<QHostAddress> Ipv4Addresses(const QList<QHostAddress>& addresses)
{
    QList<QHostAddress> result;
    for (const QHostAddress& address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            result.append(address);
    }
    return result;
}

QString FirstNonLoopback(const QList<QHostAddress>& addresses)
{
    for (const QHostAddress& address : addresses) {
        if (!address.isLoopback())
            return address.toString();
    }
    return QString();
}

} // namespace

int GetMacAddress(QString& address)
{
    // Interfaces come in index order, which stays stable across reboots, so
    // the same adapter identifies the workstation every time.
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        if (iface.flags().testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const QString hardware = iface.hardwareAddress();
        if (IsUsableHardwareAddress(hardware)) {
            address = hardware.toUpper().replace(QLatin1Char(':'), QLatin1Char('-'));
            return 0;
        }
    }
    return kNoAdapterAddress;
}

bool GetHostNameAndIp(QString& hostName, QString& ip)
{
    const QString name = QHostInfo::localHostName();
    if (name.isEmpty())
        return false;
    hostName = name;
    // Many systems map their own name to 127.0.1.1 in /etc/hosts; a peer can
    // do nothing with that, so an adapter's address is preferred over it.
    const QList<QHostAddress> resolved = Ipv4Addresses(QHostInfo::fromName(name).addresses());
    ip = FirstNonLoopback(resolved);
    if (ip.isEmpty())
        ip = FirstNonLoopback(Ipv4Addresses(QNetworkInterface::allAddresses()));
    if (ip.isEmpty() && !resolved.isEmpty())
        ip = resolved.first().toString();
    return true;
}

bool ResolveHost(const QString& hostName, QString& ip)
{
    if (hostName.trimmed().isEmpty())
        return false;
    const QList<QHostAddress> resolved =
        Ipv4Addresses(QHostInfo::fromName(hostName.trimmed()).addresses());
    if (resolved.isEmpty())
        return false;
    ip = resolved.first().toString();
    return true;
}

} // namespace zk
