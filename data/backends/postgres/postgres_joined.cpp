// A table query joined straight from libpq's texts. Qt SQL turns every value into a QVariant
// and then a QString, which costs more than the query itself on large tables; here the texts
// go from the engine's buffer into the joined text. Only what this path reproduces exactly
// takes it: one plain SELECT outside a transaction, with columns of the types below. Anything
// else, and every failure (so that the error text is the usual one), runs through Query.
#include "data/backends/postgres/postgres_backend.h"
#include "data/backends/statement_text.h"
#include "data/backends/value_text.h"
#include "data/sql/sql_translate.h"

#include <QSqlDriver>
#include <QVariant>

#include <libpq-fe.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace zk {

namespace {

// Type oids of the PostgreSQL catalogue (pg_type.dat); they never change.
enum : Oid {
    kBool = 16,
    kBytea = 17,
    kName = 19,
    kInt8 = 20,
    kInt2 = 21,
    kInt4 = 23,
    kText = 25,
    kOid = 26,
    kFloat4 = 700,
    kFloat8 = 701,
    kBpchar = 1042,
    kVarchar = 1043,
    kDate = 1082,
    kTimestamp = 1114,
    kNumeric = 1700,
};

bool Handled(Oid type)
{
    switch (type) {
    case kBool:
    case kBytea:
    case kName:
    case kInt8:
    case kInt2:
    case kInt4:
    case kText:
    case kOid:
    case kFloat4:
    case kFloat8:
    case kBpchar:
    case kVarchar:
    case kDate:
    case kTimestamp:
    case kNumeric:
        return true;
    default:
        return false;
    }
}

bool IsDigits(const char* text, std::initializer_list<int> positions)
{
    for (const int at : positions) {
        if (text[at] < '0' || text[at] > '9')
            return false;
    }
    return true;
}

// Appends the text Query gives for the value; false when this value needs Qt SQL's reading
// (an infinite or out-of-range date, a float that is no number).
bool AppendCell(QByteArray& out, Oid type, const char* text, int length)
{
    switch (type) {
    case kBool:
        out += text[0] == 't' ? '1' : '0';
        return true;
    case kBytea:
        return true; // binary values are empty
    case kFloat4:
    case kFloat8: {
        bool ok = false;
        const double value = QByteArray::fromRawData(text, length).toDouble(&ok);
        if (!ok)
            return false;
        out += RealText(value).toUtf8();
        return true;
    }
    case kNumeric:
        out += TrimDecimalZeros(QString::fromLatin1(text, length)).toLatin1();
        return true;
    case kDate:
        if (length != 10 || !IsDigits(text, {0, 1, 2, 3, 5, 6, 8, 9}))
            return false;
        out.append(text, length);
        return true;
    case kTimestamp:
        // "yyyy-MM-dd HH:mm:ss[.ffffff]": the text is shown to the second.
        if (length < 19 || (length > 19 && text[19] != '.') ||
            !IsDigits(text, {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18}))
            return false;
        out.append(text, 19);
        return true;
    default:
        out.append(text, length);
        return true;
    }
}

bool PlainSelect(const QString& statement)
{
    const QString start = statement.trimmed().left(7).toUpper();
    return start.startsWith(u"SELECT"_s) || start.startsWith(u"WITH"_s);
}

struct ResultDeleter {
    void operator()(PGresult* result) const { PQclear(result); }
};

} // namespace

bool PostgresBackend::QueryJoined(const QString& sql, JoinedRows& rows, QString& error)
{
    if (!inTransaction_ && JoinFromEngine(sql, rows))
        return true;
    rows.utf8.clear();
    rows.hasColumns = false;
    rows.columnCount = rows.rowCount = 0;
    return Backend::QueryJoined(sql, rows, error);
}

bool PostgresBackend::JoinFromEngine(const QString& sql, JoinedRows& rows)
{
    const QString translated = sql::TranslateSql(sql, sql::Dialect::PostgreSQL);
    if (translated.contains(u"$$"_s) || SplitStatements(translated).size() != 1 ||
        !PlainSelect(translated))
        return false;
    const QVariant handle = connection_.Db().driver()->handle();
    // The driver names the handle by libpq's struct ("pg_conn*") or its typedef.
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0))
        return false;
    PGconn* connection = *static_cast<PGconn* const*>(handle.data());
    if (!connection)
        return false;
    const std::unique_ptr<PGresult, ResultDeleter> result(
        PQexec(connection, translated.toUtf8().constData()));
    if (PQresultStatus(result.get()) != PGRES_TUPLES_OK)
        return false;
    const int columns = PQnfields(result.get());
    const int count = PQntuples(result.get());
    QList<Oid> types;
    for (int c = 0; c < columns; ++c) {
        types.append(PQftype(result.get(), c));
        if (!Handled(types.back()))
            return false;
    }
    const QByteArray value = QString(rows.valueSeparator).toUtf8();
    const QHash<QString, QString> spellings = NameSpellings(sql);
    for (int c = 0; c < columns; ++c) {
        if (c > 0)
            rows.utf8 += value;
        const QString name = QString::fromUtf8(PQfname(result.get(), c));
        rows.utf8 += spellings.value(name.toLower(), name).toUtf8();
    }
    rows.utf8 += QString(rows.groupSeparator).toUtf8();
    for (int r = 0; r < count; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (r > 0 || c > 0)
                rows.utf8 += value;
            if (PQgetisnull(result.get(), r, c))
                continue;
            if (!AppendCell(rows.utf8, types[c], PQgetvalue(result.get(), r, c),
                            PQgetlength(result.get(), r, c)))
                return false;
        }
    }
    rows.hasColumns = true;
    rows.columnCount = columns;
    rows.rowCount = count;
    return true;
}

} // namespace zk
