#pragma once

#include <QString>

namespace zk {

class CDbSession;

// The administrator that a new company database starts with: user uid 1, who sees every
// navigation item.
inline const QString kAdminLoginId = QStringLiteral("admin");
inline const QString kAdminName = QStringLiteral("系统管理员");
inline const QString kDefaultAdminPassword = QStringLiteral("123456");

// The stored form of a password (c_user.pass_0): the MD5 digest, as 32 lower-case
// hexadecimal digits, of the password scrambled with key 1.
QString PasswordDigest(const QString& password);

struct CompanySetup {
    QString company;
    QString adminPassword = kDefaultAdminPassword;
};

// Creates the system tables in an open session's database, the administrator (uid 1, group
// 1) and the two application rows of c_app (row 1 with the company name, the application
// name and a new application id; row 2 without a graphic navigation), all in one
// transaction. Refuses a database that already has c_user. False with `message` set.
bool InitCompanyDatabase(CDbSession& session, const CompanySetup& setup, QString& message);

struct NewUser {
    QString id;       // login id
    QString name;     // display name
    QString password; // as typed
    QString group;    // user_group_uid_0; empty for none
    QString auth;     // navigation rights, menu uids separated by ","
};

// Adds an active user; `uid` receives the new c_user.uid_0. False with `message` when the
// login id is taken or the database refuses the row.
bool AddUser(CDbSession& session, const NewUser& user, QString& uid, QString& message);

} // namespace zk
