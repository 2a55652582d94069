#include "util/sysinfo.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(util_sysinfo, MacAddressOfTheFirstAdapter)
{
    bool hasAdapter = false;
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        if (!iface.flags().testFlag(QNetworkInterface::IsLoopBack) &&
            iface.hardwareAddress().size() == 17 &&
            iface.hardwareAddress() != QStringLiteral("00:00:00:00:00:00"))
            hasAdapter = true;
    }
    QString address = QStringLiteral("unchanged");
    const int rc = GetMacAddress(address);
    if (!hasAdapter) {
        EXPECT_NE(rc, 0);
        EXPECT_EQ(address, QStringLiteral("unchanged"));
        return;
    }
    EXPECT_EQ(rc, 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^([0-9A-F]{2}-){5}[0-9A-F]{2}$"))
                    .match(address)
                    .hasMatch())
        << address.toStdString();
}

TEST(util_sysinfo, HostNameAndAddress)
{
    QString host, ip;
    EXPECT_TRUE(GetHostNameAndIp(host, ip));
    EXPECT_FALSE(host.isEmpty());
    if (!ip.isEmpty()) {
        EXPECT_EQ(QHostAddress(ip).protocol(), QAbstractSocket::IPv4Protocol) << ip.toStdString();
    }
}

TEST(util_sysinfo, ResolveHost)
{
    QString ip;
    EXPECT_TRUE(ResolveHost(QStringLiteral("127.0.0.1"), ip));
    EXPECT_EQ(ip, QStringLiteral("127.0.0.1"));
    ip.clear();
    EXPECT_TRUE(ResolveHost(QStringLiteral("localhost"), ip));
    EXPECT_TRUE(QHostAddress(ip).isLoopback()) << ip.toStdString();

    ip = QStringLiteral("kept");
    EXPECT_FALSE(ResolveHost(QStringLiteral("no-such-host.invalid"), ip));
    EXPECT_FALSE(ResolveHost(QString(), ip));
    EXPECT_EQ(ip, QStringLiteral("kept"));
}

} // namespace
} // namespace zk
