#pragma once

#include <QString>

namespace zk {

// Turns the IP value of cfg.ini [SERVER] into an address to connect to:
//  * "ZK" followed by a scrambled body: character i of the body, lowered by 20 + i,
//    gives the address (bodies of up to 20 characters; longer ones are rejected);
//  * a value without "." is an account code, looked up at the vendor's service
//    (cfg.ini [SERVER] VENDOR, a base URL) under "/user/ag.aspx?id=" + code; the
//    answer may itself be a scrambled address. Without a vendor address, or without
//    an answer, the value is rejected;
//  * anything else is a dotted address or a host name.
// The result is then looked up as a host name (first IPv4 address); when the lookup
// fails it stays as it is. False when the value is rejected.
bool ResolveServerAddress(const QString& value, QString& address);

// The unscrambled body of a "ZK" value; false when it is longer than 20 characters.
bool UnscrambleServerAddress(const QString& body, QString& address);

} // namespace zk
