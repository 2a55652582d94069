#include "data/sql/sql_types.h"

#include <array>

namespace zk::sql {

namespace {

struct FamilyEntry {
    const char* name;
    TypeFamily family;
};

constexpr std::array<FamilyEntry, 33> kFamilies = {{
    {"char", TypeFamily::Text},
    {"nchar", TypeFamily::Text},
    {"varchar", TypeFamily::Text},
    {"nvarchar", TypeFamily::Text},
    {"character", TypeFamily::Text},
    {"text", TypeFamily::Text},
    {"ntext", TypeFamily::Text},
    {"memo", TypeFamily::Text},
    {"datetime", TypeFamily::DateTime},
    {"datetime2", TypeFamily::DateTime},
    {"smalldatetime", TypeFamily::DateTime},
    {"timestamp", TypeFamily::DateTime},
    {"date", TypeFamily::Date},
    {"int", TypeFamily::Integer},
    {"integer", TypeFamily::Integer},
    {"bigint", TypeFamily::Integer},
    {"smallint", TypeFamily::Integer},
    {"tinyint", TypeFamily::Integer},
    {"bit", TypeFamily::Integer},
    {"long", TypeFamily::Integer},
    {"byte", TypeFamily::Integer},
    {"float", TypeFamily::Real},
    {"real", TypeFamily::Real},
    {"double", TypeFamily::Real},
    {"single", TypeFamily::Real},
    {"decimal", TypeFamily::Decimal},
    {"numeric", TypeFamily::Decimal},
    {"money", TypeFamily::Decimal},
    {"smallmoney", TypeFamily::Decimal},
    {"currency", TypeFamily::Decimal},
    {"uniqueidentifier", TypeFamily::Guid},
    {"varbinary", TypeFamily::Binary},
    {"image", TypeFamily::Binary},
}};

// Legacy spellings PostgreSQL lacks, and their PostgreSQL names.
struct PgEntry {
    const char* name;
    const char* pg;
};

constexpr std::array<PgEntry, 17> kPostgres = {{
    {"nvarchar", "varchar"},
    {"nchar", "char"},
    {"ntext", "text"},
    {"memo", "text"},
    {"datetime", "timestamp"},
    {"datetime2", "timestamp"},
    {"smalldatetime", "timestamp(0)"},
    {"tinyint", "smallint"},
    {"bit", "smallint"},
    {"long", "integer"},
    {"byte", "smallint"},
    {"single", "real"},
    {"double", "double precision"},
    {"money", "numeric(19,4)"},
    {"smallmoney", "numeric(10,4)"},
    {"currency", "numeric(19,4)"},
    {"uniqueidentifier", "varchar(36)"},
}};

bool IsBinaryBase(const QString& base)
{
    return base == u"varbinary" || base == u"image" || base == u"binary" || base == u"longbinary";
}

} // namespace

int LegacyType::Length() const
{
    if (family != TypeFamily::Text || args.isEmpty() || IsMax())
        return -1;
    bool ok = false;
    const int n = args.toInt(&ok);
    return ok && n > 0 ? n : -1;
}

int LegacyType::Scale() const
{
    const qsizetype comma = args.indexOf(u',');
    if (comma < 0)
        return 0;
    bool ok = false;
    const int s = args.mid(comma + 1).trimmed().toInt(&ok);
    return ok && s > 0 ? s : 0;
}

LegacyType ParseLegacyType(QStringView text)
{
    LegacyType t;
    t.original = text.trimmed().toString();
    qsizetype i = 0;
    while (i < t.original.size() && (t.original[i].isLetterOrNumber() || t.original[i] == u'_'))
        ++i;
    t.base = t.original.left(i).toLower();
    const qsizetype open = t.original.indexOf(u'(', i);
    const qsizetype close = t.original.lastIndexOf(u')');
    if (open >= 0 && close > open)
        t.args = t.original.mid(open + 1, close - open - 1).trimmed();
    for (const FamilyEntry& e : kFamilies) {
        if (t.base == QLatin1StringView(e.name)) {
            t.family = e.family;
            break;
        }
    }
    if (t.family == TypeFamily::Other && IsBinaryBase(t.base))
        t.family = TypeFamily::Binary;
    return t;
}

QString PostgresTypeText(const LegacyType& t)
{
    if (t.family == TypeFamily::Binary)
        return QStringLiteral("bytea");
    if (t.family == TypeFamily::Text && t.IsMax())
        return QStringLiteral("text");
    if (t.base == u"float")
        return QStringLiteral("double precision");
    if (t.base == u"datetime2" && !t.args.isEmpty())
        return "timestamp(" + t.args + u')';
    for (const PgEntry& e : kPostgres) {
        if (t.base == QLatin1StringView(e.name)) {
            QString pg = QString::fromLatin1(e.pg);
            if (t.family == TypeFamily::Text && !t.args.isEmpty())
                pg += u'(' + t.args + u')';
            return pg;
        }
    }
    return t.original;
}

QString SqliteTypeText(const LegacyType& t)
{
    if (t.IsMax())
        return t.original.left(t.base.size());
    return t.original;
}

bool IsLegacyOnlyTypeName(QStringView name)
{
    const QString lower = name.toString().toLower();
    for (const PgEntry& e : kPostgres) {
        if (lower == QLatin1StringView(e.name))
            return true;
    }
    return IsBinaryBase(lower) || lower == u"varchar" || lower == u"float";
}

} // namespace zk::sql
