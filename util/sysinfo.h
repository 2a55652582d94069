#pragma once

#include <QString>

namespace zk {

// Result of GetMacAddress when the machine has no adapter with a hardware
// address.
constexpr int kNoAdapterAddress = -1;

// The hardware address of the first adapter that is not the loopback, as
// "%02X-%02X-%02X-%02X-%02X-%02X". Returns 0 and sets the text, or
// kNoAdapterAddress and leaves it unchanged.
int GetMacAddress(QString& address);

// The host name and the workstation's IPv4 address in dotted form: the
// first address the name resolves to, preferring one that is not a
// loopback address (and then the adapters' own). The address stays empty
// when there is none. True; false only when the host name is unknown.
bool GetHostNameAndIp(QString& hostName, QString& ip);

// The first IPv4 address of a host name (a dotted address gives itself).
// False, with the text unchanged, when the name does not resolve.
bool ResolveHost(const QString& hostName, QString& ip);

} // namespace zk
