#include "forms/layout/layout_definition.h"
#include "forms/layout/wnd_resizer_widget.h"

#include "tests/common/test_env.h"
#include "tests/forms/fake_window.h"
#include "tests/forms/layout_elements.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <map>

namespace zk::layout {
namespace {

using test::Edges;

// A form window stand-in that counts the presses that reach it.
class Form : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        ++presses;
        QWidget::mousePressEvent(event);
    }
};

// An edit stretched across the top, an OK button in the bottom-right corner,
// and two lists split side by side in between.
class WidgetLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Add(1, new QLineEdit(&form), Edges(10, 10, 390, 30));
        Add(2, new QPushButton(QStringLiteral("确定"), &form), Edges(300, 260, 390, 290));
        auto* left = new QListWidget(&form);
        left->addItems({QStringLiteral("商品分类"), QStringLiteral("原材料")});
        Add(3, left, Edges(10, 40, 190, 250));
        Add(4, new QListWidget(&form), Edges(200, 40, 390, 250));
        form.resize(400, 300);

        const std::vector<LayoutElement> elements = {
            test::Control(1, 5), test::Control(2, 12), test::Control(3), test::Control(4),
            test::Split(QStringLiteral("S1"), QStringLiteral("3;4"))};

        resizer = std::make_unique<CWndResizerWidget>([this](int windowId) -> QWidget* {
            const auto it = controls.find(windowId);
            return it == controls.end() ? nullptr : it->second;
        });
        ASSERT_TRUE(resizer->Hook(&form));
        ApplyLayoutDefinition(resizer->Resizer(), elements, false);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    void Add(int id, QWidget* control, const QRect& rect)
    {
        control->setGeometry(rect);
        controls[id + 1024] = control;
    }

    QRect At(int id) const { return controls.at(id + 1024)->geometry(); }

    void ResizeTo(int width, int height)
    {
        form.resize(width, height);
        QApplication::processEvents();
    }

    Form form;
    std::map<int, QWidget*> controls;
    std::unique_ptr<CWndResizerWidget> resizer;
};

TEST_F(WidgetLayoutTest, ResizingMovesTheChildren)
{
    ResizeTo(600, 400);
    EXPECT_EQ(At(1), Edges(10, 10, 590, 30));
    EXPECT_EQ(At(2), Edges(500, 360, 590, 390));
    // The split: 580 wide now, pane A keeps 180 / 380 of it.
    EXPECT_EQ(At(3), Edges(10, 40, 284, 350));
    EXPECT_EQ(At(4), Edges(294, 40, 590, 350));
}

TEST_F(WidgetLayoutTest, DraggingTheSplitterWithTheMouse)
{
    ResizeTo(600, 400);
    QTest::mouseMove(&form, QPoint(289, 200));
    EXPECT_EQ(form.cursor().shape(), Qt::SplitHCursor);
    QTest::mousePress(&form, Qt::LeftButton, Qt::NoModifier, QPoint(289, 200));
    QTest::mouseMove(&form, QPoint(150, 200));
    QTest::mouseRelease(&form, Qt::LeftButton, Qt::NoModifier, QPoint(150, 200));
    EXPECT_EQ(form.presses, 0) << "the press belonged to the splitter";
    EXPECT_EQ(At(3), Edges(10, 40, 145, 350));
    EXPECT_EQ(At(4), Edges(155, 40, 590, 350));

    QTest::mouseMove(&form, QPoint(300, 375));
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
    QTest::mousePress(&form, Qt::LeftButton, Qt::NoModifier, QPoint(300, 375));
    QTest::mouseRelease(&form, Qt::LeftButton, Qt::NoModifier, QPoint(300, 375));
    EXPECT_EQ(form.presses, 1) << "a press on the background is the form's";

    ResizeTo(800, 400);
    EXPECT_EQ(At(3), Edges(10, 40, 191, 350)) << "the dragged ratio holds";
    EXPECT_EQ(At(4), Edges(201, 40, 790, 350));

    // The grips are painted on the form: the splitter's dots centred in its
    // bar (x 191..201, y 40..350), and the size grip in the corner.
    const QImage image = form.grab().toImage();
    const QString file = QDir::cleanPath(test::BinDir() + QStringLiteral("/../wnd_resizer.png"));
    EXPECT_TRUE(image.save(file));
    const QRgb shadow = form.palette().color(QPalette::Dark).rgb();
    EXPECT_EQ(image.pixel(195, 189), shadow);
    EXPECT_EQ(image.pixel(197, 191), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(195, 193), shadow);
    EXPECT_NE(image.pixel(195, 187), shadow) << "the grip is 12 pixels long";
}

TEST_F(WidgetLayoutTest, ScrollingShiftsTheControls)
{
    // The form scrolls its body itself: 300 pixels of content, 100 visible.
    auto* bar = new QScrollBar(Qt::Vertical, &form);
    bar->setGeometry(384, 0, 16, 300);
    bar->show();
    bar->setRange(0, 200);
    bar->setPageStep(100);
    resizer->WatchScrollBars(nullptr, bar);
    bar->setValue(50);
    EXPECT_EQ(At(1), Edges(10, -40, 390, -20));
    EXPECT_EQ(At(2), Edges(300, 210, 390, 240)) << "at the bottom of the whole extent";
    bar->setValue(0);
    EXPECT_EQ(At(1), Edges(10, 10, 390, 30));
}

TEST_F(WidgetLayoutTest, LetsGoWhenTheFormIsDestroyed)
{
    auto* child = new QWidget;
    child->resize(200, 100);
    CWndResizerWidget hooked([](int) { return nullptr; });
    ASSERT_TRUE(hooked.Hook(child));
    EXPECT_TRUE(hooked.Resizer().IsHooked());
    delete child;
    EXPECT_FALSE(hooked.Resizer().IsHooked());
    EXPECT_EQ(hooked.HookedWidget(), nullptr);
}

} // namespace
} // namespace zk::layout
