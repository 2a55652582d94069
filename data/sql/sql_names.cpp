#include "data/sql/sql_names.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace zk::sql {

namespace {

// PostgreSQL's reserved words and the non-reserved ones that cannot name a column everywhere
// (type and function names of the grammar); sorted.
constexpr const char* kPostgresReserved[] = {
    "all",
    "analyse",
    "analyze",
    "and",
    "any",
    "array",
    "as",
    "asc",
    "asymmetric",
    "authorization",
    "between",
    "bigint",
    "binary",
    "bit",
    "boolean",
    "both",
    "case",
    "cast",
    "char",
    "character",
    "check",
    "coalesce",
    "collate",
    "collation",
    "column",
    "concurrently",
    "constraint",
    "create",
    "cross",
    "current_catalog",
    "current_date",
    "current_role",
    "current_schema",
    "current_time",
    "current_timestamp",
    "current_user",
    "dec",
    "decimal",
    "default",
    "deferrable",
    "desc",
    "distinct",
    "do",
    "else",
    "end",
    "except",
    "exists",
    "extract",
    "false",
    "fetch",
    "float",
    "for",
    "foreign",
    "freeze",
    "from",
    "full",
    "grant",
    "greatest",
    "group",
    "grouping",
    "having",
    "ilike",
    "in",
    "initially",
    "inner",
    "inout",
    "int",
    "integer",
    "intersect",
    "interval",
    "into",
    "is",
    "isnull",
    "join",
    "lateral",
    "leading",
    "least",
    "left",
    "like",
    "limit",
    "localtime",
    "localtimestamp",
    "national",
    "natural",
    "nchar",
    "none",
    "normalize",
    "not",
    "notnull",
    "null",
    "nullif",
    "numeric",
    "offset",
    "on",
    "only",
    "or",
    "order",
    "out",
    "outer",
    "overlaps",
    "overlay",
    "placing",
    "position",
    "precision",
    "primary",
    "real",
    "references",
    "returning",
    "right",
    "row",
    "select",
    "session_user",
    "setof",
    "similar",
    "smallint",
    "some",
    "substring",
    "symmetric",
    "system_user",
    "table",
    "tablesample",
    "then",
    "time",
    "timestamp",
    "to",
    "trailing",
    "treat",
    "trim",
    "true",
    "union",
    "unique",
    "user",
    "using",
    "values",
    "varchar",
    "variadic",
    "verbose",
    "when",
    "where",
    "window",
    "with",
    "xmlattributes",
    "xmlconcat",
    "xmlelement",
    "xmlexists",
    "xmlforest",
    "xmlnamespaces",
    "xmlparse",
    "xmlpi",
    "xmlroot",
    "xmlserialize",
    "xmltable",
};

bool IsPostgresReserved(const QString& lower)
{
    if (lower.size() > 20)
        return false;
    const QByteArray key = lower.toLatin1();
    const auto* end = std::end(kPostgresReserved);
    const auto* it =
        std::lower_bound(std::begin(kPostgresReserved), end, key.constData(),
                         [](const char* a, const char* b) { return std::strcmp(a, b) < 0; });
    return it != end && std::strcmp(*it, key.constData()) == 0;
}

bool IsNameStart(QChar c)
{
    if (c.unicode() < 0x80)
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
    return c.isLetter() || c.isSurrogate();
}

bool IsNameChar(QChar c)
{
    if (c.unicode() < 0x80)
        return IsNameStart(c) || (c >= u'0' && c <= u'9') || c == u'$';
    return c.isLetterOrNumber() || c.isSurrogate();
}

// A name PostgreSQL accepts without quotes.
bool IsPlainName(QStringView name)
{
    if (name.isEmpty() || !IsNameStart(name.front()))
        return false;
    return std::all_of(name.begin() + 1, name.end(), IsNameChar);
}

QString AsciiLower(QStringView s)
{
    QString r = s.toString();
    for (QChar& c : r) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    }
    return r;
}

} // namespace

QString BracketContent(QStringView bracketed)
{
    QStringView inner = bracketed.mid(1);
    if (inner.endsWith(u']'))
        inner.chop(1);
    QString r = inner.toString();
    r.replace(QStringLiteral("]]"), QStringLiteral("]"));
    return r;
}

QString PostgresName(QStringView name)
{
    const QString lower = AsciiLower(name);
    if (IsPlainName(name) && !IsPostgresReserved(lower))
        return name.toString();
    QString quoted = lower;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString NormalName(QStringView token)
{
    if (token.startsWith(u'['))
        return AsciiLower(BracketContent(token));
    if (token.startsWith(u'"') && token.size() >= 2) {
        QString r = token.mid(1, token.size() - 2).toString();
        r.replace(QStringLiteral("\"\""), QStringLiteral("\""));
        return AsciiLower(r);
    }
    return AsciiLower(token);
}

} // namespace zk::sql
