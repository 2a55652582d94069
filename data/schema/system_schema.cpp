#include "data/schema/system_schema.h"

#include <QFile>

namespace zk {

SchemaDialect SchemaDialectOf(int dbType)
{
    if (dbType == 1)
        return SchemaDialect::SqlServer;
    return dbType == 2 ? SchemaDialect::SQLite : SchemaDialect::PostgreSQL;
}

QString SystemSchemaScript(SchemaDialect dialect)
{
    const char* name = dialect == SchemaDialect::SQLite       ? ":/zk/schema/sqlite.sql"
                       : dialect == SchemaDialect::PostgreSQL ? ":/zk/schema/postgres.sql"
                                                              : ":/zk/schema/sqlserver.sql";
    QFile file(QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList SchemaStatements(const QString& script)
{
    QStringList statements;
    QString current;
    for (const QString& line : script.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u"--") || trimmed.compare(u"GO", Qt::CaseInsensitive) == 0)
            continue;
        current += line + u'\n';
        if (trimmed.endsWith(u';')) {
            current = current.trimmed();
            current.chop(1);
            statements.append(current);
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        statements.append(current.trimmed());
    return statements;
}

} // namespace zk
