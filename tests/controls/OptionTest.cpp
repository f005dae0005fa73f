#include "COptionUI.h"
#include "ControlsFixture.h"
#include "RecordingHost.h"

#include <gtest/gtest.h>

using namespace DuiLib;

namespace {

// Three options of group "g" and one without a group, 40 pixels high each.
class OptionWindowTest : public test::ControlsFixture {
protected:
    void SetUp() override {
        Build([this](CVerticalLayoutUI& root) {
            for (COptionUI*& option : grouped) {
                option = root.Add(std::make_unique<COptionUI>());
                option->SetFixedHeight(40);
                option->SetGroup(L"g");
            }
            single = root.Add(std::make_unique<COptionUI>());
            single->SetFixedHeight(40);
        });
    }

    std::vector<const CControlUI*> SendersOf(const std::wstring& type) const {
        std::vector<const CControlUI*> senders;
        for (const auto& n : window->Received(type)) {
            senders.push_back(n.sender);
        }
        return senders;
    }

    COptionUI* grouped[3] = {};
    COptionUI* single = nullptr;
};

TEST_F(OptionWindowTest, GroupKeepsOneSelectedAndOnlyItAnnouncesIt) {
    const struct {
        int clicked;
        std::vector<bool> selected;
    } kSteps[] = {
        {0, {true, false, false}},
        {2, {false, false, true}},
        {2, {false, false, true}},  // clicking the selected one keeps it selected, no change
        {1, {false, true, false}},
    };
    for (const auto& step : kSteps) {
        window->notifications.clear();
        const bool wasSelected = grouped[step.clicked]->IsSelected();
        window->Click(test::CentreOf(*grouped[step.clicked]));
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(grouped[i]->IsSelected(), step.selected[static_cast<size_t>(i)])
                << "after clicking " << step.clicked << ", option " << i;
        }
        EXPECT_EQ(SendersOf(L"click"), std::vector<const CControlUI*>{grouped[step.clicked]});
        const std::vector<const CControlUI*> expectedChange =
            wasSelected ? std::vector<const CControlUI*>{}
                        : std::vector<const CControlUI*>{grouped[step.clicked]};
        EXPECT_EQ(SendersOf(L"selectchanged"), expectedChange) << step.clicked;
    }
}

TEST_F(OptionWindowTest, DeselectingAGroupedOptionByCodeSendsNothing) {
    grouped[1]->SetSelected(true);
    window->notifications.clear();
    grouped[1]->SetSelected(false);
    EXPECT_FALSE(grouped[1]->IsSelected());
    EXPECT_TRUE(window->notifications.empty());
}

TEST_F(OptionWindowTest, AnOptionWithoutGroupTogglesAndAnnouncesEachChange) {
    for (bool expected : {true, false, true}) {
        window->notifications.clear();
        window->Click(test::CentreOf(*single));
        EXPECT_EQ(single->IsSelected(), expected);
        EXPECT_EQ(SendersOf(L"selectchanged"), std::vector<const CControlUI*>{single});
    }
    EXPECT_TRUE(grouped[0]->IsSelected() == false && grouped[1]->IsSelected() == false);
}

TEST_F(OptionWindowTest, LeavingTheGroupEndsTheMutualExclusion) {
    grouped[0]->SetSelected(true);
    grouped[0]->SetGroup(L"");
    grouped[1]->SetSelected(true);
    EXPECT_TRUE(grouped[0]->IsSelected());
    EXPECT_TRUE(grouped[1]->IsSelected());
    const auto* members = window->Manager().GroupMembers(L"g");
    ASSERT_NE(members, nullptr);
    EXPECT_EQ(members->size(), 2u);
}

TEST(OptionPaintTest, SelectedLookAndDisabling) {
    const struct {
        const char* name;
        bool selected;
        bool hot;
        std::wstring selectedImage;
        std::vector<std::wstring> drawn;
    } kCases[] = {
        {"not selected", false, false, L"sel", {L"normal"}},
        {"selected", true, false, L"sel", {L"sel", L"selfore"}},
        {"selected and hot", true, true, L"sel", {L"selhot", L"selfore"}},
        {"selected without image", true, false, L"", {L"normal"}},
    };
    for (const auto& c : kCases) {
        test::RecordingHost host;
        COptionUI option;
        option.SetBounds(RECT{0, 0, 100, 30});
        option.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
        option.SetNormalImage(L"normal");
        option.SetSelectedImage(c.selectedImage);
        option.SetSelectedHotImage(L"selhot");
        option.ApplyAttribute(L"foreimage", L"selfore");
        option.SetSelected(c.selected);
        if (c.hot) {
            UIEvent enter;
            enter.kind = kEventMouseEnter;
            option.HandleEvent(enter);
        }
        option.Paint(host.canvas.Dc(), RECT{0, 0, 100, 30});
        EXPECT_EQ(host.images, c.drawn) << c.name;
    }

    test::RecordingHost host;
    COptionUI option;
    option.AttachManager(&host, nullptr, AttachMode::kAttachOnly);
    option.SetSelected(true);
    option.SetEnabled(false);
    EXPECT_TRUE(option.IsSelected());
    EXPECT_EQ(option.State(), static_cast<UINT>(kStateSelected));
}

}  // namespace
