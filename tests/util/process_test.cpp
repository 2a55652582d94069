#include "util/process.h"

#include "util/codec.h"

#include "tests/common/test_env.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(util_process, CapturesOutputAndErrors)
{
    EXPECT_EQ(RunCommandCapture(QStringLiteral("echo out; echo err 1>&2; echo 中文")),
              QStringLiteral("out\nerr\n中文\n"));
    // Output that is not UTF-8 is read as GB18030.
    const QString gbk = QStringLiteral("printf '\\326\\320\\316\\304'");
    EXPECT_EQ(RunCommandCapture(gbk), QStringLiteral("中文"));
    EXPECT_EQ(RunCommandCapture(QStringLiteral("cat")), QString()); // stdin is empty
    EXPECT_EQ(RunCommandCapture(QStringLiteral("exit 3")), QString());
}

// The shell and what it started are both ended: a child left behind would
// keep running (and keep the output pipe open) after the timeout.
TEST(util_process, TimeoutEndsTheCommandAndItsChildren)
{
    test::ScopedHome home;
    const QString marker = home.file(QStringLiteral("late.txt"));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(
        RunCommandCapture(
            QStringLiteral("echo started; (sleep 1; touch '%1') & sleep 30").arg(marker), 300),
        QStringLiteral("started\n"));
    EXPECT_LT(clock.elapsed(), 10000);
    QThread::msleep(1500);
    EXPECT_FALSE(QFile::exists(marker));
}

QString WaitForFile(const QString& path)
{
    QDeadlineTimer deadline(10000);
    while (!QFile::exists(path) && !deadline.hasExpired())
        QThread::msleep(20);
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

TEST(util_process, StartsTheUpgradeHelperDetachedAtIdlePriority)
{
    test::ScopedHome home;
    EXPECT_EQ(StartUpgradeHelper(QStringLiteral("d")), -1); // no helper yet

    ASSERT_TRUE(QFile::copy(QStringLiteral(ZK_UP_STAND_IN), home.file(QStringLiteral("zk_up"))));
    const QString out = home.file(QStringLiteral("started.txt"));
    qputenv("ZK_STAND_IN_OUT", QFile::encodeName(out));
    EXPECT_EQ(StartUpgradeHelper(QStringLiteral("d")), 1);
    const QString report = WaitForFile(out);
    qunsetenv("ZK_STAND_IN_OUT");

    EXPECT_EQ(report,
              QStringLiteral("arg -d\ncwd %1\nnice 19\n").arg(QDir(home.path()).canonicalPath()));
}

} // namespace
} // namespace zk
