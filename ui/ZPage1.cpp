#include "ZPage1.h"

#include "Localization.h"
#include "PageControls.h"
#include "PageNames.h"
#include "ZHorizontalBox.h"
#include "ZVerticalBox.h"

namespace {

constexpr int kQuestionFont = 6;
constexpr int kButtonFont = 0;
constexpr int kMinButtonWidth = 160;
constexpr int kMaxButtonWidth = 250;

void LimitButtonWidth(DuiLib::CButtonUI* button) {
    button->SetMinWidth(kMinButtonWidth);
    button->SetMaxWidth(kMaxButtonWidth);
}

}  // namespace

ZPage1::~ZPage1() = default;

void ZPage1::OnInit() {
    auto content = std::make_unique<ZVerticalBox>();
    content->Add(MakeSpacer(0, 20));
    content->Add(MakeLabel(L"", Translate(L"您确定要卸载吗?"), 0xFF000000, kQuestionFont, 0, 30));
    content->Add(MakeSpacer(0, 30));

    auto buttons = std::make_unique<ZHorizontalBox>();
    buttons->SetFixedHeight(50);
    buttons->Add(MakeSpacer(0, 0));
    DuiLib::CButtonUI* confirm = buttons->Add(MakeButton(
        PageNames::kConfirmButton, Translate(L"残忍卸载"), 0xFF888888, kButtonFont, 160, 50));
    confirm->SetNormalImage(L"file='cancleBtn.png' source='0,0,160,50'");
    confirm->SetHotImage(L"file='cancleBtn.png' source='0,50,160,100'");
    FitButtonWidth(this, confirm);
    LimitButtonWidth(confirm);
    buttons->Add(MakeSpacer(30, 0));
    DuiLib::CButtonUI* cancel = buttons->Add(MakeButton(
        PageNames::kCancelButton, Translate(L"取消卸载"), 0xFFFFFFFF, kButtonFont, 160, 50));
    SetBlueButtonImages(cancel, PushedLook::kHot);
    FitButtonWidth(this, cancel);
    LimitButtonWidth(cancel);
    buttons->Add(MakeSpacer(0, 0));
    content->Add(std::move(buttons));

    Add(std::move(content));
}
