// zk_server as administrators run it: flags and zk_server.ini, start-up failures, tokens
// that outlive a restart, and a stop that lets the running request finish.
#include "data/link/app_handshake.h"
#include "data/link/server_context.h"
#include "data/link/zk_socket.h"
#include "data/session/db_session.h"
#include "data/session/link_server_ops.h"
#include "server_process.h"
#include "util/ini.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

using namespace Qt::StringLiterals;

namespace zk {
namespace {

TEST(ServerProgram, RefusesABadStartWithStatusTwo)
{
    QTemporaryDir dir;
    const QString db = u"Provider=SQLite;Data Source="_s + dir.filePath(u"a.db"_s);
    const QStringList common{u"--secret"_s, dir.filePath(u"secret"_s),
                             u"--files"_s,  dir.filePath(u"files"_s),
                             u"--port"_s,   u"0"_s};
    struct Case {
        QStringList arguments;
        QString message;
    };
    const std::vector<Case> cases = {
        {{u"--bogus"_s}, u"unknown argument \"--bogus\""_s},
        {{u"--db"_s, db, u"--port"_s, u"70000"_s}, u"--port: bad value \"70000\""_s},
        {{u"--db"_s, db, u"--idle-timeout"_s, u"soon"_s}, u"--idle-timeout: bad value"_s},
        {{u"--db"_s, db, u"--max-frame"_s}, u"--max-frame needs a value"_s},
        {{u"--db"_s, db, u"--config"_s, dir.filePath(u"none.ini"_s)}, u"--config: no such file"_s},
        {{}, u"no database"_s},
        {{u"--db=Provider=SQLite;Data Source=/nonexistent/folder/a.db"_s},
         u"cannot open the database"_s},
        {{u"--db"_s, u"Provider=Nothing"_s}, u"cannot open the database"_s},
        {{u"--db"_s, db, u"--listen"_s, u"999.1.1.1"_s}, u"cannot listen on 999.1.1.1"_s},
    };
    for (const Case& c : cases) {
        const test::RunResult run = test::RunServer(common + c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_FALSE(run.out.contains(u"listening"_s));
    }
    EXPECT_EQ(test::RunServer({u"--help"_s}).status, 0);
}

// zk_server.ini gives every setting; a flag wins over it; relative paths are the file's.
TEST(ServerProgram, ReadsItsConfigurationFileAndFlags)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(u"zk_server.ini"_s);
    const auto set = [&](const char* key, const QString& value) {
        ASSERT_TRUE(WriteIni(ini, u"SERVER"_s, QString::fromLatin1(key), value));
    };
    set("PORT", u"0"_s);
    set("KEY", u"file-key"_s);
    set("DB", u"Provider=SQLite;Data Source="_s + dir.filePath(u"a.db"_s));
    set("FILES", u"store"_s);
    set("LOG", u"logs.txt"_s);
    set("SECRET", u"token.secret"_s);
    for (const bool keyFlag : {false, true}) {
        test::ServerProcess server;
        QStringList arguments{u"--config"_s, ini};
        if (keyFlag)
            arguments += {u"--key"_s, u"flag-key"_s};
        ASSERT_TRUE(server.Start(arguments)) << server.Log().toStdString();
        CZkSocket socket;
        QString token;
        const QString key = keyFlag ? u"flag-key"_s : u"file-key"_s;
        ASSERT_TRUE(InitHandshake(socket, u"127.0.0.1"_s, server.port(), u"Init"_s + key, token));
        EXPECT_FALSE(token.isEmpty());
        QString refused = u"x"_s;
        ASSERT_TRUE(InitHandshake(socket, u"127.0.0.1"_s, server.port(),
                                  keyFlag ? u"Initfile-key"_s : u"Initflag-key"_s, refused));
        EXPECT_TRUE(refused.isEmpty());

        const ScopedServerContext context([&] {
            return ServerContext{u"127.0.0.1"_s, server.port(), token};
        });
        CDbSession session;
        session.UseServer();
        ASSERT_TRUE(session.Open()) << session.errorDetail.toStdString();
        ASSERT_TRUE(ServerLinkOf(session)->Upload(u"c_file"_s, u"3"_s, u"txt"_s, "abc"));
        session.Close();
        EXPECT_EQ(server.Stop(), 0);
    }
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(u"store/c_file/3.txt"_s)));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(u"token.secret"_s)));
    QFile log(dir.filePath(u"logs.txt"_s));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(log.readAll()).count(u"listening on 127.0.0.1:"_s), 2);
}

TEST(ServerProgram, TokensOutliveARestartButNotANewSecret)
{
    test::ServedDatabase served(test::Engine::SQLite);
    ASSERT_TRUE(served.problem().isEmpty()) << served.problem().toStdString();
    CDbSession session;
    session.UseServer();
    ASSERT_TRUE(session.Open());
    ASSERT_TRUE(session.Execute(u"CREATE TABLE c_t (a int)"_s));

    ASSERT_TRUE(served.Restart()) << served.server().Log().toStdString();
    // The link notices that the old connection is gone; the window's re-open logs in
    // again with the token it had.
    EXPECT_FALSE(session.IsOpen());
    ASSERT_TRUE(session.EnsureOpen()) << session.errorDetail.toStdString();
    EXPECT_TRUE(session.Execute(u"INSERT INTO c_t VALUES (1)"_s));

    // Another server (another secret) knows nothing of the token.
    QTemporaryDir other;
    test::ServerProcess stranger;
    ASSERT_TRUE(
        stranger.Start({u"--port"_s, u"0"_s, u"--key"_s, test::ServedDatabase::kKey, u"--db"_s,
                        served.connection(), u"--files"_s, other.filePath(u"files"_s),
                        u"--secret"_s, other.filePath(u"secret"_s)}));
    CServerLink* link = ServerLinkOf(session);
    link->Close();
    link->SetServer(u"127.0.0.1"_s, stranger.port());
    EXPECT_FALSE(session.Open());
    EXPECT_EQ(session.errorDetail, u"令牌无效,请重新连接服务器"_s);
}

TEST(ServerProgram, AStopLetsTheRunningRequestFinish)
{
    test::ServedDatabase served(test::Engine::SQLite);
    ASSERT_TRUE(served.problem().isEmpty()) << served.problem().toStdString();
    CDbSession busy, idle;
    busy.UseServer();
    idle.UseServer();
    ASSERT_TRUE(busy.Open());
    ASSERT_TRUE(idle.Open());
    ASSERT_TRUE(idle.BeginTrans());
    auto counted = std::async(std::launch::async, [&] {
        QString value;
        busy.IsFind(u"WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM c WHERE "
                    "x<4000000) SELECT count(*) FROM c"_s,
                    value);
        return value;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    // SIGTERM while the statement runs; the idle client inside its transaction does not
    // hold the stop up.
    EXPECT_EQ(served.server().Stop(), 0);
    EXPECT_EQ(counted.get(), u"4000000"_s);
    const QString log = served.LogText();
    EXPECT_TRUE(log.contains(u"closed inside a transaction: rolled back"_s)) << log.toStdString();
    EXPECT_TRUE(log.contains(u"stopped"_s));
    EXPECT_FALSE(busy.IsOpen());
}

} // namespace
} // namespace zk
