#include "util/gui/copy_to_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(util_clipboard, CopiesText)
{
    const QString text = QStringLiteral("订单 1,234.50");
    ASSERT_TRUE(CopyToClipboard(text));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);
}

} // namespace
} // namespace zk
