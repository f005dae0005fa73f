// Shows the three pages (the progress page twice: during and after the removal) one below the
// other on the skin's dark background, with the image shadow around the window, for a given
// number of seconds: a picture of every page for a person to look at. The language is the one
// the program would pick (Wine takes it from LANG).
#include "CShadowWindow.h"
#include "CEditUI.h"
#include "Localization.h"
#include "PageHost.h"
#include "PageNames.h"
#include "PlatformImage.h"
#include "TestSkin.h"
#include "UninstallMessages.h"
#include "ZPage1.h"
#include "ZPage2.h"
#include "ZPage3.h"
#include "ZVerticalBox.h"

#include <cstdlib>
#include <memory>

namespace {

constexpr int kGap = 12;
constexpr int kPageHeight = 156;
constexpr int kPageCount = 4;

// A page in a white page area, as in the main window.
std::unique_ptr<DuiLib::CControlUI> PageArea(std::unique_ptr<DuiLib::CControlUI> page) {
    auto area = std::make_unique<DuiLib::CContainerUI>();
    area->SetFixedHeight(kPageHeight);
    area->SetBkColor(0xFFFFFFFF);
    area->Add(std::move(page));
    return area;
}

std::unique_ptr<DuiLib::CControlUI> Gap() {
    auto gap = std::make_unique<DuiLib::CControlUI>();
    gap->SetFixedHeight(kGap);
    return gap;
}

// A light window over the whole screen behind the gallery, so that the shadow shows.
HWND ShowBackdrop() {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = L"PageGalleryBackdrop";
    ::RegisterClassExW(&windowClass);
    HWND backdrop =
        ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0,
                          ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr,
                          nullptr, windowClass.hInstance, nullptr);
    ::UpdateWindow(backdrop);
    return backdrop;
}

void CALLBACK EndGallery(HWND, UINT, UINT_PTR, DWORD) {
    ::PostQuitMessage(0);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
    LoadLanguage(::GetModuleHandleW(nullptr));
    test::UseProgramSkinArchive();
    const HWND backdrop = ShowBackdrop();

    auto gallery = std::make_unique<ZVerticalBox>();
    gallery->SetBkImage(L"bg.png");
    gallery->ApplyAttribute(L"inset", L"2,0,2,0");
    auto duringPage = std::make_unique<ZPage3>();
    auto afterPage = std::make_unique<ZPage3>();
    ZPage3* during = duringPage.get();
    ZPage3* after = afterPage.get();
    std::unique_ptr<DuiLib::CControlUI> pages[] = {
        std::make_unique<ZPage1>(), std::make_unique<ZPage2>(), std::move(afterPage)};
    for (std::unique_ptr<DuiLib::CControlUI>& page : pages) {
        gallery->Add(Gap());
        gallery->Add(PageArea(std::move(page)));
    }
    ZVerticalBox* column = gallery.get();
    test::PageHost host(std::move(gallery), 600, kPageCount * (kGap + kPageHeight) + kGap);
    ::SetWindowPos(host.Window(), nullptr, 60, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    // The progress page finds its bar by name, and the control that joins a window last owns a
    // name: the page shown during the removal joins after the finished one, in the place before it.
    column->InsertAt(Gap().release(), 4);
    column->InsertAt(PageArea(std::move(duringPage)).release(), 5);

    host.Control(PageNames::kLocationEdit)->SetText(L"C:\\Program Files\\QuorvelTablet");
    during->OnUninstallMessage(WM_UNINSTALL_PROGRESS, 3, 7);
    after->OnUninstallMessage(WM_UNINSTALL_FINISHED, 0, 0);

    CShadowWindow::Initialize(::GetModuleHandleW(nullptr));
    CShadowWindow shadow;
    shadow.SetImage(DuiLib::LoadPlatformImage(L"shadow_bk.png"));
    shadow.SetSize(27);
    shadow.SetXOffset(0);
    shadow.SetYOffset(0);
    shadow.Create(host.Window());
    host.Layout();

    ::SetTimer(host.Window(), 1, seconds * 1000, &EndGallery);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    ::DestroyWindow(backdrop);
    return 0;
}
