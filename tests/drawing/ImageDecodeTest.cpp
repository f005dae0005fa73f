#include "CImageCache.h"
#include "ImageDrawing.h"
#include "ImageInfo.h"
#include "ResourceSettings.h"
#include "TestCanvas.h"
#include "TestFiles.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <utility>

using namespace DuiLib;

namespace {

const BYTE* Bytes(const std::string& bytes) {
    return reinterpret_cast<const BYTE*>(bytes.data());
}

std::optional<DecodedPixels> Decode(const std::string& bytes, DWORD mask = 0) {
    return DecodeImageBytes(Bytes(bytes), bytes.size(), mask);
}

// The first pixel of a bitmap, read back through GDI.
DWORD FirstPixel(HBITMAP bitmap) {
    DIBSECTION section = {};
    if (::GetObjectW(bitmap, sizeof(section), &section) != sizeof(section) ||
        section.dsBm.bmBits == nullptr) {
        return 0xDEADBEEF;
    }
    return *static_cast<const DWORD*>(section.dsBm.bmBits);
}

TEST(DecodeImageBytesTest, PixelsArePremultipliedAndMaskedAsTheyDecode) {
    const struct {
        const char* what;
        uint32_t pixel;  // 0xAARRGGBB as written to the PNG
        DWORD mask;
        DWORD decoded;
        bool alphaChannel;
    } cases[] = {
        {"half-transparent red", 0x80FF0000, 0, 0x80800000, true},
        {"opaque colour unchanged", 0xFF336699, 0, 0xFF336699, false},
        {"fully transparent", 0x00FFFFFF, 0, 0x00000000, true},
        {"third alpha, integer division", 0x55C86432, 0, 0x55422110, true},
        {"masked opaque magenta", 0xFFFF00FF, 0xFFFF00FF, 0x00000000, true},
        {"mask compares the premultiplied value", 0x80FF0000, 0x80800000, 0x00000000, true},
        {"mask of another colour", 0xFFFF00FF, 0xFF00FF00, 0xFFFF00FF, false},
    };
    for (const auto& c : cases) {
        const auto image = Decode(test::PngBytes(1, 1, {c.pixel}), c.mask);
        ASSERT_TRUE(image) << c.what;
        EXPECT_EQ(image->pixels.at(0), c.decoded) << c.what;
        EXPECT_EQ(image->alphaChannel, c.alphaChannel) << c.what;
    }
}

TEST(DecodeImageBytesTest, RowsStayTopDown) {
    const auto image = Decode(test::TwoBandPng(3, 4, 0xFF0000FF, 0xFF00FF00));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 4);
    EXPECT_EQ(image->pixels.front(), 0xFF0000FFu);
    EXPECT_EQ(image->pixels.back(), 0xFF00FF00u);
}

TEST(DecodeImageBytesTest, BytesThatAreNoImageGiveNone) {
    const std::string png = test::TwoBandPng(8, 8, 0xFF102030, 0xFF405060);
    std::string damagedHeader = png;
    damagedHeader[1] = 'X';
    std::string hugeHeader = png;
    hugeHeader[16] = '\x7F';  // width far above the largest allowed
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"text", "this is not an image at all"},
        {"damaged signature", damagedHeader},
        {"cut short", png.substr(0, png.size() / 2)},
        {"absurd width", hugeHeader},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(Decode(c.bytes)) << c.what;
    }
    EXPECT_FALSE(DecodeImageBytes(nullptr, 10, 0));
}

class ResourceLookupTest : public ::testing::Test {
protected:
    test::ResourceSettingsReset reset;
    test::ScratchFolder folder{L"drawing-resources"};
    const std::string redPng = test::TwoBandPng(2, 2, 0xFFFF0000, 0xFFFF0000);
    const std::string archive = test::ZipBytes({
        {"skin/Red.png", redPng, true, {}},
        {"stored.png", test::TwoBandPng(2, 2, 0x80FF0000, 0x80FF0000), false, {}},
        {"broken.png", "not a png", false, {}},
        {"liar.png", redPng, true, 0x40000000u},
    });
};

TEST_F(ResourceLookupTest, SettingsKeepTheirValues) {
    SetResourceDirectory(folder.Path());
    EXPECT_EQ(ResourceDirectory(), folder.Path() + L"\\");
    SetResourceDirectory(L"C:\\skins/");
    EXPECT_EQ(ResourceDirectory(), L"C:\\skins/");
    SetResourceDirectory(L"");
    EXPECT_EQ(ResourceDirectory(), L"");

    const HINSTANCE module = ::GetModuleHandleW(nullptr);
    SetModuleInstance(module);
    SetResourceInstance(nullptr);
    EXPECT_EQ(ResourceInstance(), module);
    const HINSTANCE kernel = ::GetModuleHandleW(L"kernel32.dll");
    SetResourceInstance(kernel);
    EXPECT_EQ(ResourceInstance(), kernel);
    EXPECT_EQ(ModuleInstance(), module);
    SetResourceInstance(nullptr);
}

TEST_F(ResourceLookupTest, ImagesComeFromTheResourceFolder) {
    test::WriteFile(folder / L"red.png", redPng);
    test::WriteFile(folder / L"broken.png", "not a png");
    test::WriteFile(folder / L"empty.png", "");
    SetResourceDirectory(folder.Path());
    const auto image = DecodeImage(L"red.png", L"", 0);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 2);
    EXPECT_FALSE(image->alphaChannel);
    EXPECT_EQ(FirstPixel(image->bitmap.Get()), 0xFFFF0000u);
    EXPECT_FALSE(DecodeImage(L"broken.png", L"", 0));
    EXPECT_FALSE(DecodeImage(L"empty.png", L"", 0));
    EXPECT_FALSE(DecodeImage(L"missing.png", L"", 0));
    // A full path is the last resort.
    SetResourceDirectory(L"");
    EXPECT_TRUE(DecodeImage(folder / L"red.png", L"", 0));
}

TEST_F(ResourceLookupTest, ImagesComeFromAnArchiveFileOpenedOnceOrAtEachLookUp) {
    test::WriteFile(folder / L"skin.zip", archive);
    SetResourceDirectory(folder.Path());
    for (const ArchiveOpening opening : {ArchiveOpening::kAtEachLookUp, ArchiveOpening::kOnceNow}) {
        const bool cached = opening == ArchiveOpening::kOnceNow;
        SetResourceArchive(L"skin.zip", opening);
        EXPECT_EQ(ResourceArchiveName(), L"skin.zip");
        const auto red = DecodeImage(L"SKIN/red.PNG", L"", 0);
        ASSERT_TRUE(red) << cached;
        EXPECT_EQ(FirstPixel(red->bitmap.Get()), 0xFFFF0000u);
        const auto stored = DecodeImage(L"stored.png", L"", 0);
        ASSERT_TRUE(stored) << cached;
        EXPECT_TRUE(stored->alphaChannel);
        EXPECT_EQ(FirstPixel(stored->bitmap.Get()), 0x80800000u);
        EXPECT_FALSE(DecodeImage(L"broken.png", L"", 0)) << cached;
        EXPECT_FALSE(DecodeImage(L"liar.png", L"", 0)) << cached;
        EXPECT_FALSE(DecodeImage(L"absent.png", L"", 0)) << cached;
    }
    SetResourceArchive(L"missing.zip", ArchiveOpening::kAtEachLookUp);
    EXPECT_FALSE(DecodeImage(L"stored.png", L"", 0));
}

TEST_F(ResourceLookupTest, ImagesComeFromAnArchiveInMemory) {
    SetResourceArchive(Bytes(archive), archive.size());
    EXPECT_EQ(ResourceArchiveName(), kMemoryArchiveName);
    // A second memory archive is ignored while one is in use.
    const std::string other = test::ZipBytes({{"other.png", redPng, false, {}}});
    SetResourceArchive(Bytes(other), other.size());
    EXPECT_TRUE(DecodeImage(L"skin/red.png", L"", 0));
    EXPECT_FALSE(DecodeImage(L"other.png", L"", 0));
    EXPECT_TRUE(ReadResourceBytes(L"Stored.png"));
    EXPECT_FALSE(ReadResourceBytes(L"liar.png"));
}

TEST_F(ResourceLookupTest, ACorruptArchiveGivesNoImages) {
    test::WriteFile(folder / L"cut.zip", archive.substr(0, archive.size() - 40));
    SetResourceDirectory(folder.Path());
    SetResourceArchive(L"cut.zip", ArchiveOpening::kOnceNow);
    EXPECT_FALSE(DecodeImage(L"stored.png", L"", 0));
    const std::string garbage(500, '\x50');
    SetResourceArchive(Bytes(garbage), garbage.size());
    EXPECT_FALSE(DecodeImage(L"stored.png", L"", 0));
}

TEST_F(ResourceLookupTest, TheCacheDecodesEachNameOnceAndForgetsFailures) {
    SetResourceDirectory(folder.Path());
    CImageCache cache;
    EXPECT_EQ(cache.ImageOrLoad(L"late.png"), nullptr);
    EXPECT_EQ(cache.CachedImage(L"late.png"), nullptr);
    EXPECT_EQ(cache.DecodeCount(), 0u);

    // The file appears after the first attempt: the next look-up finds it.
    test::WriteFile(folder / L"late.png", redPng);
    const ImageInfo* first = cache.ImageOrLoad(L"late.png");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(cache.ImageOrLoad(L"late.png", L"", 0xFFFF0000), first);
    EXPECT_EQ(cache.CachedImage(L"late.png"), first);
    EXPECT_EQ(cache.DecodeCount(), 1u);
    EXPECT_EQ(first->mask, 0u);

    test::WriteFile(folder / L"masked.png", redPng);
    const ImageInfo* masked = cache.ImageOrLoad(L"masked.png", L"", 0xFFFF0000);
    ASSERT_NE(masked, nullptr);
    EXPECT_TRUE(masked->alphaChannel);
    EXPECT_EQ(masked->mask, 0xFFFF0000u);
    EXPECT_EQ(FirstPixel(masked->bitmap.Get()), 0u);

    // With a resource type the name must be a numeric identifier.
    EXPECT_EQ(cache.ImageOrLoad(L"late2.png", L"PNG"), nullptr);
    EXPECT_EQ(cache.ImageOrLoad(L"999", L"NOSUCHTYPE"), nullptr);
    EXPECT_EQ(cache.DecodeCount(), 2u);
}

TEST_F(ResourceLookupTest, ResourceImagesAreNamedByTheirNumber) {
    SetModuleInstance(::GetModuleHandleW(nullptr));
    SetResourceInstance(nullptr);
    CImageCache cache;
    const ImageInfo* image = cache.ImageOrLoad(L"120", L"PNG");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->resourceType, L"PNG");
    EXPECT_EQ(FirstPixel(image->bitmap.Get()), 0xFF0000FFu);
    for (const auto& [name, type] : {std::pair{L"121", L"PNG"}, std::pair{L"120", L"JPG"},
                                     std::pair{L"0", L"PNG"}, std::pair{L"99999", L"PNG"}}) {
        EXPECT_FALSE(DecodeImage(name, type, 0)) << name << type;
    }
    test::TestCanvas canvas(10, 10);
    EXPECT_TRUE(DrawImageDescription(canvas.Dc(), &cache, RECT{0, 0, 6, 4}, canvas.Whole(),
                                     L"restype='PNG' res='120'", L""));
    EXPECT_EQ(canvas.CountPixels(0x0000FF), 24);
    EXPECT_EQ(cache.DecodeCount(), 1u);

    // Resources are looked up in the resource module once one is set.
    SetResourceInstance(::GetModuleHandleW(L"kernel32.dll"));
    EXPECT_FALSE(DecodeImage(L"120", L"PNG", 0));
    SetResourceInstance(nullptr);
}

}  // namespace
