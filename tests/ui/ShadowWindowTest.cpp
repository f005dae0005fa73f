#include "CShadowWindow.h"

#include "UniqueHandle.h"
#include "PlatformImage.h"
#include "TestSkin.h"

#include "ShadowPixelCheck.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr wchar_t kOwnerClassName[] = L"UiTestShadowOwner";

// A visible borderless owner window of the test thread, like the main frame.
class OwnerWindow {
public:
    OwnerWindow(int left, int top, int width, int height) {
        static const bool registered = [] {
            WNDCLASSEXW windowClass = {};
            windowClass.cbSize = sizeof(windowClass);
            windowClass.lpfnWndProc = &DefWindowProcW;
            windowClass.hInstance = ::GetModuleHandleW(nullptr);
            windowClass.lpszClassName = kOwnerClassName;
            return ::RegisterClassExW(&windowClass) != 0;
        }();
        EXPECT_TRUE(registered);
        window_ =
            ::CreateWindowExW(0, kOwnerClassName, L"owner", WS_POPUP | WS_SYSMENU, left, top, width,
                              height, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        EXPECT_NE(window_, nullptr);
    }
    ~OwnerWindow() {
        if (::IsWindow(window_)) {
            ::DestroyWindow(window_);
        }
    }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;

    HWND Get() const { return window_; }

private:
    HWND window_ = nullptr;
};

RECT WindowRect(HWND window) {
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return rect;
}

void ExpectRect(const RECT& rect, int left, int top, int right, int bottom) {
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
}

class ShadowWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CShadowWindow::Initialize(::GetModuleHandleW(nullptr));
        test::UseProgramSkinArchive();
    }
};

TEST_F(ShadowWindowTest, SecondInitializeReturnsFalseAndChangesNothing) {
    EXPECT_FALSE(CShadowWindow::Initialize(::GetModuleHandleW(nullptr)));
    EXPECT_FALSE(CShadowWindow::Initialize(nullptr));
    // Still usable with the first instance.
    OwnerWindow owner(10, 10, 100, 80);
    ::ShowWindow(owner.Get(), SW_SHOWNOACTIVATE);
    CShadowWindow shadow;
    shadow.Create(owner.Get());
    EXPECT_TRUE(shadow.IsEnabled());
    EXPECT_NE(shadow.Window(), nullptr);
}

TEST_F(ShadowWindowTest, ImageShadowSurroundsTheOwnerAndFollowsIt) {
    OwnerWindow owner(100, 80, 600, 400);
    ::ShowWindow(owner.Get(), SW_SHOWNOACTIVATE);
    CShadowWindow shadow;
    std::unique_ptr<DuiLib::PlatformImage> image = DuiLib::LoadPlatformImage(L"shadow_bk.png");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width(), 614u);
    EXPECT_EQ(image->Height(), 454u);
    shadow.SetImage(std::move(image));
    shadow.SetSize(27);
    shadow.SetXOffset(0);
    shadow.SetYOffset(0);
    shadow.Create(owner.Get());
    const HWND window = shadow.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(CShadowWindow::AttachedCount(), 1u);

    EXPECT_TRUE(shadow.IsVisible());
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(::GetWindow(window, GW_OWNER), owner.Get());
    const LONG_PTR exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT), WS_EX_LAYERED | WS_EX_TRANSPARENT);
    ExpectRect(WindowRect(window), 73, 53, 727, 507);  // 654 x 454, 27 out on every side

    struct Move {
        int x, y;
    };
    for (const Move& move : {Move{200, 150}, Move{-40, 10}, Move{0, 0}}) {
        ::SetWindowPos(owner.Get(), nullptr, move.x, move.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ExpectRect(WindowRect(window), move.x - 27, move.y - 27, move.x + 627, move.y + 427);
    }

    ::ShowWindow(owner.Get(), SW_MINIMIZE);
    EXPECT_FALSE(shadow.IsVisible());
    EXPECT_FALSE(::IsWindowVisible(window));
    ::ShowWindow(owner.Get(), SW_RESTORE);
    EXPECT_TRUE(shadow.IsVisible());
    EXPECT_TRUE(::IsWindowVisible(window));
    ExpectRect(WindowRect(window), -27, -27, 627, 427);

    ::ShowWindow(owner.Get(), SW_HIDE);
    EXPECT_FALSE(shadow.IsVisible());
    EXPECT_FALSE(shadow.IsParentVisible());
    EXPECT_FALSE(::IsWindowVisible(window));
    ::ShowWindow(owner.Get(), SW_SHOWNOACTIVATE);
    EXPECT_TRUE(::IsWindowVisible(window));

    ::DestroyWindow(owner.Get());
    EXPECT_FALSE(::IsWindow(window)) << "destroyed with its owner";
    EXPECT_EQ(shadow.Window(), nullptr);
    EXPECT_EQ(CShadowWindow::AttachedCount(), 0u);
}

TEST_F(ShadowWindowTest, HiddenOwnerGivesAHiddenShadowUntilItIsShown) {
    OwnerWindow owner(30, 30, 200, 100);
    CShadowWindow shadow;
    shadow.Create(owner.Get());
    ASSERT_NE(shadow.Window(), nullptr);
    EXPECT_TRUE(shadow.IsEnabled());
    EXPECT_FALSE(shadow.IsVisible());
    EXPECT_FALSE(::IsWindowVisible(shadow.Window()));
    ::ShowWindow(owner.Get(), SW_SHOWNOACTIVATE);
    EXPECT_TRUE(shadow.IsVisible());
    EXPECT_TRUE(::IsWindowVisible(shadow.Window()));
    // Default settings: the computed shadow, 5 right and 5 down, as large as the owner.
    ExpectRect(WindowRect(shadow.Window()), 35, 35, 235, 135);
}

TEST_F(ShadowWindowTest, SecondCreateAndDestructionBeforeTheOwnerAreSafe) {
    OwnerWindow owner(30, 30, 200, 100);
    ::ShowWindow(owner.Get(), SW_SHOWNOACTIVATE);
    const LONG_PTR ownProcedure = ::GetWindowLongPtrW(owner.Get(), GWLP_WNDPROC);
    {
        CShadowWindow shadow;
        shadow.Create(owner.Get());
        const HWND first = shadow.Window();
        shadow.Create(owner.Get());
        EXPECT_EQ(shadow.Window(), first);
        CShadowWindow other;
        other.Create(owner.Get());
        EXPECT_EQ(other.Window(), nullptr) << "one shadow per owner";
        EXPECT_EQ(CShadowWindow::AttachedCount(), 1u);
    }
    EXPECT_EQ(CShadowWindow::AttachedCount(), 0u);
    EXPECT_EQ(::GetWindowLongPtrW(owner.Get(), GWLP_WNDPROC), ownProcedure);
    ::SetWindowPos(owner.Get(), nullptr, 50, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

TEST_F(ShadowWindowTest, ComputedShadowFollowsTheOwnersWindowRegion) {
    // A 40 x 30 owner whose region leaves out its top three rows; default settings (size 0,
    // sharpness 5, darkness 150, offsets 5, 5, black). The outline then runs from row 3, the
    // eroded one from shadow row 8, and the kernel (radius 5, (1 - d/6) x 150) is stamped
    // along it.
    OwnerWindow owner(0, 0, 40, 30);
    ASSERT_NE(::SetWindowRgn(owner.Get(), ::CreateRectRgn(0, 3, 40, 30), FALSE), 0);
    CShadowWindow shadow;
    const std::vector<uint32_t> pixels = shadow.ComputeShadow(owner.Get());
    test::ExpectShadowPixels(
        pixels, 40, 30,
        {
            {15, 35, 0x7D000000u, "soft edge, 1 right of the stamps at column 34: 125"},
            {27, 20, 0x4B000000u, "soft edge, 3 below the last stamped row: 75"},
            {2, 36, 0u, "above the outline's reach (it reaches from row 3)"},
            {4, 36, 0x26000000u, "4 up and 2 right of the stamp at (8, 34): d = 4.47, 38"},
            {6, 36, 0x4F000000u, "2 up and 2 right of it: d = 2.83, 79"},
            {15, 20, 0u, "under the owner: cut out"},
        });
}

TEST_F(ShadowWindowTest, SizeWithoutOffsetsClearsTheOwnersAreaAndDarkensAround) {
    OwnerWindow owner(0, 0, 20, 30);
    CShadowWindow shadow;
    shadow.SetSize(8);
    shadow.SetSharpness(3);
    shadow.SetDarkness(200);
    shadow.SetXOffset(0);
    shadow.SetYOffset(12);
    shadow.SetColour(RGB(0x40, 0x80, 0xFF));
    const std::vector<uint32_t> pixels = shadow.ComputeShadow(owner.Get());
    test::ExpectShadowPixels(pixels, 36, 46,
                             {
                                 {30, 18, 0xC83264C8u, "below the owner: the premultiplied core"},
                                 {12, 0, 0x320C1932u, "eight left of the outline: 50"},
                                 {20, 10, 0u, "under the owner (moved 12 down): cut out"},
                             });
}

}  // namespace
