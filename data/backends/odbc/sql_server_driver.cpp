#include "data/backends/odbc/sql_server_driver.h"

#include <QRegularExpression>

#include <sql.h>
#include <sqlext.h>

using namespace Qt::StringLiterals;

namespace zk {

namespace {

// A value as ODBC reads it: in braces when it holds a separator or a brace.
QString OdbcValue(const QString& value)
{
    if (!value.contains(u';') && !value.contains(u'{') && !value.contains(u'}') &&
        value.trimmed() == value)
        return value;
    return u'{' + QString(value).replace(u'}', u"}}"_s) + u'}';
}

void Append(QString& text, const QString& key, const QString& value)
{
    if (!value.isEmpty())
        text += key + u'=' + OdbcValue(value) + u';';
}

QString ChooseDriver(const QStringList& drivers, bool& freeTds)
{
    static const QRegularExpression microsoft(QStringLiteral("^ODBC Driver (\\d+) for SQL Server$"),
                                              QRegularExpression::CaseInsensitiveOption);
    QString best;
    int bestVersion = -1;
    for (const QString& name : drivers) {
        const QRegularExpressionMatch m = microsoft.match(name);
        if (m.hasMatch() && m.captured(1).toInt() > bestVersion) {
            bestVersion = m.captured(1).toInt();
            best = name;
        }
    }
    freeTds = false;
    if (!best.isEmpty())
        return best;
    for (const QString& name : drivers) {
        if (name.compare(u"FreeTDS"_s, Qt::CaseInsensitive) == 0) {
            freeTds = true;
            return name;
        }
    }
    return {};
}

struct ServerAddress {
    QString host;
    QString instance;
    QString port;
};

// host, host,port, host\instance, tcp:host,port; "(local)" and "." are this machine.
ServerAddress ReadServer(QString server)
{
    ServerAddress address;
    server = server.trimmed();
    if (server.startsWith(u"tcp:"_s, Qt::CaseInsensitive))
        server = server.mid(4);
    const qsizetype comma = server.indexOf(u',');
    if (comma >= 0) {
        address.port = server.mid(comma + 1).trimmed();
        server = server.left(comma).trimmed();
    }
    const qsizetype slash = server.indexOf(u'\\');
    if (slash >= 0) {
        address.instance = server.mid(slash + 1);
        server = server.left(slash);
    }
    if (server == u"."_s || server.compare(u"(local)"_s, Qt::CaseInsensitive) == 0 ||
        server.compare(u"localhost"_s, Qt::CaseInsensitive) == 0)
        server = QStringLiteral("127.0.0.1");
    address.host = server;
    return address;
}

} // namespace

QStringList InstalledOdbcDrivers()
{
    QStringList drivers;
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        return drivers;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLCHAR name[512];
    SQLCHAR attributes[2048];
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT attributesLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(SQLDrivers(env, direction, name, sizeof name, &nameLength, attributes,
                                    sizeof attributes, &attributesLength))) {
        drivers.append(QString::fromUtf8(reinterpret_cast<const char*>(name)));
        direction = SQL_FETCH_NEXT;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return drivers;
}

QString SqlServerOdbcString(const SqlServerLogin& login, const QStringList& drivers, QString& error)
{
    bool freeTds = false;
    const QString driver = ChooseDriver(drivers, freeTds);
    if (driver.isEmpty()) {
        error = QStringLiteral(
            "没有安装 SQL Server 的 ODBC 驱动（FreeTDS 或 ODBC Driver for SQL Server）");
        return {};
    }
    const ServerAddress address = ReadServer(login.server);

    QString text = u"Driver={"_s + driver + u"};"_s;
    if (freeTds) {
        Append(text, QStringLiteral("Server"),
               address.instance.isEmpty() ? address.host : address.host + u'\\' + address.instance);
        Append(text, QStringLiteral("Port"),
               address.port.isEmpty() && address.instance.isEmpty() ? QStringLiteral("1433")
                                                                    : address.port);
    } else {
        QString full =
            address.instance.isEmpty() ? address.host : address.host + u'\\' + address.instance;
        if (!address.port.isEmpty())
            full += u',' + address.port;
        Append(text, QStringLiteral("Server"), full);
    }
    Append(text, QStringLiteral("Database"), login.database);
    if (login.trusted) {
        Append(text, QStringLiteral("Trusted_Connection"), QStringLiteral("Yes"));
    } else {
        Append(text, QStringLiteral("UID"), login.user);
        Append(text, QStringLiteral("PWD"), login.password);
    }
    if (freeTds) {
        // nvarchar(max) and the other types of today's servers need a recent protocol;
        // texts travel as UTF-8 so that Chinese arrives intact.
        Append(text, QStringLiteral("TDS_Version"), QStringLiteral("7.4"));
        Append(text, QStringLiteral("ClientCharset"), QStringLiteral("UTF-8"));
    } else {
        // The legacy driver never encrypted; company servers mostly have no certificate a
        // client could check.
        Append(text, QStringLiteral("TrustServerCertificate"), QStringLiteral("yes"));
    }
    return text;
}

} // namespace zk
