#include "ZMainFrame.h"

#include "AppConfig.h"
#include "CButtonUI.h"
#include "CRunExitCode.h"
#include "CLabelUI.h"
#include "CTabLayoutUI.h"
#include "MainFrameNames.h"
#include "MainFrameRules.h"
#include "PageControls.h"
#include "PageNames.h"
#include "PlatformImage.h"
#include "ResourceSettings.h"
#include "RunningAppShutdown.h"
#include "UninstallEngine.h"
#include "UninstallMessages.h"
#include "ZHorizontalBox.h"
#include "ZPage1.h"
#include "ZPage2.h"
#include "ZPage3.h"
#include "ZVerticalBox.h"
#include "resource.h"

#include <memory>
#include <string>

using namespace DuiLib;

namespace {

constexpr int kFrameWidth = 600;
constexpr int kFrameHeight = 400;
constexpr wchar_t kFontFace[] = L"微软雅黑";
constexpr int kFontCount = 9;
constexpr int kSmallestFontSize = 14;
constexpr int kTitleFont = 7;
constexpr wchar_t kShadowImage[] = L"shadow_bk.png";
constexpr int kShadowSize = 27;
// The one-shot timer that attaches the shadow once the first paint is on the screen; above the
// manager's timer numbers (below 255).
constexpr UINT_PTR kShadowTimerId = 0x5348;

template <typename T>
std::unique_ptr<T> Named(const wchar_t* name) {
    auto control = std::make_unique<T>();
    control->SetName(name);
    return control;
}

}  // namespace

ZMainFrame::ZMainFrame() = default;

ZMainFrame::~ZMainFrame() = default;

const wchar_t* ZMainFrame::WindowClassName() const {
    return L"ZMainFrame";
}

std::wstring ZMainFrame::SkinFolder() {
    return std::wstring();
}

std::wstring ZMainFrame::SkinFile() {
    return std::wstring();
}

SkinResourceType ZMainFrame::ResourceType() const {
    return SkinResourceType::kZipResource;
}

std::wstring ZMainFrame::SkinResourceId() const {
    return std::to_wstring(IDR_SKIN_ARCHIVE);
}

LRESULT ZMainFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreateFrame();
            return 0;
        case WM_PAINT:
            return OnPaintFrame(wParam, lParam);
        case WM_TIMER:
            if (wParam == kShadowTimerId) {
                ::KillTimer(GetHWND(), kShadowTimerId);
                AttachShadow();
                return 0;
            }
            break;
        case WM_CLOSE:
            // Alt+F4, the system menu or another program: once the removal runs, the window (and
            // everything the worker writes to) stays until the removal has ended.
            if (removalStarted_) {
                RequestClose();
                return 0;
            }
            break;
        case WM_SYSCOMMAND:
            // The window has one size.
            if ((wParam & 0xFFF0) == SC_MAXIMIZE) {
                return 0;
            }
            break;
        case WM_UNINSTALL_PROGRESS:
        case WM_UNINSTALL_FINISHED:
            if (message == WM_UNINSTALL_FINISHED) {
                CRunExitCode::Instance().ReportRemovalFinished(UninstallEngine().Outcome());
            }
            // Even while another page shows, the progress page keeps count.
            if (auto* progressPage =
                    dynamic_cast<ZPage3*>(manager_.ControlByName(FrameNames::kProgressPage))) {
                progressPage->OnUninstallMessage(message, wParam, lParam);
            }
            if (message == WM_UNINSTALL_FINISHED) {
                removalFinished_ = true;
                if (closeAsked_) {
                    ZPage3::FinishAndExit();
                }
            }
            return 0;
        case WM_KEYDOWN:
            switch (ActionForKey(CurrentPage(), wParam)) {
                case FrameKeyAction::kShowLocationPage:
                    SelectPage(kLocationPage);
                    break;
                case FrameKeyAction::kQuit:
                    RequestClose();
                    break;
                case FrameKeyAction::kNone:
                    break;
            }
            break;
        default:
            break;
    }
    LRESULT result = 0;
    if (manager_.HandleMessage(message, wParam, lParam, result)) {
        return result;
    }
    return WindowImplBase::HandleMessage(message, wParam, lParam);
}

void ZMainFrame::OnCreateFrame() {
    const HWND window = GetHWND();
    ::SetWindowLongW(window, GWL_STYLE, MainFramePopupStyle(::GetWindowLongW(window, GWL_STYLE)));
    manager_.AttachWindow(window);
    // Without the archive the window shows without images; everything else works.
    SelectSkinResources();
    ApplyWindowSettings();
    manager_.AttachRoot(BuildControlTree());
    manager_.AddNotifyTarget(this);
    OnWindowCreated();
}

void ZMainFrame::ApplyWindowSettings() {
    // The caption band covers the whole height: the window drags from anywhere but its buttons.
    manager_.SetCaptionArea({0, 0, 0, kFrameHeight});
    manager_.SetInitialSize(kFrameWidth, kFrameHeight);
    manager_.SetMinTrackSize(kFrameWidth, kFrameHeight);
    manager_.SetMaxTrackSize(kFrameWidth, kFrameHeight);
    for (int index = 0; index < kFontCount; ++index) {
        manager_.CreateFontEntry(kFontFace, kSmallestFontSize + index, kFontRegular);
    }
}

std::unique_ptr<CControlUI> ZMainFrame::BuildControlTree() {
    auto root = std::make_unique<ZVerticalBox>();
    root->ApplyAttribute(L"bkimage", L"bg.png");
    root->ApplyAttribute(L"inset", L"1,1,1,1");
    root->ApplyAttribute(L"bordersize", L"1");
    root->ApplyAttribute(L"bordercolor", L"#FF232323");

    auto titleRow = std::make_unique<ZHorizontalBox>();
    titleRow->SetFixedHeight(30);
    titleRow->Add(MakeSpacer(0, 0));
    auto closeButton = Named<CButtonUI>(FrameNames::kCloseButton);
    closeButton->SetFixedWidth(20);
    closeButton->SetFixedHeight(20);
    closeButton->ApplyAttribute(L"padding", L"0,5,0,0");
    closeButton->ApplyAttribute(L"normalimage", L"file='close.png' source='0,0,20,20'");
    closeButton->ApplyAttribute(L"hotimage", L"file='close.png' source='0,20,20,40'");
    closeButton->ApplyAttribute(L"pushedimage", L"file='close.png' source='0,20,20,40'");
    titleRow->Add(std::move(closeButton));
    titleRow->Add(MakeSpacer(10, 0));
    root->Add(std::move(titleRow));

    root->Add(MakeSpacer(0, 130));

    auto labelRow = std::make_unique<ZHorizontalBox>();
    labelRow->SetFixedHeight(30);
    auto titleLabel = std::make_unique<CLabelUI>();
    titleLabel->SetFont(kTitleFont);
    titleLabel->SetTextColor(0xFFFFF8BB);
    titleLabel->SetTextStyle(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    labelRow->Add(std::move(titleLabel));
    root->Add(std::move(labelRow));

    root->Add(MakeSpacer(0, 50));

    auto pages = Named<CTabLayoutUI>(FrameNames::kPages);
    pages->ApplyAttribute(L"inset", L"1,1,1,1");
    pages->ApplyAttribute(L"bkcolor", L"#FFFFFFFF");
    pages->Add(Named<ZPage1>(FrameNames::kConfirmPage));
    pages->Add(Named<ZPage2>(FrameNames::kLocationPage));
    pages->Add(Named<ZPage3>(FrameNames::kProgressPage));
    root->Add(std::move(pages));
    return root;
}

// The shadow is decoration around the window: its picture (scaled by the platform's image library,
// which has to be loaded and started first) waits until the window itself has been painted. A
// timer message comes only once the queue is empty, after the painted window reached the screen.
LRESULT ZMainFrame::OnPaintFrame(WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!manager_.HandleMessage(WM_PAINT, wParam, lParam, result)) {
        result = WindowImplBase::HandleMessage(WM_PAINT, wParam, lParam);
    }
    if (!shadowScheduled_) {
        shadowScheduled_ = ::SetTimer(GetHWND(), kShadowTimerId, USER_TIMER_MINIMUM, nullptr) != 0;
    }
    return result;
}

void ZMainFrame::OnWindowCreated() {
    SetIcon(IDI_MAIN_ICON);

    ReadInstalledProduct(GetProjectName(), record_);
    // Only the product this uninstaller was made for is removed; the name must match exactly. A
    // missing entry never matches, not even a configuration without a display name.
    if (record_.displayName.empty() || record_.displayName != GetDisplayName()) {
        CRunExitCode::Instance().ReportNotInstalled();
        PostQuit();
    }
    if (CControlUI* location = manager_.ControlByName(PageNames::kLocationEdit)) {
        location->SetText(record_.installPath);
    }
}

void ZMainFrame::AttachShadow() {
    CShadowWindow::Initialize(ModuleInstance());
    if (std::unique_ptr<PlatformImage> image = LoadPlatformImage(kShadowImage)) {
        shadow_.SetImage(std::move(image));
        shadow_.SetSize(kShadowSize);
        shadow_.SetXOffset(0);
        shadow_.SetYOffset(0);
        if (shadow_.IsVisible()) {
            shadow_.Update(GetHWND());
        }
    }
    shadow_.Create(GetHWND());
}

void ZMainFrame::Notify(UINotify& notification) {
    if (notification.type == NotifyType::kClick) {
        const std::wstring sender =
            notification.sender != nullptr ? notification.sender->GetName() : std::wstring();
        switch (ActionForClick(sender)) {
            case FrameClickAction::kQuit:
                RequestClose();
                break;
            case FrameClickAction::kShowLocationPage:
                SelectPage(kLocationPage);
                break;
            case FrameClickAction::kBeginUninstall:
                BeginUninstall();
                break;
            case FrameClickAction::kNone:
                break;
        }
        return;
    }
    if (::CompareStringOrdinal(notification.type.c_str(), -1, NotifyType::kSelectChanged, -1,
                               TRUE) == CSTR_EQUAL) {
        return;
    }
    WindowImplBase::Notify(notification);
}

void ZMainFrame::SelectPage(int page) {
    if (auto* pages = dynamic_cast<CTabLayoutUI*>(manager_.ControlByName(FrameNames::kPages))) {
        pages->Select(page);
    }
}

int ZMainFrame::CurrentPage() const {
    auto* pages = dynamic_cast<CTabLayoutUI*>(manager_.ControlByName(FrameNames::kPages));
    return pages != nullptr ? pages->Selection() : -1;
}

void ZMainFrame::BeginUninstall() {
    auto* pages = dynamic_cast<CTabLayoutUI*>(manager_.ControlByName(FrameNames::kPages));
    if (pages == nullptr) {
        return;
    }
    pages->Select(kProgressPage);
    removalStarted_ = true;
    CRunExitCode::Instance().ReportRemovalStarted();
    CloseRunningApp(UninstallSettingsFromConfig());
    UninstallEngine().StartUninstall(GetDisplayName(), GetHWND());
}

// Before the removal, closing leaves everything installed. During it the close waits for the
// removal's end; afterwards it finishes as the finish button does.
void ZMainFrame::RequestClose() {
    if (!removalStarted_) {
        PostQuit();
    } else if (removalFinished_) {
        ZPage3::FinishAndExit();
    } else {
        closeAsked_ = true;
    }
}

// The modal loop ends on the quit message; the main window run then destroys the frame.
void ZMainFrame::PostQuit() {
    ::PostQuitMessage(0);
}

LRESULT ZMainFrame::NonClientHitTest(UINT, WPARAM, LPARAM lParam, bool&) {
    return HitTestWith(manager_, lParam);
}
