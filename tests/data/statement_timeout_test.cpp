// A runaway statement ends with an error after the statement time-out instead of holding the
// connection for ever, and the connection stays usable afterwards.
#include "data/backends/postgres/postgres_backend.h"
#include "data/backends/sqlite/sqlite_backend.h"
#include "tests/data/pg_test_env.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace std::chrono_literals;

const QString kEndless = QStringLiteral(
    "WITH RECURSIVE r(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM r) SELECT count(*) FROM r");

TEST(StatementTimeout, SqliteAbandonsARunawayQueryAndKeepsWorking)
{
    zk::SqliteBackend backend(QStringLiteral(":memory:"), true);
    QString error;
    ASSERT_EQ(backend.Open(error), zk::Backend::OpenResult::Ok) << error.toStdString();
    backend.SetStatementTimeout(200ms);

    zk::RowSet rows;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(backend.RunNative(kEndless, {}, &rows, error));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 20s);
    EXPECT_TRUE(error.contains(QStringLiteral("超时"))) << error.toStdString();

    // The deadline belongs to one call: the next statement gets its own.
    zk::RowSet next;
    EXPECT_TRUE(backend.Query(QStringLiteral("SELECT 1"), {}, next, error)) << error.toStdString();
    EXPECT_EQ(next.rowCount, 1);
}

TEST(StatementTimeout, PostgresConnectionsCarryTheTimeout)
{
    ZK_REQUIRE_PG();
    const zk::test::PgConnectionParts p =
        zk::test::ParsePgConnectionString(zk::test::PgTestConnectionString());
    zk::PostgresBackend backend({p.host, p.port, p.database, p.user, p.password, {}});
    QString error;
    ASSERT_EQ(backend.Open(error), zk::Backend::OpenResult::Ok) << error.toStdString();
    zk::RowSet rows;
    ASSERT_TRUE(backend.Query(QStringLiteral("SHOW statement_timeout"), {}, rows, error))
        << error.toStdString();
    ASSERT_EQ(rows.rowCount, 1);
    EXPECT_EQ(rows.Text(0, 0), QStringLiteral("10min"));
}

} // namespace
