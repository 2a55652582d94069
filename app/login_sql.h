#pragma once

#include <QString>

namespace zk {

// The statements of the login, in the two dialects the application object's db_kind
// selects ("1" the SQL Server one, anything else the file database one).

// Where the workstation logs in from, for log_client_login.
struct LoginPlace {
    QString ip;       // the workstation's IPv4 address
    QString hostName; // its host name
    QString mac;      // its adapter address
    QString serverIp; // the address the server sees (empty without a server)
};

// The active users' login ids, in order.
QString UserListSql();
// The user row of a login id and password digest (both already made safe for SQL).
QString LoginQuerySql(const QString& loginId, const QString& digest);
// The login time of a successful login.
QString LoginTimeSql(const QString& dbKind, const QString& userid);
// The login record of a successful login.
QString LoginRecordSql(const QString& dbKind, const QString& userid, const QString& loginId,
                       const LoginPlace& place);
// The record of a failed attempt (user uid 0).
QString FailedLoginRecordSql(const QString& dbKind, const QString& loginId,
                             const LoginPlace& place);

// The login id made safe inside a quoted literal: single quotes doubled. (The form
// commands' EscapeSql also brackets "[" and the double quote for LIKE patterns; in the
// login's "=" comparison that would make such ids unmatchable.)
QString EscapeLoginId(const QString& loginId);

// The stored form of a typed password: the digest of the scrambled text.
QString LoginDigest(const QString& password);

} // namespace zk
