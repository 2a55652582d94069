// QueryTable of 100,000 rows x 10 columns from SQLite through CDbSession, against a plain
// sqlite3 loop that produces the same result (column names, then every value as a QString).
#include "bench/harness/bench_harness.h"
#include "data/session/db_session.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>

namespace {

constexpr int kRows = 100000;
const char* const kQuery = "SELECT * FROM big";

bool Fill(const QString& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    bool ok =
        sqlite3_exec(db,
                     "CREATE TABLE big (uid_0 INTEGER, code_0 TEXT, name_0 TEXT, qty_0 INTEGER, "
                     "unit_0 TEXT, price_0 INTEGER, spec_0 TEXT, store_0 INTEGER, note_0 TEXT, "
                     "date_0 TEXT); BEGIN",
                     nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_stmt* insert = nullptr;
    ok = ok && sqlite3_prepare_v2(db, "INSERT INTO big VALUES (?,?,?,?,?,?,?,?,?,?)", -1, &insert,
                                  nullptr) == SQLITE_OK;
    for (int i = 0; ok && i < kRows; ++i) {
        const QByteArray code = QByteArray("G") + QByteArray::number(100000 + i);
        const QByteArray name = QStringLiteral("商品名称%1").arg(i % 977).toUtf8();
        sqlite3_bind_int(insert, 1, i + 1);
        sqlite3_bind_text(insert, 2, code.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, name.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 4, i % 500);
        sqlite3_bind_text(insert, 5, "个", -1, SQLITE_STATIC);
        sqlite3_bind_int(insert, 6, (i * 37) % 10000);
        sqlite3_bind_text(insert, 7, "10x20mm", -1, SQLITE_STATIC);
        sqlite3_bind_int(insert, 8, i % 7);
        if (i % 3 == 0)
            sqlite3_bind_null(insert, 9);
        else
            sqlite3_bind_text(insert, 9, "备注文字", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 10, "2026-12-11 08:30:00", -1, SQLITE_STATIC);
        ok = sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// The same result without the session: names, then every value as text.
bool PlainLoop(sqlite3* db, QStringList& names, QStringList& values)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, kQuery, -1, &statement, nullptr) != SQLITE_OK)
        return false;
    const int columns = sqlite3_column_count(statement);
    bool first = true;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        if (first) {
            for (int c = 0; c < columns; ++c)
                names.append(QString::fromUtf8(sqlite3_column_name(statement, c)));
            first = false;
        }
        for (int c = 0; c < columns; ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c));
            values.append(text ? QString::fromUtf8(text, sqlite3_column_bytes(statement, c))
                               : QString());
        }
    }
    sqlite3_finalize(statement);
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.db"));
    if (!Fill(path)) {
        std::fprintf(stderr, "could not build the benchmark database\n");
        return 1;
    }
    zk::CDbSession session;
    session.SetConnectionString(QStringLiteral("Provider=SQLite;Data Source=") + path);
    sqlite3* db = nullptr;
    if (!session.Open() || sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK) {
        std::fprintf(stderr, "could not open the benchmark database\n");
        return 1;
    }
    QStringList sessionNames, sessionValues, plainNames, plainValues;
    if (!session.QueryTable(QString::fromLatin1(kQuery), sessionNames, sessionValues) ||
        !PlainLoop(db, plainNames, plainValues) || sessionNames != plainNames ||
        sessionValues != plainValues) {
        std::fprintf(stderr, "the two ways disagree\n");
        return 1;
    }
    const double ratio = zk::bench::Ratio(
        [&] {
            QStringList names, values;
            session.QueryTable(QString::fromLatin1(kQuery), names, values);
        },
        [&] {
            QStringList names, values;
            PlainLoop(db, names, values);
        });
    sqlite3_close(db);
    zk::bench::Report("querytable_vs_sqlite3", ratio, "<=1.5");
    return 0;
}
