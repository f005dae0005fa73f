#include "ZMainFrame.h"

#include "AppConfig.h"
#include "CButtonUI.h"
#include "CLabelUI.h"
#include "CTabLayoutUI.h"
#include "MainFrameNames.h"
#include "MainFrameRules.h"
#include "PageNames.h"
#include "ResourceSettings.h"
#include "TestRegistry.h"
#include "UninstallMessages.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

using DuiLib::CControlUI;
using DuiLib::CTabLayoutUI;

// --- The decisions over plain values ---------------------------------------------------------

TEST(MainFrameRulesTest, CreatedOverlappedWindowBecomesAPopupWithItsSystemMenu) {
    const LONG style = MainFramePopupStyle(WS_VISIBLE | WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(static_cast<DWORD>(style), static_cast<DWORD>(WS_VISIBLE | WS_SYSMENU | WS_POPUP |
                                                            WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
    EXPECT_EQ(static_cast<DWORD>(MainFramePopupStyle(0x10CF0000)), 0x96080000u);
}

TEST(MainFrameRulesTest, ClicksActByTheSendersExactName) {
    const struct {
        const wchar_t* name;
        FrameClickAction action;
    } kCases[] = {
        {L"关闭", FrameClickAction::kQuit},
        {L"CButtonUI_关闭", FrameClickAction::kQuit},
        {L"CButtonUI_不卸载", FrameClickAction::kQuit},
        {L"CButtonUI_是的,卸载", FrameClickAction::kShowLocationPage},
        {L"CButtonUI_开始卸载", FrameClickAction::kBeginUninstall},
        {L"CButtonUI_FinishUninstall", FrameClickAction::kNone},
        {L"cbuttonui_关闭", FrameClickAction::kNone},
        {L"CButtonUI_是的，卸载", FrameClickAction::kNone},
        {L"", FrameClickAction::kNone},
    };
    for (const auto& testCase : kCases) {
        SCOPED_TRACE(std::wstring(testCase.name).size());
        EXPECT_EQ(ActionForClick(testCase.name), testCase.action);
    }
}

TEST(MainFrameRulesTest, YAndNAnswerOnlyOnTheFirstPage) {
    const struct {
        int page;
        WPARAM key;
        FrameKeyAction action;
    } kCases[] = {
        {kConfirmPage, 'Y', FrameKeyAction::kShowLocationPage},
        {kConfirmPage, 'N', FrameKeyAction::kQuit},
        {kConfirmPage, 'X', FrameKeyAction::kNone},
        {kConfirmPage, VK_RETURN, FrameKeyAction::kNone},
        {kLocationPage, 'Y', FrameKeyAction::kNone},
        {kLocationPage, 'N', FrameKeyAction::kNone},
        {kProgressPage, 'Y', FrameKeyAction::kNone},
        {kProgressPage, 'N', FrameKeyAction::kNone},
        {-1, 'N', FrameKeyAction::kNone},
    };
    for (const auto& testCase : kCases) {
        SCOPED_TRACE(testCase.page);
        EXPECT_EQ(ActionForKey(testCase.page, testCase.key), testCase.action);
    }
}

TEST(MainFrameRulesTest, TitleIsTheDisplayNameFollowedByTheProgramWord) {
    EXPECT_EQ(MainWindowTitle(L"QuorvelTablet"), L"QuorvelTablet卸载程序");
    EXPECT_EQ(MainWindowTitle(L""), L"卸载程序");
}

// --- The window ---------------------------------------------------------------------------------

constexpr wchar_t kEntry[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuorvelTablet";
constexpr wchar_t kInstallPath[] = L"C:\\Program Files\\QuorvelTablet";

// True when a quit message waits in this thread's queue (it is taken out).
bool QuitPosted() {
    MSG message;
    bool quit = false;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
        } else {
            ::DispatchMessageW(&message);
        }
    }
    return quit;
}

// Dispatches this thread's messages until the frame's shadow is attached, at most timeoutMs; the
// shadow follows the first paint through a timer.
bool PumpUntilShadowAttached(DWORD timeoutMs = 5000) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (CShadowWindow::AttachedCount() == 0 && ::GetTickCount64() < deadline) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&message);
        }
        ::Sleep(5);
    }
    return CShadowWindow::AttachedCount() != 0;
}

// A main frame created as the program creates it, for an installed product registered under
// registeredName (none: no entry at all).
class MainFrameTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(LoadAppConfig(::GetModuleHandleW(nullptr)));
        DuiLib::SetModuleInstance(::GetModuleHandleW(nullptr));
    }

    void Create(const wchar_t* registeredName = L"QuorvelTablet") {
        if (registeredName != nullptr) {
            ASSERT_TRUE(
                test::SetStringValue(HKEY_LOCAL_MACHINE, kEntry, L"DisplayName", registeredName));
            ASSERT_TRUE(
                test::SetStringValue(HKEY_LOCAL_MACHINE, kEntry, L"InstallPath", kInstallPath));
        }
        ASSERT_NE(frame_.Create(nullptr, MainWindowTitle(GetDisplayName()).c_str(),
                                WS_VISIBLE | WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT),
                  nullptr);
        // The first paint lays the controls out.
        ::UpdateWindow(Window());
    }

    void RegisterProduct() {
        ASSERT_TRUE(
            test::SetStringValue(HKEY_LOCAL_MACHINE, kEntry, L"DisplayName", L"QuorvelTablet"));
        ASSERT_TRUE(test::SetStringValue(HKEY_LOCAL_MACHINE, kEntry, L"InstallPath", kInstallPath));
    }

    void TearDown() override {
        if (::IsWindow(frame_.GetHWND())) {
            ::DestroyWindow(frame_.GetHWND());
        }
        QuitPosted();
    }

    HWND Window() { return frame_.GetHWND(); }
    CControlUI* Control(const wchar_t* name) { return frame_.FrameManager().ControlByName(name); }
    CTabLayoutUI* Pages() { return dynamic_cast<CTabLayoutUI*>(Control(FrameNames::kPages)); }

    SIZE WindowSize() {
        RECT rect = {};
        ::GetWindowRect(Window(), &rect);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }

    // The hit-test code of a client point.
    LRESULT HitTest(int x, int y) {
        POINT point = {x, y};
        ::ClientToScreen(Window(), &point);
        return ::SendMessageW(Window(), WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    }

    test::ScratchRegKey entry_{HKEY_LOCAL_MACHINE, kEntry};
    ZMainFrame frame_;
};

TEST_F(MainFrameTest, IsAFixedSizePopupWithPagesAndTheInstallationPath) {
    Create();

    EXPECT_FALSE(QuitPosted());
    const LONG style = ::GetWindowLongW(Window(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
    EXPECT_NE(style & WS_POPUP, 0);
    EXPECT_EQ(WindowSize().cx, 600);
    EXPECT_EQ(WindowSize().cy, 400);
    for (const wchar_t* name :
         {FrameNames::kCloseButton, FrameNames::kConfirmPage, FrameNames::kLocationPage,
          FrameNames::kProgressPage, PageNames::kConfirmButton, PageNames::kStartButton}) {
        EXPECT_NE(Control(name), nullptr);
    }
    ASSERT_NE(Pages(), nullptr);
    EXPECT_EQ(Pages()->Selection(), kConfirmPage);
    ASSERT_NE(Control(PageNames::kLocationEdit), nullptr);
    EXPECT_EQ(Control(PageNames::kLocationEdit)->GetText(), kInstallPath);
    EXPECT_EQ(frame_.FrameManager().FontInfoAt(0).size, 14);
    EXPECT_EQ(frame_.FrameManager().FontInfoAt(8).size, 22);
    EXPECT_TRUE(PumpUntilShadowAttached());
    EXPECT_EQ(CShadowWindow::AttachedCount(), 1u);
}

TEST_F(MainFrameTest, TheShadowIsAttachedOnlyOnceTheWindowHasBeenPainted) {
    RegisterProduct();
    ASSERT_NE(frame_.Create(nullptr, MainWindowTitle(GetDisplayName()).c_str(),
                            WS_VISIBLE | WS_OVERLAPPEDWINDOW, WS_EX_WINDOWEDGE, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT),
              nullptr);
    EXPECT_TRUE(::IsWindowVisible(Window()));
    EXPECT_EQ(CShadowWindow::AttachedCount(), 0u) << "not before the first paint";

    ::UpdateWindow(Window());
    EXPECT_TRUE(PumpUntilShadowAttached());
    EXPECT_EQ(CShadowWindow::AttachedCount(), 1u);
    // Later paints attach nothing more.
    ::InvalidateRect(Window(), nullptr, FALSE);
    ::UpdateWindow(Window());
    EXPECT_FALSE(QuitPosted());
    EXPECT_EQ(CShadowWindow::AttachedCount(), 1u);
}

TEST_F(MainFrameTest, AProductUnderAnotherNameQuitsAtOnce) {
    for (const wchar_t* registered : {L"QuorvelTablet Pro", L"quorveltablet", L""}) {
        SCOPED_TRACE(std::wstring(registered).size());
        ZMainFrame frame;
        ASSERT_TRUE(test::SetStringValue(HKEY_LOCAL_MACHINE, kEntry, L"DisplayName", registered));
        ASSERT_NE(frame.Create(nullptr, L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 0, 100, 100), nullptr);
        EXPECT_TRUE(QuitPosted());
        ::DestroyWindow(frame.GetHWND());
    }
}

TEST_F(MainFrameTest, AMissingProductQuitsAtOnce) {
    Create(nullptr);
    EXPECT_TRUE(QuitPosted());
}

TEST_F(MainFrameTest, YShowsTheLocationPageAndNQuitsOnlyOnTheFirstPage) {
    Create();
    ::SendMessageW(Window(), WM_KEYDOWN, 'N', 0);
    EXPECT_TRUE(QuitPosted());
    EXPECT_EQ(Pages()->Selection(), kConfirmPage);

    ::SendMessageW(Window(), WM_KEYDOWN, 'Y', 0);
    EXPECT_EQ(Pages()->Selection(), kLocationPage);
    ::SendMessageW(Window(), WM_KEYDOWN, 'N', 0);
    ::SendMessageW(Window(), WM_KEYDOWN, 'Y', 0);
    EXPECT_FALSE(QuitPosted());
    EXPECT_EQ(Pages()->Selection(), kLocationPage);
}

TEST_F(MainFrameTest, ClicksOfTheFirstPageAndTheCloseButton) {
    Create();
    DuiLib::UINotify click;
    click.type = DuiLib::NotifyType::kClick;

    click.sender = Control(PageNames::kCancelButton);
    frame_.Notify(click);
    EXPECT_TRUE(QuitPosted());
    click.sender = Control(FrameNames::kCloseButton);
    frame_.Notify(click);
    EXPECT_TRUE(QuitPosted());
    click.sender = Control(PageNames::kConfirmButton);
    frame_.Notify(click);
    EXPECT_FALSE(QuitPosted());
    EXPECT_EQ(Pages()->Selection(), kLocationPage);
}

TEST_F(MainFrameTest, TheMaximiseCommandLeavesTheWindowAsItIs) {
    Create();
    ::SendMessageW(Window(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_FALSE(::IsZoomed(Window()));
    EXPECT_EQ(WindowSize().cx, 600);
    EXPECT_EQ(WindowSize().cy, 400);
}

TEST_F(MainFrameTest, TheWholeWindowDragsExceptOverButtons) {
    Create();
    const struct {
        POINT point;
        LRESULT code;
    } kCases[] = {
        {{300, 176}, HTCAPTION},  // label row
        {{300, 100}, HTCAPTION},  // decoration spacer
        {{100, 16}, HTCAPTION},   // title row spacer
        {{300, 300}, HTCAPTION},  // page background
        {{579, 16}, HTCLIENT},    // close button
    };
    for (const auto& testCase : kCases) {
        SCOPED_TRACE(testCase.point.x * 1000 + testCase.point.y);
        EXPECT_EQ(HitTest(testCase.point.x, testCase.point.y), testCase.code);
    }
    const RECT confirm = Control(PageNames::kConfirmButton)->Bounds();
    EXPECT_EQ(HitTest((confirm.left + confirm.right) / 2, (confirm.top + confirm.bottom) / 2),
              HTCLIENT);
}

TEST_F(MainFrameTest, EngineMessagesReachTheProgressPageWhileAnotherPageShows) {
    Create();
    ::SendMessageW(Window(), WM_UNINSTALL_PROGRESS, 3, 7);
    CControlUI* progressLine = Control(PageNames::kProgressLabel);
    ASSERT_NE(progressLine, nullptr);
    EXPECT_NE(progressLine->GetText().find(L"42"), std::wstring::npos);

    ::SendMessageW(Window(), WM_UNINSTALL_FINISHED, 0, 0);
    EXPECT_TRUE(Control(PageNames::kFinishButton)->IsOwnVisible());
    EXPECT_FALSE(progressLine->IsOwnVisible());
    EXPECT_EQ(Pages()->Selection(), kConfirmPage);
}

}  // namespace
