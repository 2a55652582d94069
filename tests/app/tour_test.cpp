// `make demo` without a display: the demo company, zk_server and the client's scripted
// tour, run as the script runs them (on the offscreen platform), and every screenshot is a
// picture with something on it.

#include "tests/common/test_env.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zk::test {
namespace {

// True when the picture holds more than one colour (sampled on a grid).
bool HasContent(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    return colours.size() > 1;
}

TEST(DemoTourTest, EveryStepLeavesANonBlankScreenshot)
{
    QTemporaryDir dir;
    QProcess demo;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("BUILD"), QDir(BinDir() + QStringLiteral("/..")).absolutePath());
    env.insert(QStringLiteral("ZK_DEMO_SKIP_BUILD"), QStringLiteral("1"));
    env.insert(QStringLiteral("ZK_DEMO_TOUR"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ZK_DEMO_HOME"), dir.filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("ZK_DEMO_OUTPUT"), dir.filePath(QStringLiteral("out")));
    env.remove(QStringLiteral("ZK_HOME"));
    demo.setProcessEnvironment(env);
    demo.start(QStringLiteral(ZK_SOURCE_ROOT "/scripts/demo.sh"), {});
    ASSERT_TRUE(demo.waitForFinished(240000)) << "the tour did not end";
    const QString out = QString::fromUtf8(demo.readAllStandardOutput());
    ASSERT_EQ(demo.exitCode(), 0) << out.toStdString() << demo.readAllStandardError().toStdString();

    QStringList shots;
    for (const QString& line : out.split(QLatin1Char('\n')))
        if (line.endsWith(QStringLiteral(".png")))
            shots.append(line);
    // Login, the three modes, every leaf of the demo's navigation with its buttons, and
    // the clerk's view.
    EXPECT_GE(shots.size(), 25) << out.toStdString();
    QStringList names;
    for (const QString& shot : shots) {
        const QImage image(shot);
        ASSERT_FALSE(image.isNull()) << shot.toStdString();
        EXPECT_GT(image.width(), 100) << shot.toStdString();
        EXPECT_TRUE(HasContent(image)) << shot.toStdString() << " is blank";
        names.append(QFileInfo(shot).fileName());
    }
    const QString all = names.join(QLatin1Char(' '));
    for (const char16_t* expected : {u"login", u"graphic", u"客户资料_查询", u"销售汇总",
                                     u"错误示范_message", u"审核订单_message", u"zhang_navigation"})
        EXPECT_TRUE(all.contains(QString::fromUtf16(expected))) << all.toStdString();
    EXPECT_FALSE(all.contains(QStringLiteral("not-opened"))) << all.toStdString();
}

} // namespace
} // namespace zk::test
