#include "CContainerUI.h"
#include "CControlUI.h"
#include "CEventSource.h"
#include "ColorAdjust.h"
#include "TestControls.h"

#include <gtest/gtest.h>

using namespace DuiLib;

namespace {

class Listener {
public:
    explicit Listener(bool answer) : answer_(answer) {}
    bool OnControl(CControlUI*) {
        ++calls;
        return answer_;
    }
    bool OnEvent(UIEvent&) {
        ++calls;
        return answer_;
    }
    int calls = 0;

private:
    bool answer_;
};

TEST(EventSourceTest, KeepsOneCopyOfEachListenerAndStopsAtTheFirstRefusal) {
    CEventSource<CControlUI*> source;
    EXPECT_TRUE(source.Invoke(nullptr));
    Listener agreeing(true);
    Listener refusing(false);
    Listener late(true);
    source.Add(MakeDelegate(&agreeing, &Listener::OnControl));
    source.Add(MakeDelegate(&agreeing, &Listener::OnControl));
    EXPECT_EQ(source.Count(), 1u);
    source.Add(MakeDelegate(&refusing, &Listener::OnControl));
    source.Add(MakeDelegate(&late, &Listener::OnControl));
    EXPECT_FALSE(source.Invoke(nullptr));
    EXPECT_EQ(agreeing.calls, 1);
    EXPECT_EQ(refusing.calls, 1);
    EXPECT_EQ(late.calls, 0);
    source.Remove(MakeDelegate(&refusing, &Listener::OnControl));
    EXPECT_TRUE(source.Invoke(nullptr));
    EXPECT_EQ(late.calls, 1);
}

TEST(ControlDefaultsTest, ANewControlHasTheDocumentedDefaults) {
    CControlUI control;
    EXPECT_STREQ(control.ClassName(), L"ControlUI");
    EXPECT_EQ(control.AsInterface(L"Control"), &control);
    EXPECT_EQ(control.AsInterface(L"control"), nullptr);
    EXPECT_EQ(control.AsInterface(L"IContainer"), nullptr);
    EXPECT_EQ(control.MaxWidth(), kMaxControlSize);
    EXPECT_EQ(control.MaxHeight(), kMaxControlSize);
    EXPECT_EQ(control.ToolTipWidth(), 300);
    EXPECT_EQ(control.BorderStyle(), PS_SOLID);
    EXPECT_TRUE(control.IsVisible());
    EXPECT_TRUE(control.IsEnabled());
    EXPECT_TRUE(control.IsMouseEnabled());
    EXPECT_TRUE(control.IsKeyboardEnabled());
    EXPECT_TRUE(control.IsLayoutDirty());
    EXPECT_FALSE(control.IsFloat());
    EXPECT_TRUE(control.Trigger());
    EXPECT_EQ(control.ControlFlags(), 0u);
    control.SetEnabled(false);
    EXPECT_FALSE(control.Trigger());
}

TEST(ControlBoundsTest, WithoutAManagerOnlyTheRectangleIsStored) {
    CControlUI control;
    control.SetBounds(test::Rect(10, 10, 5, 30));
    EXPECT_RECT(control.Bounds(), 10, 10, 10, 30);
    EXPECT_EQ(control.Width(), 0);
    EXPECT_TRUE(control.IsLayoutDirty());
}

TEST(ControlBoundsTest, WithAManagerSizeListenersRunOnceAndOldAndNewAreasAreInvalidated) {
    test::FakeHost host;
    CControlUI control;
    control.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    Listener sized(true);
    control.SizeListeners().Add(MakeDelegate(&sized, &Listener::OnControl));
    control.SetBounds(test::Rect(10, 10, 20, 20));
    EXPECT_FALSE(control.IsLayoutDirty());
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_RECT(host.invalidated[0], 10, 10, 20, 20);
    control.SetBounds(test::Rect(30, 0, 40, 5));
    EXPECT_RECT(host.invalidated[1], 10, 0, 40, 20);
    EXPECT_EQ(sized.calls, 2);
}

class ResizingListener {
public:
    bool OnSize(CControlUI* control) {
        ++calls;
        control->SetBounds(test::Rect(0, 0, 1, 1));
        return true;
    }
    int calls = 0;
};

TEST(ControlBoundsTest, SizeListenersAreNotReentered) {
    test::FakeHost host;
    CControlUI control;
    control.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    ResizingListener listener;
    control.SizeListeners().Add(MakeDelegate(&listener, &ResizingListener::OnSize));
    control.SetBounds(test::Rect(0, 0, 50, 50));
    EXPECT_EQ(listener.calls, 1);
    EXPECT_RECT(control.Bounds(), 0, 0, 1, 1);
}

TEST(ControlInvalidateTest, InvalidationIsClippedByEveryAncestor) {
    test::FakeHost host;
    CContainerUI root;
    root.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    auto* box = root.Add(std::make_unique<CContainerUI>());
    CControlUI* child = box->Add(std::make_unique<CControlUI>());
    root.SetBounds(test::Rect(0, 0, 100, 100));
    box->SetBounds(test::Rect(50, 50, 150, 150));
    child->SetBounds(test::Rect(80, 20, 120, 70));
    host.invalidated.clear();

    child->Invalidate();
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_RECT(host.invalidated[0], 80, 50, 100, 70);

    // No overlap with the grandparent: nothing at all.
    child->SetBounds(test::Rect(120, 120, 140, 140));
    host.invalidated.clear();
    child->Invalidate();
    child->SetText(L"changed");
    EXPECT_TRUE(host.invalidated.empty());

    child->SetBounds(test::Rect(60, 60, 70, 70));
    child->SetVisible(false);
    host.invalidated.clear();
    child->Invalidate();
    EXPECT_TRUE(host.invalidated.empty());
}

TEST(ControlLayoutTest, LayoutMarksGoToTheParentAndReachTheManager) {
    test::FakeHost host;
    CContainerUI root;
    root.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    CControlUI* child = root.Add(std::make_unique<CControlUI>());
    root.SetBounds(test::Rect(0, 0, 100, 100));
    EXPECT_FALSE(root.IsLayoutDirty());
    EXPECT_FALSE(child->IsLayoutDirty());
    host.layoutRequests = 0;

    child->SetPadding(test::Rect(1, 1, 1, 1));
    EXPECT_TRUE(root.IsLayoutDirty());
    EXPECT_FALSE(child->IsLayoutDirty());
    EXPECT_GT(host.layoutRequests, 0);

    child->SetFloat(true);
    root.SetBounds(test::Rect(0, 0, 100, 100));
    child->SetBounds(test::Rect(0, 0, 10, 10));
    child->SetFixedWidth(20);
    EXPECT_TRUE(child->IsLayoutDirty());
    EXPECT_FALSE(root.IsLayoutDirty());

    // Hidden controls are not marked.
    root.SetBounds(test::Rect(0, 0, 100, 100));
    root.SetVisible(false);
    child->SetMinWidth(5);
    EXPECT_FALSE(child->IsLayoutDirty());
}

TEST(ControlVisibilityTest, HidingTheFocusedControlClearsTheManagersFocus) {
    test::FakeHost host;
    CContainerUI root;
    root.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    CControlUI* child = root.Add(std::make_unique<CControlUI>());
    child->TakeFocus();
    EXPECT_EQ(host.focus, child);
    child->SetVisible(false);
    EXPECT_EQ(host.focus, nullptr);

    child->SetVisible(true);
    child->TakeFocus();
    root.SetVisible(false);
    EXPECT_EQ(host.focus, nullptr);
    EXPECT_TRUE(child->IsOwnVisible());
    EXPECT_FALSE(child->IsVisible());
}

TEST(ControlSearchTest, FlagsSelectVisibleEnabledAndHitControls) {
    CControlUI control;
    control.SetBounds(test::Rect(0, 0, 10, 10));
    auto found = [](CControlUI* c, void*) -> CControlUI* { return c; };
    POINT in = {5, 5};
    POINT out = {10, 5};
    EXPECT_EQ(control.Search(found, &in, kFindHitTest), &control);
    EXPECT_EQ(control.Search(found, &out, kFindHitTest), nullptr);
    control.SetMouseEnabled(false);
    EXPECT_EQ(control.Search(found, &in, kFindHitTest), nullptr);
    control.SetEnabled(false);
    EXPECT_EQ(control.Search(found, nullptr, kFindEnabled), nullptr);
    EXPECT_EQ(control.Search(found, nullptr, kFindVisible), &control);
    control.SetVisible(false);
    EXPECT_EQ(control.Search(found, nullptr, kFindVisible), nullptr);
    EXPECT_EQ(control.Search(found, nullptr, kFindAll), &control);
}

TEST(ControlEventTest, BaseEventsNotifyAndDoubleClicksBubbleUp) {
    test::FakeHost host;
    CContainerUI root;
    root.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    auto* box = root.Add(std::make_unique<CContainerUI>());
    CControlUI* child = box->Add(std::make_unique<CControlUI>());

    UIEvent timer;
    timer.kind = kEventTimer;
    timer.wParam = 7;
    child->HandleEvent(timer);
    ASSERT_EQ(host.notifications.size(), 1u);
    EXPECT_EQ(host.notifications[0].type, NotifyType::kTimer);
    EXPECT_EQ(host.notifications[0].wParam, 7u);

    UIEvent menu;
    menu.kind = kEventContextMenu;
    child->HandleEvent(menu);
    EXPECT_EQ(host.notifications.size(), 1u);
    child->SetUsesMenu(true);
    child->HandleEvent(menu);
    EXPECT_EQ(host.notifications.back().type, NotifyType::kMenu);

    host.notifications.clear();
    UIEvent doubleClick;
    doubleClick.kind = kEventDblClick;
    doubleClick.lParam = 3;
    child->HandleEvent(doubleClick);
    ASSERT_EQ(host.notifications.size(), 3u);
    EXPECT_EQ(host.notifications[0].sender, child);
    EXPECT_EQ(host.notifications[1].sender, box);
    EXPECT_EQ(host.notifications[2].sender, &root);
    EXPECT_EQ(host.notifications[2].type, NotifyType::kDbClick);
    EXPECT_EQ(host.notifications[2].lParam, 3);

    UIEvent focus;
    focus.kind = kEventSetFocus;
    child->HandleEvent(focus);
    EXPECT_TRUE(child->HasFocus());
    focus.kind = kEventKillFocus;
    child->HandleEvent(focus);
    EXPECT_FALSE(child->HasFocus());
}

TEST(ControlEventTest, EventListenersCanKeepAnEventFromTheControl) {
    test::EventRecorder recorder;
    Listener refusing(false);
    UIEvent move;
    move.kind = kEventMouseMove;
    recorder.DispatchEvent(move);
    recorder.EventListeners().Add(MakeDelegate(&refusing, &Listener::OnEvent));
    recorder.DispatchEvent(move);
    EXPECT_EQ(recorder.kinds.size(), 1u);
    EXPECT_EQ(refusing.calls, 1);
}

TEST(ControlLifecycleTest, InitialisationAndDestructionRunTheirListeners) {
    test::FakeHost host;
    CContainerUI parent;
    Listener initialised(true);
    Listener destroyed(true);
    auto child = std::make_unique<test::EventRecorder>();
    child->InitListeners().Add(MakeDelegate(&initialised, &Listener::OnControl));
    child->DestroyListeners().Add(MakeDelegate(&destroyed, &Listener::OnControl));
    child->AttachManager(&host, nullptr, AttachMode::kInitialize);
    EXPECT_EQ(child->initialized, 0);
    child->AttachManager(&host, &parent, AttachMode::kInitialize);
    EXPECT_EQ(child->initialized, 1);
    EXPECT_EQ(initialised.calls, 1);
    CControlUI* raw = child.get();
    child.reset();
    EXPECT_EQ(destroyed.calls, 1);
    ASSERT_EQ(host.forgotten.size(), 1u);
    EXPECT_EQ(host.forgotten[0], raw);
}

TEST(ColorAdjustTest, TheNeutralSettingKeepsColoursAndOthersShiftThem) {
    EXPECT_EQ(AdjustColor(0x80123456, HslSetting{}), 0x80123456u);
    EXPECT_EQ(AdjustColor(0xFFFF0000, HslSetting{300, 100, 100}), 0xFF00FF00u);
    EXPECT_EQ(AdjustColor(0xFFFF0000, HslSetting{60, 100, 100}), 0xFF0000FFu);
    EXPECT_EQ(AdjustColor(0x7FFF0000, HslSetting{180, 0, 100}), 0x7F808080u);
    EXPECT_EQ(AdjustColor(0xFFFF0000, HslSetting{180, 100, 0}), 0xFF000000u);
    EXPECT_EQ(AdjustColor(0xFF808080, HslSetting{180, 100, 200}), 0xFFFFFFFFu);
}

}  // namespace
