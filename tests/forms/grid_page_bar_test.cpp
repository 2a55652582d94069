#include "forms/grid/page_bar.h"

#include <QMap>

#include <gtest/gtest.h>

namespace zk {
namespace {

struct PageBarRun {
    QMap<int, QString> texts;
    QMap<int, bool> enabled;
};

PageBarRun RunPageBar(const PageState& page, const QList<int>& buttons, int label)
{
    PageBarRun run;
    UpdatePageBar(
        page, buttons, label, [&](int id, const QString& text) { run.texts[id] = text; },
        [&](int id, bool on) { run.enabled[id] = on; });
    return run;
}

TEST(PageBar, ButtonStatesByPage)
{
    struct Case {
        PageState page;
        QList<bool> expected; // first, previous, next, last
    };
    const Case cases[] = {
        {{10, 1, 25, 3}, {false, false, true, true}},
        {{10, 2, 25, 3}, {true, true, true, true}},
        {{10, 3, 25, 3}, {true, true, false, false}},
        {{10, 1, 10, 1}, {false, false, false, false}}, // everything on one page
        {{30, 2, 25, 3}, {false, false, false, false}},
    };
    for (const Case& c : cases) {
        const PageBarRun run = RunPageBar(c.page, {41, 42, 43, 44}, 45);
        EXPECT_EQ(run.enabled.values(), c.expected)
            << c.page.currentPage << "/" << c.page.pageCount;
    }
}

TEST(PageBar, LabelTextAndShortButtonLists)
{
    const PageBarRun run = RunPageBar({10, 1, 25, 3}, {41, 0, 43}, 45);
    EXPECT_EQ(run.texts.value(45), "当前 1/3 页 每页 10 条记录 合计 25 条记录");
    // Named buttons are updated by position; 0 names no control, a missing
    // fourth id is ignored.
    EXPECT_EQ(run.enabled, (QMap<int, bool>{{41, false}, {43, true}}));

    const PageBarRun noLabel = RunPageBar({10, 1, 25, 3}, {}, 0);
    EXPECT_TRUE(noLabel.texts.isEmpty());
    EXPECT_TRUE(noLabel.enabled.isEmpty());
}

} // namespace
} // namespace zk
