#include "CButtonUI.h"
#include "CVerticalLayoutUI.h"
#include "ControlsFixture.h"
#include "RecordingHost.h"

#include <gtest/gtest.h>

using namespace DuiLib;

namespace {

// Two buttons stacked at the top of a real window: first (0,0,400,40), second (0,40,400,80).
class ButtonWindowTest : public test::ControlsFixture {
protected:
    void SetUp() override {
        Build([this](CVerticalLayoutUI& root) {
            first = root.Add(std::make_unique<CButtonUI>());
            first->SetName(L"first");
            first->SetFixedHeight(40);
            second = root.Add(std::make_unique<CButtonUI>());
            second->SetFixedHeight(40);
        });
    }

    size_t Clicks(const CControlUI* sender) const {
        size_t count = 0;
        for (const auto& n : window->Received(L"click")) {
            count += n.sender == sender ? 1 : 0;
        }
        return count;
    }

    CButtonUI* first = nullptr;
    CButtonUI* second = nullptr;
};

TEST_F(ButtonWindowTest, ClickNeedsTheReleaseOverTheButton) {
    const POINT inside = {200, 20};
    const POINT outside = {200, 200};
    const struct {
        const char* name;
        std::vector<std::pair<UINT, POINT>> messages;
        size_t clicks;
    } kCases[] = {
        {"release inside", {{WM_LBUTTONDOWN, inside}, {WM_LBUTTONUP, inside}}, 1},
        {"release outside",
         {{WM_LBUTTONDOWN, inside}, {WM_MOUSEMOVE, outside}, {WM_LBUTTONUP, outside}},
         0},
        {"back inside before release",
         {{WM_LBUTTONDOWN, inside},
          {WM_MOUSEMOVE, outside},
          {WM_MOUSEMOVE, inside},
          {WM_LBUTTONUP, inside}},
         1},
        {"pressed outside, released inside",
         {{WM_LBUTTONDOWN, outside}, {WM_LBUTTONUP, inside}},
         0},
    };
    for (const auto& c : kCases) {
        window->notifications.clear();
        for (const auto& [message, point] : c.messages) {
            window->Mouse(message, point);
        }
        EXPECT_EQ(Clicks(first), c.clicks) << c.name;
        EXPECT_EQ(first->State() & (kStatePushed | kStateCaptured), 0u) << c.name;
    }
}

TEST_F(ButtonWindowTest, PushedLookFollowsThePointerWhilePressed) {
    window->Mouse(WM_LBUTTONDOWN, POINT{200, 20});
    EXPECT_NE(first->State() & kStatePushed, 0u);
    window->Mouse(WM_MOUSEMOVE, POINT{200, 200});
    EXPECT_EQ(first->State() & kStatePushed, 0u);
    window->Mouse(WM_MOUSEMOVE, POINT{10, 10});
    EXPECT_NE(first->State() & kStatePushed, 0u);
    window->Mouse(WM_LBUTTONUP, POINT{10, 10});
    EXPECT_EQ(Clicks(first), 1u);
}

TEST_F(ButtonWindowTest, SpaceAndReturnClickTheFocusedButton) {
    const struct {
        UINT key;
        bool keyboardEnabled;
        size_t clicks;
    } kCases[] = {
        {VK_SPACE, true, 1},
        {VK_RETURN, true, 1},
        {'A', true, 0},
        {VK_SPACE, false, 0},
    };
    for (const auto& c : kCases) {
        window->notifications.clear();
        first->SetKeyboardEnabled(c.keyboardEnabled);
        window->Manager().SetFocusControl(first);
        test::TestWindow::Key(window->GetHWND(), c.key);
        EXPECT_EQ(Clicks(first), c.clicks) << c.key;
        EXPECT_EQ(Clicks(second), 0u) << c.key;
    }
}

TEST_F(ButtonWindowTest, DisabledButtonIgnoresEverything) {
    first->SetEnabled(false);
    const UINT kMouseStates = kStateHot | kStatePushed | kStateCaptured;
    window->Mouse(WM_MOUSEMOVE, POINT{200, 20});
    EXPECT_EQ(first->State() & kMouseStates, 0u);
    window->Click(POINT{200, 20});
    window->Manager().SetFocusControl(first);
    test::TestWindow::Key(window->GetHWND(), VK_SPACE);
    test::TestWindow::Key(window->GetHWND(), VK_RETURN);
    EXPECT_EQ(Clicks(first), 0u);
    EXPECT_FALSE(first->Trigger());
    EXPECT_EQ(first->State() & kMouseStates, 0u);
    EXPECT_EQ(first->ControlFlags() & kControlSetCursor, 0u);
}

TEST_F(ButtonWindowTest, DisablingClearsTheHotAndPushedState) {
    window->Mouse(WM_MOUSEMOVE, POINT{200, 20});
    window->Mouse(WM_LBUTTONDOWN, POINT{200, 20});
    EXPECT_NE(first->State() & (kStateHot | kStatePushed), 0u);
    first->SetEnabled(false);
    EXPECT_EQ(first->State(), 0u);
    window->Mouse(WM_LBUTTONUP, POINT{200, 20});
    EXPECT_EQ(Clicks(first), 0u);
}

// State images without a window: a host that records what the button draws.
TEST(ButtonStateImageTest, TheFirstLookThatAppliesIsDrawn) {
    enum Setup { kNormal, kHot, kPushed, kFocused, kDisabled };
    const struct {
        const char* name;
        Setup setup;
        bool withHot;
        bool withHotFore;
        bool withPushed;
        std::vector<std::wstring> drawn;
    } kCases[] = {
        {"normal", kNormal, true, true, true, {L"normal", L"fore"}},
        {"hot", kHot, true, false, true, {L"hot", L"fore"}},
        {"hot with hot fore", kHot, true, true, true, {L"hot", L"hotfore"}},
        {"hot without hot image", kHot, false, true, true, {L"normal", L"fore"}},
        {"pushed", kPushed, true, true, true, {L"pushed", L"fore"}},
        {"pushed without pushed image", kPushed, true, true, false, {L"normal", L"fore"}},
        {"focused", kFocused, true, true, true, {L"focused", L"fore"}},
        {"disabled", kDisabled, true, true, true, {L"disabled", L"fore"}},
    };
    for (const auto& c : kCases) {
        test::RecordingHost host;
        CButtonUI button;
        button.SetBounds(RECT{0, 0, 100, 30});
        button.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
        button.SetNormalImage(L"normal");
        button.SetHotImage(c.withHot ? L"hot" : L"");
        button.SetHotForeImage(c.withHotFore ? L"hotfore" : L"");
        button.SetPushedImage(c.withPushed ? L"pushed" : L"");
        button.SetFocusedImage(L"focused");
        button.SetDisabledImage(L"disabled");
        button.SetForeImage(L"fore");
        UIEvent event;
        event.mouse = POINT{10, 10};
        switch (c.setup) {
            case kHot:
                event.kind = kEventMouseEnter;
                button.HandleEvent(event);
                break;
            case kPushed:
                event.kind = kEventMouseEnter;
                button.HandleEvent(event);
                event.kind = kEventButtonDown;
                button.HandleEvent(event);
                break;
            case kFocused:
                event.kind = kEventSetFocus;
                button.HandleEvent(event);
                break;
            case kDisabled:
                button.SetEnabled(false);
                break;
            case kNormal:
                break;
        }
        button.Paint(host.canvas.Dc(), RECT{0, 0, 100, 30});
        EXPECT_EQ(host.images, c.drawn) << c.name;
    }
}

TEST(ButtonStateImageTest, TextColourFollowsTheState) {
    test::RecordingHost host;
    CButtonUI button;
    button.SetBounds(RECT{0, 0, 100, 30});
    button.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    button.SetText(L"OK");
    button.SetTextColor(0xFF000001);
    button.SetHotTextColor(0xFF000002);
    button.SetPushedTextColor(0xFF000003);
    UIEvent event;
    event.mouse = POINT{10, 10};
    button.Paint(host.canvas.Dc(), RECT{0, 0, 100, 30});
    event.kind = kEventMouseEnter;
    button.HandleEvent(event);
    button.Paint(host.canvas.Dc(), RECT{0, 0, 100, 30});
    event.kind = kEventButtonDown;
    button.HandleEvent(event);
    button.Paint(host.canvas.Dc(), RECT{0, 0, 100, 30});
    button.SetEnabled(false);
    button.Paint(host.canvas.Dc(), RECT{0, 0, 100, 30});
    ASSERT_EQ(host.drawnTexts.size(), 4u);
    EXPECT_EQ(host.drawnTexts[0].colour, 0xFF000001u);
    EXPECT_EQ(host.drawnTexts[1].colour, 0xFF000002u);
    EXPECT_EQ(host.drawnTexts[2].colour, 0xFF000003u);
    EXPECT_EQ(host.drawnTexts[3].colour, 0xFFA7A6AAu);  // the default disabled colour
    EXPECT_EQ(host.drawnTexts[0].style, 0x25u);
}

}  // namespace
