#include "forms/layout/wnd_resizer.h"

#include "tests/forms/fake_window.h"

#include <gtest/gtest.h>

namespace zk::layout {
namespace {

using test::Edges;
using test::FakeWindow;

constexpr int kA = 1025;
constexpr int kB = 1026;
constexpr int kC = 1027;

struct AnchorCase {
    const char* name;
    QRect control;
    int anchor;
    QSize window; // the client size after the resize
    QRect expected;
};

TEST(WndResizerAnchors, PlaceControlsFromTheirAnchors)
{
    const std::vector<AnchorCase> cases = {
        {"left and right grow", Edges(10, 10, 390, 30), 5, {600, 300}, Edges(10, 10, 590, 30)},
        {"left and right shrink", Edges(10, 10, 390, 30), 5, {200, 300}, Edges(10, 10, 190, 30)},
        {"stop at 10 pixels", Edges(10, 10, 390, 30), 5, {25, 300}, Edges(10, 10, 20, 30)},
        {"bit 64 keeps the right edge",
         Edges(10, 10, 390, 30),
         5 | 64,
         {25, 300},
         Edges(5, 10, 15, 30)},
        {"right keeps width and distance",
         Edges(300, 10, 380, 30),
         4,
         {600, 300},
         Edges(500, 10, 580, 30)},
        {"bottom keeps height and distance",
         Edges(10, 250, 100, 280),
         8,
         {400, 500},
         Edges(10, 450, 100, 480)},
        {"top and bottom stop at 10",
         Edges(10, 10, 100, 290),
         10,
         {400, 15},
         Edges(10, 10, 100, 20)},
        {"bit 128 keeps the bottom edge",
         Edges(10, 10, 100, 290),
         10 | 128,
         {400, 15},
         Edges(10, -5, 100, 5)},
        {"thin line widened", Edges(10, 50, 300, 52), 3, {400, 300}, Edges(10, 50, 300, 60)},
        {"centred", Edges(150, 100, 250, 200), 48, {600, 500}, Edges(250, 200, 350, 300)},
        {"centred below its minimum",
         Edges(150, 100, 154, 200),
         16 | 2,
         {600, 300},
         Edges(295, 100, 305, 200)},
    };
    for (const AnchorCase& c : cases) {
        FakeWindow window;
        window.controls[kA] = c.control;
        CWndResizer resizer;
        ASSERT_TRUE(resizer.Hook(window));
        ASSERT_TRUE(resizer.SetAnchor(kA, c.anchor)) << c.name;
        window.Resize(c.window.width(), c.window.height());
        resizer.Relayout();
        EXPECT_EQ(window.controls[kA], c.expected) << c.name;
    }
}

TEST(WndResizerAnchors, CompletionLimitsAndMissingControls)
{
    FakeWindow window;
    window.controls[kA] = Edges(300, 10, 380, 30);
    CWndResizer resizer;
    resizer.Hook(window);
    EXPECT_FALSE(resizer.SetAnchor(kB, 3)) << "no such control";
    EXPECT_FALSE(resizer.SetAnchor(QStringLiteral("T9"), 3)) << "no such panel";
    ASSERT_TRUE(resizer.SetAnchor(kA, 4));
    CPanel* panel = resizer.FindPanel(QStringLiteral("1025"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Anchor(), 4 | 2) << "top is added to a right-only anchor";
    panel->SetAnchor(8);
    EXPECT_EQ(panel->Anchor(), 8 | 1);
    panel->SetAnchor(0);
    EXPECT_EQ(panel->Anchor(), 3);

    EXPECT_FALSE(panel->SetMinSize(QSize(200000, 10)));
    EXPECT_TRUE(panel->SetMaxSize(QSize(50, 100)));
    EXPECT_FALSE(panel->SetMinSize(QSize(60, 10)));
    EXPECT_FALSE(panel->SetMaxSize(QSize(5, 100)));
    EXPECT_EQ(panel->Describe(),
              QStringLiteral("Name(1025), Type(CUIPanel), Anchor(3), Size(w:80, h:20), "
                             "Area(l:300, t:10, r:380, b:30), MinSize(w:10, h:10), "
                             "MaxSize(w:50, h:100), Parent(_root), ChildrenCount(0)"));
    resizer.Relayout();
    EXPECT_EQ(window.controls[kA], Edges(300, 10, 350, 30)) << "cut to the maximum";
}

TEST(WndResizerRoot, ScrollShiftsTheRootAndLimitsBoundIt)
{
    FakeWindow window;
    window.Resize(200, 100);
    window.controls[kA] = Edges(10, 10, 50, 30);
    window.controls[kB] = Edges(150, 10, 190, 30);
    CWndResizer resizer;
    resizer.Hook(window);
    resizer.SetAnchor(kA, 3);
    resizer.SetAnchor(kB, 4);
    window.scroll = ScrollInfo{true, 500, 40, true, 300, 120};
    resizer.Relayout();
    EXPECT_EQ(resizer.Root()->Rect(), Edges(-40, -120, 460, 180));
    EXPECT_EQ(window.controls[kA], Edges(-30, -110, 10, -90));
    EXPECT_EQ(window.controls[kB], Edges(410, -110, 450, -90)) << "right of the whole extent";

    window.scroll = ScrollInfo{};
    ASSERT_TRUE(resizer.Root()->SetMinSize(QSize(300, 50)));
    ASSERT_TRUE(resizer.Root()->SetMaxSize(QSize(1000, 80)));
    resizer.Relayout();
    EXPECT_EQ(resizer.Root()->Rect(), Edges(0, 0, 300, 80));
    EXPECT_EQ(window.controls[kB], Edges(250, 10, 290, 30));
    EXPECT_EQ(window.minimum, QSize(300, 50));
    EXPECT_EQ(window.maximum, QSize(1000, 80));
    EXPECT_EQ(window.batches, 2) << "one batch per layout";
}

TEST(WndResizerRoot, ResizeGripFollowsTheCorner)
{
    FakeWindow window;
    CWndResizer resizer;
    resizer.Hook(window);
    CPanel* grip = resizer.FindPanel(QStringLiteral("_resizeGrip"));
    ASSERT_NE(grip, nullptr);
    EXPECT_EQ(grip->Rect(), Edges(384, 284, 400, 300));
    EXPECT_TRUE(resizer.VisiblePanels().empty());
    resizer.ShowResizeGrip(true);
    window.Resize(500, 350);
    resizer.Relayout();
    ASSERT_EQ(resizer.VisiblePanels().size(), 1u);
    EXPECT_EQ(resizer.VisiblePanels()[0]->Rect(), Edges(484, 334, 500, 350));
}

// Two panes side by side: A 0..100, a 10-pixel gap, B 110..200.
class SplitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.Resize(200, 100);
        window.controls[kA] = Edges(0, 0, 100, 100);
        window.controls[kB] = Edges(110, 0, 200, 100);
        window.controls[kC] = Edges(0, 0, 10, 10); // outside the split
        resizer.Hook(window);
        resizer.SetAnchor(kC, 3);
    }

    CSplitContainer* Split()
    {
        if (!resizer.CreateSplitContainer(QStringLiteral("S1"), kA, kB))
            return nullptr;
        resizer.SetAnchor(QStringLiteral("S1"), 15);
        return dynamic_cast<CSplitContainer*>(resizer.FindPanel(QStringLiteral("S1")));
    }

    void ResizeTo(int width)
    {
        window.Resize(width, 100);
        resizer.Relayout();
    }

    FakeWindow window;
    CWndResizer resizer;
};

TEST_F(SplitTest, KeepsTheRatioAndDragChangesIt)
{
    CSplitContainer* split = Split();
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(split->GetOrientation(), Orientation::SideBySide);
    EXPECT_EQ(split->SplitterWidth(), 10);
    EXPECT_DOUBLE_EQ(split->Ratio(), 0.5);
    EXPECT_EQ(split->Pane1()->Anchor(), 11);
    EXPECT_EQ(split->Pane2()->Anchor(), 14);
    ResizeTo(400);
    EXPECT_EQ(window.controls[kA], Edges(0, 0, 200, 100));
    EXPECT_EQ(window.controls[kB], Edges(210, 0, 400, 100));
    EXPECT_EQ(split->Splitter()->Rect(), Edges(200, 0, 210, 100));

    // Grab the bar 5 pixels into it and drag it to x = 105.
    resizer.OnMouseMove(QPoint(205, 50), false, true);
    ASSERT_EQ(resizer.ActiveSplitter(), split->Splitter());
    resizer.OnLeftButtonDown(QPoint(205, 50));
    const int batches = window.batches;
    resizer.OnMouseMove(QPoint(105, 50), true, true);
    EXPECT_EQ(window.batches, batches + 1);
    EXPECT_EQ(window.lastBatch, (std::vector<int>{kA, kB})) << "only the container's controls";
    EXPECT_EQ(window.controls[kA], Edges(0, 0, 100, 100));
    EXPECT_EQ(window.controls[kB], Edges(110, 0, 400, 100));
    EXPECT_DOUBLE_EQ(split->Ratio(), 0.25);
    resizer.OnLeftButtonUp(QPoint(105, 50), true);
    EXPECT_FALSE(resizer.IsDragging());

    ResizeTo(800);
    EXPECT_EQ(window.controls[kA], Edges(0, 0, 200, 100)) << "later resizes keep the new ratio";
    EXPECT_EQ(window.controls[kB], Edges(210, 0, 800, 100));
}

TEST_F(SplitTest, PointerActivatesOnlyOverTheFormItself)
{
    CSplitContainer* split = Split();
    ASSERT_NE(split, nullptr);
    resizer.Relayout();
    resizer.OnMouseMove(QPoint(105, 50), false, false);
    EXPECT_EQ(resizer.ActiveSplitter(), nullptr) << "over another window";
    resizer.OnMouseMove(QPoint(50, 50), false, true);
    EXPECT_EQ(resizer.ActiveSplitter(), nullptr) << "not over the splitter";
    resizer.OnMouseMove(QPoint(105, 50), false, true);
    EXPECT_NE(resizer.ActiveSplitter(), nullptr);
    resizer.OnMouseMove(QPoint(120, 50), false, true);
    EXPECT_EQ(resizer.ActiveSplitter(), nullptr) << "left the splitter";
    // A press elsewhere does not start a drag, and moves with the button held
    // do nothing without one.
    resizer.OnLeftButtonDown(QPoint(50, 50));
    resizer.OnMouseMove(QPoint(60, 50), true, true);
    EXPECT_FALSE(resizer.IsDragging());
    EXPECT_EQ(window.controls[kA], Edges(0, 0, 100, 100));
}

TEST_F(SplitTest, PaneMinimumsHoldAndPaneBWins)
{
    window.controls[kA] = Edges(0, 0, 100, 100);
    CSplitContainer* split = Split();
    ASSERT_NE(split, nullptr);
    // The wrapper took over the pane's name: limits are set on it.
    ASSERT_EQ(resizer.FindPanel(QStringLiteral("1026")), split->Pane2());
    split->Pane2()->SetMinSize(QSize(150, 10));
    resizer.Relayout();
    EXPECT_EQ(window.controls[kB], Edges(50, 0, 200, 100));
    EXPECT_EQ(window.controls[kA], Edges(0, 0, 40, 100));

    split->Pane1()->SetMinSize(QSize(120, 10));
    resizer.Relayout();
    EXPECT_EQ(window.controls[kB], Edges(50, 0, 200, 100)) << "pane B's minimum wins";
    EXPECT_EQ(window.controls[kA], Edges(0, 0, 40, 100)) << "pane A is cut";
    ResizeTo(600);
    EXPECT_EQ(window.controls[kA], Edges(0, 0, 300, 100));

    // Too narrow for pane B alone: pane A shrinks to nothing, never below;
    // its control keeps the 10 pixels every control keeps.
    ResizeTo(60);
    EXPECT_EQ(split->Pane1()->Rect(), Edges(0, 0, 0, 100));
    EXPECT_EQ(window.controls[kA], Edges(0, 0, 10, 100));
    EXPECT_EQ(window.controls[kB], Edges(-90, 0, 60, 100));
}

TEST_F(SplitTest, StackedPanes)
{
    window.controls[kA] = Edges(0, 0, 200, 40);
    window.controls[kB] = Edges(0, 46, 200, 100);
    CSplitContainer* split = Split();
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(split->GetOrientation(), Orientation::Stacked);
    EXPECT_EQ(split->Pane1()->Anchor(), 7);
    EXPECT_EQ(split->Pane2()->Anchor(), 13);
    ASSERT_TRUE(resizer.ShowSplitterGrip(QStringLiteral("S1"), true));
    window.Resize(300, 200);
    resizer.Relayout();
    EXPECT_EQ(window.controls[kA], Edges(0, 0, 300, 80));
    EXPECT_EQ(window.controls[kB], Edges(0, 86, 300, 200));
    // The dotted grip: 12 long, at least 2 across, centred in the bar.
    EXPECT_EQ(split->Splitter()->Grip()->Rect(), Edges(144, 82, 156, 84));
    EXPECT_EQ(resizer.VisiblePanels().size(), 1u);
}

struct SplitFailure {
    const char* name;
    QRect a;
    QRect b;
};

TEST_F(SplitTest, CreationFailuresChangeNothing)
{
    const std::vector<SplitFailure> geometry = {
        {"overlap", Edges(0, 0, 120, 100), Edges(110, 0, 200, 100)},
        {"touching", Edges(0, 0, 110, 100), Edges(110, 0, 200, 100)},
        {"B left of A", Edges(110, 0, 200, 100), Edges(0, 0, 100, 100)},
        {"diagonal overlap in both axes", Edges(0, 0, 120, 120), Edges(100, 100, 200, 200)},
    };
    for (const SplitFailure& f : geometry) {
        FakeWindow w;
        w.controls[kA] = f.a;
        w.controls[kB] = f.b;
        CWndResizer r;
        r.Hook(w);
        EXPECT_FALSE(r.CreateSplitContainer(QStringLiteral("S1"), kA, kB)) << f.name;
        EXPECT_EQ(r.FindPanel(QStringLiteral("1025")), nullptr) << f.name;
        EXPECT_EQ(r.Root()->Children().size(), 1u) << f.name << ": only the grip";
    }
    EXPECT_FALSE(resizer.CreateSplitContainer(QStringLiteral("S1"), kA, 2000)) << "missing pane";
    EXPECT_EQ(resizer.FindPanel(QStringLiteral("1025")), nullptr);
    EXPECT_FALSE(resizer.CreateSplitContainer(QStringLiteral("S1"), kA, kA)) << "same pane";
    EXPECT_FALSE(resizer.CreateSplitContainer(QStringLiteral("T1"), QStringLiteral("T5"), kB))
        << "no panel T5";
    EXPECT_FALSE(resizer.CreateSplitContainer(QStringLiteral("1027"), kA, kB)) << "name taken";
    EXPECT_FALSE(resizer.CreateSplitContainer(QStringLiteral("S1"), QStringLiteral("_root"), kB));
    ASSERT_TRUE(resizer.CreateSplitContainer(QStringLiteral("S1"), kA, kB));
    window.controls[1028] = Edges(0, 110, 200, 150);
    EXPECT_FALSE(resizer.CreateSplitContainer(QStringLiteral("S2"), kB, 1028))
        << "already a split pane";
    EXPECT_FALSE(resizer.FindPanel(QStringLiteral("S1"))
                     ->AddChild(std::make_unique<CPanel>(QRect(0, 0, 5, 5))))
        << "a container holds its three children only";
}

struct FlowCase {
    const char* name;
    int direction;
    std::vector<QRect> controls;
    QRect extra; // widens the union to the panel's size
    std::vector<QRect> expected;
};

TEST(WndResizerFlow, ArrangesInRowsAndColumns)
{
    const std::vector<FlowCase> cases = {
        {"two per row in 250 pixels",
         1,
         {Edges(0, 0, 100, 20), Edges(0, 30, 100, 50), Edges(0, 60, 100, 80)},
         Edges(240, 0, 250, 10),
         {Edges(0, 0, 100, 20), Edges(110, 0, 210, 20), Edges(0, 25, 100, 45)}},
        {"row height is the tallest",
         1,
         {Edges(0, 0, 100, 40), Edges(0, 50, 100, 70), Edges(0, 80, 100, 100)},
         Edges(240, 0, 250, 10),
         {Edges(0, 0, 100, 40), Edges(110, 0, 210, 20), Edges(0, 45, 100, 65)}},
        {"columns top to bottom",
         2,
         {Edges(0, 0, 100, 20), Edges(0, 30, 100, 50), Edges(200, 0, 260, 20)},
         Edges(0, 0, 10, 55),
         {Edges(0, 0, 100, 20), Edges(0, 25, 100, 45), Edges(110, 0, 170, 20)}},
    };
    for (const FlowCase& c : cases) {
        FakeWindow window;
        QList<int> ids;
        for (size_t k = 0; k < c.controls.size(); ++k) {
            window.controls[kA + int(k)] = c.controls[k];
            ids.append(kA + int(k));
        }
        window.controls[1100] = c.extra;
        ids.append(1100);
        CWndResizer resizer;
        resizer.Hook(window);
        ASSERT_TRUE(resizer.CreateFlowLayoutPanel(QStringLiteral("T1"), ids)) << c.name;
        // The extra control only sizes the panel; keep it out of the way.
        resizer.FindPanel(QStringLiteral("T1"))->RemoveChild(resizer.FindPanel("1100"));
        ASSERT_TRUE(resizer.SetFlowSpacing(QStringLiteral("T1"), 10, 5));
        ASSERT_TRUE(resizer.SetFlowDirection(QStringLiteral("T1"), c.direction));
        resizer.SetAnchor(QStringLiteral("T1"), 3);
        resizer.Relayout();
        for (size_t k = 0; k < c.expected.size(); ++k)
            EXPECT_EQ(window.controls[kA + int(k)], c.expected[k]) << c.name << " #" << k;
    }
}

TEST(WndResizerFlow, FailsForAnchoredMissingOrRepeatedControls)
{
    FakeWindow window;
    window.controls[kA] = Edges(0, 0, 100, 20);
    window.controls[kB] = Edges(0, 30, 100, 50);
    CWndResizer resizer;
    resizer.Hook(window);
    EXPECT_FALSE(resizer.CreateFlowLayoutPanel(QStringLiteral("T1"), {kA, 2000}));
    EXPECT_FALSE(resizer.CreateFlowLayoutPanel(QStringLiteral("T1"), {kA, kB, kA}));
    EXPECT_FALSE(resizer.CreateFlowLayoutPanel(QStringLiteral("T1"), {}));
    // A group after one of its controls was anchored arranges nothing.
    resizer.SetAnchor(kB, 3);
    EXPECT_FALSE(resizer.SetFlowSpacing(QStringLiteral("1026"), 1, 1)) << "not a flow panel";
    EXPECT_FALSE(resizer.CreateFlowLayoutPanel(QStringLiteral("T1"), {kA, kB}));
    EXPECT_EQ(resizer.FindPanel(QStringLiteral("T1")), nullptr);
    EXPECT_EQ(resizer.FindPanel(QStringLiteral("1025")), nullptr);
    EXPECT_EQ(resizer.FindPanel(QStringLiteral("1026"))->Parent(), resizer.Root());
    EXPECT_FALSE(resizer.CreateFlowLayoutPanel(QStringLiteral("1026"), {kA})) << "name taken";
}

TEST(WndResizerTree, MovePanelIntoAControl)
{
    FakeWindow window;
    window.controls[1030] = Edges(0, 0, 300, 200); // a frame the group sits in
    window.controls[kA] = Edges(10, 10, 110, 30);
    window.controls[kB] = Edges(10, 40, 110, 60);
    CWndResizer resizer;
    resizer.Hook(window);
    ASSERT_TRUE(resizer.CreateFlowLayoutPanel(QStringLiteral("T1"), {kA, kB}));
    ASSERT_TRUE(resizer.MovePanelInto(QStringLiteral("t1"), 1030)) << "names ignore case";
    CPanel* group = resizer.FindPanel(QStringLiteral("T1"));
    EXPECT_EQ(group->Parent(), resizer.FindPanel(QStringLiteral("1030")));
    EXPECT_EQ(group->Margins(), QMargins(10, 10, 190, 140));
    group->SetAnchor(15);
    resizer.SetAnchor(1030, 15);
    window.Resize(500, 300);
    resizer.Relayout();
    EXPECT_EQ(window.controls[1030], Edges(0, 0, 400, 200));
    EXPECT_EQ(group->Rect(), Edges(10, 10, 210, 60));
    EXPECT_EQ(window.controls[kB], Edges(110, 10, 210, 30)) << "room for two in a row now";

    EXPECT_FALSE(resizer.MovePanelInto(QStringLiteral("1030"), kA)) << "into its own content";
    EXPECT_FALSE(resizer.MovePanelInto(QStringLiteral("_root"), 1030));
    EXPECT_FALSE(resizer.MovePanelInto(QStringLiteral("T1"), 2000)) << "no such control";
    EXPECT_FALSE(resizer.MovePanelInto(QStringLiteral("T9"), 1030)) << "no such panel";
}

} // namespace
} // namespace zk::layout
