#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zk {

// What a legacy SQL Server connection string asks for.
struct SqlServerLogin {
    QString server; // host, host,port, host\instance, tcp:host,port
    QString database;
    QString user;
    QString password;
    bool trusted = false; // Trusted_Connection: the operating system's login
};

// The ODBC drivers registered with the driver manager (odbcinst.ini), by name.
QStringList InstalledOdbcDrivers();

// The legacy "driver={SQL Server}" login written for an installed SQL Server driver:
// Microsoft's "ODBC Driver NN for SQL Server" (the newest one) when there is one, else
// FreeTDS, each with the keys it reads. Empty, with `error` set, when neither is installed.
QString SqlServerOdbcString(const SqlServerLogin& login, const QStringList& drivers,
                            QString& error);

} // namespace zk
