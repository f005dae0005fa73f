#include "ZPage2.h"

#include "CEditUI.h"
#include "Localization.h"
#include "PageControls.h"
#include "PageListener.h"
#include "PageNames.h"
#include "ZHorizontalBox.h"
#include "ZVerticalBox.h"

namespace {

constexpr int kCaptionFont = 0;
constexpr int kStartButtonFont = 2;
// DT_LEFT | DT_VCENTER | DT_SINGLELINE
constexpr UINT kCaptionStyle = DT_LEFT | DT_VCENTER | DT_SINGLELINE;

}  // namespace

ZPage2::~ZPage2() {
    StopListeningToManager(this, this);
}

void ZPage2::OnInit() {
    ListenToManager(this, this);

    auto content = std::make_unique<ZVerticalBox>();

    auto location = std::make_unique<ZVerticalBox>();
    location->SetFixedHeight(100);
    location->ApplyAttribute(L"inset", L"55,0,55,0");
    DuiLib::CLabelUI* caption =
        location->Add(MakeLabel(L"", Translate(L"软件位置"), 0xFF000000, kCaptionFont, 0, 30));
    caption->SetTextStyle(kCaptionStyle);
    auto field = std::make_unique<DuiLib::CEditUI>();
    field->SetFixedHeight(25);
    field->SetFont(kCaptionFont);
    field->SetName(PageNames::kLocationEdit);
    field->SetReadOnly(true);
    field->SetEnabled(false);
    field->ApplyAttribute(L"bordersize", L"1,1,1,1");
    field->ApplyAttribute(L"padding", L"1,1,1,1");
    field->SetBorderColor(0xFFAAAAAA);
    location->Add(std::move(field));
    location->Add(MakeSpacer(0, 5));
    content->Add(std::move(location));

    auto buttons = std::make_unique<ZHorizontalBox>();
    buttons->SetFixedHeight(40);
    buttons->Add(MakeSpacer(0, 0));
    DuiLib::CButtonUI* start = buttons->Add(MakeButton(
        PageNames::kStartButton, Translate(L"开始卸载"), 0xFFFFFFFF, kStartButtonFont, 120, 40));
    SetBlueButtonImages(start, PushedLook::kPressed);
    start->SetMinWidth(120);
    FitButtonWidth(this, start);
    buttons->Add(MakeSpacer(0, 0));
    content->Add(std::move(buttons));

    Add(std::move(content));
}

void ZPage2::Notify(DuiLib::UINotify& /*notification*/) {}
