#include "CButtonUI.h"
#include "CEditUI.h"
#include "ControlsFixture.h"
#include "RecordingHost.h"

#include <gtest/gtest.h>

#include <vector>

using namespace DuiLib;

namespace {

std::wstring NativeText(HWND window) {
    std::vector<wchar_t> buffer(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1);
    const int length = ::GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::wstring(buffer.data(), static_cast<size_t>(length));
}

// A button (0,0,400,40) above an edit (0,40,400,70) in a real window, driven with real messages.
// The button comes first, so it holds the focus the window gives its first tab stop.
class EditWindowTest : public test::ControlsFixture {
protected:
    void SetUp() override {
        Build([this](CVerticalLayoutUI& root) {
            button = root.Add(std::make_unique<CButtonUI>());
            button->SetFixedHeight(40);
            edit = root.Add(std::make_unique<CEditUI>());
            edit->SetFixedHeight(30);
        });
    }

    // Clicks into the edit; returns its native window.
    HWND StartEditing() {
        window->Click(test::CentreOf(*edit));
        return edit->NativeWindow();
    }

    CEditUI* edit = nullptr;
    CButtonUI* button = nullptr;
};

TEST_F(EditWindowTest, ClickOpensTheNativeWindowOverTheTextArea) {
    EXPECT_EQ(edit->NativeWindow(), nullptr);
    const HWND native = StartEditing();
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(::GetParent(native), window->GetHWND());
    EXPECT_EQ(::GetFocus(), native);
    EXPECT_EQ(window->Manager().FocusControl(), edit);

    RECT placed = {};
    ::GetWindowRect(native, &placed);
    ::MapWindowPoints(nullptr, window->GetHWND(), reinterpret_cast<POINT*>(&placed), 2);
    const RECT expected = edit->NativeRect();
    EXPECT_RECT(placed, expected.left, expected.top, expected.right, expected.bottom);
    EXPECT_EQ(expected.left, 4);
    EXPECT_EQ(expected.right, 396);
    EXPECT_GT(expected.bottom, expected.top);
}

TEST_F(EditWindowTest, TypingOneCharacterSendsOneTextChangedWithTheNewText) {
    edit->SetText(L"ab");
    const HWND native = StartEditing();
    ASSERT_NE(native, nullptr);
    window->notifications.clear();
    test::TestWindow::Type(native, L"c");
    const auto changes = window->Received(L"textchanged");
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].sender, edit);
    EXPECT_EQ(changes[0].senderText, L"abc");  // already updated when announced
    EXPECT_EQ(NativeText(native), L"abc");
    EXPECT_EQ(edit->GetText(), L"abc");
}

TEST_F(EditWindowTest, ReturnIsAnnouncedAndInsertsNothing) {
    edit->SetText(L"x");
    const HWND native = StartEditing();
    ASSERT_NE(native, nullptr);
    window->notifications.clear();
    test::TestWindow::Key(native, VK_RETURN);
    const auto returns = window->Received(L"return");
    ASSERT_EQ(returns.size(), 1u);
    EXPECT_EQ(returns[0].sender, edit);
    EXPECT_TRUE(window->Received(L"textchanged").empty());
    EXPECT_EQ(NativeText(native), L"x");
    EXPECT_EQ(edit->GetText(), L"x");
}

TEST_F(EditWindowTest, ClickingAnotherControlClosesTheNativeWindow) {
    const HWND native = StartEditing();
    ASSERT_NE(native, nullptr);
    test::TestWindow::Type(native, L"hi");
    window->Click(test::CentreOf(*button));
    EXPECT_FALSE(::IsWindow(native));
    EXPECT_EQ(edit->NativeWindow(), nullptr);
    EXPECT_EQ(edit->GetText(), L"hi");
    EXPECT_EQ(window->Manager().FocusControl(), button);
    EXPECT_EQ(window->Received(L"click").size(), 1u);

    // Clicking it again opens a new one with the kept text.
    const HWND again = StartEditing();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(NativeText(again), L"hi");
}

TEST_F(EditWindowTest, MaxCharLimitsTheNativeWindow) {
    edit->SetMaxChar(10);
    const HWND native = StartEditing();
    ASSERT_NE(native, nullptr);
    test::TestWindow::Type(native, L"abcdefghijkl");
    EXPECT_EQ(NativeText(native), L"abcdefghij");
    EXPECT_EQ(edit->GetText(), L"abcdefghij");
    EXPECT_EQ(window->Received(L"textchanged").size(), 10u);
}

TEST_F(EditWindowTest, ReadOnlyAndDisabledEditsCannotBeChanged) {
    edit->SetText(L"fixed");
    edit->SetReadOnly(true);
    const HWND native = StartEditing();
    ASSERT_NE(native, nullptr);
    EXPECT_NE(::GetWindowLongW(native, GWL_STYLE) & ES_READONLY, 0);
    test::TestWindow::Type(native, L"zz");
    test::TestWindow::Key(native, VK_BACK);
    test::TestWindow::Key(native, VK_DELETE);
    EXPECT_EQ(NativeText(native), L"fixed");
    EXPECT_EQ(edit->GetText(), L"fixed");
    EXPECT_TRUE(window->Received(L"textchanged").empty());

    window->Click(test::CentreOf(*button));
    edit->SetEnabled(false);
    EXPECT_EQ(StartEditing(), nullptr);
    window->Manager().SetFocusControl(edit);
    EXPECT_EQ(edit->NativeWindow(), nullptr);
    EXPECT_EQ(edit->GetText(), L"fixed");
}

TEST_F(EditWindowTest, ChineseTextSurvivesTheNativeWindow) {
    const std::wstring path = L"C:\\Program Files\\数位板驱动";
    edit->SetText(path);
    const HWND native = StartEditing();
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(NativeText(native), path);
    edit->SelectRange(static_cast<int>(path.size()), static_cast<int>(path.size()));
    test::TestWindow::Type(native, L"盘");
    EXPECT_EQ(edit->GetText(), path + L"盘");
    window->Click(test::CentreOf(*button));
    EXPECT_EQ(edit->GetText(), path + L"盘");
}

TEST_F(EditWindowTest, PasswordAndNumberStylesReachTheNativeWindow) {
    edit->SetPasswordMode(true);
    edit->SetNumberOnly(true);
    const HWND native = StartEditing();
    ASSERT_NE(native, nullptr);
    const LONG style = ::GetWindowLongW(native, GWL_STYLE);
    EXPECT_NE(style & ES_PASSWORD, 0);
    EXPECT_NE(style & ES_NUMBER, 0);
    EXPECT_EQ(::SendMessageW(native, EM_GETPASSWORDCHAR, 0, 0), L'*');
}

TEST_F(EditWindowTest, TheNativeWindowAlwaysGetsABrushToPaintWith) {
    const struct {
        DWORD nativeBkColor;
        COLORREF pixel;
    } kCases[] = {
        {0xFFFFFFFF, ::GetSysColor(COLOR_WINDOW)},  // none set: the platform's colours
        {0xFF102030, RGB(0x10, 0x20, 0x30)},
    };
    for (const auto& c : kCases) {
        edit->SetNativeBkColor(c.nativeBkColor);
        const HWND native = StartEditing();
        ASSERT_NE(native, nullptr);
        test::TestCanvas canvas(4, 4);
        const auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(
            window->GetHWND(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(canvas.Dc()),
            reinterpret_cast<LPARAM>(native)));
        ASSERT_NE(brush, nullptr) << std::hex << c.nativeBkColor;
        const RECT whole = canvas.Whole();
        ::FillRect(canvas.Dc(), &whole, brush);
        EXPECT_EQ(canvas.Pixel(1, 1),
                  (GetRValue(c.pixel) << 16) | (GetGValue(c.pixel) << 8) | GetBValue(c.pixel))
            << std::hex << c.nativeBkColor;
        window->Click(test::CentreOf(*button));
    }
}

TEST_F(EditWindowTest, DestroyingTheEditClosesItsNativeWindow) {
    const HWND native = StartEditing();
    ASSERT_NE(native, nullptr);
    auto* root = static_cast<CContainerUI*>(window->Manager().Root());
    root->SetDefersDelete(false);
    ASSERT_TRUE(root->Remove(edit));
    EXPECT_FALSE(::IsWindow(native));
    test::TestWindow::Pump();
}

TEST_F(EditWindowTest, ClosingTheWindowWhileEditingLeavesNothingOpen) {
    const HWND native = StartEditing();
    ASSERT_NE(native, nullptr);
    window.reset();
    EXPECT_FALSE(::IsWindow(native));
}

// Painting of the idle edit, with a host that records the drawn text.
TEST(EditPaintTest, IdleTextInTheDisabledColourAndMasked) {
    const struct {
        const char* name;
        bool password;
        bool focused;
        bool enabled;
        std::wstring shown;
        DWORD colour;
    } kCases[] = {
        {"idle", false, false, true, L"abc", 0xFFA7A6AA},
        {"password", true, false, true, L"***", 0xFFA7A6AA},
        {"being edited", false, true, true, L"abc", 0xFF000000},
        {"disabled focus", false, true, false, L"abc", 0xFFA7A6AA},
    };
    for (const auto& c : kCases) {
        test::RecordingHost host;
        CEditUI edit;
        edit.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
        edit.SetBounds(RECT{0, 0, 200, 30});
        edit.SetText(L"abc");
        edit.SetPasswordMode(c.password);
        edit.SetEnabled(c.enabled);
        host.focus = c.focused ? &edit : nullptr;
        edit.Paint(host.canvas.Dc(), RECT{0, 0, 200, 30});
        ASSERT_EQ(host.drawnTexts.size(), 1u) << c.name;
        EXPECT_EQ(host.drawnTexts[0].text, c.shown) << c.name;
        EXPECT_EQ(host.drawnTexts[0].colour, c.colour) << c.name;
        EXPECT_EQ(host.drawnTexts[0].style, 0x24u) << c.name;
        EXPECT_RECT(host.drawnTexts[0].rect, 4, 3, 196, 27);
    }
}

TEST(EditPaintTest, StateImagesAndSize) {
    test::RecordingHost host;  // font height 14
    CEditUI edit;
    edit.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    edit.SetBounds(RECT{0, 0, 200, 30});
    EXPECT_EQ(edit.MeasureSize(SIZE{200, 200}).cy, 20);
    EXPECT_EQ(edit.BkColor(), 0xFFFFFFFFu);
    edit.ApplyAttributeList(
        L"normalimage=\"n\" hotimage=\"h\" focusedimage=\"f\" disabledimage=\"d\" "
        L"maxchar=\"10\" readonly=\"true\" password=\"true\" numberonly=\"true\" "
        L"nativebkcolor=\"#FF102030\"");
    EXPECT_EQ(edit.MaxChar(), 10);
    EXPECT_TRUE(edit.IsReadOnly());
    EXPECT_TRUE(edit.IsPasswordMode());
    EXPECT_TRUE(edit.IsNumberOnly());
    EXPECT_EQ(edit.NativeBkColor(), 0xFF102030u);

    UIEvent event;
    edit.Paint(host.canvas.Dc(), RECT{0, 0, 200, 30});
    event.kind = kEventMouseEnter;
    edit.HandleEvent(event);
    edit.Paint(host.canvas.Dc(), RECT{0, 0, 200, 30});
    event.kind = kEventSetFocus;  // no window: the native edit cannot open
    edit.HandleEvent(event);
    edit.Paint(host.canvas.Dc(), RECT{0, 0, 200, 30});
    edit.SetEnabled(false);
    edit.Paint(host.canvas.Dc(), RECT{0, 0, 200, 30});
    EXPECT_EQ(host.images, (std::vector<std::wstring>{L"n", L"h", L"f", L"d"}));
    EXPECT_EQ(edit.ControlFlags(), 0u);
}

}  // namespace
