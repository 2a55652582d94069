#include "data/session/backend_factory.h"

#include "data/backends/odbc/odbc_backend.h"
#include "data/backends/odbc/sql_server_driver.h"
#include "data/backends/postgres/postgres_backend.h"
#include "data/backends/sqlite/sqlite_backend.h"
#include "data/backends/text/text_backend.h"
#include "data/session/session_texts.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zk {

namespace {

enum class FileKind { Missing, Sqlite, Jet, Other };

FileKind KindOfFile(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return FileKind::Missing;
    const QByteArray head = file.read(20);
    if (head.isEmpty() || head.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return FileKind::Sqlite; // an empty file is an empty SQLite database
    if (head.mid(4, 15) == "Standard Jet DB" || head.mid(4, 15) == "Standard ACE DB")
        return FileKind::Jet;
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"mdb"_s || suffix == u"accdb"_s ? FileKind::Jet : FileKind::Other;
}

std::unique_ptr<Backend> JetFileBackend(const QString& path, QString& text, QString& detail)
{
    switch (KindOfFile(path)) {
    case FileKind::Sqlite:
        return std::make_unique<SqliteBackend>(path, false);
    case FileKind::Jet:
        text = texts::kJetRefused;
        detail = path;
        return nullptr;
    case FileKind::Missing:
        text = texts::kConnectFailed;
        detail = texts::kMissingFile + path;
        return nullptr;
    case FileKind::Other:
        break;
    }
    text = texts::kConnectFailed;
    detail = texts::kNotSqliteFile + path;
    return nullptr;
}

PostgresParams PostgresOf(const QList<ConnectionPair>& pairs)
{
    PostgresParams params;
    params.host = ConnectionValue(pairs, {QStringLiteral("Host"), QStringLiteral("Server")});
    const QString port = ConnectionValue(pairs, {QStringLiteral("Port")});
    if (!port.isEmpty())
        params.port = port.toInt();
    params.database =
        ConnectionValue(pairs, {QStringLiteral("Database"), QStringLiteral("Initial Catalog")});
    params.user = ConnectionValue(pairs, {QStringLiteral("User ID"), QStringLiteral("User"),
                                          QStringLiteral("Uid"), QStringLiteral("Username")});
    params.password = ConnectionValue(pairs, {QStringLiteral("Password"), QStringLiteral("Pwd")});
    params.schema =
        ConnectionValue(pairs, {QStringLiteral("Schema"), QStringLiteral("Search Path")});
    return params;
}

SqlServerLogin SqlServerOf(const QList<ConnectionPair>& pairs)
{
    SqlServerLogin login;
    login.server = ConnectionValue(pairs, {QStringLiteral("Server"), QStringLiteral("Address"),
                                           QStringLiteral("Addr"), QStringLiteral("Data Source")});
    login.database =
        ConnectionValue(pairs, {QStringLiteral("Database"), QStringLiteral("Initial Catalog")});
    login.user = ConnectionValue(pairs, {QStringLiteral("Uid"), QStringLiteral("User ID")});
    login.password = ConnectionValue(pairs, {QStringLiteral("Pwd"), QStringLiteral("Password")});
    const QString trusted = ConnectionValue(pairs, {QStringLiteral("Trusted_Connection")});
    login.trusted = trusted.compare(u"yes"_s, Qt::CaseInsensitive) == 0 ||
                    trusted.compare(u"true"_s, Qt::CaseInsensitive) == 0 || trusted == u"1"_s;
    return login;
}

} // namespace

std::unique_ptr<Backend> MakeBackend(const QString& connection, const ConnectionTarget& target,
                                     QString& text, QString& detail)
{
    using Kind = ConnectionTarget::Kind;
    switch (target.kind) {
    case Kind::SqliteFile:
        if (!target.path.isEmpty())
            return std::make_unique<SqliteBackend>(target.path, true);
        break;
    case Kind::JetFile:
        if (!target.path.isEmpty())
            return JetFileBackend(target.path, text, detail);
        break;
    case Kind::TextFolder:
        if (!QFileInfo(target.path).isDir()) {
            text = texts::kConnectFailed;
            detail = texts::kMissingFile + target.path;
            return nullptr;
        }
        return std::make_unique<TextBackend>(target.path);
    case Kind::PostgreSQL:
        return std::make_unique<PostgresBackend>(PostgresOf(target.pairs));
    case Kind::SqlServer: {
        const QString odbc =
            SqlServerOdbcString(SqlServerOf(target.pairs), InstalledOdbcDrivers(), detail);
        if (odbc.isEmpty()) {
            text = texts::kConnectFailed;
            return nullptr;
        }
        return std::make_unique<OdbcBackend>(odbc, true);
    }
    case Kind::Odbc:
        return std::make_unique<OdbcBackend>(connection, false);
    case Kind::Unsupported:
        break;
    }
    text = texts::kConnectFailed;
    detail = texts::kUnsupportedConnection;
    return nullptr;
}

} // namespace zk
