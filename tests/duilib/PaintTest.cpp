#include "BlendLibrary.h"
#include "CContainerUI.h"
#include "CControlUI.h"
#include "ColorAdjust.h"
#include "RenderPrimitives.h"
#include "TestCanvas.h"
#include "TestControls.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace DuiLib;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;

int Channel(uint32_t rgb, int shift) {
    return static_cast<int>((rgb >> shift) & 0xFF);
}

// Gradients are allowed to differ from the exact value by a little rounding.
bool Near(uint32_t actual, uint32_t expected, int tolerance) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(Channel(actual, shift) - Channel(expected, shift)) > tolerance) {
            return false;
        }
    }
    return true;
}

class PaintTest : public ::testing::Test {
protected:
    void Paint(CControlUI& control) { control.Paint(canvas.Dc(), canvas.Whole()); }

    test::TestCanvas canvas{40, 40};
};

TEST_F(PaintTest, AnOpaqueBackgroundFillsExactlyTheControl) {
    CControlUI control;
    control.SetBounds(test::Rect(10, 10, 30, 20));
    control.SetBkColor(0xFFFF0000);
    Paint(control);
    EXPECT_EQ(canvas.Pixel(10, 10), kRed);
    EXPECT_EQ(canvas.Pixel(29, 19), kRed);
    EXPECT_EQ(canvas.Pixel(30, 19), kWhite);
    EXPECT_EQ(canvas.Pixel(9, 10), kWhite);
    EXPECT_EQ(canvas.CountPixels(kRed), 200);

    // Only the part being painted.
    canvas.Fill(kWhite);
    control.Paint(canvas.Dc(), test::Rect(0, 0, 15, 40));
    EXPECT_EQ(canvas.CountPixels(kRed), 50);
}

TEST_F(PaintTest, TranslucentAndTransparentBackgrounds) {
    CControlUI control;
    control.SetBounds(test::Rect(0, 0, 10, 10));
    control.SetBkColor(0x80FF0000);
    Paint(control);
    EXPECT_PRED3(Near, canvas.Pixel(5, 5), 0xFF7F7Fu, 12);

    canvas.Fill(kWhite);
    control.SetBkColor(0x00FF0000);
    Paint(control);
    EXPECT_EQ(canvas.Pixel(5, 5), kWhite);
}

TEST_F(PaintTest, TwoColoursMakeOneVerticalGradient) {
    CControlUI control;
    control.SetBounds(test::Rect(0, 0, 40, 40));
    control.SetBkColor(0xFF000000);
    control.SetBkColor2(0xFF0000FF);
    Paint(control);
    EXPECT_PRED3(Near, canvas.Pixel(20, 0), 0x000000u, 12);
    EXPECT_PRED3(Near, canvas.Pixel(20, 39), 0x0000FFu, 12);
    EXPECT_PRED3(Near, canvas.Pixel(20, 20), 0x000080u, 24);
    EXPECT_EQ(canvas.Pixel(0, 20), canvas.Pixel(39, 20));
    for (int y = 1; y < 40; ++y) {
        EXPECT_GE(Channel(canvas.Pixel(5, y), 0), Channel(canvas.Pixel(5, y - 1), 0));
    }
}

TEST_F(PaintTest, ThreeColoursMakeTwoGradientsMeetingHalfway) {
    CControlUI control;
    control.SetBounds(test::Rect(0, 0, 40, 40));
    control.ApplyAttributeList(
        L"bkcolor=\"#FFFF0000\" bkcolor2=\"#FF00FF00\" bkcolor3=\"#FF0000FF\"");
    Paint(control);
    EXPECT_PRED3(Near, canvas.Pixel(10, 0), kRed, 12);
    EXPECT_PRED3(Near, canvas.Pixel(10, 20), kGreen, 12);
    EXPECT_PRED3(Near, canvas.Pixel(10, 39), kBlue, 24);
    EXPECT_PRED3(Near, canvas.Pixel(10, 10), 0x808000u, 24);
    EXPECT_PRED3(Near, canvas.Pixel(10, 30), 0x008080u, 24);
}

TEST(GradientBandsTest, BandsStepFromTheSecondColourAtTheFarEndTowardsTheFirst) {
    const auto bands = GradientBands(test::Rect(0, 0, 10, 40), 0xFF000000, 0xFF0000FF,
                                     GradientDirection::kVertical, 3);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_RECT(bands[0].rect, 0, 20, 10, 40);
    EXPECT_EQ(bands[0].color, 0x0000FFu);
    EXPECT_RECT(bands[1].rect, 0, 0, 10, 20);
    EXPECT_EQ(bands[1].color, 0x00007Fu);
    EXPECT_EQ(
        GradientBands(test::Rect(0, 0, 64, 1), 0, 0, GradientDirection::kHorizontal, 16).size(),
        16u);
    EXPECT_EQ(
        GradientBands(test::Rect(0, 0, 64, 1), 0, 0, GradientDirection::kHorizontal, 500).size(),
        64u);

    test::TestCanvas canvas(16, 4);
    FillGradientBands(canvas.Dc(), test::Rect(0, 0, 16, 4), 0xFFFF0000, 0xFF0000FF,
                      GradientDirection::kHorizontal, 4);
    EXPECT_EQ(canvas.Pixel(15, 0), kBlue);
    EXPECT_EQ(canvas.Pixel(12, 0), kBlue);
    EXPECT_EQ(canvas.Pixel(11, 0), 0x3F00BFu);
    EXPECT_EQ(canvas.Pixel(0, 3), 0xBF003Fu);
}

TEST(BlendLibraryTest, BlendingComesFromTheSystemFoldersLibrary) {
    const BlendLibrary& library = GetBlendLibrary();
    ASSERT_NE(library.alphaBlend, nullptr);
    ASSERT_NE(library.gradientFill, nullptr);
    const HMODULE module = ::GetModuleHandleW(L"msimg32.dll");
    ASSERT_NE(module, nullptr);
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(module, path, MAX_PATH);
    wchar_t system[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(::CompareStringOrdinal(path, static_cast<int>(length), system,
                                     static_cast<int>(length), TRUE),
              CSTR_EQUAL)
        << path;
}

class FramePaintTest : public PaintTest {
protected:
    void SetUp() override {
        control.SetBounds(test::Rect(10, 10, 30, 30));
        control.SetBorderColor(0xFFFF0000);
    }
    CControlUI control;
};

TEST_F(FramePaintTest, NoColourNoFrame) {
    CControlUI plain;
    plain.SetBounds(test::Rect(10, 10, 30, 30));
    plain.SetBorderSize(3);
    Paint(plain);
    EXPECT_EQ(canvas.CountPixels(kWhite), 1600);
}

TEST_F(FramePaintTest, ABorderSizeDrawsAnOutlineInsideTheControl) {
    control.SetBorderSize(1);
    Paint(control);
    EXPECT_EQ(canvas.Pixel(10, 20), kRed);
    EXPECT_EQ(canvas.Pixel(29, 20), kRed);
    EXPECT_EQ(canvas.Pixel(20, 10), kRed);
    EXPECT_EQ(canvas.Pixel(20, 29), kRed);
    EXPECT_EQ(canvas.Pixel(11, 20), kWhite);
    EXPECT_EQ(canvas.Pixel(30, 20), kWhite);
    EXPECT_EQ(canvas.CountPixels(kRed), 76);

    canvas.Fill(kWhite);
    control.SetBorderSize(0);
    Paint(control);
    EXPECT_EQ(canvas.CountPixels(kRed), 0);
}

TEST_F(FramePaintTest, TheFocusColourShowsOnlyWhileFocused) {
    control.SetBorderSize(2);
    control.SetFocusBorderColor(0xFF0000FF);
    Paint(control);
    EXPECT_EQ(canvas.Pixel(11, 20), kRed);

    UIEvent focus;
    focus.kind = kEventSetFocus;
    control.HandleEvent(focus);
    Paint(control);
    EXPECT_EQ(canvas.Pixel(10, 20), kBlue);
    EXPECT_EQ(canvas.Pixel(11, 20), kBlue);
    EXPECT_EQ(canvas.Pixel(12, 20), kWhite);
    EXPECT_EQ(canvas.Pixel(28, 20), kBlue);
}

TEST_F(FramePaintTest, ARoundedBorderLeavesTheCornersOut) {
    control.SetBorderSize(1);
    control.SetBorderRound(SIZE{10, 10});
    Paint(control);
    EXPECT_EQ(canvas.Pixel(10, 10), kWhite);
    EXPECT_EQ(canvas.Pixel(20, 10), kRed);
    EXPECT_EQ(canvas.Pixel(10, 20), kRed);
    EXPECT_EQ(canvas.Pixel(20, 20), kWhite);

    UIEvent focus;
    focus.kind = kEventSetFocus;
    control.HandleEvent(focus);
    control.SetFocusBorderColor(0xFF0000FF);
    Paint(control);
    EXPECT_EQ(canvas.Pixel(20, 10), kBlue);
}

TEST_F(FramePaintTest, PerSideWidthsDrawEachSideInsideTheControl) {
    control.SetSideBorderSize(test::Rect(1, 0, 2, 3));
    Paint(control);
    EXPECT_EQ(canvas.Pixel(10, 15), kRed);
    EXPECT_EQ(canvas.Pixel(11, 15), kWhite);
    EXPECT_EQ(canvas.Pixel(20, 10), kWhite);
    EXPECT_EQ(canvas.Pixel(27, 15), kWhite);
    EXPECT_EQ(canvas.Pixel(28, 15), kRed);
    EXPECT_EQ(canvas.Pixel(29, 15), kRed);
    EXPECT_EQ(canvas.Pixel(30, 15), kWhite);
    EXPECT_EQ(canvas.Pixel(20, 26), kWhite);
    EXPECT_EQ(canvas.Pixel(20, 27), kRed);
    EXPECT_EQ(canvas.Pixel(20, 29), kRed);
    EXPECT_EQ(canvas.Pixel(20, 30), kWhite);
    EXPECT_EQ(canvas.Pixel(15, 9), kWhite);
}

TEST_F(PaintTest, ARoundedControlClipsItsBackgroundToTheCorners) {
    CControlUI control;
    control.SetBounds(test::Rect(0, 0, 40, 40));
    control.SetBkColor(0xFF00FF00);
    control.SetBorderRound(SIZE{16, 16});
    Paint(control);
    EXPECT_EQ(canvas.Pixel(0, 0), kWhite);
    EXPECT_EQ(canvas.Pixel(39, 39), kWhite);
    EXPECT_EQ(canvas.Pixel(20, 0), kGreen);
    EXPECT_EQ(canvas.Pixel(20, 20), kGreen);
    // The clip is gone afterwards.
    CControlUI square;
    square.SetBounds(test::Rect(0, 0, 40, 40));
    square.SetBkColor(0xFFFF0000);
    Paint(square);
    EXPECT_EQ(canvas.Pixel(0, 0), kRed);
}

TEST_F(PaintTest, ChildrenArePaintedOnlyInsideTheirContainersInnerRectangle) {
    CContainerUI container;
    CControlUI* child = container.Add(std::make_unique<CControlUI>());
    child->SetBkColor(0xFFFF0000);
    CControlUI* floating = container.Add(std::make_unique<CControlUI>());
    floating->SetFloat(true);
    floating->SetBkColor(0xFF0000FF);
    container.SetInset(test::Rect(2, 2, 2, 2));
    container.SetBounds(test::Rect(10, 10, 30, 30));
    child->SetBounds(test::Rect(0, 0, 40, 40));
    floating->SetBounds(test::Rect(5, 5, 14, 14));
    Paint(container);
    // The child fills the inner 16 x 16 pixels, less the 2 x 2 the float child covers.
    EXPECT_EQ(canvas.CountPixels(kRed), 16 * 16 - 4);
    EXPECT_EQ(canvas.Pixel(12, 20), kRed);
    EXPECT_EQ(canvas.Pixel(27, 27), kRed);
    EXPECT_EQ(canvas.Pixel(11, 20), kWhite);
    EXPECT_EQ(canvas.Pixel(28, 20), kWhite);
    // The float child covers the inset margin, but only inside the container.
    EXPECT_EQ(canvas.Pixel(10, 10), kBlue);
    EXPECT_EQ(canvas.Pixel(13, 13), kBlue);
    EXPECT_EQ(canvas.Pixel(9, 12), kWhite);
    EXPECT_EQ(canvas.CountPixels(kBlue), 16);

    // After painting, the device is not clipped any more.
    CControlUI outside;
    outside.SetBounds(test::Rect(0, 0, 5, 5));
    outside.SetBkColor(0xFF00FF00);
    Paint(outside);
    EXPECT_EQ(canvas.CountPixels(kGreen), 25);
}

TEST_F(PaintTest, HiddenChildrenAndPaintAreasOutsideAreSkipped) {
    CContainerUI container;
    CControlUI* child = container.Add(std::make_unique<CControlUI>());
    child->SetBkColor(0xFFFF0000);
    container.SetBounds(test::Rect(0, 0, 20, 20));
    child->SetVisible(false);
    Paint(container);
    EXPECT_EQ(canvas.CountPixels(kRed), 0);
    child->SetVisible(true);
    container.Paint(canvas.Dc(), test::Rect(20, 20, 40, 40));
    EXPECT_EQ(canvas.CountPixels(kRed), 0);
}

TEST_F(PaintTest, BackgroundImagesGoThroughTheManager) {
    CControlUI loose;
    loose.SetBounds(test::Rect(0, 0, 10, 10));
    loose.SetBkImage(L"file='bg.png'");
    Paint(loose);
    // Without a manager nothing can draw it, and it is dropped.
    EXPECT_EQ(loose.BkImage(), L"");

    test::FakeHost host;
    CControlUI control;
    control.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    control.SetBounds(test::Rect(5, 5, 15, 15));
    control.SetBkImage(L"bg.png");
    Paint(control);
    ASSERT_EQ(host.images.size(), 1u);
    EXPECT_EQ(host.images[0], L"bg.png");
    EXPECT_RECT(host.imageRects[0], 5, 5, 15, 15);
    control.SetEllipseBkImage(true);
    Paint(control);
    EXPECT_EQ(host.images.size(), 1u);
    ASSERT_EQ(host.ellipseImages.size(), 1u);
}

TEST_F(PaintTest, ColourAdjustmentAppliesOnlyToControlsThatAskForIt) {
    SetHslSetting(HslSetting{300, 100, 100});
    CControlUI plain;
    plain.SetBounds(test::Rect(0, 0, 10, 10));
    plain.SetBkColor(0xFFFF0000);
    CControlUI adjusted;
    adjusted.SetBounds(test::Rect(10, 0, 20, 10));
    adjusted.SetBkColor(0xFFFF0000);
    adjusted.SetColorHsl(true);
    Paint(plain);
    Paint(adjusted);
    SetHslSetting(HslSetting{});
    EXPECT_EQ(canvas.Pixel(5, 5), kRed);
    EXPECT_EQ(canvas.Pixel(15, 5), kGreen);
}

}  // namespace
