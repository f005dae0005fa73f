#include "CLabelUI.h"
#include "CProgressUI.h"
#include "CTextUI.h"
#include "COptionUI.h"
#include "RecordingHost.h"

#include <gtest/gtest.h>

using namespace DuiLib;

namespace {

TEST(LabelAttributeTest, AlignOnANewLabel) {
    const struct {
        const wchar_t* value;
        UINT style;
    } kCases[] = {
        {L"center", 0x5}, {L"right", 0x2}, {L"left", 0x0}, {L"bottom", 0x28}, {L"vcenter", 0x25},
    };
    for (const auto& c : kCases) {
        CLabelUI label;
        label.ApplyAttribute(L"align", c.value);
        EXPECT_EQ(label.TextStyle(), c.style) << c.value;
    }
}

TEST(LabelAttributeTest, EachClassReadsItsOwnAttributesThenItsBase) {
    CLabelUI label;
    label.ApplyAttributeList(
        L"textcolor=\"#FF112233\" disabledtextcolor=\"FF445566\" font=\"2\" "
        L"textpadding=\"1,2,3,4\" endellipsis=\"true\" name=\"l\" enabledeffect=\"true\"");
    EXPECT_EQ(label.TextColor(), 0xFF112233u);
    EXPECT_EQ(label.DisabledTextColor(), 0xFF445566u);
    EXPECT_EQ(label.Font(), 2);
    EXPECT_EQ(label.TextPadding().bottom, 4);
    EXPECT_EQ(label.TextStyle(), 0x8004u);
    EXPECT_EQ(label.GetName(), L"l");

    CButtonUI button;
    EXPECT_EQ(button.TextStyle(), 0x25u);
    button.ApplyAttributeList(
        L"hotimage=\"h.png\" foreimage=\"f.png\" hottextcolor=\"#FF010203\" align=\"left\"");
    EXPECT_EQ(button.HotImage(), L"h.png");
    EXPECT_EQ(button.ForeImage(), L"f.png");
    EXPECT_EQ(button.HotTextColor(), 0xFF010203u);
    EXPECT_EQ(button.TextStyle(), 0x0u);

    COptionUI option;
    option.ApplyAttributeList(L"foreimage=\"sf.png\" selected=\"true\" group=\"x\"");
    EXPECT_EQ(option.SelectedForeImage(), L"sf.png");
    EXPECT_TRUE(option.ForeImage().empty());
    EXPECT_TRUE(option.IsSelected());
    EXPECT_EQ(option.Group(), L"x");

    CProgressUI progress;
    EXPECT_EQ(progress.TextStyle(), 0x21u);
    EXPECT_EQ(progress.FixedHeight(), 12);
    progress.ApplyAttributeList(
        L"min=\"5\" max=\"50\" value=\"7\" hor=\"false\" isstretchfore=\"false\" "
        L"foreimage=\"bar.png\"");
    EXPECT_EQ(progress.Min(), 5);
    EXPECT_EQ(progress.Max(), 50);
    EXPECT_EQ(progress.Value(), 7);
    EXPECT_FALSE(progress.IsHorizontal());
    EXPECT_FALSE(progress.IsStretchForeImage());
    EXPECT_EQ(progress.ForeImage(), L"bar.png");

    CTextUI text;
    EXPECT_EQ(text.TextStyle(), 0x10u);
    EXPECT_EQ(text.TextPadding().left, 2);
}

TEST(LabelAttributeTest, ClassNamesAndInterfaces) {
    CLabelUI label;
    CButtonUI button;
    COptionUI option;
    CTextUI text;
    CProgressUI progress;
    const struct {
        CControlUI* control;
        const wchar_t* className;
        std::vector<const wchar_t*> interfaces;
    } kCases[] = {
        {&label, L"LabelUI", {L"Label", L"Control"}},
        {&button, L"ButtonUI", {L"Button", L"Label", L"Control"}},
        {&option, L"OptionUI", {L"Option", L"Button", L"Label", L"Control"}},
        {&text, L"TextUI", {L"Text", L"Label", L"Control"}},
        {&progress, L"ProgressUI", {L"Progress", L"Label", L"Control"}},
    };
    for (const auto& c : kCases) {
        EXPECT_STREQ(c.control->ClassName(), c.className);
        for (const wchar_t* name : c.interfaces) {
            EXPECT_EQ(c.control->AsInterface(name), c.control) << c.className << " " << name;
        }
        EXPECT_EQ(c.control->AsInterface(L"Edit"), nullptr) << c.className;
    }
}

TEST(LabelMeasureTest, HeightFromTheFontUnlessFixed) {
    test::RecordingHost host;  // font height 14
    CLabelUI label;
    CButtonUI button;
    label.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    button.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    label.SetFixedWidth(50);
    EXPECT_EQ(label.MeasureSize(SIZE{300, 300}).cx, 50);
    EXPECT_EQ(label.MeasureSize(SIZE{300, 300}).cy, 18);
    EXPECT_EQ(button.MeasureSize(SIZE{300, 300}).cy, 22);
    button.SetFixedHeight(30);
    EXPECT_EQ(button.MeasureSize(SIZE{300, 300}).cy, 30);
}

// The progress line is given its text and colour with every progress message; only a change may
// cost a repaint.
TEST(LabelPaintTest, OnlyAChangedTextOrColourAsksForARepaint) {
    test::RecordingHost host;
    CLabelUI label;
    label.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    label.SetBounds(RECT{10, 10, 110, 40});
    label.SetText(L"50%");
    label.SetTextColor(0xFF112233);
    label.SetDisabledTextColor(0xFF445566);
    const size_t before = host.invalidated.size();
    label.SetText(L"50%");
    label.SetTextColor(0xFF112233);
    label.SetDisabledTextColor(0xFF445566);
    EXPECT_EQ(host.invalidated.size(), before);
    label.SetTextColor(0xFF112234);
    label.SetDisabledTextColor(0xFF445567);
    EXPECT_EQ(host.invalidated.size(), before + 2);
}

TEST(LabelPaintTest, TextInItsColourInsideThePadding) {
    test::RecordingHost host;
    CLabelUI label;
    label.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    label.SetBounds(RECT{10, 10, 110, 40});
    label.SetTextPadding(RECT{5, 2, 5, 2});
    label.Paint(host.canvas.Dc(), RECT{0, 0, 200, 100});
    EXPECT_TRUE(host.drawnTexts.empty());  // no text, nothing drawn

    label.SetText(L"标签");
    label.Paint(host.canvas.Dc(), RECT{0, 0, 200, 100});
    label.SetEnabled(false);
    label.Paint(host.canvas.Dc(), RECT{0, 0, 200, 100});
    ASSERT_EQ(host.drawnTexts.size(), 2u);
    EXPECT_EQ(host.drawnTexts[0].text, L"标签");
    EXPECT_EQ(host.drawnTexts[0].colour, 0xFF000000u);
    EXPECT_EQ(host.drawnTexts[0].style, 0x24u);  // vertical centre + single line
    EXPECT_RECT(host.drawnTexts[0].rect, 15, 12, 105, 38);
    EXPECT_EQ(host.drawnTexts[1].colour, 0xFFA7A6AAu);
}

TEST(ProgressPaintTest, ForeImageCoversTheValue) {
    const struct {
        int value;
        bool stretch;
        bool horizontal;
        std::wstring modifier;
    } kCases[] = {
        {30, true, true, L"dest='0,0,60,12'"},
        {150, true, true, L"dest='0,0,200,12'"},
        {0, true, true, L"dest='0,0,0,12'"},
        {30, false, true, L"dest='0,0,60,12' source='0,0,60,12'"},
        {25, true, false, L"dest='0,9,200,12'"},
    };
    for (const auto& c : kCases) {
        test::RecordingHost host;
        CProgressUI progress;
        progress.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
        progress.SetBounds(RECT{10, 20, 210, 32});
        progress.SetForeImage(L"file='bar.png'");
        progress.SetValue(c.value);
        progress.SetStretchForeImage(c.stretch);
        progress.SetHorizontal(c.horizontal);
        progress.Paint(host.canvas.Dc(), RECT{0, 0, 220, 120});
        ASSERT_EQ(host.modifiers.size(), 1u) << c.value;
        EXPECT_EQ(host.modifiers[0], c.modifier) << c.value;
        EXPECT_EQ(host.images[0], L"file='bar.png'");
    }

    test::RecordingHost host;
    CProgressUI empty;
    empty.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    empty.SetBounds(RECT{0, 0, 200, 12});
    empty.Paint(host.canvas.Dc(), RECT{0, 0, 200, 12});
    EXPECT_TRUE(host.images.empty());
}

}  // namespace
