#include "PageHost.h"

#include "CLabelUI.h"
#include "Localization.h"
#include "PageNames.h"
#include "ProgressMath.h"
#include "TestFiles.h"
#include "TestProcess.h"
#include "UninstallMessages.h"
#include "ZInstallProgressUI.h"
#include "ZPage3.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

constexpr int kPageWidth = 596;
constexpr int kPageHeight = 156;

TEST(ProgressMathTest, FillWidthAndPercentForDoneOfTotal) {
    struct Case {
        int32_t done, total;
        std::optional<int> width;
        std::optional<int64_t> percent;
    };
    const Case cases[] = {
        {3, 7, 192, 42},       // 3 / 7 x 450 = 192.86
        {7, 7, 443, 100},      // 450 is kept at 443
        {9, 7, 443, 128},      // beyond the total
        {1, 1000, 0, 0},       // 0.45 pixels
        {500, 1000, 225, 50},  //
        {5, 0, std::nullopt, std::nullopt},
        {5, -3, std::nullopt, std::nullopt},
        {-4, 10, 0, -40},                    // never a negative width
        {2000000000, 2000000000, 443, 100},  // no overflow on the way to the percentage
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProgressFillWidth(c.done, c.total), c.width) << c.done << "/" << c.total;
        EXPECT_EQ(ProgressPercent(c.done, c.total), c.percent) << c.done << "/" << c.total;
    }
}

TEST(ProgressMathTest, EveryAtSignBecomesThePercentage) {
    struct Case {
        const wchar_t* pattern;
        int64_t percent;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"已完成(@)了，请稍等一下下哦^_^", 42, L"已完成(42)了，请稍等一下下哦^_^"},
        {L"@% is completed, please wait for a monment.", 100,
         L"100% is completed, please wait for a monment."},
        {L"@ @@", -7, L"-7 -7-7"},
        {L"no sign", 5, L"no sign"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProgressLineText(c.pattern, c.percent), c.expected);
    }
    EXPECT_EQ(CentredLeftPadding(600, 120), 240);
    EXPECT_EQ(CentredLeftPadding(600, 121), 239);
}

class ProgressPageTest : public ::testing::Test {
protected:
    void SetUp() override { test::UseLanguage(kSourceLanguage); }

    ZInstallProgressUI* Bar() {
        return dynamic_cast<ZInstallProgressUI*>(host_.Control(PageNames::kProgressBar));
    }
    ZPage3* Page() { return dynamic_cast<ZPage3*>(host_.Page()); }
    // Hands the page an engine message and lays the window out again.
    void Send(UINT message, WPARAM wParam, LPARAM lParam) {
        Page()->OnUninstallMessage(message, wParam, lParam);
        host_.Layout();
    }
    int FillWidth() {
        const RECT fill = Bar()->FillPart()->Bounds();
        return fill.right - fill.left;
    }
    std::wstring ProgressLine() { return host_.Control(PageNames::kProgressLabel)->GetText(); }

    test::PageHost host_{std::make_unique<ZPage3>(), kPageWidth, kPageHeight};
};

TEST_F(ProgressPageTest, BarBeforeAnyProgressShows38Pixels) {
    ASSERT_NE(Bar(), nullptr);
    const RECT bar = Bar()->Bounds();
    EXPECT_EQ(bar.right - bar.left, 486);
    EXPECT_EQ(FillWidth(), 38);
    const RECT point = Bar()->PointPart()->Bounds();
    EXPECT_EQ(point.left, bar.left + 38);
    EXPECT_EQ(point.right - point.left, 5);
    EXPECT_EQ(Bar()->BkImage(), L"pgbk.png");
    EXPECT_EQ(Bar()->FillPart()->BkImage(), L"pgfog.png");
    EXPECT_EQ(Bar()->PointPart()->BkImage(), L"point.png");
}

TEST_F(ProgressPageTest, ProgressMessagesMoveTheBarAndRewriteTheLine) {
    struct Step {
        WPARAM done;
        LPARAM total;
        int width;
        const wchar_t* line;
    };
    const Step steps[] = {
        {3, 7, 192, L"已完成(42)了，请稍等一下下哦^_^"},
        {7, 7, 443, L"已完成(100)了，请稍等一下下哦^_^"},
        {9, 7, 443, L"已完成(128)了，请稍等一下下哦^_^"},
        {4, 0, 443, L"已完成(128)了，请稍等一下下哦^_^"},  // no total: nothing changes
        {1, 2, 225, L"已完成(50)了，请稍等一下下哦^_^"},
    };
    for (const Step& step : steps) {
        Send(WM_UNINSTALL_PROGRESS, step.done, step.total);
        EXPECT_EQ(FillWidth(), step.width) << step.done << "/" << step.total;
        EXPECT_EQ(ProgressLine(), step.line) << step.done << "/" << step.total;
    }
    EXPECT_EQ(
        dynamic_cast<DuiLib::CLabelUI*>(host_.Control(PageNames::kProgressLabel))->TextColor(),
        0xFF666666u);
    const RECT bar = Bar()->Bounds();
    const RECT point = Bar()->PointPart()->Bounds();
    EXPECT_EQ(point.left, bar.left + 225) << "the marker sits at the end of the fill";
}

TEST_F(ProgressPageTest, ZeroFillPutsTheMarkerAtTheLeftEdge) {
    Send(WM_UNINSTALL_PROGRESS, 1, 1000);  // 0.45 pixels
    EXPECT_FALSE(Bar()->FillPart()->IsVisible());
    EXPECT_EQ(Bar()->PointPart()->Bounds().left, Bar()->Bounds().left);
    EXPECT_EQ(ProgressLine(), L"已完成(0)了，请稍等一下下哦^_^");
    Send(WM_UNINSTALL_PROGRESS, 3, 1000);  // 1.35 pixels
    EXPECT_TRUE(Bar()->FillPart()->IsVisible());
    EXPECT_EQ(FillWidth(), 1);
    EXPECT_EQ(Bar()->PointPart()->Bounds().left, Bar()->Bounds().left + 1);
}

TEST_F(ProgressPageTest, TotalOfZeroChangesNothing) {
    Send(WM_UNINSTALL_PROGRESS, 3, 0);
    EXPECT_EQ(FillWidth(), 38);
    EXPECT_EQ(ProgressLine(), L"卸载进度");
    EXPECT_EQ(
        dynamic_cast<DuiLib::CLabelUI*>(host_.Control(PageNames::kProgressLabel))->TextColor(),
        0xFF000000u);
}

TEST_F(ProgressPageTest, FinishedSwapsToTheCompletionTextAndFocusesTheFinishButton) {
    Send(WM_UNINSTALL_PROGRESS, 3, 7);
    Send(WM_UNINSTALL_FINISHED, 0, 0);
    struct Case {
        const wchar_t* name;
        bool visible;
    };
    const Case cases[] = {
        {PageNames::kStatusLabel, false}, {PageNames::kProgressLabel, false},
        {PageNames::kProgressBar, false}, {PageNames::kFinishLabel, true},
        {PageNames::kFinishButton, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(host_.Control(c.name)->IsVisible(), c.visible) << c.name;
    }
    DuiLib::CControlUI* finish = host_.Control(PageNames::kFinishButton);
    EXPECT_EQ(host_.Manager().FocusControl(), finish);
    const RECT button = host_.PageRect(PageNames::kFinishButton);
    EXPECT_EQ(button.left, 240);
    EXPECT_EQ(button.right - button.left, 120);
    EXPECT_EQ(button.top, 90);
    const RECT text = host_.PageRect(PageNames::kFinishLabel);
    EXPECT_EQ(text.top, 30);
    EXPECT_EQ(text.bottom - text.top, 40);
}

TEST_F(ProgressPageTest, FinishedWithoutProgressStillOffersTheFinishButton) {
    Send(WM_UNINSTALL_FINISHED, 0, 0);
    EXPECT_TRUE(host_.Control(PageNames::kFinishButton)->IsVisible());
    EXPECT_FALSE(host_.Control(PageNames::kProgressBar)->IsVisible());
}

TEST_F(ProgressPageTest, OtherMessagesAreIgnored) {
    Send(WM_USER + 3, 3, 7);
    EXPECT_EQ(FillWidth(), 38);
    EXPECT_EQ(ProgressLine(), L"卸载进度");
    EXPECT_FALSE(host_.Control(PageNames::kFinishButton)->IsVisible());
}

TEST(ProgressPageEnglishTest, ProgressLineUsesTheDictionarysText) {
    test::UseLanguage(L"English");
    {
        test::PageHost host(std::make_unique<ZPage3>(), kPageWidth, kPageHeight);
        dynamic_cast<ZPage3*>(host.Page())->OnUninstallMessage(WM_UNINSTALL_PROGRESS, 3, 7);
        EXPECT_EQ(host.Control(PageNames::kProgressLabel)->GetText(),
                  L"42% is completed, please wait for a monment.");
    }
    test::UseLanguage(kSourceLanguage);
}

TEST(FinishAndExitTest, DeletesTheLeftoverFolderAndTheProgramItself) {
    test::ScratchFolder scratch(L"finish-and-exit");
    const std::wstring installFolder = scratch / L"Tablet Driver 安装";
    test::WriteFile(installFolder + L"\\left.dll", "leftover");
    test::WriteFile(installFolder + L"\\sub\\settings.json", "{}");
    const std::wstring temporary = scratch / L"temp";
    const std::wstring copy = temporary + L"\\Uninstall.exe";
    test::MakeFolders(temporary);
    ASSERT_TRUE(::CopyFileW((test::TestProgramFolder() + L"\\FinishProbe.exe").c_str(),
                            copy.c_str(), FALSE));

    const std::optional<DWORD> exitCode =
        test::RunProgram(L"\"" + copy + L"\" \"" + installFolder + L"\"", temporary);
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_FALSE(test::FolderExists(installFolder));
    EXPECT_TRUE(test::WaitUntil([&] { return !test::FileExists(copy); }, 15000))
        << "the interpreter deletes the program's file after it ended";
}

TEST(FinishAndExitTest, ARefusedPathIsLeftAloneAndTheProgramStillEnds) {
    test::ScratchFolder scratch(L"finish-refused");
    const std::wstring temporary = scratch / L"temp";
    const std::wstring copy = temporary + L"\\Uninstall.exe";
    test::MakeFolders(temporary);
    test::WriteFile(scratch / L"keep\\data.txt", "kept");
    ASSERT_TRUE(::CopyFileW((test::TestProgramFolder() + L"\\FinishProbe.exe").c_str(),
                            copy.c_str(), FALSE));
    // A path that climbs with ".." is never an installation folder.
    const std::wstring refused = temporary + L"\\..\\keep";

    const std::optional<DWORD> exitCode =
        test::RunProgram(L"\"" + copy + L"\" \"" + refused + L"\"", temporary);
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_TRUE(test::FileExists(scratch / L"keep\\data.txt"));
    EXPECT_TRUE(test::WaitUntil([&] { return !test::FileExists(copy); }, 15000))
        << "the program's file goes even when the folder stays";
}

}  // namespace
