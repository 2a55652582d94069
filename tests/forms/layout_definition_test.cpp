#include "forms/layout/layout_definition.h"

#include "tests/forms/fake_window.h"
#include "tests/forms/layout_elements.h"

#include <gtest/gtest.h>

namespace zk::layout {
namespace {

using test::Control;
using test::Edges;
using test::FakeWindow;
using test::Group;
using test::Split;

// A form in the shape of an order entry: a row of header fields arranged by a
// group, a tree and a grid split side by side, that split split again against
// a side panel, and a total field in the bottom-right corner.
class LayoutPassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.Resize(600, 400);
        window.controls[1026] = Edges(10, 10, 80, 30);     // 2: label
        window.controls[1027] = Edges(90, 10, 290, 30);    // 3: customer
        window.controls[1028] = Edges(10, 40, 100, 60);    // 4: anchored before its group
        window.controls[1032] = Edges(500, 10, 590, 30);   // 8: hidden 2
        window.controls[1034] = Edges(10, 100, 250, 350);  // 10: tree
        window.controls[1035] = Edges(258, 100, 450, 350); // 11: grid
        window.controls[1036] = Edges(460, 100, 590, 350); // 12: side panel
        window.controls[1074] = Edges(500, 360, 590, 390); // 50: total
        elements = {
            Group(1, {2, 3}, 7),
            Control(2),
            Control(3),
            Control(4, 4),
            Group(5, {4}), // after its control: arranges nothing
            Control(8, 15, 2),
            Control(10),
            Control(11),
            Control(12),
            Split(QStringLiteral("T20"), QStringLiteral("10;11")),
            Split(QStringLiteral("S2"), QStringLiteral("T20;12;")),
            Split(QStringLiteral("T1"), QStringLiteral("50;12"), 50), // name taken by the group
            Split(QStringLiteral("S3"), QStringLiteral("10")),        // one pane only
            Control(50, 12),
        };
        resizer.Hook(window);
    }

    FakeWindow window;
    CWndResizer resizer;
    std::vector<LayoutElement> elements;
};

TEST_F(LayoutPassTest, BuildsTheTreeInDocumentOrder)
{
    ApplyLayoutDefinition(resizer, elements, false);
    EXPECT_GE(window.batches, 1) << "ends with a layout";
    // The first layout moves nothing that the definition placed.
    EXPECT_EQ(window.controls[1034], Edges(10, 100, 250, 350));
    EXPECT_EQ(window.controls[1035], Edges(258, 100, 450, 350));
    EXPECT_EQ(window.controls[1027], Edges(88, 10, 288, 30)) << "arranged with the gap of 8";

    EXPECT_NE(dynamic_cast<CFlowLayoutPanel*>(resizer.FindPanel(QStringLiteral("T1"))), nullptr);
    EXPECT_EQ(resizer.FindPanel(QStringLiteral("T5")), nullptr);
    EXPECT_EQ(resizer.FindPanel(QStringLiteral("1032")), nullptr) << "hidden 2 has no panel";
    EXPECT_EQ(resizer.FindPanel(QStringLiteral("S3")), nullptr);
    auto* s2 = dynamic_cast<CSplitContainer*>(resizer.FindPanel(QStringLiteral("S2")));
    ASSERT_NE(s2, nullptr);
    EXPECT_EQ(s2->Pane1()->Name(), QStringLiteral("T20")) << "the inner split is a pane";
    EXPECT_EQ(s2->Anchor(), 15);
    // The failed split named T1 left the group alone: no move, no new anchor.
    CPanel* group = resizer.FindPanel(QStringLiteral("T1"));
    EXPECT_EQ(group->Parent(), resizer.Root());
    EXPECT_EQ(group->Anchor(), 7);
    // Size grip and the two splitter grips.
    EXPECT_EQ(resizer.VisiblePanels().size(), 3u);

    window.Resize(800, 500);
    resizer.Relayout();
    EXPECT_EQ(window.controls[1027], Edges(88, 10, 288, 30));
    EXPECT_EQ(window.controls[1028], Edges(210, 40, 300, 60)) << "keeps its own anchor";
    EXPECT_EQ(window.controls[1032], Edges(500, 10, 590, 30)) << "never moved";
    EXPECT_EQ(window.controls[1036], Edges(611, 100, 790, 450));
    EXPECT_EQ(window.controls[1034], Edges(10, 100, 332, 450));
    EXPECT_EQ(window.controls[1035], Edges(340, 100, 601, 450));
    EXPECT_EQ(window.controls[1074], Edges(700, 460, 790, 490));
}

TEST_F(LayoutPassTest, EmbeddedFormsHaveNoSizeGripAndDespNests)
{
    window.controls[1040] = Edges(300, 40, 590, 90); // 16: a frame for a group
    window.controls[1041] = Edges(310, 50, 400, 70); // 17
    elements.insert(elements.begin(), Group(9, {17}, 15, 16));
    ApplyLayoutDefinition(resizer, elements, true);
    EXPECT_EQ(resizer.VisiblePanels().size(), 2u);
    EXPECT_EQ(resizer.FindPanel(QStringLiteral("_resizeGrip"))->Parent(), resizer.Root());
    EXPECT_EQ(resizer.FindPanel(QStringLiteral("T9"))->Parent(),
              resizer.FindPanel(QStringLiteral("1040")));
}

} // namespace
} // namespace zk::layout
