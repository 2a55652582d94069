#include "data/session/connection_string.h"

#include "data/http/http_client.h"
#include "util/program_folder.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace zk {

namespace {

// Reads a value starting at `i` (blanks already skipped); `i` ends after it.
QString ReadValue(const QString& text, qsizetype& i)
{
    const qsizetype n = text.size();
    const QChar open = i < n ? text[i] : QChar();
    if (open == u'{' || open == u'"' || open == u'\'') {
        const QChar close = open == u'{' ? QChar(u'}') : open;
        QString value;
        for (++i; i < n; ++i) {
            if (text[i] == close) {
                if (i + 1 < n && text[i + 1] == close) {
                    value += close;
                    ++i;
                    continue;
                }
                ++i;
                break;
            }
            value += text[i];
        }
        while (i < n && text[i] != u';')
            ++i; // anything after the closing quote belongs to nothing
        return value;
    }
    const qsizetype end = text.indexOf(u';', i);
    const qsizetype stop = end < 0 ? n : end;
    const QString value = text.mid(i, stop - i).trimmed();
    i = stop;
    return value;
}

bool IsProvider(const QString& provider, QStringView name)
{
    return provider.compare(name, Qt::CaseInsensitive) == 0;
}

QString DriverName(const QList<ConnectionPair>& pairs)
{
    QString driver = ConnectionValue(pairs, {QStringLiteral("Driver")}).trimmed();
    if (driver.startsWith(u'{') && driver.endsWith(u'}'))
        driver = driver.mid(1, driver.size() - 2);
    return driver;
}

QString LocalPath(const QString& source)
{
    QString path = source.trimmed();
    path.replace(u'\\', u'/');
    if (path.isEmpty() || path == u":memory:"_s)
        return path;
    return QDir::isRelativePath(path) ? ProgramFolder() + path : path;
}

} // namespace

QList<ConnectionPair> ParseConnectionPairs(const QString& text)
{
    QList<ConnectionPair> pairs;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype equals = text.indexOf(u'=', i);
        const qsizetype semicolon = text.indexOf(u';', i);
        if (equals < 0 || (semicolon >= 0 && semicolon < equals)) {
            // A part without "=" carries nothing.
            if (semicolon < 0)
                break;
            i = semicolon + 1;
            continue;
        }
        ConnectionPair pair;
        pair.key = text.mid(i, equals - i).trimmed();
        i = equals + 1;
        while (i < n && text[i].isSpace())
            ++i;
        pair.value = ReadValue(text, i);
        if (!pair.key.isEmpty())
            pairs.append(pair);
        ++i; // the ';'
    }
    return pairs;
}

QString ConnectionValue(const QList<ConnectionPair>& pairs, const QStringList& keys)
{
    for (const QString& key : keys) {
        for (const ConnectionPair& pair : pairs) {
            if (pair.key.compare(key, Qt::CaseInsensitive) == 0)
                return pair.value;
        }
    }
    return {};
}

ConnectionTarget ParseConnectionTarget(const QString& text)
{
    ConnectionTarget target;
    target.pairs = ParseConnectionPairs(text);
    const QString provider = ConnectionValue(target.pairs, {QStringLiteral("Provider")});
    const QString source = ConnectionValue(target.pairs, {QStringLiteral("Data Source")});
    if (!provider.isEmpty()) {
        if (IsProvider(provider, u"SQLite"_s)) {
            target.kind = ConnectionTarget::Kind::SqliteFile;
        } else if (IsProvider(provider, u"PostgreSQL"_s)) {
            target.kind = ConnectionTarget::Kind::PostgreSQL;
        } else if (IsProvider(provider, u"Microsoft.Jet.OLEDB.4.0"_s) ||
                   IsProvider(provider, u"Microsoft.ACE.OLEDB.12.0"_s)) {
            const QString extended =
                ConnectionValue(target.pairs, {QStringLiteral("Extended Properties")});
            target.kind = extended.contains(u"text"_s, Qt::CaseInsensitive)
                              ? ConnectionTarget::Kind::TextFolder
                              : ConnectionTarget::Kind::JetFile;
        }
        if (target.kind != ConnectionTarget::Kind::PostgreSQL)
            target.path = LocalPath(source);
        return target;
    }
    const QString driver = DriverName(target.pairs);
    if (!driver.isEmpty()) {
        target.kind = driver.compare(u"SQL Server"_s, Qt::CaseInsensitive) == 0
                          ? ConnectionTarget::Kind::SqlServer
                          : ConnectionTarget::Kind::Odbc;
    } else if (!ConnectionValue(target.pairs, {QStringLiteral("DSN"), QStringLiteral("FileDSN")})
                    .isEmpty()) {
        target.kind = ConnectionTarget::Kind::Odbc;
    }
    return target;
}

int LegacyDbType(const QString& text)
{
    if (text.contains(u"driver={SQL Server};"_s, Qt::CaseInsensitive))
        return 1;
    if (text.contains(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source="_s, Qt::CaseInsensitive))
        return 2;
    return 3;
}

QString ResolveSqlServerAddress(const QString& text)
{
    static constexpr QStringView kMarker = u"{SQL Server};Server=";
    const qsizetype marker = text.indexOf(kMarker, 0, Qt::CaseInsensitive);
    if (marker <= 0)
        return text;
    const qsizetype start = marker + kMarker.size();
    qsizetype end = start;
    while (end < text.size() && text[end] != u',' && text[end] != u';')
        ++end;
    const QString server = text.mid(start, end - start);
    if (server.indexOf(u'/') <= 0)
        return text;
    return QString(text).replace(server, GetUrlText(server));
}

} // namespace zk
