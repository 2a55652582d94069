#include "data/backends/postgres/compat_schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace zk {

namespace {

// Raise it whenever a definition below changes: connections then reinstall.
const char* const kMarker = "zk_compat 1";

// Every statement of the install script, in order: a function is created before the ones
// whose bodies call it.
const char* const kStatements[] = {
    // Connections installing at the same time wait for each other here; the lock ends with
    // the transaction.
    R"sql(SELECT pg_advisory_xact_lock(7052011))sql",
    R"sql(CREATE SCHEMA IF NOT EXISTS zk_compat)sql",
    R"sql(GRANT USAGE ON SCHEMA zk_compat TO PUBLIC)sql",

    // @@IDENTITY: the last value a sequence gave in this session, NULL when none did.
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.zk_identity() RETURNS bigint
LANGUAGE plpgsql VOLATILE AS $$
BEGIN
    RETURN lastval();
EXCEPTION WHEN object_not_in_prerequisite_state THEN
    RETURN NULL;
END $$)sql",

    // A text read as a date and time, NULL when it is none.
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.zk_to_timestamp(t text) RETURNS timestamp
LANGUAGE plpgsql STABLE STRICT AS $$
BEGIN
    RETURN t::timestamp;
EXCEPTION WHEN others THEN
    RETURN NULL;
END $$)sql",

    // '+' of the legacy dialects: texts join; a number and a text add (an empty text is 0,
    // any other text that is no number is an error); a date and a number add days.
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.zk_text_plus(a text, b text) RETURNS text
LANGUAGE sql IMMUTABLE STRICT AS $$ SELECT a || b $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.zk_text_number(t text) RETURNS numeric
LANGUAGE sql IMMUTABLE STRICT AS $$ SELECT CASE WHEN btrim(t) = '' THEN 0 ELSE btrim(t)::numeric END $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.zk_text_plus_number(a text, b numeric) RETURNS numeric
LANGUAGE sql IMMUTABLE STRICT AS $$ SELECT zk_compat.zk_text_number(a) + b $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.zk_number_plus_text(a numeric, b text) RETURNS numeric
LANGUAGE sql IMMUTABLE STRICT AS $$ SELECT a + zk_compat.zk_text_number(b) $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.zk_timestamp_plus_days(a timestamp, b numeric) RETURNS timestamp
LANGUAGE sql IMMUTABLE STRICT AS $$ SELECT a + b * interval '1 day' $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.zk_timestamp_minus_days(a timestamp, b numeric) RETURNS timestamp
LANGUAGE sql IMMUTABLE STRICT AS $$ SELECT a - b * interval '1 day' $$)sql",
    R"sql(DO $$
DECLARE
    op record;
BEGIN
    FOR op IN SELECT * FROM (VALUES
        ('+', 'text', 'text', 'zk_compat.zk_text_plus'),
        ('+', 'text', 'numeric', 'zk_compat.zk_text_plus_number'),
        ('+', 'numeric', 'text', 'zk_compat.zk_number_plus_text'),
        ('+', 'timestamp', 'numeric', 'zk_compat.zk_timestamp_plus_days'),
        ('-', 'timestamp', 'numeric', 'zk_compat.zk_timestamp_minus_days'))
        AS o(name, lefttype, righttype, fn)
    LOOP
        IF NOT EXISTS (SELECT 1 FROM pg_operator p JOIN pg_namespace n ON n.oid = p.oprnamespace
                       WHERE n.nspname = 'zk_compat' AND p.oprname = op.name
                         AND p.oprleft = op.lefttype::regtype AND p.oprright = op.righttype::regtype) THEN
            EXECUTE format('CREATE OPERATOR zk_compat.%s (LEFTARG = %s, RIGHTARG = %s, FUNCTION = %s)',
                           op.name, op.lefttype, op.righttype, op.fn);
        END IF;
    END LOOP;
END $$)sql",

    // Jet '&': NULL reads as an empty text; only all NULL gives NULL.
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.zk_concat(VARIADIC parts text[]) RETURNS text
LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN array_remove(parts, NULL) = '{}' THEN NULL ELSE array_to_string(parts, '') END $$)sql",

    // InStr([start,] text, sought) of Jet and CHARINDEX(sought, text[, start]) of T-SQL;
    // both ignore case, as both legacy engines compare by default.
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.instr(start bigint, s text, sought text) RETURNS integer
LANGUAGE plpgsql IMMUTABLE STRICT AS $$
DECLARE
    p integer;
BEGIN
    IF start < 1 THEN
        RAISE EXCEPTION 'InStr: the start must be 1 or more';
    END IF;
    IF start > length(s) THEN
        RETURN 0;
    END IF;
    IF sought = '' THEN
        RETURN start;
    END IF;
    p := strpos(lower(substr(s, start::integer)), lower(sought));
    RETURN CASE WHEN p = 0 THEN 0 ELSE p + start::integer - 1 END;
END $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.instr(s text, sought text) RETURNS integer
LANGUAGE sql IMMUTABLE STRICT AS $$ SELECT zk_compat.instr(1, s, sought) $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.charindex(sought text, s text, start bigint) RETURNS integer
LANGUAGE plpgsql IMMUTABLE STRICT AS $$
DECLARE
    p integer;
    first integer := greatest(start, 1)::integer;
BEGIN
    IF sought = '' OR first > length(s) THEN
        RETURN 0;
    END IF;
    p := strpos(lower(substr(s, first)), lower(sought));
    RETURN CASE WHEN p = 0 THEN 0 ELSE p + first - 1 END;
END $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.charindex(sought text, s text) RETURNS integer
LANGUAGE sql IMMUTABLE STRICT AS $$ SELECT zk_compat.charindex(sought, s, 1) $$)sql",

    // Jet Val: blanks are skipped, reading stops where the number ends, no number is 0.
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.val(t text) RETURNS numeric
LANGUAGE sql IMMUTABLE STRICT AS $$
    SELECT COALESCE(translate(substring(regexp_replace(t, '[ \t\r\n]', '', 'g')
                                        FROM '^([+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eEdD][+-]?[0-9]+)?)'),
                              'dD', 'eE'), '0')::numeric $$)sql",

    // The interval names of DateAdd, DateDiff and DatePart in both dialects.
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.zk_interval(p text) RETURNS text
LANGUAGE plpgsql IMMUTABLE STRICT AS $$
BEGIN
    CASE lower(btrim(p))
        WHEN 'yyyy', 'yy', 'year' THEN RETURN 'year';
        WHEN 'q', 'qq', 'quarter' THEN RETURN 'quarter';
        WHEN 'm', 'mm', 'month' THEN RETURN 'month';
        WHEN 'y', 'dy', 'dayofyear' THEN RETURN 'dayofyear';
        WHEN 'd', 'dd', 'day' THEN RETURN 'day';
        WHEN 'dw', 'weekday' THEN RETURN 'weekday';
        WHEN 'w' THEN RETURN 'w';
        WHEN 'ww', 'wk', 'week' THEN RETURN 'week';
        WHEN 'h', 'hh', 'hour' THEN RETURN 'hour';
        WHEN 'n', 'mi', 'minute' THEN RETURN 'minute';
        WHEN 's', 'ss', 'second' THEN RETURN 'second';
        ELSE RAISE EXCEPTION 'unknown interval ''%''', p;
    END CASE;
END $$)sql",

    R"sql(CREATE OR REPLACE FUNCTION zk_compat.year(d timestamp) RETURNS integer
LANGUAGE sql IMMUTABLE STRICT AS $$ SELECT extract(year FROM d)::integer $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.month(d timestamp) RETURNS integer
LANGUAGE sql IMMUTABLE STRICT AS $$ SELECT extract(month FROM d)::integer $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.day(d timestamp) RETURNS integer
LANGUAGE sql IMMUTABLE STRICT AS $$ SELECT extract(day FROM d)::integer $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.year(d text) RETURNS integer
LANGUAGE sql STABLE STRICT AS $$ SELECT zk_compat.year(zk_compat.zk_to_timestamp(d)) $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.month(d text) RETURNS integer
LANGUAGE sql STABLE STRICT AS $$ SELECT zk_compat.month(zk_compat.zk_to_timestamp(d)) $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.day(d text) RETURNS integer
LANGUAGE sql STABLE STRICT AS $$ SELECT zk_compat.day(zk_compat.zk_to_timestamp(d)) $$)sql",

    // DatePart: weekdays count from Sunday = 1, week 1 holds January 1st.
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.datepart(p text, d timestamp) RETURNS integer
LANGUAGE sql IMMUTABLE STRICT AS $$
    SELECT (CASE zk_compat.zk_interval(p)
        WHEN 'year' THEN extract(year FROM d)
        WHEN 'quarter' THEN extract(quarter FROM d)
        WHEN 'month' THEN extract(month FROM d)
        WHEN 'dayofyear' THEN extract(doy FROM d)
        WHEN 'day' THEN extract(day FROM d)
        WHEN 'week' THEN floor((extract(doy FROM d) - 1 + extract(dow FROM date_trunc('year', d))) / 7) + 1
        WHEN 'hour' THEN extract(hour FROM d)
        WHEN 'minute' THEN extract(minute FROM d)
        WHEN 'second' THEN floor(extract(second FROM d))
        ELSE extract(dow FROM d) + 1
    END)::integer $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.datepart(p text, d text) RETURNS integer
LANGUAGE sql STABLE STRICT AS $$ SELECT zk_compat.datepart(p, zk_compat.zk_to_timestamp(d)) $$)sql",

    // DateAdd: months and years keep the day where the month has it, else its last day.
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.dateadd(p text, n double precision, d timestamp) RETURNS timestamp
LANGUAGE sql IMMUTABLE STRICT AS $$
    SELECT CASE zk_compat.zk_interval(p)
        WHEN 'year' THEN d + make_interval(years => trunc(n)::integer)
        WHEN 'quarter' THEN d + make_interval(months => 3 * trunc(n)::integer)
        WHEN 'month' THEN d + make_interval(months => trunc(n)::integer)
        WHEN 'week' THEN d + make_interval(days => 7 * trunc(n)::integer)
        WHEN 'hour' THEN d + make_interval(hours => trunc(n)::integer)
        WHEN 'minute' THEN d + make_interval(mins => trunc(n)::integer)
        WHEN 'second' THEN d + make_interval(secs => trunc(n))
        ELSE d + make_interval(days => trunc(n)::integer)
    END $$)sql",
    // On a text the result is a text: a date alone stays a date alone.
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.dateadd(p text, n double precision, d text) RETURNS text
LANGUAGE sql STABLE STRICT AS $$
    SELECT to_char(zk_compat.dateadd(p, n, ts),
                   CASE WHEN position(':' IN d) = 0 AND zk_compat.zk_interval(p) NOT IN ('hour', 'minute', 'second')
                        THEN 'YYYY-MM-DD' ELSE 'YYYY-MM-DD HH24:MI:SS' END)
    FROM (SELECT zk_compat.zk_to_timestamp(d) AS ts) AS x $$)sql",

    // DateDiff (b − a): the interval boundaries crossed; 'w' counts whole weeks, 'ww'
    // the Sundays passed.
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.datediff(p text, a timestamp, b timestamp) RETURNS bigint
LANGUAGE sql IMMUTABLE STRICT AS $$
    SELECT (CASE zk_compat.zk_interval(p)
        WHEN 'year' THEN extract(year FROM b) - extract(year FROM a)
        WHEN 'quarter' THEN (extract(year FROM b) * 4 + extract(quarter FROM b))
                          - (extract(year FROM a) * 4 + extract(quarter FROM a))
        WHEN 'month' THEN (extract(year FROM b) * 12 + extract(month FROM b))
                        - (extract(year FROM a) * 12 + extract(month FROM a))
        WHEN 'w' THEN (b::date - a::date) / 7
        WHEN 'week' THEN ((b::date - extract(dow FROM b)::integer) - (a::date - extract(dow FROM a)::integer)) / 7
        WHEN 'hour' THEN floor(extract(epoch FROM b) / 3600) - floor(extract(epoch FROM a) / 3600)
        WHEN 'minute' THEN floor(extract(epoch FROM b) / 60) - floor(extract(epoch FROM a) / 60)
        WHEN 'second' THEN floor(extract(epoch FROM b)) - floor(extract(epoch FROM a))
        ELSE b::date - a::date
    END)::bigint $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.datediff(p text, a text, b text) RETURNS bigint
LANGUAGE sql STABLE STRICT AS $$
    SELECT zk_compat.datediff(p, zk_compat.zk_to_timestamp(a), zk_compat.zk_to_timestamp(b)) $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.datediff(p text, a timestamp, b text) RETURNS bigint
LANGUAGE sql STABLE STRICT AS $$ SELECT zk_compat.datediff(p, a, zk_compat.zk_to_timestamp(b)) $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.datediff(p text, a text, b timestamp) RETURNS bigint
LANGUAGE sql STABLE STRICT AS $$ SELECT zk_compat.datediff(p, zk_compat.zk_to_timestamp(a), b) $$)sql",

    R"sql(CREATE OR REPLACE FUNCTION zk_compat.newid() RETURNS text
LANGUAGE sql VOLATILE AS $$ SELECT upper(gen_random_uuid()::text) $$)sql",

    // CONVERT(varchar, x, style): dates in the T-SQL style's layout, anything else as text.
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.zk_convert(d timestamp, style integer) RETURNS text
LANGUAGE sql IMMUTABLE STRICT AS $$
    SELECT to_char(d, CASE style
        WHEN 1 THEN 'MM/DD/YY' WHEN 101 THEN 'MM/DD/YYYY'
        WHEN 2 THEN 'YY.MM.DD' WHEN 102 THEN 'YYYY.MM.DD'
        WHEN 3 THEN 'DD/MM/YY' WHEN 103 THEN 'DD/MM/YYYY'
        WHEN 4 THEN 'DD.MM.YY' WHEN 104 THEN 'DD.MM.YYYY'
        WHEN 5 THEN 'DD-MM-YY' WHEN 105 THEN 'DD-MM-YYYY'
        WHEN 8 THEN 'HH24:MI:SS' WHEN 24 THEN 'HH24:MI:SS' WHEN 108 THEN 'HH24:MI:SS'
        WHEN 10 THEN 'MM-DD-YY' WHEN 110 THEN 'MM-DD-YYYY'
        WHEN 11 THEN 'YY/MM/DD' WHEN 111 THEN 'YYYY/MM/DD'
        WHEN 12 THEN 'YYMMDD' WHEN 112 THEN 'YYYYMMDD'
        WHEN 21 THEN 'YYYY-MM-DD HH24:MI:SS.MS' WHEN 121 THEN 'YYYY-MM-DD HH24:MI:SS.MS'
        WHEN 126 THEN 'YYYY-MM-DD"T"HH24:MI:SS.MS'
        WHEN 23 THEN 'YYYY-MM-DD'
        ELSE 'YYYY-MM-DD HH24:MI:SS' END) $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.zk_convert(d date, style integer) RETURNS text
LANGUAGE sql IMMUTABLE STRICT AS $$ SELECT zk_compat.zk_convert(d::timestamp, style) $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.zk_convert(t text, style integer) RETURNS text
LANGUAGE sql STABLE STRICT AS $$ SELECT COALESCE(zk_compat.zk_convert(zk_compat.zk_to_timestamp(t), style), t) $$)sql",
    R"sql(CREATE OR REPLACE FUNCTION zk_compat.zk_convert(n numeric, style integer) RETURNS text
LANGUAGE sql IMMUTABLE STRICT AS $$ SELECT n::text $$)sql",
};

} // namespace

QString PostgresCompatMarker()
{
    return QString::fromLatin1(kMarker);
}

QString PostgresCompatMarkerSql()
{
    return QStringLiteral("SELECT obj_description(oid, 'pg_namespace') FROM pg_namespace WHERE "
                          "nspname = 'zk_compat'");
}

QStringList PostgresCompatStatements()
{
    QStringList list;
    for (const char* s : kStatements)
        list << QString::fromUtf8(s);
    list << QStringLiteral("COMMENT ON SCHEMA zk_compat IS '%1'").arg(PostgresCompatMarker());
    return list;
}

QString PostgresCompatSchemaSql()
{
    return PostgresCompatStatements().join(QStringLiteral(";\n")) + u';';
}

QString PostgresSearchPathSql()
{
    return QStringLiteral("SET search_path TO \"$user\", public, zk_compat");
}

bool EnsurePostgresCompat(QSqlDatabase& db, QString* errorText)
{
    QSqlQuery q(db);
    auto fail = [&](const QString& statement) {
        if (errorText)
            *errorText = q.lastError().text() + u'\n' + statement;
        return false;
    };
    const QString check = PostgresCompatMarkerSql();
    if (!q.exec(check))
        return fail(check);
    const bool current = q.next() && q.value(0).toString() == PostgresCompatMarker();
    q.finish();
    if (!current) {
        if (!db.transaction()) {
            if (errorText)
                *errorText = db.lastError().text();
            return false;
        }
        for (const QString& statement : PostgresCompatStatements()) {
            if (!q.exec(statement)) {
                fail(statement);
                db.rollback();
                return false;
            }
        }
        if (!db.commit()) {
            if (errorText)
                *errorText = db.lastError().text();
            return false;
        }
    }
    const QString path = PostgresSearchPathSql();
    return q.exec(path) || fail(path);
}

} // namespace zk
