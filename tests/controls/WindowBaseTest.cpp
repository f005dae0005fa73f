#include "CButtonUI.h"
#include "CHorizontalLayoutUI.h"
#include "ControlsFixture.h"
#include "UniqueHandle.h"
#include "MessageWindow.h"
#include "ResourceSettings.h"
#include "TestControls.h"
#include "WindowGeometry.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace DuiLib;

namespace {

constexpr UINT kStartMessage = WM_APP + 7;

// A window that runs a step once its modal loop has started.
class ModalWindow : public test::TestWindow {
public:
    using TestWindow::TestWindow;
    std::function<void(ModalWindow&)> onStart;

protected:
    LRESULT HandleOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override {
        if (message == kStartMessage && onStart) {
            onStart(*this);
            return 0;
        }
        return TestWindow::HandleOtherMessage(message, wParam, lParam, handled);
    }
};

// The title row (0,0,400,20): an empty container and a 60-pixel "closebtn" at the right; the
// root below it takes no mouse, so nothing lies under the rest of the window.
std::unique_ptr<CControlUI> TitleTree() {
    auto root = std::make_unique<CVerticalLayoutUI>();
    root->SetMouseEnabled(false);
    auto* title = root->Add(std::make_unique<CHorizontalLayoutUI>());
    title->SetFixedHeight(20);
    title->Add(std::make_unique<CContainerUI>());
    auto* close = title->Add(std::make_unique<CButtonUI>());
    close->SetFixedWidth(60);
    close->SetName(L"closebtn");
    return root;
}

LRESULT HitTest(HWND window, POINT client) {
    ::ClientToScreen(window, &client);
    return ::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(client.x, client.y));
}

class WindowBaseTest : public ::testing::Test {
protected:
    void TearDown() override { test::TestWindow::Pump(); }
};

TEST_F(WindowBaseTest, HitTestingBordersCaptionAndControls) {
    test::TestWindow window(TitleTree);
    ASSERT_NE(window.Open(400, 300), nullptr);
    window.Manager().SetResizeBorder(RECT{4, 4, 4, 4});
    window.Manager().SetCaptionArea(RECT{0, 0, 0, 30});
    const struct {
        POINT point;
        LRESULT expected;
        const char* name;
    } kCases[] = {
        {{2, 2}, HTTOPLEFT, "top-left corner"},
        {{200, 2}, HTTOP, "top band"},
        {{397, 150}, HTRIGHT, "right band"},
        {{200, 298}, HTBOTTOM, "bottom band"},
        {{200, 10}, HTCAPTION, "caption over containers only"},
        {{370, 10}, HTCLIENT, "caption over a button"},
        {{200, 25}, HTCLIENT, "caption over no control"},
        {{200, 150}, HTCLIENT, "below the caption"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(HitTest(window.GetHWND(), c.point), c.expected) << c.name;
    }

    // Maximised, the border band is gone.
    ::ShowWindow(window.GetHWND(), SW_MAXIMIZE);
    ::UpdateWindow(window.GetHWND());
    test::TestWindow::Pump();
    ASSERT_TRUE(::IsZoomed(window.GetHWND()));
    EXPECT_EQ(HitTest(window.GetHWND(), POINT{2, 2}), HTCAPTION);
    EXPECT_EQ(HitTest(window.GetHWND(), POINT{200, 25}), HTCLIENT);
}

TEST_F(WindowBaseTest, RunModalReturnsTheCloseMessagesCode) {
    const struct {
        const char* name;
        std::function<void(ModalWindow&)> close;
        UINT expected;
    } kCases[] = {
        {"Close(1)", [](ModalWindow& w) { w.Close(1); }, 1},
        {"Close(7)", [](ModalWindow& w) { w.Close(7); }, 7},
        {"escape key", [](ModalWindow& w) { w.PostMessage(WM_KEYDOWN, VK_ESCAPE, 1); }, 1},
        {"close button",
         [](ModalWindow& w) {
             const POINT at = test::CentreOf(*w.Manager().ControlByName(L"closebtn"));
             w.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
             w.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
         },
         1},
    };
    for (const auto& c : kCases) {
        test::MessageWindow owner([](UINT, WPARAM, LPARAM) { return false; });
        ModalWindow window(TitleTree);
        ASSERT_NE(window.Open(400, 300, owner.Window()), nullptr) << c.name;
        bool ownerEnabledInLoop = true;
        window.onStart = [&](ModalWindow& w) {
            ownerEnabledInLoop = ::IsWindowEnabled(owner.Window()) != FALSE;
            c.close(w);
        };
        window.PostMessage(kStartMessage);
        const HWND handle = window.GetHWND();
        EXPECT_EQ(window.RunModal(), c.expected) << c.name;
        EXPECT_FALSE(ownerEnabledInLoop) << c.name;
        EXPECT_TRUE(::IsWindowEnabled(owner.Window())) << c.name;
        EXPECT_FALSE(::IsWindow(handle)) << c.name;
        EXPECT_EQ(window.GetHWND(), nullptr) << c.name;
    }
}

TEST_F(WindowBaseTest, RunModalHandsAQuitMessageOnToTheOuterLoop) {
    ModalWindow window(TitleTree);
    ASSERT_NE(window.Open(), nullptr);
    window.onStart = [](ModalWindow&) { ::PostQuitMessage(5); };
    window.PostMessage(kStartMessage);
    EXPECT_EQ(window.RunModal(), 0u);
    MSG msg = {};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(WindowBaseTest, SystemCloseCommandSendsTheCloseMessage) {
    test::TestWindow window(TitleTree);
    ASSERT_NE(window.Open(), nullptr);
    window.keepOpenOnClose = true;
    window.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(window.closeMessages, 1);
    EXPECT_TRUE(::IsWindow(window.GetHWND()));

    window.keepOpenOnClose = false;
    const HWND handle = window.GetHWND();
    window.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(window.closeMessages, 2);
    EXPECT_FALSE(::IsWindow(handle));
}

TEST_F(WindowBaseTest, CenterOnOwnerStaysInsideTheWorkArea) {
    RECT work = {};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const struct {
        const char* name;
        RECT ownerRect;
    } kCases[] = {
        {"owner in the middle", {work.left + 300, work.top + 200, work.left + 700, work.top + 500}},
        {"owner at the bottom right",
         {work.right - 100, work.bottom - 50, work.right + 100, work.bottom + 50}},
        {"owner at the top left", {work.left - 150, work.top - 150, work.left + 50, work.top + 50}},
    };
    for (const auto& c : kCases) {
        test::MessageWindow owner([](UINT, WPARAM, LPARAM) { return false; });
        ::SetWindowPos(owner.Window(), nullptr, c.ownerRect.left, c.ownerRect.top,
                       c.ownerRect.right - c.ownerRect.left, c.ownerRect.bottom - c.ownerRect.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        test::TestWindow window(TitleTree);
        ASSERT_NE(window.Open(300, 200, owner.Window()), nullptr);
        window.CenterOnOwner();
        RECT placed = {};
        ::GetWindowRect(window.GetHWND(), &placed);
        EXPECT_EQ(placed.right - placed.left, 300) << c.name;
        EXPECT_GE(placed.left, work.left) << c.name;
        EXPECT_GE(placed.top, work.top) << c.name;
        EXPECT_LE(placed.right, work.right) << c.name;
        EXPECT_LE(placed.bottom, work.bottom) << c.name;
        const POINT expected = CenteredPosition(SIZE{300, 200}, c.ownerRect, work);
        EXPECT_EQ(placed.left, expected.x) << c.name;
        EXPECT_EQ(placed.top, expected.y) << c.name;
    }
    // The middle case is truly centred on its owner.
    EXPECT_EQ(CenteredPosition(SIZE{300, 200}, kCases[0].ownerRect, work).x, work.left + 350);
}

TEST_F(WindowBaseTest, TwoWindowsOfOneClassShareOneRegistration) {
    test::TestWindow first(TitleTree);
    test::TestWindow second(TitleTree);
    ASSERT_NE(first.Open(), nullptr);
    ASSERT_NE(second.Open(), nullptr);
    EXPECT_NE(first.GetHWND(), second.GetHWND());
    const ATOM atom = static_cast<ATOM>(::GetClassLongPtrW(first.GetHWND(), GCW_ATOM));
    EXPECT_NE(atom, 0);
    EXPECT_EQ(static_cast<ATOM>(::GetClassLongPtrW(second.GetHWND(), GCW_ATOM)), atom);
    WNDCLASSEXW info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetClassInfoExW(ModuleInstance(), L"ControlsTestWindow", &info));
    EXPECT_EQ(info.style & CS_DBLCLKS, static_cast<UINT>(CS_DBLCLKS));
}

TEST_F(WindowBaseTest, CreationMakesABorderlessWindowWithItsTree) {
    test::TestWindow window(TitleTree);
    ASSERT_NE(window.Open(), nullptr);
    const LONG style = ::GetWindowLongW(window.GetHWND(), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_NE(style & WS_CLIPCHILDREN, 0);
    EXPECT_NE(style & WS_CLIPSIBLINGS, 0);
    ASSERT_NE(window.Manager().Root(), nullptr);
    EXPECT_EQ(window.skinFileAsked, L"main.skin");
    EXPECT_EQ(window.Received(L"windowinit").size(), 1u);
    RECT client = {};
    ::GetClientRect(window.GetHWND(), &client);
    EXPECT_RECT(window.Manager().Root()->Bounds(), 0, 0, client.right, client.bottom);
}

TEST_F(WindowBaseTest, CaptionButtonsByName) {
    const struct {
        const wchar_t* name;
        bool (*check)(HWND);
    } kCases[] = {
        {L"minbtn", [](HWND w) { return ::IsIconic(w) != FALSE; }},
        {L"maxbtn", [](HWND w) { return ::IsZoomed(w) != FALSE; }},
        {L"restorebtn", [](HWND w) { return !::IsZoomed(w) && !::IsIconic(w); }},
        {L"closebtn", [](HWND w) { return ::IsWindow(w) == FALSE; }},
    };
    test::TestWindow window(TitleTree);
    ASSERT_NE(window.Open(), nullptr);
    const HWND handle = window.GetHWND();
    auto* button = window.Manager().ControlByName(L"closebtn");
    ASSERT_NE(button, nullptr);
    for (const auto& c : kCases) {
        if (c.name != std::wstring(L"closebtn")) {
            ::ShowWindow(handle, SW_RESTORE);
        }
        button->SetName(c.name);
        UINotify click;
        click.type = L"click";
        click.sender = button;
        window.Notify(click);
        test::TestWindow::Pump();
        EXPECT_TRUE(c.check(handle)) << std::string(c.name, c.name + wcslen(c.name));
    }
}

TEST_F(WindowBaseTest, FrameGeometryFromTheManager) {
    test::TestWindow window(TitleTree);
    ASSERT_NE(window.Open(), nullptr);
    window.Manager().SetMinTrackSize(320, 240);
    MINMAXINFO info = {};
    window.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    RECT work = {};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(info.ptMinTrackSize.x, 320);
    EXPECT_EQ(info.ptMinTrackSize.y, 240);
    EXPECT_EQ(info.ptMaxTrackSize.x, work.right - work.left);
    EXPECT_EQ(info.ptMaxTrackSize.y, work.bottom - work.top);

    // Rounded corners: the window's region leaves the corner pixels out after a resize.
    window.Manager().SetCornerRound(20, 20);
    ::SetWindowPos(window.GetHWND(), nullptr, 0, 0, 300, 200,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ScopedRegion region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(window.GetHWND(), region.Get()), ERROR);
    EXPECT_FALSE(::PtInRegion(region.Get(), 0, 0));
    EXPECT_FALSE(::PtInRegion(region.Get(), 299, 199));
    EXPECT_TRUE(::PtInRegion(region.Get(), 150, 100));
    EXPECT_TRUE(::PtInRegion(region.Get(), 150, 0));
}

TEST_F(WindowBaseTest, SetIconGivesTheWindowBothIcons) {
    test::TestWindow window(TitleTree);
    ASSERT_NE(window.Open(), nullptr);
    EXPECT_EQ(window.SendMessage(WM_GETICON, ICON_BIG, 0), 0);
    window.SetIcon(128);
    EXPECT_NE(window.SendMessage(WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(window.SendMessage(WM_GETICON, ICON_SMALL, 0), 0);
}

// Each kind of skin resource points the process's image look-ups at it. The zip resource comes
// last: a skin held in memory stays for the rest of the process.
TEST_F(WindowBaseTest, SkinResourcesOfEachKind) {
    const std::wstring skinFolder = CUIManager::ModuleDirectory() + L"skin\\";
    {
        test::TestWindow window(TitleTree);
        window.resourceType = SkinResourceType::kFiles;
        ASSERT_NE(window.Open(), nullptr);
        EXPECT_EQ(ResourceDirectory(), skinFolder);
        EXPECT_EQ(ResourceArchiveName(), L"");
    }
    {
        test::TestWindow window(TitleTree);
        window.resourceType = SkinResourceType::kZipFile;
        window.archiveFile = L"skin.zip";
        ASSERT_NE(window.Open(), nullptr);
        EXPECT_EQ(ResourceArchiveName(), L"skin.zip");
        EXPECT_NE(window.Manager().Root(), nullptr);
    }
    {
        test::TestWindow window(TitleTree);
        window.resourceType = SkinResourceType::kModuleResource;
        ASSERT_NE(window.Open(), nullptr);
        EXPECT_NE(window.Manager().Root(), nullptr);
    }
    {
        // A missing archive resource stops the creation before any tree exists.
        test::TestWindow window(TitleTree);
        window.resourceType = SkinResourceType::kZipResource;
        window.resourceId = L"999";
        ASSERT_NE(window.Open(), nullptr);
        EXPECT_EQ(window.Manager().Root(), nullptr);
        EXPECT_EQ(window.skinFileAsked, L"");
    }
    {
        test::TestWindow window(TitleTree);
        window.resourceType = SkinResourceType::kZipResource;
        window.resourceId = L"147";
        ASSERT_NE(window.Open(), nullptr);
        EXPECT_NE(window.Manager().Root(), nullptr);
        EXPECT_EQ(ResourceArchiveName(), kMemoryArchiveName);
        const auto entry = ReadResourceBytes(L"HELLO.TXT");
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(std::string(entry->begin(), entry->end()), "skin archive entry\n");
    }
}

}  // namespace
