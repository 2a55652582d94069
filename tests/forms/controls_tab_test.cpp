#include "forms/controls/control_values.h"
#include "forms/controls/zk_edit.h"
#include "forms/controls/zk_tab_ctrl.h"
#include "tests/forms/controls_test_form.h"

#include <QTest>
#include <gtest/gtest.h>

namespace zk {
namespace {

using test::TestForm;

class ControlTabs : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.resize(420, 320);
        tab = form.Add(1, new CZkTabCtrl(&form), QRect(10, 10, 400, 300));
        for (int i = 0; i < 3; ++i) {
            auto* page = new TestForm;
            edits[i] = page->Add(2, new ZkEdit(0, page));
            tab->AddPage(QStringLiteral("第%1页").arg(i + 1), page, quint32(100 + i));
            pages[i] = page;
        }
        tab->CreatePages();
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    bool Shown(int i) const { return pages[i]->isVisible(); }

    void ClickTab(int index)
    {
        const QRect r = tab->TabBar()->tabRect(index);
        QTest::mouseClick(tab->TabBar(), Qt::LeftButton, {}, r.center());
    }

    TestForm form;
    CZkTabCtrl* tab = nullptr;
    TestForm* pages[3] = {};
    ZkEdit* edits[3] = {};
};

TEST_F(ControlTabs, ShowsTheFirstPageThenSwitchesByMouse)
{
    EXPECT_EQ(tab->TabBar()->count(), 3);
    EXPECT_EQ(tab->PageId(2), 102u);
    EXPECT_EQ(tab->Caption(1), QStringLiteral("第2页"));
    EXPECT_TRUE(Shown(0));
    EXPECT_FALSE(Shown(1));
    EXPECT_FALSE(Shown(2));

    SetControlValue(edits[0], QStringLiteral("保留"));
    ClickTab(2);
    EXPECT_EQ(tab->CurrentPage(), 2);
    EXPECT_FALSE(Shown(0));
    EXPECT_TRUE(Shown(2));
    ClickTab(0);
    EXPECT_TRUE(Shown(0));
    EXPECT_EQ(edits[0]->Text(), QStringLiteral("保留"));
}

TEST_F(ControlTabs, KeyboardMovesTheHighlightButNotThePage)
{
    tab->TabBar()->setFocus();
    QTest::keyClick(tab->TabBar(), Qt::Key_Right);
    EXPECT_EQ(tab->TabBar()->currentIndex(), 1);
    EXPECT_EQ(tab->CurrentPage(), 0);
    EXPECT_TRUE(Shown(0));
    EXPECT_FALSE(Shown(1));
    // A click on the highlighted tab then shows its page.
    ClickTab(1);
    EXPECT_EQ(tab->CurrentPage(), 1);
    EXPECT_TRUE(Shown(1));
}

TEST_F(ControlTabs, PagesFillTheAreaBelowTheTabsOnResize)
{
    const QRect first = tab->TabBar()->tabRect(0).translated(tab->TabBar()->pos());
    const int left = first.left();
    const int bottom = first.top() + first.height();
    for (const QSize size : {QSize(400, 300), QSize(520, 260)}) {
        tab->resize(size);
        QApplication::processEvents();
        const QRect expected(left - 1, bottom + 1, size.width() - (left + 2),
                             size.height() - (bottom + 3));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(pages[i]->geometry(), expected) << i << " " << size.width();
    }
    EXPECT_TRUE(Shown(0));
    EXPECT_FALSE(Shown(1));
}

TEST_F(ControlTabs, TabsHaveOneWidth)
{
    CZkTabCtrl fresh;
    fresh.AddPage(QStringLiteral("短"), new QWidget, 1);
    fresh.AddPage(QStringLiteral("一个很长很长的标题"), new QWidget, 2);
    fresh.CreatePages();
    EXPECT_EQ(fresh.TabBar()->tabRect(0).width(), fresh.TabBar()->tabRect(1).width());
    EXPECT_EQ(fresh.Page(5), nullptr);
}

} // namespace
} // namespace zk
