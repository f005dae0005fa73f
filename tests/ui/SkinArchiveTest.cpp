#include "TestSkin.h"

#include "ImageInfo.h"
#include "MemoryCanvas.h"
#include "PlatformImage.h"
#include "ZipArchive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

namespace {

TEST(SkinArchiveTest, TheProgramCarriesTheNineSkinImages) {
    const std::vector<BYTE> archive = test::ProgramSkinArchive();
    ASSERT_FALSE(archive.empty());
    struct Image {
        const wchar_t* name;
        int width, height;
    };
    const Image images[] = {
        {L"bg.png", 250, 186},       {L"close.png", 20, 40}, {L"cancleBtn.png", 160, 100},
        {L"btn_bkg_3.png", 50, 100}, {L"pgbk.png", 130, 5},  {L"pgfog.png", 130, 5},
        {L"point.png", 5, 5},        {L"check.png", 16, 64}, {L"shadow_bk.png", 614, 454},
    };
    const std::unique_ptr<DuiLib::ZipArchive> zip =
        DuiLib::ZipArchive::OpenMemory(archive.data(), archive.size());
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(zip->Entries().size(), std::size(images));
    for (const Image& image : images) {
        const std::optional<std::vector<BYTE>> bytes = zip->Read(image.name);
        ASSERT_TRUE(bytes.has_value()) << image.name;
        const std::optional<DuiLib::DecodedPixels> decoded =
            DuiLib::DecodeImageBytes(bytes->data(), bytes->size(), 0);
        ASSERT_TRUE(decoded.has_value()) << image.name;
        EXPECT_EQ(decoded->width, image.width) << image.name;
        EXPECT_EQ(decoded->height, image.height) << image.name;
    }
}

// Alpha of the pixel at (x, y) of a decoded image.
int AlphaAt(const DuiLib::DecodedPixels& image, int x, int y) {
    return static_cast<int>(image.pixels[y * image.width + x] >> 24);
}

TEST(SkinArchiveTest, ShadowPictureIsClearInsideAndFadesOutward) {
    const std::vector<BYTE> archive = test::ProgramSkinArchive();
    const std::unique_ptr<DuiLib::ZipArchive> zip =
        DuiLib::ZipArchive::OpenMemory(archive.data(), archive.size());
    ASSERT_NE(zip, nullptr);
    const std::optional<std::vector<BYTE>> bytes = zip->Read(L"shadow_bk.png");
    ASSERT_TRUE(bytes.has_value());
    const std::optional<DuiLib::DecodedPixels> shadow =
        DuiLib::DecodeImageBytes(bytes->data(), bytes->size(), 0);
    ASSERT_TRUE(shadow.has_value());
    // Inside: clear. Stretched by 654 / 614 the 25-pixel sides end within 27 pixels.
    EXPECT_EQ(AlphaAt(*shadow, 307, 227), 0);
    EXPECT_EQ(AlphaAt(*shadow, 25, 227), 0);
    EXPECT_EQ(AlphaAt(*shadow, 307, 27), 0);
    // The band darkens toward the inside, on every side.
    struct Band {
        int outerX, outerY, innerX, innerY;
    };
    const Band bands[] = {
        {2, 227, 24, 227}, {611, 227, 589, 227}, {307, 2, 307, 26}, {307, 451, 307, 427}};
    for (const Band& band : bands) {
        EXPECT_LT(AlphaAt(*shadow, band.outerX, band.outerY),
                  AlphaAt(*shadow, band.innerX, band.innerY));
        EXPECT_GT(AlphaAt(*shadow, band.innerX, band.innerY), 60);
    }
    EXPECT_EQ(AlphaAt(*shadow, 0, 0), 0);
}

TEST(SkinArchiveTest, StretchedShadowPictureLeavesTheFrameClear) {
    // The shadow window draws the picture stretched to the frame plus 27 pixels on every side.
    test::UseProgramSkinArchive();
    const std::unique_ptr<DuiLib::PlatformImage> image =
        DuiLib::LoadPlatformImage(L"shadow_bk.png");
    ASSERT_NE(image, nullptr);
    DuiLib::MemoryCanvas canvas(nullptr, 654, 454);
    ASSERT_TRUE(canvas.IsValid());
    ASSERT_TRUE(image->DrawScaled(canvas.Dc(), RECT{0, 0, 654, 454}));
    ::GdiFlush();
    auto alphaAt = [&](int x, int y) {
        return static_cast<int>(canvas.Pixels()[y * 654 + x] >> 24);
    };
    int darkestOverFrame = 0;
    for (int y = 27; y < 427; ++y) {
        for (int x = 27; x < 627; ++x) {
            darkestOverFrame = std::max(darkestOverFrame, alphaAt(x, y));
        }
    }
    EXPECT_LE(darkestOverFrame, 2) << "the frame itself stays uncovered";
    struct Band {
        int outerX, outerY, innerX, innerY;
    };
    const Band bands[] = {
        {3, 227, 25, 227}, {650, 227, 628, 227}, {327, 3, 327, 25}, {327, 450, 327, 428}};
    for (const Band& band : bands) {
        EXPECT_LT(alphaAt(band.outerX, band.outerY), alphaAt(band.innerX, band.innerY));
        EXPECT_GT(alphaAt(band.innerX, band.innerY), 50);
    }
}

}  // namespace
