#include "CScaledImageCache.h"
#include "ImageDrawing.h"
#include "RenderPrimitives.h"
#include "ResourceSettings.h"
#include "PlatformImage.h"
#include "TestCanvas.h"
#include "TestFiles.h"
#include "TestImages.h"

#include <gtest/gtest.h>

using namespace DuiLib;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kBlack = 0x000000;

// A 20 x 40 image: red above, green below.
const std::string kCloseImage = test::TwoBandPng(20, 40, 0xFF000000 | kRed, 0xFF000000 | kGreen);

// A 10 x 10 image with a 2-pixel blue border around a red middle.
std::string FramedImage(uint32_t alpha = 0xFF000000) {
    std::vector<uint32_t> pixels(100);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool border = x < 2 || y < 2 || x >= 8 || y >= 8;
            pixels[y * 10 + x] = alpha | (border ? kBlue : kRed);
        }
    }
    return test::PngBytes(10, 10, pixels);
}

class ImageDrawingTest : public ::testing::Test {
protected:
    ImageDrawingTest() {
        test::WriteFile(folder / L"close.png", kCloseImage);
        test::WriteFile(folder / L"framed.png", FramedImage());
        test::WriteFile(folder / L"stripes.png",
                        test::PngBytes(3, 1, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF}));
        SetResourceDirectory(folder.Path());
    }

    void Draw(const wchar_t* description, const RECT& item, const wchar_t* modifier = L"") {
        EXPECT_TRUE(
            DrawImageDescription(canvas.Dc(), &cache, item, canvas.Whole(), description, modifier));
    }

    test::ResourceSettingsReset reset;
    test::ScratchFolder folder{L"drawing-images"};
    CImageCache cache;
    test::TestCanvas canvas{40, 40};
};

TEST_F(ImageDrawingTest, ASourceRectangleDrawsThatPartUnscaled) {
    Draw(L"file='close.png' source='0,20,20,40'", RECT{0, 0, 20, 20});
    EXPECT_EQ(canvas.CountPixels(kGreen), 400);
    EXPECT_EQ(canvas.CountPixels(kRed), 0);
    EXPECT_EQ(canvas.Pixel(20, 0), kWhite);
    EXPECT_EQ(canvas.Pixel(0, 20), kWhite);
}

TEST_F(ImageDrawingTest, ADescriptionWithoutKeysFillsTheControl) {
    Draw(L"close.png", RECT{5, 0, 15, 40});
    EXPECT_EQ(canvas.CountPixels(kRed) + canvas.CountPixels(kGreen), 400);
    EXPECT_EQ(canvas.Pixel(10, 5), kRed);
    EXPECT_EQ(canvas.Pixel(10, 35), kGreen);
    EXPECT_EQ(canvas.Pixel(4, 10), kWhite);
    EXPECT_EQ(canvas.Pixel(15, 10), kWhite);
}

TEST_F(ImageDrawingTest, TheModifierPlacesTheImageInsideTheControl) {
    Draw(L"file='close.png' source='0,0,20,20'", RECT{10, 10, 40, 40}, L"dest='5,5,15,15'");
    EXPECT_EQ(canvas.CountPixels(kRed), 100);
    EXPECT_EQ(canvas.Pixel(15, 15), kRed);
    EXPECT_EQ(canvas.Pixel(24, 24), kRed);
    EXPECT_EQ(canvas.Pixel(25, 25), kWhite);
}

TEST_F(ImageDrawingTest, NinePartDrawingKeepsTheCornersUnscaled) {
    for (const wchar_t* description : {L"file='framed.png' corner='2,2,2,2'",
                                       L"file='framed.png' corner='2,2,2,2' fade='255'"}) {
        canvas.Fill(kWhite);
        Draw(description, RECT{0, 0, 40, 30});
        // Borders stay 2 pixels wide however far the image is stretched.
        for (const POINT p : {POINT{0, 0}, POINT{1, 1}, POINT{39, 29}, POINT{38, 28}, POINT{20, 1},
                              POINT{1, 15}, POINT{38, 15}, POINT{20, 28}}) {
            EXPECT_EQ(canvas.Pixel(p.x, p.y), kBlue) << p.x << "," << p.y;
        }
        for (const POINT p : {POINT{2, 2}, POINT{37, 27}, POINT{20, 15}}) {
            EXPECT_EQ(canvas.Pixel(p.x, p.y), kRed) << p.x << "," << p.y;
        }
        EXPECT_EQ(canvas.CountPixels(kRed), 36 * 26);
    }
}

TEST_F(ImageDrawingTest, AHoleLeavesTheMiddleOut) {
    Draw(L"file='framed.png' corner='2,2,2,2' hole='true'", RECT{0, 0, 40, 30});
    EXPECT_EQ(canvas.CountPixels(kRed), 0);
    EXPECT_EQ(canvas.CountPixels(kWhite), 36 * 26 + 40 * 10);
    EXPECT_EQ(canvas.Pixel(0, 0), kBlue);
    EXPECT_EQ(canvas.Pixel(39, 29), kBlue);
}

TEST_F(ImageDrawingTest, TiledMiddlesRepeatTheSourceInsteadOfStretchingIt) {
    Draw(L"file='stripes.png' xtiled='true'", RECT{0, 0, 8, 4});
    const uint32_t expected[] = {kRed, kGreen, kBlue, kRed, kGreen, kBlue, kRed, kGreen};
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(canvas.Pixel(x, 0), expected[x]) << x;
        EXPECT_EQ(canvas.Pixel(x, 3), expected[x]) << x;
    }
    EXPECT_EQ(canvas.Pixel(8, 0), kWhite);

    canvas.Fill(kWhite);
    Draw(L"file='framed.png' source='2,2,8,8' xtiled='true' ytiled='true'", RECT{0, 0, 16, 16});
    EXPECT_EQ(canvas.CountPixels(kRed), 256);
}

TEST_F(ImageDrawingTest, FadeBlendsTheWholeImage) {
    Draw(L"file='close.png' source='0,0,20,20' fade='128'", RECT{0, 0, 20, 20});
    const uint32_t pixel = canvas.Pixel(10, 10);
    // Half red over white: red stays full, green and blue fall to about half.
    EXPECT_EQ(pixel >> 16, 0xFFu);
    EXPECT_NEAR(static_cast<int>((pixel >> 8) & 0xFF), 127, 2);
    EXPECT_NEAR(static_cast<int>(pixel & 0xFF), 127, 2);
}

TEST_F(ImageDrawingTest, TranslucentPixelsBlendOverTheBackground) {
    test::WriteFile(folder / L"half.png", FramedImage(0x80000000));
    Draw(L"half.png", RECT{0, 0, 10, 10});
    const uint32_t middle = canvas.Pixel(5, 5);
    EXPECT_EQ(middle >> 16, 0xFFu);
    EXPECT_NEAR(static_cast<int>(middle & 0xFF), 127, 2);
}

TEST_F(ImageDrawingTest, TheSourceIsClampedToTheBitmap) {
    Draw(L"file='close.png' source='0,20,60,90'", RECT{0, 0, 20, 20});
    EXPECT_EQ(canvas.CountPixels(kGreen), 400);
    EXPECT_EQ(canvas.Pixel(20, 0), kWhite);
}

TEST_F(ImageDrawingTest, OnlyThePaintRectangleIsTouched) {
    EXPECT_TRUE(DrawImageDescription(canvas.Dc(), &cache, RECT{0, 0, 20, 40}, RECT{0, 0, 40, 40},
                                     L"close.png", L""));
    canvas.Fill(kBlack);
    EXPECT_TRUE(DrawImageDescription(canvas.Dc(), &cache, RECT{0, 0, 20, 40}, RECT{0, 30, 40, 35},
                                     L"close.png", L""));
    EXPECT_EQ(canvas.CountPixels(kGreen), 20 * 5);
    // A paint rectangle that misses the control draws nothing.
    canvas.Fill(kBlack);
    EXPECT_TRUE(DrawImageDescription(canvas.Dc(), &cache, RECT{0, 0, 20, 40}, RECT{25, 0, 40, 40},
                                     L"close.png", L""));
    EXPECT_EQ(canvas.CountPixels(kBlack), 1600);
}

TEST_F(ImageDrawingTest, AnOpaqueImageOfTheExactSizeIsCopiedNotBlended) {
    // Premultiplied transparent black drawn as if opaque: a copy writes it, a blend would not.
    test::TestCanvas image(4, 4);
    image.Fill(0x00000000);
    ScopedBitmap bitmap;
    {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(info.bmiHeader), 4, -4, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        ASSERT_TRUE(bitmap);
        static_cast<DWORD*>(bits)[0] = 0x00000000;
        static_cast<DWORD*>(bits)[1] = 0xFF00FF00;
    }
    const RECT source = {0, 0, 4, 4};
    const RECT noCorners = {0, 0, 0, 0};
    DrawBitmap(canvas.Dc(), bitmap.Get(), RECT{10, 10, 14, 14}, canvas.Whole(), source, noCorners,
               false, 255, false, false, false);
    EXPECT_EQ(canvas.Pixel(10, 10), kBlack);
    EXPECT_EQ(canvas.Pixel(11, 10), kGreen);
    // The same pixels with alpha taken into account leave the background.
    canvas.Fill(kWhite);
    DrawBitmap(canvas.Dc(), bitmap.Get(), RECT{10, 10, 14, 14}, canvas.Whole(), source, noCorners,
               true, 255, false, false, false);
    EXPECT_EQ(canvas.Pixel(10, 10), kWhite);
    EXPECT_EQ(canvas.Pixel(11, 10), kGreen);
    // The copy keeps to the paint rectangle.
    canvas.Fill(kWhite);
    DrawBitmap(canvas.Dc(), bitmap.Get(), RECT{10, 10, 14, 14}, RECT{11, 0, 40, 40}, source,
               noCorners, false, 255, false, false, false);
    EXPECT_EQ(canvas.Pixel(10, 10), kWhite);
    EXPECT_EQ(canvas.Pixel(11, 10), kGreen);
}

TEST_F(ImageDrawingTest, AMissingImageDrawsNothingAndIsLookedForAgain) {
    Draw(L"file='later.png'", RECT{0, 0, 20, 20});
    EXPECT_EQ(canvas.CountPixels(kWhite), 1600);
    EXPECT_EQ(cache.CachedImage(L"later.png"), nullptr);

    test::WriteFile(folder / L"later.png", kCloseImage);
    Draw(L"file='later.png'", RECT{0, 0, 20, 20});
    EXPECT_EQ(canvas.CountPixels(kRed), 200);
    EXPECT_NE(cache.CachedImage(L"later.png"), nullptr);
}

TEST_F(ImageDrawingTest, EachImageAndDescriptionIsHandledOncePerCache) {
    for (int paint = 0; paint < 3; ++paint) {
        Draw(L"file='close.png' source='0,20,20,40'", RECT{0, 0, 20, 20});
        Draw(L"close.png", RECT{0, 0, 20, 20});
    }
    EXPECT_EQ(cache.DecodeCount(), 1u);
    EXPECT_EQ(cache.ParseCount(), 2u);
}

TEST_F(ImageDrawingTest, BrokenDescriptionsAndMissingDevicesDrawNothing) {
    for (const wchar_t* description :
         {L"file='close.png", L"file=close.png'", L"", L"source='0,0,5,5'", L"file=''"}) {
        Draw(description, RECT{0, 0, 20, 20});
    }
    EXPECT_EQ(canvas.CountPixels(kWhite), 1600);
    EXPECT_FALSE(
        DrawImageDescription(nullptr, &cache, canvas.Whole(), canvas.Whole(), L"close.png", L""));
    EXPECT_FALSE(DrawImageDescription(canvas.Dc(), nullptr, canvas.Whole(), canvas.Whole(),
                                      L"close.png", L""));
}

// A background that shows any difference in how a drawing was blended over it.
void FillWithPattern(test::TestCanvas& canvas) {
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            ::SetPixelV(canvas.Dc(), x, y, RGB(x * 6, y * 6, (x + y) * 3));
        }
    }
}

int CountDifferentPixels(const test::TestCanvas& a, const test::TestCanvas& b) {
    int different = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            different += a.Pixel(x, y) != b.Pixel(x, y) ? 1 : 0;
        }
    }
    return different;
}

// A stretched image is drawn once at its size and copied at later paints: what that leaves on
// the screen must be what drawing it straight from the image leaves, for every way of drawing.
TEST_F(ImageDrawingTest, AStretchedImageKeptAtItsSizeRepaintsWithTheSamePixels) {
    test::WriteFile(folder / L"half.png", FramedImage(0x80000000));
    struct Case {
        const wchar_t* description;
        RECT item;
    };
    const Case cases[] = {
        {L"file='framed.png' corner='2,2,2,2'", {3, 4, 37, 33}},
        {L"file='framed.png' corner='2,2,2,2' hole='true'", {1, 2, 39, 25}},
        {L"file='half.png' corner='3,2,1,2' fade='200'", {0, 5, 31, 40}},
        {L"file='half.png' corner='2,2,2,2' hole='true'", {6, 6, 34, 34}},
        {L"file='stripes.png' xtiled='true'", {2, 2, 38, 9}},
        {L"file='close.png' fade='128'", {4, 0, 14, 30}},
        {L"file='close.png' source='0,10,20,30' corner='4,4,4,4'", {0, 0, 40, 40}},
    };
    const RECT strip = {0, 12, 40, 20};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.description)));
        const ImageDrawSettings settings = cache.ImagesOf(c.description, L"").at(0);
        const ImageInfo* image = cache.ImageOrLoad(settings.name);
        ASSERT_NE(image, nullptr);
        test::TestCanvas direct(40, 40);
        FillWithPattern(direct);
        DrawBitmap(direct.Dc(), image->bitmap.Get(), ImageDestination(settings, c.item),
                   direct.Whole(), ClampImageSource(settings.source, image->width, image->height),
                   settings.corner, image->alphaChannel, settings.fade, settings.hole,
                   settings.xTiled, settings.yTiled);

        const size_t keptBefore = cache.ScaledImages().Count();
        for (int paint = 0; paint < 2; ++paint) {
            FillWithPattern(canvas);
            Draw(c.description, c.item);
            EXPECT_EQ(CountDifferentPixels(canvas, direct), 0) << "paint " << paint;
        }
        EXPECT_EQ(cache.ScaledImages().Count(), keptBefore + 1) << "one drawing kept per size";

        // A paint limited to a strip copies only that strip of the kept drawing.
        test::TestCanvas partial(40, 40);
        FillWithPattern(partial);
        test::TestCanvas untouched(40, 40);
        FillWithPattern(untouched);
        EXPECT_TRUE(DrawImageDescription(partial.Dc(), &cache, c.item, strip, c.description, L""));
        for (int y = 0; y < 40; ++y) {
            const test::TestCanvas& expected =
                y >= strip.top && y < strip.bottom ? direct : untouched;
            for (int x = 0; x < 40; ++x) {
                ASSERT_EQ(partial.Pixel(x, y), expected.Pixel(x, y)) << x << "," << y;
            }
        }
    }
}

TEST(CScaledImageCacheTest, KeepsDrawingsWithinItsLimits) {
    CScaledImageCache drawings;
    ScaledImageKey key;
    key.size = SIZE{4, 4};
    for (size_t i = 0; i < CScaledImageCache::kMaxDrawings; ++i) {
        key.source.right = static_cast<LONG>(i + 1);
        ASSERT_NE(drawings.Add(key, nullptr), nullptr);
    }
    EXPECT_NE(drawings.Find(key), nullptr);
    EXPECT_EQ(drawings.Count(), CScaledImageCache::kMaxDrawings);

    key.source.right = 0;
    const MemoryCanvas* fresh = drawings.Add(key, nullptr);
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(drawings.Count(), 1u) << "past the limit everything kept before is dropped";
    EXPECT_EQ(drawings.Find(key), fresh);

    ::GdiFlush();
    EXPECT_EQ(fresh->Pixels()[0], 0u) << "a new drawing starts transparent";

    key.size = SIZE{4096, 1025};
    EXPECT_EQ(drawings.Add(key, nullptr), nullptr) << "larger than the whole budget";
    key.size = SIZE{0, 10};
    EXPECT_EQ(drawings.Add(key, nullptr), nullptr);
    EXPECT_EQ(drawings.Count(), 1u);
}

// The rightmost column holding a pixel of the colour, or -1.
int RightmostColumn(const test::TestCanvas& canvas, uint32_t rgb) {
    for (int x = 39; x >= 0; --x) {
        for (int y = 0; y < 40; ++y) {
            if (canvas.Pixel(x, y) == rgb) {
                return x;
            }
        }
    }
    return -1;
}

TEST_F(ImageDrawingTest, PlainTextIsDrawnInItsColourWithoutBackgroundOrPrefixes) {
    const ScopedFont font(
        ::CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
    canvas.Fill(kGreen);
    DrawPlainText(canvas.Dc(), font.Get(), canvas.Whole(), L"W", 0xFF0000FF, DT_SINGLELINE);
    const int letterEnd = RightmostColumn(canvas, kBlue);
    EXPECT_GT(canvas.CountPixels(kBlue), 20);
    EXPECT_EQ(canvas.Pixel(0, 0), kGreen);
    EXPECT_EQ(canvas.Pixel(39, 39), kGreen);

    // "&" is drawn as itself, not taken as the mark of an underlined letter.
    canvas.Fill(kGreen);
    DrawPlainText(canvas.Dc(), font.Get(), canvas.Whole(), L"&W", 0xFF0000FF, DT_SINGLELINE);
    EXPECT_GT(RightmostColumn(canvas, kBlue), letterEnd + 5);

    canvas.Fill(kGreen);
    DrawPlainText(canvas.Dc(), font.Get(), canvas.Whole(), L"", 0xFF0000FF, DT_SINGLELINE);
    EXPECT_EQ(canvas.CountPixels(kGreen), 1600);
}

TEST_F(ImageDrawingTest, PlatformImagesComeFromTheResourceFolderAndDrawScaled) {
    const auto image = LoadPlatformImage(L"close.png");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width(), 20u);
    EXPECT_EQ(image->Height(), 40u);
    EXPECT_TRUE(image->DrawScaled(canvas.Dc(), RECT{0, 0, 40, 40}));
    EXPECT_EQ(canvas.Pixel(20, 5), kRed);
    EXPECT_EQ(canvas.Pixel(20, 35), kGreen);
    EXPECT_EQ(LoadPlatformImage(L"missing.png"), nullptr);
    test::WriteFile(folder / L"broken.png", "not an image");
    EXPECT_EQ(LoadPlatformImage(L"broken.png"), nullptr);
}

TEST_F(ImageDrawingTest, PlatformImagesFillAnEllipse) {
    const auto image = LoadPlatformImage(L"framed.png");
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->FillEllipse(canvas.Dc(), RECT{0, 0, 40, 40}));
    EXPECT_EQ(canvas.Pixel(0, 0), kWhite);
    EXPECT_EQ(canvas.Pixel(39, 39), kWhite);
    EXPECT_EQ(canvas.Pixel(20, 20), kRed);
}

}  // namespace
