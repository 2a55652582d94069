#include "forms/dialogs/dialog_text_box_info.h"
#include "forms/dialogs/zk_message_box.h"
#include "tests/forms/controls_test_form.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(DialogsMessageBox, OneLineKeepsTheSizeAndCentresOk)
{
    ZkMessageBox box(nullptr, QStringLiteral("保存成功"), QString(), 0);
    EXPECT_EQ(box.size(), ZkMessageBox::TemplateSize());
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Dialog"));
    EXPECT_TRUE(box.CancelButton()->isHidden());
    const QPushButton* ok = box.OkButton();
    EXPECT_EQ(ok->x(), box.width() / 2 - ok->width() / 2);
    EXPECT_EQ(ok->y(), box.height() - ok->height() - 40);
    EXPECT_EQ(ok->text(), QStringLiteral("确定"));
}

TEST(DialogsMessageBox, TwoButtonsAtThirds)
{
    ZkMessageBox box(nullptr, QStringLiteral("是否确认操作？"), QStringLiteral("操作确认"), 1);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("操作确认"));
    const int w = box.OkButton()->width();
    EXPECT_EQ(box.OkButton()->x(), box.width() / 3 - w / 2);
    EXPECT_EQ(box.CancelButton()->x(), 2 * box.width() / 3 - w / 2);
    EXPECT_EQ(box.CancelButton()->text(), QStringLiteral("取消"));
    EXPECT_FALSE(box.CancelButton()->isHidden());
}

TEST(DialogsMessageBox, GrowsToTheText)
{
    QStringList lines;
    for (int i = 1; i <= 20; ++i)
        lines << QStringLiteral("第%1行：库存不足").arg(i);
    ZkMessageBox tall(nullptr, lines.join(QLatin1Char('\n')), QString(), 0);
    const QFontMetrics metrics(tall.font());
    const int needed = metrics.height() * 20;
    EXPECT_EQ(tall.height(), needed + 100);
    EXPECT_EQ(tall.TextLabel()->geometry(), QRect(5, 5, tall.TextLabel()->width(), needed + 10));
    EXPECT_EQ(tall.width(), ZkMessageBox::TemplateSize().width());

    const QString longLine = QString(QStringLiteral("很长的错误信息")).repeated(40);
    ZkMessageBox wide(nullptr, longLine, QString(), 0);
    const int d = QFontMetrics(wide.font()).horizontalAdvance(longLine);
    EXPECT_EQ(wide.width(), d + 20);
    EXPECT_EQ(wide.TextLabel()->width(), d + 5);
    EXPECT_EQ(wide.height(), ZkMessageBox::TemplateSize().height());
    EXPECT_EQ(wide.OkButton()->x(), wide.width() / 2 - wide.OkButton()->width() / 2);
}

TEST(DialogsMessageBox, KeysCopyAndEscapeIsSwallowed)
{
    ZkMessageBox box(nullptr, QStringLiteral("错误：连接失败"), QString(), 1);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_TRUE(box.isVisible());
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("错误：连接失败"));
    EXPECT_EQ(box.palette().color(QPalette::Window), QColor(Qt::white));
}

TEST(DialogsMessageBox, DraggingTheBackgroundMovesTheBox)
{
    ZkMessageBox box(nullptr, QStringLiteral("拖动"), QString(), 0);
    box.move(100, 100);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    const QPoint start = box.pos();
    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(3, 3));
    QMouseEvent move(QEvent::MouseMove, QPointF(33, 23), box.mapToGlobal(QPointF(33, 23)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(&box, &move);
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(33, 23));
    EXPECT_EQ(box.pos(), start + QPoint(30, 20));
}

TEST(DialogsMessageBox, ShowBoxAnswers)
{
    test::ClickModalButton(QStringLiteral("确定"));
    EXPECT_EQ(ShowBox(nullptr, QStringLiteral("继续？"), QString(), 1), 1);
    test::ClickModalButton(QStringLiteral("取消"));
    EXPECT_EQ(ShowBox(nullptr, QStringLiteral("继续？"), QString(), 1), 2);
    test::WhenModalShown([](QWidget* modal) { modal->close(); });
    EXPECT_EQ(ShowBox(nullptr, QStringLiteral("关闭"), QString(), 0), 2);
}

TEST(DialogsTextBox, LineEndsComeBackAsNewLines)
{
    const QString mixed = QStringLiteral("一\n二\r\n三\n\n四");
    EXPECT_EQ(Dialog_TextBox_Info::ShownText(mixed), QStringLiteral("一\r\n二\r\n三\r\n\r\n四"));
    EXPECT_EQ(Dialog_TextBox_Info::ResultText(Dialog_TextBox_Info::ShownText(mixed)),
              QStringLiteral("一\n二\n三\n\n四"));

    Dialog_TextBox_Info dialog;
    dialog.text = mixed;
    dialog.result = QStringLiteral("unchanged");
    test::WhenModalShown([](QWidget* modal) {
        auto* d = qobject_cast<Dialog_TextBox_Info*>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("文本详情"));
        EXPECT_EQ(d->Edit()->blockCount(), 5);
        d->reject();
    });
    EXPECT_NE(dialog.exec(), 1);
    EXPECT_EQ(dialog.result, QStringLiteral("unchanged"));

    test::ClickModalButton(QStringLiteral("确定"));
    EXPECT_EQ(dialog.exec(), 1);
    EXPECT_EQ(dialog.result, QStringLiteral("一\n二\n三\n\n四"));
}

TEST(DialogsTextBox, EditFollowsTheEdgesAndOkTheTopRight)
{
    Dialog_TextBox_Info dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QRect edit = dialog.Edit()->geometry();
    EXPECT_EQ(edit.left(), -1);
    EXPECT_EQ(edit.top(), 0);
    EXPECT_EQ(edit.x() + edit.width(), dialog.width() - 80);
    EXPECT_EQ(edit.y() + edit.height(), dialog.height() + 1);
    const QRect ok = dialog.OkButton()->geometry();

    dialog.resize(dialog.width() + 100, dialog.height() + 60);
    QApplication::processEvents();
    EXPECT_EQ(dialog.Edit()->width(), edit.width() + 100);
    EXPECT_EQ(dialog.Edit()->height(), edit.height() + 60);
    EXPECT_EQ(dialog.OkButton()->geometry(), ok.translated(100, 0));
}

} // namespace
} // namespace zk
