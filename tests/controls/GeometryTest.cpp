#include "ControlGeometry.h"
#include "WindowGeometry.h"

#include <gtest/gtest.h>

#include <string>

using namespace DuiLib;

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(AlignWordsTest, EachWordChangesItsBitsInOrder) {
    const struct {
        UINT style;
        const wchar_t* words;
        UINT expected;
    } kCases[] = {
        {0x4, L"center", 0x5},       {0x4, L"right", 0x2},
        {0x25, L"left", 0x0},        {0x25, L"right", 0x2},
        {0x4, L"top", 0x20},         {0x0, L"bottom", 0x28},
        {0x0, L"vcenter", 0x25},  // "vcenter" contains "center" too
        {0x4, L"left top", 0x20},    {0x4, L"", 0x4},
        {0x8004, L"center", 0x8005},  // other bits are kept
        {0x4, L"CENTER", 0x4},        // words are matched exactly
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(ApplyAlignWords(c.style, c.words), c.expected) << c.words;
    }
}

TEST(ProgressForePartTest, ValueIsClampedAndScaled) {
    const struct {
        SIZE size;
        int minimum;
        int maximum;
        int value;
        bool horizontal;
        RECT expected;
    } kCases[] = {
        {{200, 12}, 0, 100, 30, true, {0, 0, 60, 12}},
        {{200, 12}, 0, 100, 150, true, {0, 0, 200, 12}},
        {{200, 12}, 0, 100, -20, true, {0, 0, 0, 12}},
        {{200, 12}, 50, 150, 100, true, {0, 0, 100, 12}},
        {{200, 12}, 10, 10, 10, true, {0, 0, 0, 12}},   // max raised to min + 1
        {{200, 12}, 10, 5, 99, true, {0, 0, 200, 12}},  // value clamped to the raised max
        {{20, 100}, 0, 100, 30, false, {0, 70, 20, 100}},
        {{20, 100}, 0, 100, 100, false, {0, 0, 20, 100}},
        {{30000, 12}, 0, 2000000000, 1000000000, true, {0, 0, 15000, 12}},  // no overflow
    };
    for (const auto& c : kCases) {
        const RECT part = ProgressForePart(c.size, c.minimum, c.maximum, c.value, c.horizontal);
        EXPECT_PRED2(SameRect, part, c.expected) << c.value;
    }
}

TEST(ProgressForePartTest, ModifierStretchesOrCuts) {
    EXPECT_EQ(ProgressModifier(RECT{0, 0, 60, 12}, true), L"dest='0,0,60,12'");
    EXPECT_EQ(ProgressModifier(RECT{0, 70, 20, 100}, false),
              L"dest='0,70,20,100' source='0,70,20,100'");
}

TEST(EditTextRectTest, CutToTheFontAndCentred) {
    const struct {
        RECT item;
        RECT padding;
        int fontHeight;
        RECT expected;
    } kCases[] = {
        {{10, 10, 210, 40}, {4, 3, 4, 3}, 14, {14, 18, 206, 32}},  // 24 high: top += 5
        {{10, 10, 210, 40}, {4, 3, 4, 3}, 13, {14, 18, 206, 31}},  // odd difference rounds down
        {{10, 10, 210, 40}, {4, 3, 4, 3}, 24, {14, 13, 206, 37}},  // as high as the area
        {{10, 10, 210, 40}, {4, 3, 4, 3}, 40, {14, 13, 206, 37}},  // higher: unchanged
        {{0, 0, 100, 20}, {0, 0, 0, 0}, 0, {0, 10, 100, 10}},
    };
    for (const auto& c : kCases) {
        EXPECT_PRED2(SameRect, EditTextRect(c.item, c.padding, c.fontHeight), c.expected)
            << c.fontHeight;
    }
}

TEST(EditTextRectTest, MaskedTextHasOneCharacterPerCharacter) {
    EXPECT_EQ(MaskedText(L"abc", L'*'), L"***");
    EXPECT_EQ(MaskedText(L"中文", L'#'), L"##");
    EXPECT_EQ(MaskedText(L"", L'*'), L"");
}

TEST(ResizeBorderHitTestTest, BandsAndCorners) {
    const RECT client = {0, 0, 400, 300};
    const RECT border = {4, 4, 4, 4};
    const struct {
        POINT point;
        LRESULT expected;
    } kCases[] = {
        {{2, 2}, HTTOPLEFT},     {{200, 2}, HTTOP},           {{398, 2}, HTTOPRIGHT},
        {{2, 150}, HTLEFT},      {{398, 150}, HTRIGHT},       {{2, 298}, HTBOTTOMLEFT},
        {{200, 298}, HTBOTTOM},  {{398, 298}, HTBOTTOMRIGHT}, {{4, 4}, HTNOWHERE},
        {{396, 296}, HTNOWHERE},  // the inner edges belong to the client
        {{200, 150}, HTNOWHERE},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(ResizeBorderHitTest(c.point, client, border), c.expected)
            << c.point.x << "," << c.point.y;
    }
}

TEST(ResizeBorderHitTestTest, CaptionAreaAndItsControls) {
    const RECT client = {0, 0, 400, 300};
    EXPECT_TRUE(IsInCaption(POINT{0, 0}, client, RECT{0, 0, 0, 30}));
    EXPECT_TRUE(IsInCaption(POINT{399, 29}, client, RECT{0, 0, 0, 30}));
    EXPECT_FALSE(IsInCaption(POINT{200, 30}, client, RECT{0, 0, 0, 30}));
    EXPECT_FALSE(IsInCaption(POINT{395, 10}, client, RECT{0, 0, 10, 30}));
    EXPECT_FALSE(IsInCaption(POINT{5, 10}, client, RECT{10, 0, 0, 30}));

    for (const wchar_t* own :
         {L"ButtonUI", L"optionui", L"TextUI", L"ComboUI", L"ComboBoxUI", L"ZNetImgUI"}) {
        EXPECT_TRUE(IsCaptionControlClass(own)) << own;
    }
    for (const wchar_t* drags : {L"LabelUI", L"ContainerUI", L"ButtonUIx", L"", L"EditUI"}) {
        EXPECT_FALSE(IsCaptionControlClass(drags)) << drags;
    }
}

TEST(CenteredPositionTest, CentredAndKeptInsideTheWorkArea) {
    const RECT work = {0, 0, 1000, 700};
    const struct {
        SIZE size;
        RECT area;
        POINT expected;
    } kCases[] = {
        {{400, 300}, {0, 0, 1000, 700}, {300, 200}},      // no owner: the work area
        {{400, 300}, {100, 100, 501, 401}, {100, 100}},   // odd sizes round down
        {{400, 300}, {900, 600, 1200, 800}, {600, 400}},  // sticks out right and bottom
        {{400, 300}, {-300, -200, 0, 0}, {0, 0}},         // sticks out left and top
        {{1200, 300}, {0, 0, 1000, 700}, {0, 200}},       // wider than the work area
    };
    for (const auto& c : kCases) {
        const POINT position = CenteredPosition(c.size, c.area, work);
        EXPECT_EQ(position.x, c.expected.x) << c.area.left;
        EXPECT_EQ(position.y, c.expected.y) << c.area.top;
    }
}

}  // namespace
