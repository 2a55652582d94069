#pragma once

// A company database behind a real zk_server, a program folder with its cfg.ini, and the
// application object that the dialogs under test work with.

#include "app/main_app.h"
#include "data/session/db_session.h"
#include "tests/common/test_env.h"
#include "tests/server/server_process.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

QT_BEGIN_NAMESPACE
// Readable QString values in gtest messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace zk::test {

// Answers every modal box that comes up with OK (or with the close box) and keeps its text.
class BoxAnswerer {
public:
    BoxAnswerer();
    ~BoxAnswerer();
    QStringList texts;

private:
    struct Timer;
    std::unique_ptr<Timer> timer_;
};

// Processes events until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 20000);

class AppFixture : public ::testing::Test {
protected:
    static inline const QString kKey = QStringLiteral("demo-key");

    void SetUp() override;
    void TearDown() override;

    // A direct session on the company database, to arrange and to check.
    CDbSession& Db() { return db_; }
    QString Query(const QString& sql);
    void Exec(const QString& sql);
    // Adds a menu item; a leaf gets a small definition with one static text.
    void AddMenu(int uid, int parent, int level, bool leaf, int order, const QString& name);
    void StoreForm(int uid, const QString& xml);
    // Writes IP, PORT, KEY of cfg.ini for `port` (the server's by default).
    void PointConfigAt(int port = 0);
    // Logs in as id with password through the login dialog.
    bool LogIn(const QString& id, const QString& password);

    std::unique_ptr<ScopedHome> home_;
    ServerProcess server_;
    CDbSession db_;
    std::unique_ptr<CMainApp> app_;
    QString clerkUid_;
};

} // namespace zk::test
