#include "ImageDescription.h"
#include "ImageDrawing.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace DuiLib;

namespace {

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Show(const RECT& r) {
    std::ostringstream out;
    out << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom;
    return out.str();
}

// The parsed attributes as text, "key=value" joined by ";", to compare whole results at once.
std::string Describe(const std::vector<ImageAttribute>& attributes) {
    static const char* const names[] = {"file", "res",  "restype", "dest",   "source", "corner",
                                        "mask", "fade", "hole",    "xtiled", "ytiled"};
    std::ostringstream out;
    for (const ImageAttribute& attribute : attributes) {
        out << names[static_cast<int>(attribute.key)] << '=';
        if (const auto* text = std::get_if<std::wstring>(&attribute.value)) {
            out << std::string(text->begin(), text->end());
        } else if (const auto* rect = std::get_if<RECT>(&attribute.value)) {
            out << Show(*rect);
        } else if (const auto* number = std::get_if<DWORD>(&attribute.value)) {
            out << std::hex << *number << std::dec;
        } else {
            out << (std::get<bool>(attribute.value) ? "true" : "false");
        }
        out << ';';
    }
    return out.str();
}

TEST(ParseImageDescriptionTest, EveryKeyAndEveryMalformedShape) {
    const struct {
        const wchar_t* description;
        const char* parsed;
    } cases[] = {
        {L"", ""},
        {L"bg.png", "file=bg.png;"},
        {L"skin\\bg 2.png", "file=skin\\bg 2.png;"},
        {L"file='a.png' source='0,20,20,40'", "file=a.png;source=0,20,20,40;"},
        {L"file='a.png' res='b.png' restype='PNG'", "file=a.png;res=b.png;restype=PNG;"},
        {L"dest='1,2,3,4' corner='5,6,7,8'", "dest=1,2,3,4;corner=5,6,7,8;"},
        {L"mask='#FFFF00FF' fade='128'", "mask=ffff00ff;fade=80;"},
        {L"mask='ff00ff'", "mask=ff00ff;"},
        {L"fade='300'", "fade=ff;"},
        {L"fade='-5'", "fade=0;"},
        {L"hole='true' xtiled='true' ytiled='false'", "hole=true;xtiled=true;ytiled=false;"},
        {L"hole='TRUE' xtiled='1'", "hole=false;xtiled=false;"},
        {L"  file = 'a.png'   fade='9'", "file=a.png;fade=9;"},
        {L"\tfile=\t'a.png' fade='9'", "file=a.png;fade=9;"},
        {L"file='a.png'fade='9'", "file=a.png;"},
        {L"unknown='x' file='a.png'", "file=a.png;"},
        {L"FILE='a.png'", ""},
        {L"file='a.png' source='1,2'", "file=a.png;source=1,2,0,0;"},
        {L"file='a.png' source='1,,3,4'", "file=a.png;source=1,0,3,4;"},
        {L"file='a.png' source='-1;2;3;4'", "file=a.png;source=-1,2,3,4;"},
        {L"file='a.png' source='1,2,3,4,5,6'", "file=a.png;source=1,2,3,4;"},
        {L"file='a.png", ""},
        {L"file='a.png' fade='9", "file=a.png;"},
        {L"file=a.png' fade='9'", ""},
        {L"file 'a.png'", "file=file 'a.png';"},
        {L"file 'a.png' fade='9'", ""},
        {L"file=", ""},
        {L"fade='7' file", "fade=7;"},
        {L"=''", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Describe(ParseImageDescription(c.description)), c.parsed)
            << std::string(c.description, c.description + wcslen(c.description));
    }
}

std::vector<ImageDrawSettings> Resolve(const wchar_t* description, const wchar_t* modifier) {
    return ResolveImages(ParseImageDescription(description), ParseImageDescription(modifier));
}

TEST(ResolveImagesTest, AFurtherFileClosesTheImageSoFarAndSettingsCarryOver) {
    const auto images =
        Resolve(L"file='a.png' fade='100' file='b.png' corner='1,1,1,1'", L"dest='0,0,5,5'");
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].name, L"a.png");
    EXPECT_EQ(images[0].fade, 100);
    EXPECT_FALSE(images[0].hasDest);
    EXPECT_EQ(images[1].name, L"b.png");
    EXPECT_EQ(images[1].fade, 100);
    EXPECT_TRUE(images[1].corner == (RECT{1, 1, 1, 1}));
    EXPECT_TRUE(images[1].hasDest);
    EXPECT_TRUE(images[1].dest == (RECT{0, 0, 5, 5}));
}

TEST(ResolveImagesTest, ResourceImagesAndDefaults) {
    const auto resource = Resolve(L"restype='PNG' res='120' mask='#FF000000'", L"");
    ASSERT_EQ(resource.size(), 1u);
    EXPECT_EQ(resource[0].name, L"120");
    EXPECT_EQ(resource[0].resourceType, L"PNG");
    EXPECT_EQ(resource[0].mask, 0xFF000000u);

    const auto plain = Resolve(L"bg.png", L"");
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].name, L"bg.png");
    EXPECT_EQ(plain[0].fade, 255);
    EXPECT_FALSE(plain[0].hole || plain[0].xTiled || plain[0].yTiled || plain[0].hasDest);

    const auto modifierOnly = Resolve(L"", L"source='0,0,4,4'");
    ASSERT_EQ(modifierOnly.size(), 1u);
    EXPECT_TRUE(modifierOnly[0].name.empty());

    // The modifier's file starts a second image after the description's.
    EXPECT_EQ(Resolve(L"file='a.png'", L"file='b.png'").size(), 2u);
}

TEST(ImageGeometryTest, DestinationsAndSourcesAreKeptInBounds) {
    const RECT item = {10, 20, 50, 60};
    ImageDrawSettings settings;
    EXPECT_TRUE(ImageDestination(settings, item) == item);
    settings.hasDest = true;
    settings.dest = {2, 3, 12, 13};
    EXPECT_TRUE(ImageDestination(settings, item) == (RECT{12, 23, 22, 33}));
    settings.dest = {5, 5, 500, 500};
    EXPECT_TRUE(ImageDestination(settings, item) == (RECT{15, 25, 50, 60}));

    const struct {
        RECT source;
        RECT clamped;
    } sources[] = {
        {{0, 0, 0, 0}, {0, 0, 20, 40}},     {{0, 20, 20, 40}, {0, 20, 20, 40}},
        {{0, 0, 30, 50}, {0, 0, 20, 40}},   {{5, 5, 10, 10}, {5, 5, 10, 10}},
        {{-5, -5, 10, 10}, {0, 0, 10, 10}},
    };
    for (const auto& c : sources) {
        EXPECT_EQ(Show(ClampImageSource(c.source, 20, 40)), Show(c.clamped)) << Show(c.source);
    }
}

std::string Pieces(const std::vector<BitmapPiece>& pieces) {
    std::string text;
    for (const BitmapPiece& piece : pieces) {
        text += Show(piece.dest) + "<" + Show(piece.source) + " ";
    }
    return text;
}

TEST(NinePartPiecesTest, CornersKeepTheirSizeAndMiddlesStretchOrTile) {
    const RECT dest = {0, 0, 30, 20};
    const RECT source = {0, 0, 10, 10};
    const RECT corners = {2, 3, 2, 3};
    const struct {
        const char* what;
        RECT corners;
        bool hole, xTiled, yTiled;
        const char* pieces;
    } cases[] = {
        {"no corners", {0, 0, 0, 0}, false, false, false, "0,0,30,20<0,0,10,10 "},
        {"nine parts", corners, false, false, false,
         "2,3,28,17<2,3,8,7 0,0,2,3<0,0,2,3 2,0,28,3<2,0,8,3 28,0,30,3<8,0,10,3 "
         "0,3,2,17<0,3,2,7 28,3,30,17<8,3,10,7 0,17,2,20<0,7,2,10 2,17,28,20<2,7,8,10 "
         "28,17,30,20<8,7,10,10 "},
        {"hole", {0, 3, 0, 3}, true, false, false, "0,0,30,3<0,0,10,3 0,17,30,20<0,7,10,10 "},
        {"x tiled",
         {0, 0, 0, 0},
         false,
         true,
         false,
         "0,0,10,20<0,0,10,10 10,0,20,20<0,0,10,10 20,0,30,20<0,0,10,10 "},
        {"y tiled", {0, 0, 0, 0}, false, false, true, "0,0,30,10<0,0,10,10 0,10,30,20<0,0,10,10 "},
        {"both tiled", corners, true, true, true,
         "0,0,2,3<0,0,2,3 2,0,28,3<2,0,8,3 28,0,30,3<8,0,10,3 0,3,2,17<0,3,2,7 "
         "28,3,30,17<8,3,10,7 0,17,2,20<0,7,2,10 2,17,28,20<2,7,8,10 28,17,30,20<8,7,10,10 "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Pieces(NinePartPieces(dest, source, c.corners, c.hole, c.xTiled, c.yTiled)),
                  c.pieces)
            << c.what;
    }
    // A tiled grid: 26 x 14 middle from a 6 x 4 source middle, last row and column cut.
    const auto grid = NinePartPieces(dest, source, corners, false, true, true);
    ASSERT_EQ(grid.size(), 5u * 4u + 8u);
    EXPECT_EQ(Show(grid[4].dest), "26,3,28,7");  // last of the first row: 2 of 6 columns
    EXPECT_EQ(Show(grid[4].source), "2,3,4,7");
    EXPECT_EQ(Show(grid[19].dest), "26,15,28,17");
    EXPECT_EQ(Show(grid[19].source), "2,3,4,5");
}

}  // namespace
