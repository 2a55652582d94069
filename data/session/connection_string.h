#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zk {

// One key=value part of a connection string.
struct ConnectionPair {
    QString key;
    QString value;
};

// Splits "key=value;key=value": keys and values lose surrounding blanks; a value may be
// written in {braces} (ODBC, "}}" for a brace) or in double or single quotes (OLE DB, the
// quote doubled inside) to hold ';'.
QList<ConnectionPair> ParseConnectionPairs(const QString& text);

// The value of the first of `keys` present (keys compared without case); empty when none is.
QString ConnectionValue(const QList<ConnectionPair>& pairs, const QStringList& keys);

// Where a connection string leads.
struct ConnectionTarget {
    enum class Kind {
        Unsupported,
        SqliteFile, // Provider=SQLite;Data Source=FILE (created when missing)
        JetFile,    // Provider=Microsoft.Jet.OLEDB.4.0;Data Source=FILE: a SQLite file of that name
        TextFolder, // the Jet text driver: NAME.txt and NAME.csv files of a folder as tables
        PostgreSQL, // Provider=PostgreSQL;Host=…;Port=…;Database=…;User ID=…;Password=…[;Schema=…]
        SqlServer, // driver={SQL Server};Server=…;Database=…;Uid=…;Pwd=…
        Odbc,      // any other Driver={X};… or DSN=…, handed to the driver manager as it is
    };
    Kind kind = Kind::Unsupported;
    QList<ConnectionPair> pairs;
    QString path; // the file or folder (relative paths are taken from the program folder)
};

ConnectionTarget ParseConnectionTarget(const QString& text);

// The legacy database type of a connection string, from its text alone: 1 when it names
// the SQL Server driver, 2 when it names the Jet provider with a data source, else 3.
// Letters of keys and driver names are compared without case.
int LegacyDbType(const QString& text);

// A legacy SQL Server connection string whose server part (after "{SQL Server};Server=", up
// to the next "," or ";") is a web address, i.e. holds a "/" after its first character:
// the address is fetched over HTTP and every occurrence of the server part is replaced by
// the answer (the empty text when the request fails). Other strings come back unchanged.
QString ResolveSqlServerAddress(const QString& text);

} // namespace zk
