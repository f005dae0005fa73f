#include "ZPage3.h"

#include "CRunExitCode.h"
#include "FinishLine.h"
#include "Localization.h"
#include "PageControls.h"
#include "PageListener.h"
#include "PageNames.h"
#include "ProgressMath.h"
#include "RemovalFinish.h"
#include "UninstallEngine.h"
#include "UninstallMessages.h"
#include "ZHorizontalBox.h"
#include "ZInstallProgressUI.h"
#include "ZVerticalBox.h"

namespace {

constexpr int kLineFont = 0;
constexpr int kFinishFont = 6;
constexpr int kFinishBoxWidth = 600;
constexpr DWORD kProgressLineColour = 0xFF666666;

std::unique_ptr<ZVerticalBox> MakeProgressBox() {
    auto box = std::make_unique<ZVerticalBox>();
    box->SetFixedHeight(150);
    box->ApplyAttribute(L"inset", L"55,0,55,0");
    box->Add(MakeSpacer(0, 10));
    box->Add(
        MakeLabel(PageNames::kStatusLabel, Translate(L"正在卸载"), 0xFF000000, kLineFont, 0, 20));
    box->Add(MakeSpacer(0, 30));
    box->Add(
        MakeLabel(PageNames::kProgressLabel, Translate(L"卸载进度"), 0xFF000000, kLineFont, 0, 20));
    box->Add(MakeSpacer(0, 10));

    auto barRow = std::make_unique<ZHorizontalBox>();
    barRow->SetFixedHeight(5);
    auto bar = std::make_unique<ZInstallProgressUI>();
    bar->SetName(PageNames::kProgressBar);
    bar->SetBkImage(L"pgbk.png");
    bar->FillPart()->SetBkImage(L"pgfog.png");
    bar->PointPart()->SetFixedWidth(5);
    bar->PointPart()->SetBkImage(L"point.png");
    barRow->Add(std::move(bar));
    box->Add(std::move(barRow));
    return box;
}

std::unique_ptr<ZVerticalBox> MakeFinishBox() {
    auto box = std::make_unique<ZVerticalBox>();
    box->SetFixedHeight(150);
    box->SetFloat(true);
    box->SetFixedWidth(kFinishBoxWidth);
    box->SetFixedXY(SIZE{0, 0});
    box->Add(MakeSpacer(0, 30));
    DuiLib::CLabelUI* text = box->Add(
        MakeLabel(PageNames::kFinishLabel, Translate(L"卸载完毕"), 0xFF000000, kFinishFont, 0, 40));
    text->SetVisible(false);
    // Takes the place of a spacer as high, so that the button stays where it is; empty unless
    // the removal is not complete.
    box->Add(MakeLabel(PageNames::kLeftoversLabel, std::wstring(), 0xFF000000, kLineFont, 0, 20));
    DuiLib::CButtonUI* finish = box->Add(
        MakeButton(PageNames::kFinishButton, Translate(L"确定"), 0xFFFFFFFF, kLineFont, 120, 40));
    finish->SetVisible(false);
    SetBlueButtonImages(finish, PushedLook::kPressed);
    finish->SetPadding(RECT{CentredLeftPadding(kFinishBoxWidth, finish->FixedWidth()), 0, 0, 0});
    return box;
}

// The finish line for outcome in the program's language.
std::wstring FinishLineFor(const UninstallOutcome& outcome) {
    return ChooseFinishLine(outcome, Translate(kRestartCompletesRemovalText),
                            Translate(kItemLeftText));
}

}  // namespace

ZPage3::~ZPage3() {
    StopListeningToManager(this, this);
}

void ZPage3::OnInit() {
    CContainerUI::OnInit();
    ListenToManager(this, this);

    auto content = std::make_unique<ZVerticalBox>();
    content->Add(MakeProgressBox());
    content->Add(MakeFinishBox());
    Add(std::move(content));
}

void ZPage3::Notify(DuiLib::UINotify& notification) {
    if (notification.type == DuiLib::NotifyType::kClick && notification.sender != nullptr &&
        notification.sender->GetName() == PageNames::kFinishButton) {
        FinishAndExit();
    }
}

void ZPage3::OnUninstallMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_UNINSTALL_PROGRESS) {
        OnProgress(wParam, lParam);
    } else if (message == WM_UNINSTALL_FINISHED) {
        OnFinished();
    }
}

void ZPage3::OnProgress(WPARAM wParam, LPARAM lParam) {
    DuiLib::IControlHost* manager = Manager();
    auto* bar =
        manager == nullptr
            ? nullptr
            : dynamic_cast<ZInstallProgressUI*>(manager->ControlByName(PageNames::kProgressBar));
    if (bar == nullptr) {
        return;
    }
    // The engine's counts are 32-bit numbers carried in the message parameters.
    const auto done = static_cast<int32_t>(wParam);
    const auto total = static_cast<int32_t>(lParam);
    if (const std::optional<int> width = ProgressFillWidth(done, total)) {
        bar->SetFilledWidth(*width);
    }
    auto* line = dynamic_cast<DuiLib::CLabelUI*>(FindDescendant(this, PageNames::kProgressLabel));
    const std::optional<int64_t> percent = ProgressPercent(done, total);
    // Without a total there is no percentage to show: the line keeps its text.
    if (line == nullptr || !percent) {
        return;
    }
    line->SetTextColor(kProgressLineColour);
    line->SetText(ProgressLineText(Translate(L"已完成(@)了，请稍等一下下哦^_^"), *percent));
}

void ZPage3::SetChildVisible(const wchar_t* name, bool visible) {
    if (DuiLib::CControlUI* control = FindDescendant(this, name)) {
        control->SetVisible(visible);
    }
}

void ZPage3::OnFinished() {
    SetChildVisible(PageNames::kProgressLabel, false);
    SetChildVisible(PageNames::kStatusLabel, false);
    SetChildVisible(PageNames::kProgressBar, false);
    SetChildVisible(PageNames::kFinishLabel, true);
    if (DuiLib::CControlUI* line = FindDescendant(this, PageNames::kLeftoversLabel)) {
        const ZUninstallObj& engine = UninstallEngine();
        line->SetText(FinishLineFor(OutcomeAsTheRunEnds(engine.InstallPath(), engine.Outcome())));
    }
    if (DuiLib::CControlUI* finish = FindDescendant(this, PageNames::kFinishButton)) {
        finish->SetVisible(true);
        finish->TakeFocus();
    }
}

// The engine's last pass once more: a program that held a file may have ended meanwhile.
void ZPage3::FinishAndExit() {
    ZUninstallObj& engine = UninstallEngine();
    engine.SweepLeftovers();
    FinishRemovalAndExit(engine.InstallPath(), engine.Outcome(), engine.LogSink());
}

void ZPage3::FinishAndExit(const std::wstring& installPath) {
    FinishRemovalAndExit(installPath, UninstallOutcome(), nullptr);
}
