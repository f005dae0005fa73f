#include "CContainerUI.h"
#include "CHorizontalLayoutUI.h"
#include "CTabLayoutUI.h"
#include "CVerticalLayoutUI.h"
#include "LayoutMath.h"
#include "TestControls.h"

#include <gtest/gtest.h>

using namespace DuiLib;

namespace {

// Children whose estimate is their fixed size, as for plain controls.
std::vector<ChildPlacement> Vertical(const RECT& rc, int gap,
                                     const std::vector<LayoutChild>& kids) {
    return ComputeVerticalLayout(rc, gap, kids, [&](size_t i, SIZE) { return kids[i].fixedSize; });
}

std::vector<ChildPlacement> Horizontal(const RECT& rc, int gap,
                                       const std::vector<LayoutChild>& kids) {
    return ComputeHorizontalLayout(rc, gap, kids,
                                   [&](size_t i, SIZE) { return kids[i].fixedSize; });
}

LayoutChild Child(LONG width, LONG height) {
    LayoutChild child;
    child.fixedSize = {width, height};
    return child;
}

TEST(VerticalLayoutTest, AutomaticChildrenShareTheHeightAndTheLastKeepsTheGapsEmpty) {
    const std::vector<LayoutChild> kids = {Child(0, 0), Child(0, 30), Child(0, 0)};
    const auto placed = Vertical(test::Rect(0, 0, 50, 100), 5, kids);
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_RECT(placed[0].bounds, 0, 0, 50, 30);
    EXPECT_RECT(placed[1].bounds, 0, 35, 50, 65);
    EXPECT_RECT(placed[2].bounds, 0, 70, 50, 90);

    const auto taller = Vertical(test::Rect(0, 0, 50, 101), 5, kids);
    EXPECT_RECT(taller[0].bounds, 0, 0, 50, 30);
    EXPECT_RECT(taller[1].bounds, 0, 35, 50, 65);
    EXPECT_RECT(taller[2].bounds, 0, 70, 50, 91);
}

TEST(VerticalLayoutTest, AMinimumHeightOverflowsTheLayout) {
    LayoutChild automatic = Child(0, 0);
    automatic.minSize.cy = 50;
    const auto placed = Vertical(test::Rect(0, 0, 50, 100), 0, {Child(0, 80), automatic});
    EXPECT_RECT(placed[0].bounds, 0, 0, 50, 80);
    EXPECT_RECT(placed[1].bounds, 0, 80, 50, 130);

    LayoutChild capped = Child(0, 0);
    capped.maxSize.cy = 15;
    const auto limited = Vertical(test::Rect(0, 0, 50, 100), 0, {capped, Child(0, 0)});
    EXPECT_RECT(limited[0].bounds, 0, 0, 50, 15);
    EXPECT_RECT(limited[1].bounds, 0, 15, 50, 100);
}

TEST(VerticalLayoutTest, PaddingLiesInsideTheChildsRectangle) {
    LayoutChild padded = Child(0, 20);
    padded.padding = test::Rect(3, 4, 5, 6);
    const auto placed = Vertical(test::Rect(0, 0, 50, 100), 0, {padded, Child(0, 10)});
    EXPECT_RECT(placed[0].bounds, 3, 4, 45, 30);
    EXPECT_RECT(placed[1].bounds, 0, 30, 50, 40);
}

TEST(VerticalLayoutTest, WidthsAreFixedOrFullAndClamped) {
    LayoutChild narrow = Child(0, 10);
    narrow.maxSize.cx = 30;
    LayoutChild wide = Child(0, 10);
    wide.minSize.cx = 80;
    const auto placed =
        Vertical(test::Rect(10, 20, 60, 120), 0, {Child(20, 10), Child(0, 10), narrow, wide});
    EXPECT_RECT(placed[0].bounds, 10, 20, 30, 30);
    EXPECT_RECT(placed[1].bounds, 10, 30, 60, 40);
    EXPECT_RECT(placed[2].bounds, 10, 40, 40, 50);
    EXPECT_RECT(placed[3].bounds, 10, 50, 90, 60);
}

TEST(VerticalLayoutTest, HiddenChildrenAreSkippedAndFloatChildrenLeftToThemselves) {
    LayoutChild hidden = Child(0, 40);
    hidden.visible = false;
    LayoutChild floating = Child(0, 40);
    floating.isFloat = true;
    const auto placed =
        Vertical(test::Rect(0, 0, 50, 100), 5, {hidden, Child(0, 0), floating, Child(0, 0)});
    EXPECT_EQ(placed[0].kind, PlacementKind::kSkip);
    EXPECT_EQ(placed[2].kind, PlacementKind::kFloat);
    // Two laid-out children: one gap.
    EXPECT_RECT(placed[1].bounds, 0, 0, 50, 47);
    EXPECT_RECT(placed[3].bounds, 0, 52, 50, 95);
}

TEST(HorizontalLayoutTest, FixedAutomaticAndClampedWidths) {
    LayoutChild capped = Child(0, 0);
    capped.maxSize.cx = 30;
    const auto placed =
        Horizontal(test::Rect(0, 0, 200, 50), 10, {Child(50, 0), Child(0, 20), capped});
    EXPECT_RECT(placed[0].bounds, 0, 0, 50, 50);
    EXPECT_RECT(placed[1].bounds, 60, 0, 125, 20);
    EXPECT_RECT(placed[2].bounds, 135, 0, 165, 50);
}

TEST(HorizontalLayoutTest, RightPaddingLiesInsideTheChildsRectangleButNotTheBottom) {
    LayoutChild padded = Child(20, 0);
    padded.padding = test::Rect(5, 3, 7, 2);
    const auto placed = Horizontal(test::Rect(10, 10, 110, 60), 0, {padded, Child(0, 0)});
    EXPECT_RECT(placed[0].bounds, 15, 13, 42, 58);
    // The last automatic child still counts the first child's paddings as space to leave.
    EXPECT_RECT(placed[1].bounds, 42, 10, 98, 60);
}

TEST(FloatPlacementTest, NegativeOffsetsCountFromTheRightAndBottom) {
    const FloatPlacement placed =
        ComputeFloatBounds(test::Rect(0, 0, 100, 100), SIZE{-10, 10}, SIZE{20, 20}, {});
    EXPECT_RECT(placed.bounds, 70, 10, 90, 30);
    const FloatPlacement corner =
        ComputeFloatBounds(test::Rect(10, 10, 110, 110), SIZE{5, -5}, SIZE{20, 20}, {});
    EXPECT_RECT(corner.bounds, 15, 85, 35, 105);
}

TEST(FloatPlacementTest, RelativePositionsFollowTheParentsGrowth) {
    RelativePos relative;
    relative.relative = true;
    relative.moveXPercent = 50;
    relative.zoomYPercent = 100;
    FloatPlacement first =
        ComputeFloatBounds(test::Rect(0, 0, 100, 100), SIZE{10, 10}, SIZE{20, 20}, relative);
    EXPECT_RECT(first.bounds, 10, 10, 30, 30);
    EXPECT_EQ(first.parentSize.cx, 100);
    relative.parentSize = first.parentSize;
    const FloatPlacement grown =
        ComputeFloatBounds(test::Rect(0, 0, 200, 150), SIZE{10, 10}, SIZE{20, 20}, relative);
    EXPECT_RECT(grown.bounds, 60, 10, 80, 80);
    EXPECT_EQ(grown.parentSize.cx, 200);
    EXPECT_EQ(grown.parentSize.cy, 150);
}

TEST(TabPageTest, ThePageFillsTheLayoutLessItsPaddingWithinItsLimits) {
    LayoutChild page;
    page.padding = test::Rect(1, 2, 3, 4);
    EXPECT_RECT(ComputeTabPageBounds(test::Rect(0, 0, 100, 50), page, SIZE{0, 0}), 1, 2, 97, 46);
    EXPECT_RECT(ComputeTabPageBounds(test::Rect(0, 0, 100, 50), page, SIZE{30, 0}), 1, 2, 31, 46);
    page.maxSize = {40, kMaxControlSize};
    EXPECT_RECT(ComputeTabPageBounds(test::Rect(0, 0, 100, 50), page, SIZE{0, 0}), 1, 2, 41, 46);
}

// The same arithmetic applied through the layout classes.
TEST(LayoutApplyTest, AVerticalLayoutPlacesItsChildrenInsideItsInset) {
    CVerticalLayoutUI layout;
    layout.SetInset(test::Rect(10, 20, 10, 0));
    layout.SetChildPadding(5);
    CControlUI* first = layout.Add(std::make_unique<CControlUI>());
    CControlUI* second = layout.Add(std::make_unique<CControlUI>());
    second->SetFixedHeight(30);
    CControlUI* third = layout.Add(std::make_unique<CControlUI>());
    layout.SetBounds(test::Rect(0, 0, 70, 120));
    EXPECT_RECT(first->Bounds(), 10, 20, 60, 50);
    EXPECT_RECT(second->Bounds(), 10, 55, 60, 85);
    EXPECT_RECT(third->Bounds(), 10, 90, 60, 110);
}

TEST(LayoutApplyTest, ChildrenMeasureWithTheSpaceLeft) {
    CHorizontalLayoutUI layout;
    auto* first = layout.Add(std::make_unique<test::SizedControl>(SIZE{40, 0}));
    auto* second = layout.Add(std::make_unique<test::SizedControl>(SIZE{0, 0}));
    second->SetPadding(test::Rect(6, 0, 0, 0));
    layout.SetBounds(test::Rect(0, 0, 100, 30));
    EXPECT_RECT(first->Bounds(), 0, 0, 40, 30);
    EXPECT_RECT(second->Bounds(), 46, 0, 94, 30);
    ASSERT_EQ(second->offered.size(), 2u);
    EXPECT_EQ(second->offered[0].cx, 100);
    EXPECT_EQ(second->offered[1].cx, 54);
    EXPECT_EQ(second->offered[1].cy, 30);
}

TEST(LayoutApplyTest, FloatChildrenArePlacedByTheirOffset) {
    test::FakeHost host;
    CContainerUI container;
    container.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    CControlUI* floating = container.Add(std::make_unique<CControlUI>());
    floating->SetFloat(true);
    floating->SetFixedXY(SIZE{-10, 10});
    floating->SetFixedWidth(20);
    floating->SetFixedHeight(20);
    CControlUI* filler = container.Add(std::make_unique<CControlUI>());
    container.SetInset(test::Rect(5, 5, 5, 5));
    container.SetBounds(test::Rect(0, 0, 100, 100));
    EXPECT_RECT(floating->Bounds(), 70, 10, 90, 30);
    EXPECT_RECT(filler->Bounds(), 5, 5, 95, 95);
    // Placing it remembered where it is, counted from the right edge.
    EXPECT_EQ(floating->FixedXY().cx, -10);

    container.SetBounds(test::Rect(0, 0, 200, 100));
    EXPECT_RECT(floating->Bounds(), 170, 10, 190, 30);
}

}  // namespace
