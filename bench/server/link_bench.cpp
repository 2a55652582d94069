// zk_server on loopback, in one run:
//  * IsFind round trips per second with 1 and with 8 clients;
//  * QueryTable of 100,000 rows x 10 columns through the link against the same query on a
//    direct session (SQLite);
//  * with the server on PostgreSQL, the same QueryTable against fetching the rows with
//    libpq in a plain loop (names, then every value as a QString).
#include "bench/harness/bench_harness.h"
#include "data/link/app_handshake.h"
#include "data/link/link_protocol.h"
#include "data/link/server_context.h"
#include "data/link/zk_socket.h"
#include "data/session/db_session.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QUuid>

#include <libpq-fe.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr int kRows = 100000;
const QString kQuery = QStringLiteral("SELECT * FROM big ORDER BY uid_0");
const QString kKey = QStringLiteral("bench");

// One zk_server process on a free port, ended with SIGTERM.
class Server {
public:
    bool Start(const QString& db, const QTemporaryDir& dir)
    {
        process_.start(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/zk_server"),
                       {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--key"),
                        kKey, QStringLiteral("--db"), db, QStringLiteral("--files"),
                        dir.filePath(QStringLiteral("files")), QStringLiteral("--secret"),
                        dir.filePath(QStringLiteral("secret")), QStringLiteral("--log"),
                        dir.filePath(QStringLiteral("log"))});
        QByteArray line;
        while (!line.contains('\n') && process_.waitForReadyRead(20000))
            line += process_.readAllStandardOutput();
        static const QRegularExpression listening(QStringLiteral("^listening on .+:(\\d+)"));
        const QRegularExpressionMatch match = listening.match(QString::fromUtf8(line));
        if (!match.hasMatch())
            return false;
        port_ = match.captured(1).toInt();
        zk::CZkSocket socket;
        return zk::InitHandshake(socket, QStringLiteral("127.0.0.1"), port_,
                                 zk::link::kInitPrefix + kKey, token_) &&
               !token_.isEmpty();
    }
    ~Server()
    {
        if (process_.state() != QProcess::NotRunning) {
            ::kill(pid_t(process_.processId()), SIGTERM);
            process_.waitForFinished(30000);
        }
    }
    zk::ServerContext Context() const { return {QStringLiteral("127.0.0.1"), port_, token_}; }

private:
    QProcess process_;
    int port_ = 0;
    QString token_;
};

bool Fill(zk::CDbSession& session)
{
    if (!session.Execute(QStringLiteral(
            "CREATE TABLE big (uid_0 int, code_0 nvarchar(20), name_0 nvarchar(40), qty_0 int, "
            "unit_0 nvarchar(10), price_0 int, spec_0 nvarchar(20), store_0 int, note_0 "
            "nvarchar(20), date_0 nvarchar(20))")))
        return false;
    for (int from = 0; from < kRows; from += 1000) {
        QStringList rows;
        for (int i = from; i < from + 1000; ++i) {
            rows.append(
                QStringLiteral("(%1,'G%2','商品名称%3',%4,'个',%5,'10x20mm',%6,%7,"
                               "'2026-12-11 08:30:00')")
                    .arg(i + 1)
                    .arg(100000 + i)
                    .arg(i % 977)
                    .arg(i % 500)
                    .arg((i * 37) % 10000)
                    .arg(i % 7)
                    .arg(i % 3 == 0 ? QStringLiteral("NULL") : QStringLiteral("'备注文字'")));
        }
        if (!session.Execute(QStringLiteral("INSERT INTO big VALUES ") + rows.join(u',')))
            return false;
    }
    // The round trips look a row up by its key, as forms do.
    return session.Execute(QStringLiteral("CREATE INDEX big_uid ON big (uid_0)"));
}

bool Same(zk::CDbSession& a, zk::CDbSession& b)
{
    QStringList an, av, bn, bv;
    return a.QueryTable(kQuery, an, av) && b.QueryTable(kQuery, bn, bv) && an == bn && av == bv;
}

// Round trips per second of `clients` sessions asking at once for about a second.
double IsFindRate(int clients)
{
    std::atomic<long> calls{0};
    std::atomic<bool> stop{false};
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c) {
        threads.emplace_back([&] {
            zk::CDbSession session;
            session.UseServer();
            if (!session.Open())
                return;
            QString value;
            while (!stop) {
                session.IsFind(QStringLiteral("SELECT name_0 FROM big WHERE uid_0=17"), value);
                ++calls;
            }
        });
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // everyone connected
    const long before = calls;
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const long after = calls;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    stop = true;
    for (std::thread& t : threads)
        t.join();
    return double(after - before) / seconds;
}

// Seconds of the link's QueryTable over those of `other` making the same lists. A call
// takes a few tenths of a second, on a machine others share: more runs keep the medians.
double QueryTableRatio(zk::CDbSession& linked,
                       const std::function<void(QStringList&, QStringList&)>& other)
{
    return zk::bench::Ratio(
        [&] {
            QStringList names, values;
            linked.QueryTable(kQuery, names, values);
        },
        [&] {
            QStringList names, values;
            other(names, values);
        },
        0.5, 7);
}

// The libpq side: the rows of the query, names first, every value as text.
bool PlainLoop(PGconn* connection, QStringList& names, QStringList& values)
{
    PGresult* result = PQexec(connection, kQuery.toUtf8().constData());
    if (PQresultStatus(result) != PGRES_TUPLES_OK) {
        PQclear(result);
        return false;
    }
    const int rows = PQntuples(result);
    const int columns = PQnfields(result);
    for (int c = 0; rows > 0 && c < columns; ++c)
        names.append(QString::fromUtf8(PQfname(result, c)));
    values.reserve(qsizetype(rows) * columns);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            values.append(PQgetisnull(result, r, c) ? QString()
                                                    : QString::fromUtf8(PQgetvalue(result, r, c),
                                                                        PQgetlength(result, r, c)));
        }
    }
    PQclear(result);
    return true;
}

// key=value pairs of ZK_TEST_PG for libpq.
QString LibpqConnection(const QString& text)
{
    QStringList parts;
    for (const QString& pair : text.split(u';', Qt::SkipEmptyParts)) {
        const QString key = pair.section(u'=', 0, 0).trimmed().toLower();
        const QString value = pair.section(u'=', 1).trimmed();
        if (key == u"host" || key == u"port")
            parts.append(key + u'=' + value);
        else if (key == u"database")
            parts.append(QStringLiteral("dbname=") + value);
        else if (key == u"user id")
            parts.append(QStringLiteral("user=") + value);
        else if (key == u"password")
            parts.append(QStringLiteral("password=") + value);
    }
    return parts.join(u' ');
}

int BenchSqlite(const QTemporaryDir& dir)
{
    const QString db =
        QStringLiteral("Provider=SQLite;Data Source=") + dir.filePath(QStringLiteral("bench.db"));
    zk::CDbSession direct;
    direct.SetConnectionString(db);
    Server server;
    if (!direct.Open() || !Fill(direct) || !server.Start(db, dir)) {
        std::fprintf(stderr, "could not set up the SQLite server\n");
        return 1;
    }
    const zk::ScopedServerContext context([&] { return server.Context(); });
    zk::CDbSession linked;
    linked.UseServer();
    if (!linked.Open() || !Same(linked, direct)) {
        std::fprintf(stderr, "the link and the direct session disagree\n");
        return 1;
    }
    zk::bench::Report("link_isfind_rps_1", IsFindRate(1), "-");
    zk::bench::Report("link_isfind_rps_8", IsFindRate(8), "-");
    zk::bench::Report("link_querytable_vs_direct",
                      QueryTableRatio(linked,
                                      [&](QStringList& names, QStringList& values) {
                                          direct.QueryTable(kQuery, names, values);
                                      }),
                      "<=2");
    return 0;
}

int BenchPostgres(const QTemporaryDir& dir)
{
    const QString pg = qEnvironmentVariable("ZK_TEST_PG");
    if (pg.isEmpty()) {
        std::printf("skipped link_querytable_vs_libpq: ZK_TEST_PG is not set\n");
        return 0;
    }
    PGconn* connection = PQconnectdb(LibpqConnection(pg).toUtf8().constData());
    const QString schema =
        QStringLiteral("zk_bench_") + QUuid::createUuid().toString(QUuid::Id128).left(12);
    if (PQstatus(connection) != CONNECTION_OK) {
        std::fprintf(stderr, "libpq: %s", PQerrorMessage(connection));
        PQfinish(connection);
        return 1;
    }
    auto run = [&](const QString& sql) {
        PGresult* result = PQexec(connection, sql.toUtf8().constData());
        const bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
        PQclear(result);
        return ok;
    };
    int status = 1;
    if (run(QStringLiteral("CREATE SCHEMA ") + schema) &&
        run(QStringLiteral("SET search_path TO ") + schema)) {
        const QString db = pg + QStringLiteral(";Schema=") + schema;
        zk::CDbSession direct;
        direct.SetConnectionString(db);
        Server server;
        if (direct.Open() && Fill(direct) && server.Start(db, dir)) {
            const zk::ScopedServerContext context([&] { return server.Context(); });
            zk::CDbSession linked;
            linked.UseServer();
            QStringList names, values, plainNames, plainValues;
            if (linked.Open() && linked.QueryTable(kQuery, names, values) &&
                PlainLoop(connection, plainNames, plainValues) && names == plainNames &&
                values == plainValues) {
                zk::bench::Report(
                    "link_querytable_vs_libpq",
                    QueryTableRatio(linked, [&](QStringList& n,
                                                QStringList& v) { PlainLoop(connection, n, v); }),
                    "<=1.5");
                status = 0;
            } else {
                std::fprintf(stderr, "the link and libpq disagree\n");
            }
        } else {
            std::fprintf(stderr, "could not set up the PostgreSQL server\n");
        }
    }
    run(QStringLiteral("SET client_min_messages TO warning"));
    run(QStringLiteral("DROP SCHEMA IF EXISTS ") + schema + QStringLiteral(" CASCADE"));
    PQfinish(connection);
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir sqliteDir;
    QTemporaryDir pgDir;
    const int sqlite = BenchSqlite(sqliteDir);
    const int postgres = BenchPostgres(pgDir);
    return sqlite != 0 || postgres != 0 ? 1 : 0;
}
