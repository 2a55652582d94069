#pragma once

#include <QString>
#include <QStringView>

namespace zk::sql {

// What kind of value a legacy type name stands for.
enum class TypeFamily { Other, Text, DateTime, Date, Integer, Real, Decimal, Guid, Binary };

// A type name as written in CAST, CONVERT or a column definition: nvarchar(50),
// decimal(18, 2), datetime, varchar(max), Jet's LONG or CURRENCY, …
struct LegacyType {
    QString original; // as written, trimmed
    QString base;     // the first word, lower case
    QString args;     // inside the parentheses, trimmed; empty when there are none
    TypeFamily family = TypeFamily::Other;

    bool IsMax() const { return args.compare(u"max", Qt::CaseInsensitive) == 0; }
    // The length of a text type, -1 when none is given (or it is max).
    int Length() const;
    // The scale of a decimal type (its second argument), 0 when none is given.
    int Scale() const;
};

LegacyType ParseLegacyType(QStringView text);

// The PostgreSQL spelling (PostgreSQL has no nvarchar, datetime, tinyint, money of the same
// meaning, …); the original text when PostgreSQL has the type as it is.
QString PostgresTypeText(const LegacyType& type);

// The SQLite spelling in a column definition: SQLite takes any type name but only numbers
// as its arguments, so nvarchar(max) becomes nvarchar.
QString SqliteTypeText(const LegacyType& type);

// Whether a name is one of the legacy type names that need a different spelling in a
// column definition of the target.
bool IsLegacyOnlyTypeName(QStringView name);

} // namespace zk::sql
