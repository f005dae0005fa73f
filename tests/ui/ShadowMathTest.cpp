#include "ShadowMath.h"

#include "ShadowPixelCheck.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<ShadowSpan> FullRows(int width, int height) {
    return std::vector<ShadowSpan>(height, ShadowSpan{0, width});
}

ShadowSettings Settings(int size, int sharpness, int darkness, int xOffset, int yOffset,
                        COLORREF colour) {
    ShadowSettings settings;
    settings.size = static_cast<int8_t>(size);
    settings.sharpness = static_cast<uint8_t>(sharpness);
    settings.darkness = static_cast<uint8_t>(darkness);
    settings.xOffset = static_cast<int8_t>(xOffset);
    settings.yOffset = static_cast<int8_t>(yOffset);
    settings.colour = colour;
    return settings;
}

TEST(ShadowMathTest, WindowSizeAndOriginSurroundTheParent) {
    struct Case {
        int width, height, size, xOffset, yOffset, left, top;
        SIZE expectedSize;
        POINT expectedOrigin;
    };
    const Case cases[] = {
        {600, 400, 27, 0, 0, 100, 50, {654, 454}, {73, 23}},
        {600, 400, 0, 5, 5, 100, 50, {600, 400}, {105, 55}},
        {40, 30, 8, 0, 12, -10, -20, {56, 46}, {-18, -16}},
    };
    for (const Case& c : cases) {
        const SIZE size = ShadowWindowSize(c.width, c.height, c.size);
        EXPECT_EQ(size.cx, c.expectedSize.cx);
        EXPECT_EQ(size.cy, c.expectedSize.cy);
        const POINT origin =
            ShadowWindowOrigin(c.left, c.top, Settings(c.size, 5, 150, c.xOffset, c.yOffset, 0));
        EXPECT_EQ(origin.x, c.expectedOrigin.x);
        EXPECT_EQ(origin.y, c.expectedOrigin.y);
    }
}

TEST(ShadowMathTest, PremultipliedPixelScalesEachChannelAndRoundsDown) {
    struct Case {
        COLORREF colour;
        uint8_t alpha;
        uint32_t expected;
    };
    const Case cases[] = {
        {RGB(0, 0, 0), 150, 0x96000000u},
        {RGB(0x40, 0x80, 0xFF), 125, 0x7D1F3E7Du},  // 64*125/255 = 31, 128*125/255 = 62
        {RGB(0xFF, 0xFF, 0xFF), 255, 0xFFFFFFFFu},
        {RGB(0xFF, 0x10, 0x01), 0, 0u},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PremultipliedPixel(c.colour, c.alpha), c.expected);
    }
}

TEST(ShadowMathTest, RowSpansAreMovedBySizeAndErodedBySharpnessMinusSize) {
    // 10 x 4 parent, size 0, sharpness 1: one erosion pass; rows sit at entries 1..4.
    const std::vector<ShadowSpan> spans =
        ShadowRowSpans(FullRows(10, 4), 10, Settings(0, 1, 150, 0, 0, 0));
    ASSERT_EQ(spans.size(), 6u);
    EXPECT_TRUE(spans[0].IsEmpty());
    EXPECT_TRUE(spans[1].IsEmpty());  // next to the empty first entry
    EXPECT_EQ(spans[2], (ShadowSpan{1, 9}));
    EXPECT_EQ(spans[3], (ShadowSpan{1, 9}));
    EXPECT_TRUE(spans[4].IsEmpty());
    EXPECT_TRUE(spans[5].IsEmpty());

    // Size 2 >= sharpness 1: no erosion, rows moved right and down by 2.
    const std::vector<ShadowSpan> moved =
        ShadowRowSpans({{0, 10}, {3, 7}, {10, 0}}, 10, Settings(2, 1, 150, 0, 0, 0));
    ASSERT_EQ(moved.size(), 9u);
    EXPECT_EQ(moved[3], (ShadowSpan{2, 12}));
    EXPECT_EQ(moved[4], (ShadowSpan{5, 9}));
    EXPECT_EQ(moved[5], (ShadowSpan{10, 0}));  // a row the region misses stays empty
    for (size_t index : {0u, 1u, 2u, 6u, 7u, 8u}) {
        EXPECT_TRUE(moved[index].IsEmpty()) << index;
    }
}

TEST(ShadowMathTest, KernelFallsOffFromTheCoreToTheSoftEdge) {
    // size 8, sharpness 3: radius 8, fully dark inside distance 5, then a 4-step fall-off.
    const ShadowSettings settings = Settings(8, 3, 200, 0, 0, RGB(0, 0, 0));
    const std::vector<uint32_t> kernel = ShadowKernel(settings);
    ASSERT_EQ(kernel.size(), 17u * 17u);
    auto alphaAt = [&](int dy, int dx) { return kernel[(8 + dy) * 17 + (8 + dx)] >> 24; };
    struct Case {
        int dy, dx;
        uint32_t alpha;
    };
    const Case cases[] = {
        {0, 0, 200}, {0, 4, 200},  // d < 5: core
        {0, 5, 200},               // d = 5: (1 - 0/4) * 200
        {0, 6, 150},               // (1 - 1/4) * 200
        {0, 8, 50},                // (1 - 3/4) * 200
        {5, 5, 96},                // d = 7.07: (1 - 2.07/4) * 200 = 96.4
        {8, 8, 0},                 // beyond the radius
    };
    for (const Case& c : cases) {
        EXPECT_EQ(alphaAt(c.dy, c.dx), c.alpha) << c.dy << "," << c.dx;
    }
}

TEST(ShadowMathTest, OffsetShadowOfARectangularParent) {
    // The default look: 40 x 30 parent, size 0, sharpness 5, darkness 150, offsets 5, 5. The
    // shadow window covers the parent's rectangle moved 5 right and down; the kernel (radius
    // 5, alpha (1 - d/6) * 150) is stamped along the eroded outline (5..35 x 5..25).
    const std::vector<uint32_t> pixels =
        ComputeShadowPixels(FullRows(40, 30), 40, Settings(0, 5, 150, 5, 5, RGB(0, 0, 0)));
    test::ExpectShadowPixels(
        pixels, 40, 30,
        {
            {15, 35, 0x7D000000u, "one pixel right of the stamp at column 34: (5/6) * 150 = 125"},
            {15, 39, 0x18000000u, "five pixels out: (1/6) * 150 = 24.99, truncated"},
            {15, 20, 0u, "covered by the parent: cut out"},
            {15, 4, 0u, "left soft edge lies under the parent: cut out"},
            {27, 20, 0x4B000000u, "three rows below the last stamped row: (1/2) * 150"},
            {2, 36, 0x3B000000u, "corner, 3 up and 2 right of the stamp at (5, 34): d = 3.61"},
            {0, 37, 0u, "beyond the kernel's reach"},
        });
}

TEST(ShadowMathTest, ShadowAroundTheParentWithCoreAndColour) {
    // 20 x 30 parent, size 8, sharpness 3, darkness 200, offsets 0, 12, colour R 0x40 G 0x80
    // B 0xFF. Rows 26..37 lie below the parent's covered rows and get the core colour.
    const COLORREF colour = RGB(0x40, 0x80, 0xFF);
    const std::vector<uint32_t> pixels =
        ComputeShadowPixels(FullRows(20, 30), 20, Settings(8, 3, 200, 0, 12, colour));
    test::ExpectShadowPixels(
        pixels, 36, 46,
        {
            {30, 18, 0xC83264C8u, "below the parent: core (200, premultiplied colour)"},
            {12, 0, 0x320C1932u, "eight pixels left of the outline: (1 - 3/4) * 200 = 50"},
            {12, 3, 0xC83264C8u, "five pixels out: still the full darkness"},
            {12, 2, 0x96254B96u, "six pixels out: 150"},
            {3, 3, 0x60183060u, "outer corner, d = 7.07: 96"},
            {0, 0, 0u, "corner beyond the radius"},
            {20, 10, 0u, "covered by the parent: cut out"},
        });
}

TEST(ShadowMathTest, NoSizeAndNoOffsetLeavesNothingVisible) {
    // What the frame falls back to when its shadow picture is missing.
    const std::vector<uint32_t> pixels =
        ComputeShadowPixels(FullRows(20, 10), 20, Settings(0, 5, 150, 0, 0, RGB(0, 0, 0)));
    ASSERT_EQ(pixels.size(), 200u);
    for (uint32_t pixel : pixels) {
        EXPECT_EQ(pixel, 0u);
    }
}

TEST(ShadowMathTest, DegenerateParentsGiveNoPixelsAndNoCrash) {
    EXPECT_TRUE(ComputeShadowPixels({}, 0, Settings(0, 5, 150, 5, 5, 0)).empty());
    EXPECT_TRUE(ComputeShadowPixels(FullRows(4, 4), 4, Settings(-3, 5, 150, 5, 5, 0)).empty());
    // A parent whose region misses every row: only the cut-out arithmetic runs.
    const std::vector<uint32_t> pixels = ComputeShadowPixels(
        std::vector<ShadowSpan>(6, ShadowSpan{8, 0}), 8, Settings(2, 1, 150, 1, 1, 0));
    EXPECT_EQ(pixels.size(), 12u * 10u);
}

}  // namespace
