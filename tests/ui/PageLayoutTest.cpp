#include "PageHost.h"
#include "TestSkin.h"

#include "CButtonUI.h"
#include "CImageCache.h"
#include "CEditUI.h"
#include "UniqueHandle.h"
#include "Localization.h"
#include "PageNames.h"
#include "ZInstallProgressUI.h"
#include "ZPage1.h"
#include "ZPage2.h"
#include "ZPage3.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

// The page area of the main window.
constexpr int kPageWidth = 596;
constexpr int kPageHeight = 156;

int Width(const RECT& rect) {
    return rect.right - rect.left;
}
int Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

class PageLayoutTest : public ::testing::TestWithParam<const wchar_t*> {
protected:
    void SetUp() override { test::UseLanguage(GetParam()); }
    void TearDown() override { test::UseLanguage(kSourceLanguage); }
};

TEST_P(PageLayoutTest, ConfirmationPageCentresTwoFittedButtons) {
    test::PageHost host(std::make_unique<ZPage1>(), kPageWidth, kPageHeight);
    const RECT confirm = host.PageRect(PageNames::kConfirmButton);
    const RECT cancel = host.PageRect(PageNames::kCancelButton);

    struct Button {
        const wchar_t* name;
        const wchar_t* source;
    };
    const Button buttons[] = {{PageNames::kConfirmButton, L"残忍卸载"},
                              {PageNames::kCancelButton, L"取消卸载"}};
    for (const Button& button : buttons) {
        const RECT rect = host.PageRect(button.name);
        const std::wstring text = Translate(button.source);
        const int fitted = test::TextWidth(host.Manager(), 0, text) + 40;
        EXPECT_EQ(Width(rect), std::clamp(fitted, 160, 250)) << button.name;
        EXPECT_EQ(rect.top, 80);
        EXPECT_EQ(Height(rect), 50);
        EXPECT_EQ(host.Control(button.name)->GetText(), text);
    }
    if (GetParam() == std::wstring(kSourceLanguage)) {
        EXPECT_EQ(Width(confirm), 160) << "four characters are far narrower than 120 pixels";
        EXPECT_EQ(Width(cancel), 160);
    }
    EXPECT_EQ(cancel.left - confirm.right, 30);
    // The two outer spacers share what is left; an odd remainder goes to one of them.
    EXPECT_LE(std::abs(confirm.left - (kPageWidth - cancel.right)), 1);
}

TEST_P(PageLayoutTest, SecondPageShowsADisabledReadOnlyFieldAndACentredStartButton) {
    test::PageHost host(std::make_unique<ZPage2>(), kPageWidth, kPageHeight);
    // The field's slot is the 486 pixels between the 55-pixel insets, below the 30-pixel caption;
    // its 1-pixel padding keeps it off the slot's edges (the vertical layout also adds the bottom
    // padding to its height).
    const RECT field = host.PageRect(PageNames::kLocationEdit);
    EXPECT_EQ(field.left - 1, 55);
    EXPECT_EQ(Width(field) + 2, 486);
    EXPECT_EQ(field.top - 1, 30);
    EXPECT_EQ(Height(field), 25 + 1);
    auto* edit = dynamic_cast<DuiLib::CEditUI*>(host.Control(PageNames::kLocationEdit));
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(edit->IsEnabled());
    EXPECT_TRUE(edit->IsReadOnly());
    EXPECT_EQ(edit->BorderColor(), 0xFFAAAAAAu);
    const RECT sides = edit->SideBorderSize();
    const RECT onePixel = {1, 1, 1, 1};
    EXPECT_TRUE(::EqualRect(&sides, &onePixel));

    const RECT start = host.PageRect(PageNames::kStartButton);
    const int fitted = test::TextWidth(host.Manager(), 2, Translate(L"开始卸载")) + 40;
    EXPECT_EQ(Width(start), std::max(fitted, 120));
    EXPECT_GE(Width(start), 120);
    EXPECT_EQ(start.top, 100);
    EXPECT_EQ(Height(start), 40);
    EXPECT_LE(std::abs(start.left - (kPageWidth - start.right)), 1);
}

TEST_P(PageLayoutTest, ProgressPageLaysOutTheLinesAndABarRow486Wide) {
    test::PageHost host(std::make_unique<ZPage3>(), kPageWidth, kPageHeight);
    struct Case {
        const wchar_t* name;
        RECT rect;
        bool visible;
    };
    const Case cases[] = {
        {PageNames::kStatusLabel, {55, 10, 541, 30}, true},
        {PageNames::kProgressLabel, {55, 60, 541, 80}, true},
        {PageNames::kProgressBar, {55, 90, 541, 95}, true},
        {PageNames::kFinishLabel, {0, 0, 0, 0}, false},
        {PageNames::kFinishButton, {0, 0, 0, 0}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(host.Control(c.name)->IsVisible(), c.visible) << c.name;
        if (c.visible) {
            const RECT rect = host.PageRect(c.name);
            EXPECT_TRUE(::EqualRect(&rect, &c.rect))
                << c.name << ": " << rect.left << "," << rect.top << "," << rect.right << ","
                << rect.bottom;
        }
    }
    EXPECT_EQ(host.Control(PageNames::kStatusLabel)->GetText(), Translate(L"正在卸载"));
    EXPECT_EQ(host.Control(PageNames::kProgressLabel)->GetText(), Translate(L"卸载进度"));
    EXPECT_EQ(host.Control(PageNames::kFinishLabel)->GetText(), Translate(L"卸载完毕"));
    EXPECT_EQ(host.Control(PageNames::kFinishButton)->GetText(), Translate(L"确定"));
}

TEST_P(PageLayoutTest, SkinImagesComeFromTheProgramsArchive) {
    test::UseProgramSkinArchive();
    test::PageHost host(std::make_unique<ZPage1>(), kPageWidth, kPageHeight);
    for (const wchar_t* image : {L"cancleBtn.png", L"btn_bkg_3.png", L"pgbk.png"}) {
        EXPECT_NE(host.Manager().Images().ImageOrLoad(image), nullptr) << image;
    }
}

TEST(PageSkinTest, ButtonsUseTheirSkinImages) {
    test::PageHost first(std::make_unique<ZPage1>(), kPageWidth, kPageHeight);
    test::PageHost second(std::make_unique<ZPage2>(), kPageWidth, kPageHeight);
    test::PageHost third(std::make_unique<ZPage3>(), kPageWidth, kPageHeight);
    const std::wstring normal = L"file='btn_bkg_3.png' source='0,0,50,25' corner='10,10,10,10'";
    const std::wstring hot = L"file='btn_bkg_3.png' source='0,25,50,50' corner='10,10,10,10'";
    const std::wstring pressed = L"file='btn_bkg_3.png' source='0,50,50,75' corner='10,10,10,10'";
    struct Case {
        test::PageHost& host;
        const wchar_t* name;
        std::wstring normal, hot, pushed;
    };
    const Case cases[] = {
        {first, PageNames::kConfirmButton, L"file='cancleBtn.png' source='0,0,160,50'",
         L"file='cancleBtn.png' source='0,50,160,100'", L""},
        {first, PageNames::kCancelButton, normal, hot, hot},
        {second, PageNames::kStartButton, normal, hot, pressed},
        {third, PageNames::kFinishButton, normal, hot, pressed},
    };
    for (const Case& c : cases) {
        auto* button = dynamic_cast<DuiLib::CButtonUI*>(c.host.Control(c.name));
        ASSERT_NE(button, nullptr) << c.name;
        EXPECT_EQ(button->NormalImage(), c.normal) << c.name;
        EXPECT_EQ(button->HotImage(), c.hot) << c.name;
        EXPECT_EQ(button->PushedImage(), c.pushed) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, PageLayoutTest, ::testing::Values(L"CN", L"English"));

TEST(PageTextTest, EnglishTextsAreTheDictionarys) {
    test::UseLanguage(L"English");
    test::PageHost first(std::make_unique<ZPage1>(), kPageWidth, kPageHeight);
    test::PageHost second(std::make_unique<ZPage2>(), kPageWidth, kPageHeight);
    test::PageHost third(std::make_unique<ZPage3>(), kPageWidth, kPageHeight);
    struct Case {
        test::PageHost& host;
        const wchar_t* name;
        const wchar_t* text;
    };
    const Case cases[] = {
        {first, PageNames::kConfirmButton, L"Uninstall"},
        {first, PageNames::kCancelButton, L"Cancel"},
        {second, PageNames::kStartButton, L"Start Unloading"},
        {third, PageNames::kStatusLabel, L"Unloading"},
        {third, PageNames::kProgressLabel, L"Unload Progress"},
        {third, PageNames::kFinishLabel, L"Successfully Uninstalled"},
        {third, PageNames::kFinishButton, L"Confirm"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.host.Control(c.name)->GetText(), c.text) << c.name;
    }
    test::UseLanguage(kSourceLanguage);
}

TEST(PageTextTest, ALongTranslationGives250PixelsAndAnEllipsis) {
    const std::wstring longText = L"Uninstall the tablet driver together with all of its settings";
    test::UseLanguageWithDictionary(
        L"English",
        "{\"残忍卸载\": {\"English\": \"Uninstall the tablet driver together with all of its "
        "settings\"}, \"取消卸载\": {\"English\": \"No\"}}");
    {
        test::PageHost host(std::make_unique<ZPage1>(), kPageWidth, kPageHeight);
        ASSERT_GT(test::TextWidth(host.Manager(), 0, longText), 210);
        auto* confirm = dynamic_cast<DuiLib::CButtonUI*>(host.Control(PageNames::kConfirmButton));
        ASSERT_NE(confirm, nullptr);
        EXPECT_EQ(confirm->GetText(), longText);
        EXPECT_EQ(Width(host.PageRect(PageNames::kConfirmButton)), 250);
        EXPECT_EQ(Width(host.PageRect(PageNames::kCancelButton)), 160) << "a short text";

        // What the button's text style makes of the text in its rectangle.
        EXPECT_NE(confirm->TextStyle() & DT_END_ELLIPSIS, 0u);
        ScopedMemoryDC dc(::CreateCompatibleDC(nullptr));
        ScopedSelectObject font(dc.Get(), host.Manager().FontAt(0));
        std::wstring shown = longText + std::wstring(4, L'\0');
        RECT rect = confirm->Bounds();
        ::DrawTextW(dc.Get(), shown.data(), -1, &rect, confirm->TextStyle() | DT_MODIFYSTRING);
        shown.resize(wcslen(shown.c_str()));
        EXPECT_EQ(shown.substr(shown.size() - 3), L"...");
        EXPECT_LT(shown.size(), longText.size());
    }
    test::UseLanguage(kSourceLanguage);
}

}  // namespace
