#include "CVerticalLayoutUI.h"
#include "ManagedWindow.h"
#include "TestCanvas.h"
#include "TestControls.h"

#include <gtest/gtest.h>

#include <windowsx.h>

#include <memory>

using namespace DuiLib;

namespace {

LPARAM PointParam(POINT point) {
    return MAKELPARAM(point.x, point.y);
}

POINT CentreOf(const CControlUI* control) {
    const RECT r = control->Bounds();
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Counts its destruction, to see when delayed cleanup ran.
class CountedControl : public test::RecordingControl {
public:
    explicit CountedControl(int* destroyed) : destroyed_(destroyed) {}
    ~CountedControl() override { ++*destroyed_; }

private:
    int* destroyed_;
};

// Records whether the notifier had seen the queued notification when the message arrived.
class OrderFilter : public IMessageFilterUI {
public:
    explicit OrderFilter(const test::RecordingNotifier& notifier) : notifier_(notifier) {}
    LRESULT FilterMessage(UINT message, WPARAM, LPARAM, bool& handled) override {
        if (message == WM_NULL) {
            seenBeforeMessage = notifier_.Count(L"custom");
        }
        handled = false;
        return 0;
    }
    int seenBeforeMessage = -1;

private:
    const test::RecordingNotifier& notifier_;
};

// A 200 x 100 window holding, top to bottom: tab stops a (30 high) and b (30), a hidden tab stop,
// a disabled tab stop (10) and tab stop c filling the rest.
class ManagerWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = new CVerticalLayoutUI;
        root->SetName(L"root");
        a = Add(L"a", 30);
        b = Add(L"b", 30);
        hidden = Add(L"hidden", 10);
        hidden->SetVisible(false);
        disabled = Add(L"disabled", 10);
        disabled->SetEnabled(false);
        c = Add(L"c", 0);
        window.Manager().AddNotifyTarget(&notifier);
        window.Manager().AttachRoot(root);
        window.Repaint();
    }

    test::RecordingControl* Add(const wchar_t* name, int height) {
        auto* control = new test::RecordingControl(true);
        control->SetName(name);
        if (height > 0) {
            control->SetFixedHeight(height);
        }
        root->Append(control);
        return control;
    }

    // What reached the window, read back through its DC.
    void CopyWindowInto(test::TestCanvas& canvas) {
        const HDC windowDc = ::GetDC(window.Window());
        ::BitBlt(canvas.Dc(), 0, 0, 200, 100, windowDc, 0, 0, SRCCOPY);
        ::ReleaseDC(window.Window(), windowDc);
    }

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::SendMessageW(window.Window(), message, wParam, lParam);
    }

    test::ManagedWindow window{200, 100};
    test::RecordingNotifier notifier;
    CVerticalLayoutUI* root = nullptr;
    test::RecordingControl* a = nullptr;
    test::RecordingControl* b = nullptr;
    test::RecordingControl* hidden = nullptr;
    test::RecordingControl* disabled = nullptr;
    test::RecordingControl* c = nullptr;
};

TEST_F(ManagerWindowTest, FirstPaintLaysOutTheTreeAndSendsWindowInitOncePerRoot) {
    EXPECT_RECT(root->Bounds(), 0, 0, 200, 100);
    EXPECT_RECT(a->Bounds(), 0, 0, 200, 30);
    EXPECT_RECT(c->Bounds(), 0, 70, 200, 100);
    window.Repaint();
    window.Repaint();
    ASSERT_EQ(notifier.Count(NotifyType::kWindowInit), 1);
    EXPECT_EQ(notifier.seen.front().sender, root);

    int destroyed = 0;
    auto* second = new CVerticalLayoutUI;
    second->Append(new CountedControl(&destroyed));
    window.Manager().AttachRoot(second);
    window.Repaint();
    window.Repaint();
    EXPECT_EQ(notifier.Count(NotifyType::kWindowInit), 2);
    EXPECT_EQ(notifier.seen.back().type, NotifyType::kWindowInit);
    EXPECT_EQ(notifier.seen.back().sender, second);
    EXPECT_EQ(window.Manager().ControlByName(L"a"), a) << "the old tree lives until cleanup";
    window.Pump();
    EXPECT_EQ(window.Manager().ControlByName(L"a"), nullptr);
    EXPECT_EQ(destroyed, 0);
}

TEST_F(ManagerWindowTest, ResizingLaysTheWholeTreeOutAgain) {
    ::SetWindowPos(window.Window(), nullptr, 0, 0, 300, 150,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(window.Manager().IsLayoutNeeded());
    window.Repaint();
    EXPECT_RECT(root->Bounds(), 0, 0, 300, 150);
    EXPECT_RECT(a->Bounds(), 0, 0, 300, 30);
    EXPECT_RECT(c->Bounds(), 0, 70, 300, 150);
    EXPECT_EQ(notifier.Count(NotifyType::kWindowInit), 1);
}

TEST_F(ManagerWindowTest, ButtonReleasedOutsideEveryControlStillReachesTheCapturedOne) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(CentreOf(a)));
    EXPECT_EQ(a->Count(kEventButtonDown), 1);
    EXPECT_EQ(window.Manager().CaptureControl(), a);
    EXPECT_EQ(::GetCapture(), window.Window());
    EXPECT_EQ(window.Manager().FocusControl(), a);

    Send(WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
    ASSERT_EQ(a->Count(kEventButtonUp), 1);
    EXPECT_EQ(a->Last(kEventButtonUp)->mouse.x, 500);
    EXPECT_EQ(window.Manager().CaptureControl(), nullptr);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(b->events.empty() && c->Count(kEventButtonUp) == 0);
}

TEST_F(ManagerWindowTest, ButtonDownOnAControlOfAnotherManagerIsIgnored) {
    CUIManager other;
    b->AttachManager(&other, root, AttachMode::kAttachOnly);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(CentreOf(b)));
    Send(WM_MOUSEMOVE, 0, PointParam(CentreOf(b)));
    EXPECT_TRUE(b->events.empty());
    EXPECT_EQ(window.Manager().CaptureControl(), nullptr);
    EXPECT_EQ(window.Manager().HotControl(), nullptr);
    b->AttachManager(&window.Manager(), root, AttachMode::kAttachOnly);
}

TEST_F(ManagerWindowTest, HotTrackingEntersAndLeaves) {
    a->Clear();
    Send(WM_MOUSEMOVE, 0, PointParam(CentreOf(a)));
    EXPECT_EQ((std::vector<int>{kEventMouseEnter, kEventMouseMove}), a->Kinds());
    EXPECT_EQ(window.Manager().HotControl(), a);

    a->Clear();
    Send(WM_MOUSEMOVE, 0, PointParam(CentreOf(b)));
    EXPECT_EQ((std::vector<int>{kEventMouseLeave}), a->Kinds());
    EXPECT_EQ((std::vector<int>{kEventMouseEnter, kEventMouseMove}), b->Kinds());
    EXPECT_EQ(window.Manager().HotControl(), b);
    EXPECT_EQ(window.Manager().LastMousePos().y, CentreOf(b).y);

    b->Clear();
    Send(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ((std::vector<int>{kEventMouseLeave}), b->Kinds());
    EXPECT_EQ(window.Manager().HotControl(), nullptr);
}

TEST_F(ManagerWindowTest, TabMovesFocusInTreeOrderSkippingHiddenAndDisabledAndWraps) {
    EXPECT_EQ(window.Manager().FocusControl(), a) << "the first paint focuses the first tab stop";
    const test::RecordingControl* expected[] = {b, c, a, b};
    for (const test::RecordingControl* next : expected) {
        LRESULT result = 0;
        EXPECT_TRUE(window.Manager().PreHandleMessage(WM_KEYDOWN, VK_TAB, 0, result));
        EXPECT_EQ(window.Manager().FocusControl(), next);
    }
    window.Manager().MoveTabFocus(TabDirection::kBackward);
    EXPECT_EQ(window.Manager().FocusControl(), a);
    window.Manager().MoveTabFocus(TabDirection::kBackward);
    EXPECT_EQ(window.Manager().FocusControl(), c) << "backwards wraps to the last tab stop";
}

TEST_F(ManagerWindowTest, FocusChangesSendKillFocusThenSetFocus) {
    notifier.seen.clear();
    window.Manager().SetFocusControl(b);
    ASSERT_EQ(notifier.seen.size(), 2u);
    EXPECT_EQ(notifier.seen[0].type, NotifyType::kKillFocus);
    EXPECT_EQ(notifier.seen[0].sender, a);
    EXPECT_EQ(notifier.seen[1].type, NotifyType::kSetFocus);
    EXPECT_EQ(notifier.seen[1].sender, b);
    ASSERT_NE(a->Last(kEventKillFocus), nullptr);
    EXPECT_EQ(a->Last(kEventKillFocus)->sender, b) << "kill focus names the new focus";
    EXPECT_TRUE(b->HasFocus());

    window.Manager().SetFocusControl(hidden);
    EXPECT_EQ(window.Manager().FocusControl(), nullptr) << "a hidden control never takes focus";
    EXPECT_EQ(notifier.seen.back().type, NotifyType::kKillFocus);
    EXPECT_FALSE(b->HasFocus());
}

TEST_F(ManagerWindowTest, TimerFiresWithItsLocalIdAndRestartsAfterStop) {
    CUIManager& manager = window.Manager();
    EXPECT_TRUE(manager.StartTimer(b, 7, 10));
    EXPECT_FALSE(manager.StartTimer(b, 7, 10)) << "running already";
    ASSERT_TRUE(window.PumpUntil([&] { return notifier.Count(NotifyType::kTimer) > 0; }, 3000));
    const UINotify* timer = nullptr;
    for (const UINotify& seen : notifier.seen) {
        timer = seen.type == NotifyType::kTimer ? &seen : timer;
    }
    EXPECT_EQ(timer->sender, b);
    EXPECT_EQ(timer->wParam, 7u);
    EXPECT_EQ(b->Last(kEventTimer)->wParam, 7u);

    EXPECT_TRUE(manager.StopTimer(b, 7));
    EXPECT_FALSE(manager.StopTimer(b, 7));
    window.Pump();
    const int before = b->Count(kEventTimer);
    ::Sleep(40);
    window.Pump();
    EXPECT_EQ(b->Count(kEventTimer), before) << "a stopped timer stays quiet";

    EXPECT_TRUE(manager.StartTimer(b, 7, 10));
    EXPECT_TRUE(window.PumpUntil([&] { return b->Count(kEventTimer) > before; }, 3000));
    manager.StopTimers(b);
    EXPECT_FALSE(manager.StopTimer(b, 7)) << "StopTimers removes the entries";
}

TEST_F(ManagerWindowTest, AsynchronousNotificationIsSeenAtTheNextMessageBeforeItsHandling) {
    OrderFilter filter(notifier);
    window.Manager().AddFilter(&filter);
    window.Manager().SendNotification(b, L"custom", 1, 2, NotifyDelivery::kAtNextMessage);
    EXPECT_EQ(notifier.Count(L"custom"), 0);
    Send(WM_NULL, 0, 0);
    EXPECT_EQ(filter.seenBeforeMessage, 1);
    ASSERT_EQ(notifier.Count(L"custom"), 1);
    EXPECT_EQ(notifier.seen.back().sender, b);
    EXPECT_EQ(notifier.seen.back().wParam, 1u);
    window.Manager().RemoveFilter(&filter);
}

TEST_F(ManagerWindowTest, QueuedNotificationOfADestroyedControlLosesItsSender) {
    window.Manager().SendNotification(b, L"custom", 0, 0, NotifyDelivery::kAtNextMessage);
    root->SetDefersDelete(false);
    root->Remove(b);
    Send(WM_NULL, 0, 0);
    ASSERT_EQ(notifier.Count(L"custom"), 1);
    EXPECT_EQ(notifier.seen.back().sender, nullptr);
}

TEST_F(ManagerWindowTest, NameTableFollowsAdoptionReplacementAndDestruction) {
    CUIManager& manager = window.Manager();
    EXPECT_EQ(manager.ControlByName(L"b"), b);
    EXPECT_EQ(manager.ControlByName(L"B"), nullptr) << "the table compares exactly";
    EXPECT_EQ(manager.FindByName(nullptr, L"B"), b) << "the tree search ignores case";

    int destroyed = 0;
    auto* twin = new CountedControl(&destroyed);
    twin->SetName(L"b");
    root->Append(twin);
    EXPECT_EQ(manager.ControlByName(L"b"), twin) << "a later control replaces the name";

    root->Remove(twin);
    EXPECT_EQ(destroyed, 0) << "removal waits for the cleanup message";
    window.Pump();
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(manager.ControlByName(L"b"), nullptr);

    a->SetName(L"renamed");
    root->SetDefersDelete(false);
    root->Remove(a);
    EXPECT_EQ(manager.ControlByName(L"a"), nullptr) << "no dangling entry under the old name";
}

TEST_F(ManagerWindowTest, RightButtonAndContextMenuGoToTheClickedControl) {
    b->SetUsesMenu(true);
    Send(WM_RBUTTONDOWN, MK_RBUTTON, PointParam(CentreOf(b)));
    EXPECT_EQ(b->Count(kEventRButtonDown), 1);
    EXPECT_EQ(window.Manager().FocusControl(), b);
    POINT screen = CentreOf(b);
    ::ClientToScreen(window.Window(), &screen);
    Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.Window()), PointParam(screen));
    const test::ReceivedEvent* menu = b->Last(kEventContextMenu);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->lParam, reinterpret_cast<LPARAM>(b));
    EXPECT_EQ(menu->mouse.y, CentreOf(b).y);
    EXPECT_EQ(notifier.Count(NotifyType::kMenu), 1);
    EXPECT_EQ(window.Manager().CaptureControl(), nullptr);
}

TEST_F(ManagerWindowTest, KeysGoToTheFocusAndKeyUpToTheControlThatHadKeyDown) {
    window.Manager().SetFocusControl(a);
    Send(WM_KEYDOWN, 'X', 0);
    window.Manager().SetFocusControl(b);
    Send(WM_KEYUP, 'X', 0);
    Send(WM_CHAR, L'x', 0);
    EXPECT_EQ(a->Count(kEventKeyDown), 1);
    EXPECT_EQ(a->Count(kEventKeyUp), 1);
    EXPECT_EQ(b->Count(kEventKeyUp), 0);
    ASSERT_EQ(b->Count(kEventChar), 1);
}

TEST_F(ManagerWindowTest, WheelTowardsTheUserIsOneAndHotTrackingFollows) {
    POINT screen = CentreOf(c);
    ::ClientToScreen(window.Window(), &screen);
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), PointParam(screen));
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), PointParam(screen));
    std::vector<WPARAM> wheel;
    for (const test::ReceivedEvent& event : c->events) {
        if (event.kind == kEventScrollWheel) {
            wheel.push_back(event.wParam);
        }
    }
    EXPECT_EQ((std::vector<WPARAM>{1, 0}), wheel);
    EXPECT_EQ(window.Manager().HotControl(), c);
}

TEST_F(ManagerWindowTest, CloseEndsHoverCaptureAndFocus) {
    Send(WM_MOUSEMOVE, 0, PointParam(CentreOf(b)));
    Send(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(CentreOf(b)));
    b->Clear();
    CUIManager& manager = window.Manager();
    LRESULT result = 0;
    EXPECT_FALSE(manager.HandleMessage(WM_CLOSE, 0, 0, result)) << "closing goes on";
    EXPECT_EQ((std::vector<int>{kEventMouseLeave, kEventButtonUp, kEventKillFocus}), b->Kinds());
    EXPECT_EQ(manager.FocusControl(), nullptr);
}

TEST_F(ManagerWindowTest, SimpleWindowMessagesAreAnsweredAsTheWindowNeeds) {
    CUIManager& manager = window.Manager();
    manager.SetMinTrackSize(300, 0);
    manager.SetMaxTrackSize(0, 500);
    MINMAXINFO info = {};
    info.ptMinTrackSize = {1, 2};
    info.ptMaxTrackSize = {3, 4};
    LRESULT result = 0;
    EXPECT_FALSE(
        manager.HandleMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info), result));
    EXPECT_EQ(info.ptMinTrackSize.x, 300);
    EXPECT_EQ(info.ptMinTrackSize.y, 2);
    EXPECT_EQ(info.ptMaxTrackSize.x, 3);
    EXPECT_EQ(info.ptMaxTrackSize.y, 500);

    EXPECT_TRUE(manager.HandleMessage(WM_ERASEBKGND, 0, 0, result));
    EXPECT_EQ(result, 1);
}

// Answers every reflected message with the message number it received.
LRESULT CALLBACK ReflectionTarget(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= 0x2000 && message < 0x3000) {
        return message;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(ManagerWindowTest, CommandsNotificationsAndColourRequestsAreReflectedToTheChild) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ReflectionTarget;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ManagerTestReflectionTarget";
    ::RegisterClassW(&windowClass);
    HWND child = ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_CHILD, 0, 0, 10, 10,
                                   window.Window(), nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(child, nullptr);
    const auto childParam = reinterpret_cast<LPARAM>(child);
    EXPECT_EQ(Send(WM_COMMAND, 1, childParam), 0x2000 + WM_COMMAND);
    EXPECT_EQ(Send(WM_CTLCOLOREDIT, 0, childParam), 0x2000 + WM_CTLCOLOREDIT);
    EXPECT_EQ(Send(WM_CTLCOLORSTATIC, 0, childParam), 0x2000 + WM_CTLCOLORSTATIC);
    NMHDR header = {child, 1, 0};
    EXPECT_EQ(Send(WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header)), 0x2000 + WM_NOTIFY);

    MSG tab = {child, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_FALSE(CUIManager::PreTranslate(&tab)) << "a child's message is still dispatched";
    EXPECT_EQ(window.Manager().FocusControl(), b) << "but its window's manager saw the tab";
    ::DestroyWindow(child);

    MSG own = {window.Window(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_TRUE(CUIManager::PreTranslate(&own));
    EXPECT_EQ(window.Manager().FocusControl(), c);
}

TEST_F(ManagerWindowTest, PaintingDrawsTheTreeIntoTheWindowThroughTheOffscreenBitmap) {
    a->SetBkColor(0xFFFF0000);
    c->SetBkColor(0xFF0000FF);
    window.Repaint();
    test::TestCanvas canvas(200, 100);
    Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    EXPECT_EQ(canvas.Pixel(100, 15), 0xFF0000u);
    EXPECT_EQ(canvas.Pixel(100, 90), 0x0000FFu);
    EXPECT_EQ(canvas.Pixel(100, 45), 0xFFFFFFu) << "b has no background";

    test::TestCanvas copy(200, 100);
    CopyWindowInto(copy);
    EXPECT_EQ(copy.Pixel(100, 15), 0xFF0000u);
    EXPECT_EQ(copy.Pixel(100, 90), 0x0000FFu);
}

TEST_F(ManagerWindowTest, RepaintOutlineMarksTheRepaintedArea) {
    window.Manager().SetShowRepaints(true);
    RECT part = {20, 40, 60, 50};
    ::InvalidateRect(window.Window(), &part, FALSE);
    ::UpdateWindow(window.Window());
    test::TestCanvas copy(200, 100);
    CopyWindowInto(copy);
    EXPECT_EQ(copy.Pixel(20, 45), 0xDC0000u);
    EXPECT_EQ(copy.Pixel(40, 40), 0xDC0000u);
    EXPECT_NE(copy.Pixel(40, 45), 0xDC0000u);
}

TEST_F(ManagerWindowTest, OptionGroupsKeepOrderAndVanishWhenEmpty) {
    CUIManager& manager = window.Manager();
    EXPECT_TRUE(manager.JoinGroup(L"g", a));
    EXPECT_TRUE(manager.JoinGroup(L"g", b));
    EXPECT_FALSE(manager.JoinGroup(L"g", a));
    ASSERT_NE(manager.GroupMembers(L"g"), nullptr);
    EXPECT_EQ((std::vector<CControlUI*>{a, b}), *manager.GroupMembers(L"g"));
    manager.LeaveGroup(L"g", a);
    manager.LeaveGroup(L"g", b);
    EXPECT_EQ(manager.GroupMembers(L"g"), nullptr);
}

TEST(ManagerResourcesTest, FontsByIndexFallBackToTheDefaultAndMeasureOnFirstUse) {
    CUIManager manager;
    const HFONT bold = manager.CreateFontEntry(L"Tahoma", 20, kFontBold);
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(manager.FontAt(0), bold);
    EXPECT_EQ(manager.FontAt(-1), manager.FontAt(5));
    EXPECT_NE(manager.FontAt(-1), bold);
    EXPECT_GT(manager.FontInfoAt(-1).metrics.tmHeight, 0);
    EXPECT_GE(manager.FontInfoAt(0).metrics.tmHeight, 18);
    EXPECT_TRUE(manager.FontInfoAt(0).bold);
    EXPECT_EQ(manager.FindFontEntry(L"tahoma", 20, kFontBold), bold);
    EXPECT_EQ(manager.FindFontEntry(L"Tahoma", 21, kFontBold), nullptr);

    CUIManager child;
    child.SetParentResourceManager(&manager);
    EXPECT_EQ(child.FindFontEntry(L"Tahoma", 20, kFontBold), bold);
    manager.SetDefaultFontColor(0xFF123456);
    EXPECT_EQ(child.DefaultFontColor(), 0xFF123456u);
    EXPECT_EQ(child.DefaultDisabledColor(), 0xFFA7A6AAu);
    manager.SetClassAttributes(L"VScrollBar", L"width=\"8\"");
    manager.SetClassAttributes(L"VScrollBar", L"width=\"9\"");
    EXPECT_EQ(child.ClassAttributes(L"VScrollBar"), L"width=\"8\"") << "the first list stays";
}

TEST(ManagerPaintTest, KeptBackgroundShowsThroughWhereNoControlPaints) {
    for (const bool keep : {true, false}) {
        test::ManagedWindow window(60, 40);
        window.Repaint();
        // What the window showed before its tree: green.
        const HDC dc = ::GetDC(window.Window());
        const RECT whole = {0, 0, 60, 40};
        ScopedBrush green(::CreateSolidBrush(RGB(0, 255, 0)));
        ::FillRect(dc, &whole, green.Get());
        ::ReleaseDC(window.Window(), dc);

        window.Manager().SetKeepBackground(keep);
        auto* root = new CVerticalLayoutUI;
        auto* bar = new CControlUI;
        bar->SetFixedHeight(10);
        bar->SetBkColor(0xFF0000FF);
        root->Append(bar);
        window.Manager().AttachRoot(root);
        window.Repaint();
        window.Repaint();

        test::TestCanvas copy(60, 40);
        const HDC windowDc = ::GetDC(window.Window());
        ::BitBlt(copy.Dc(), 0, 0, 60, 40, windowDc, 0, 0, SRCCOPY);
        ::ReleaseDC(window.Window(), windowDc);
        EXPECT_EQ(copy.Pixel(30, 5), 0x0000FFu);
        EXPECT_EQ(copy.Pixel(30, 30) == 0x00FF00u, keep) << keep;
    }
}

TEST(ManagerResourcesTest, ModuleDirectoryHoldsTheProgram) {
    const std::wstring directory = CUIManager::ModuleDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(directory.back(), L'\\');
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    EXPECT_EQ(std::wstring(path).rfind(directory, 0), 0u);
}

TEST(ManagerResourcesTest, InitialSizeResizesTheWindowOnlyBeforeItHasATree) {
    test::ManagedWindow window(50, 50);
    window.Manager().SetInitialSize(120, 80);
    RECT bounds = {};
    ::GetWindowRect(window.Window(), &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 120);
    EXPECT_EQ(bounds.bottom - bounds.top, 80);
    window.Manager().AttachRoot(new CControlUI);
    window.Manager().SetInitialSize(200, 200);
    ::GetWindowRect(window.Window(), &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 120);
    EXPECT_EQ(window.Manager().InitialSize().cx, 200);
}

TEST(ManagerResourcesTest, WindowAlphaMakesTheWindowLayeredOnlyWithinRange) {
    test::ManagedWindow window(50, 50);
    window.Manager().SetWindowAlpha(128);
    EXPECT_NE(::GetWindowLongPtrW(window.Window(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_EQ(window.Manager().WindowAlpha(), 128);
    window.Manager().SetWindowAlpha(300);
    EXPECT_EQ(::GetWindowLongPtrW(window.Window(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_EQ(window.Manager().WindowAlpha(), 255);
}

}  // namespace
