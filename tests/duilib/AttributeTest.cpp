#include "AttributeParsing.h"
#include "CControlUI.h"
#include "CTabLayoutUI.h"
#include "CVerticalLayoutUI.h"
#include "TestControls.h"

#include <gtest/gtest.h>

#include <climits>

using namespace DuiLib;

namespace {

TEST(AttributeValueTest, IntegersSkipBlanksTakeASignAndStopAtTheFirstNonDigit) {
    EXPECT_EQ(ParseInteger(L"42"), 42);
    EXPECT_EQ(ParseInteger(L" \t 42px"), 42);
    EXPECT_EQ(ParseInteger(L"-7"), -7);
    EXPECT_EQ(ParseInteger(L"+5"), 5);
    EXPECT_EQ(ParseInteger(L"12,34"), 12);
    EXPECT_EQ(ParseInteger(L"abc"), 0);
    EXPECT_EQ(ParseInteger(L"-"), 0);
    EXPECT_EQ(ParseInteger(L""), 0);
    EXPECT_EQ(ParseInteger(L"99999999999"), INT_MAX);
    EXPECT_EQ(ParseInteger(L"-99999999999"), INT_MIN);
}

TEST(AttributeValueTest, RectanglesSkipExactlyOneSeparatorAfterEachNumber) {
    EXPECT_RECT(ParseRect(L"1,2,3,4"), 1, 2, 3, 4);
    EXPECT_RECT(ParseRect(L"1, 2, 3, 4"), 1, 2, 3, 4);
    EXPECT_RECT(ParseRect(L"1;2 3x4"), 1, 2, 3, 4);
    EXPECT_RECT(ParseRect(L"-10,5,0,25"), -10, 5, 0, 25);
    // A character that is not a number is taken as the separator of the number before it.
    EXPECT_RECT(ParseRect(L"a,2,3,4"), 0, 0, 2, 3);
    // Short values never read past their end.
    EXPECT_RECT(ParseRect(L"1,2"), 1, 2, 0, 0);
    EXPECT_RECT(ParseRect(L""), 0, 0, 0, 0);
    const SIZE round = ParseSize(L"4,6");
    EXPECT_EQ(round.cx, 4);
    EXPECT_EQ(round.cy, 6);
}

TEST(AttributeValueTest, ColoursAreHexadecimalWithAnOptionalHash) {
    EXPECT_EQ(ParseColor(L"#FF112233"), 0xFF112233u);
    EXPECT_EQ(ParseColor(L"FF112233"), 0xFF112233u);
    EXPECT_EQ(ParseColor(L"#ff112233"), 0xFF112233u);
    EXPECT_EQ(ParseColor(L"#12G4"), 0x12u);
    EXPECT_EQ(ParseColor(L"#"), 0u);
    EXPECT_EQ(ParseColor(L"1FFFFFFFFF"), 0xFFFFFFFFu);
    // Only background colours skip what comes before them.
    EXPECT_EQ(ParseColor(L" #FF0000FF"), 0u);
    EXPECT_EQ(ParseBackgroundColor(L"\t\r\n #FF0000FF"), 0xFF0000FFu);
    EXPECT_EQ(ParseBackgroundColor(L"\x01\x1F"
                                   L"FF00FF00"),
              0xFF00FF00u);
}

TEST(AttributeValueTest, OnlyTheExactWordTrueIsTrue) {
    EXPECT_TRUE(ParseBool(L"true"));
    EXPECT_FALSE(ParseBool(L"TRUE"));
    EXPECT_FALSE(ParseBool(L"True"));
    EXPECT_FALSE(ParseBool(L"1"));
    EXPECT_FALSE(ParseBool(L" true"));
    EXPECT_FALSE(ParseBool(L""));
}

TEST(AttributeValueTest, ToolTipLineBreakMarkersBecomeCarriageReturnLineFeed) {
    EXPECT_EQ(ExpandToolTip(L"a<n>b"), L"a\r\nb");
    EXPECT_EQ(ExpandToolTip(L"<n><n>"), L"\r\n\r\n");
    EXPECT_EQ(ExpandToolTip(L"a<nb<N>"), L"a<nb<N>");
}

TEST(AttributeListTest, ReadsPairsSeparatedBySingleSpaces) {
    const AttributeList list = ParseAttributeList(L"name=\"a b\" width=\"10\" text=\"\"");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0], (std::pair<std::wstring, std::wstring>(L"name", L"a b")));
    EXPECT_EQ(list[1], (std::pair<std::wstring, std::wstring>(L"width", L"10")));
    EXPECT_EQ(list[2], (std::pair<std::wstring, std::wstring>(L"text", L"")));
}

TEST(AttributeListTest, StopsSilentlyWhereTheListBreaks) {
    EXPECT_EQ(ParseAttributeList(L"a=\"1\",b=\"2\"").size(), 1u);
    EXPECT_EQ(ParseAttributeList(L"a=1 b=\"2\"").size(), 0u);
    EXPECT_EQ(ParseAttributeList(L"a=\"1\" b=\"unterminated").size(), 1u);
    EXPECT_EQ(ParseAttributeList(L"a=\"1\" ").size(), 1u);
    EXPECT_EQ(ParseAttributeList(L"no equals sign").size(), 0u);
    EXPECT_EQ(ParseAttributeList(L"").size(), 0u);
    // Image descriptions use single quotes; they are not attribute lists.
    EXPECT_EQ(ParseAttributeList(L"file='a.png'").size(), 0u);
    // A second blank makes the blank part of the next name.
    const AttributeList doubled = ParseAttributeList(L"a=\"1\"  b=\"2\"");
    ASSERT_EQ(doubled.size(), 2u);
    EXPECT_EQ(doubled[1].first, L" b");
}

TEST(ControlAttributeTest, AMalformedListKeepsThePairsBeforeTheBreak) {
    CControlUI control;
    control.ApplyAttributeList(L"name=\"a\" width=\"10\",height=\"20\" text=\"t\"");
    EXPECT_EQ(control.GetName(), L"a");
    EXPECT_EQ(control.FixedWidth(), 10);
    EXPECT_EQ(control.FixedHeight(), 0);
    EXPECT_EQ(control.GetText(), L"");

    CControlUI spaced;
    spaced.ApplyAttributeList(L"text=\"x\"  name=\"n\"");
    EXPECT_EQ(spaced.GetText(), L"x");
    EXPECT_EQ(spaced.GetName(), L"");
}

TEST(ControlAttributeTest, ColourAttributesSetTheirColours) {
    CControlUI control;
    control.ApplyAttributeList(
        L"bkcolor=\"\t #FF102030\" bkcolor2=\" FF405060\" bkcolor3=\"#FF708090\" "
        L"bordercolor=\"#FF00FF00\" focusbordercolor=\"FF0000FF\"");
    EXPECT_EQ(control.BkColor(), 0xFF102030u);
    EXPECT_EQ(control.BkColor2(), 0xFF405060u);
    EXPECT_EQ(control.BkColor3(), 0xFF708090u);
    EXPECT_EQ(control.BorderColor(), 0xFF00FF00u);
    EXPECT_EQ(control.FocusBorderColor(), 0xFF0000FFu);
    control.ApplyAttribute(L"bkcolor1", L"#80FFFFFF");
    EXPECT_EQ(control.BkColor(), 0x80FFFFFFu);
    control.ApplyAttribute(L"bordercolor", L" #FF00FF00");
    EXPECT_EQ(control.BorderColor(), 0u);
}

TEST(ControlAttributeTest, BooleanAttributesAreTrueOnlyForLowerCaseTrue) {
    CControlUI control;
    control.ApplyAttributeList(L"visible=\"TRUE\" enabled=\"1\" keyboard=\"True\" mouse=\"true\"");
    EXPECT_FALSE(control.IsOwnVisible());
    EXPECT_FALSE(control.IsEnabled());
    EXPECT_FALSE(control.IsKeyboardEnabled());
    EXPECT_TRUE(control.IsMouseEnabled());
    control.ApplyAttributeList(L"float=\"true\" menu=\"true\" colorhsl=\"true\" visible=\"true\"");
    EXPECT_TRUE(control.IsFloat());
    EXPECT_TRUE(control.UsesMenu());
    EXPECT_TRUE(control.IsColorHsl());
    EXPECT_TRUE(control.IsVisible());
}

TEST(ControlAttributeTest, PosGivesAFloatControlItsOffsetAndSize) {
    CControlUI control;
    control.ApplyAttribute(L"float", L"true");
    control.ApplyAttribute(L"pos", L"-10,5,0,25");
    EXPECT_EQ(control.FixedXY().cx, 0);
    EXPECT_EQ(control.FixedXY().cy, 5);
    EXPECT_EQ(control.FixedWidth(), 10);
    EXPECT_EQ(control.FixedHeight(), 20);

    control.ApplyAttribute(L"pos", L"10,5,30,25");
    EXPECT_EQ(control.FixedXY().cx, 10);
    EXPECT_EQ(control.FixedXY().cy, 5);
    EXPECT_EQ(control.FixedWidth(), 20);
    EXPECT_EQ(control.FixedHeight(), 20);

    // Counted from the right and bottom edges.
    control.ApplyAttribute(L"pos", L"-30,-20,-10,-5");
    EXPECT_EQ(control.FixedXY().cx, -10);
    EXPECT_EQ(control.FixedXY().cy, -5);
    EXPECT_EQ(control.FixedWidth(), 20);
    EXPECT_EQ(control.FixedHeight(), 15);

    // An inverted rectangle gives a negative size, which is ignored.
    control.ApplyAttribute(L"pos", L"50,50,40,40");
    EXPECT_EQ(control.FixedWidth(), 20);
    EXPECT_EQ(control.FixedHeight(), 15);
}

TEST(ControlAttributeTest, BorderSizeTakesEitherOneWidthOrOnePerSide) {
    CControlUI control;
    control.ApplyAttribute(L"bordersize", L"1,2,3,4");
    EXPECT_RECT(control.SideBorderSize(), 1, 2, 3, 4);
    EXPECT_EQ(control.BorderSize(), 0);

    control.ApplyAttribute(L"bordersize", L"2");
    EXPECT_EQ(control.BorderSize(), 2);
    EXPECT_RECT(control.SideBorderSize(), 0, 0, 0, 0);

    control.ApplyAttributeList(
        L"leftbordersize=\"5\" topbordersize=\"6\" rightbordersize=\"7\" bottombordersize=\"8\"");
    EXPECT_RECT(control.SideBorderSize(), 5, 6, 7, 8);
    EXPECT_EQ(control.BorderSize(), 2);
    control.ApplyAttributeList(L"borderstyle=\"2\" borderround=\"4,6\"");
    EXPECT_EQ(control.BorderStyle(), PS_DOT);
    EXPECT_EQ(control.BorderRound().cx, 4);
    EXPECT_EQ(control.BorderRound().cy, 6);
}

TEST(ControlAttributeTest, SizeAndTextAttributes) {
    CControlUI control;
    control.ApplyAttributeList(
        L"width=\"40\" height=\"30\" minwidth=\"10\" minheight=\"11\" maxwidth=\"90\" "
        L"maxheight=\"91\" padding=\"1,2,3,4\" relativepos=\"10,20,30,40\" name=\"CButtonUI_关闭\" "
        L"text=\"文本\" tooltip=\"a<n>b\" userdata=\"u\" shortcut=\"Ab\" bkimage=\"file='a.png'\"");
    EXPECT_EQ(control.FixedWidth(), 40);
    EXPECT_EQ(control.FixedHeight(), 30);
    EXPECT_EQ(control.MinWidth(), 10);
    EXPECT_EQ(control.MinHeight(), 11);
    EXPECT_EQ(control.MaxWidth(), 90);
    EXPECT_EQ(control.MaxHeight(), 91);
    EXPECT_RECT(control.Padding(), 1, 2, 3, 4);
    const RelativePos relative = control.GetRelativePos();
    EXPECT_TRUE(relative.relative);
    EXPECT_EQ(relative.moveXPercent, 10);
    EXPECT_EQ(relative.moveYPercent, 20);
    EXPECT_EQ(relative.zoomXPercent, 30);
    EXPECT_EQ(relative.zoomYPercent, 40);
    EXPECT_EQ(control.GetName(), L"CButtonUI_关闭");
    EXPECT_EQ(control.GetText(), L"文本");
    EXPECT_EQ(control.ToolTip(), L"a\r\nb");
    EXPECT_EQ(control.UserData(), L"u");
    EXPECT_EQ(control.Shortcut(), L'A');
    EXPECT_EQ(control.BkImage(), L"file='a.png'");

    control.ApplyAttributeList(L"width=\"-5\" minwidth=\"-1\" shortcut=\"\"");
    EXPECT_EQ(control.FixedWidth(), 40);
    EXPECT_EQ(control.MinWidth(), 10);
    EXPECT_EQ(control.Shortcut(), L'\0');
}

TEST(ControlAttributeTest, UnknownNamesChangeNothing) {
    test::FakeHost host;
    CControlUI control;
    control.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    control.SetBounds(test::Rect(0, 0, 10, 10));
    host.invalidated.clear();
    host.layoutRequests = 0;
    control.ApplyAttributeList(
        L"Width=\"40\" foo=\"bar\" BKCOLOR=\"#FFFF0000\" inset=\"1,1,1,1\" selectedid=\"1\"");
    EXPECT_EQ(control.FixedWidth(), 0);
    EXPECT_EQ(control.BkColor(), 0u);
    EXPECT_TRUE(host.invalidated.empty());
    EXPECT_EQ(host.layoutRequests, 0);
}

TEST(ControlAttributeTest, VirtualWindowNamesReachTheManager) {
    test::FakeHost host;
    CControlUI early;
    early.ApplyAttribute(L"virtualwnd", L"page");
    EXPECT_EQ(early.VirtualWindow(), L"page");
    early.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    EXPECT_TRUE(host.virtualWindowsUsed);

    test::FakeHost other;
    CVerticalLayoutUI parent;
    parent.AttachManager(&other, nullptr, AttachMode::kAttachOnly);
    auto* child = parent.Add(std::make_unique<CControlUI>());
    parent.ApplyAttribute(L"virtualwnd", L"box");
    EXPECT_TRUE(other.virtualWindowsUsed);
    EXPECT_EQ(child->VirtualWindow(), L"box");
}

TEST(ContainerAttributeTest, ContainersAddInsetChildPaddingAndMouseChild) {
    CVerticalLayoutUI layout;
    layout.ApplyAttributeList(
        L"inset=\"1,2,3,4\" childpadding=\"6\" mousechild=\"false\" bkcolor=\"#FF000000\"");
    EXPECT_RECT(layout.Inset(), 1, 2, 3, 4);
    EXPECT_EQ(layout.ChildPadding(), 6);
    EXPECT_FALSE(layout.IsMouseChildEnabled());
    EXPECT_EQ(layout.BkColor(), 0xFF000000u);

    CTabLayoutUI tabs;
    tabs.Add(std::make_unique<CControlUI>());
    tabs.Add(std::make_unique<CControlUI>());
    tabs.ApplyAttribute(L"selectedid", L"1");
    EXPECT_EQ(tabs.Selection(), 1);
    tabs.ApplyAttribute(L"selectedid", L"7");
    EXPECT_EQ(tabs.Selection(), 1);
}

}  // namespace
