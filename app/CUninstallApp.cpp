#include "CUninstallApp.h"

#include "AppConfig.h"
#include "Localization.h"
#include "MainFrameRules.h"
#include "Relaunch.h"
#include "ResourceSettings.h"
#include "ScopedComInit.h"
#include "SystemLibrary.h"
#include "ZMainFrame.h"

#include <commctrl.h>

bool CUninstallApp::InitInstance() {
    InitCommonControls();
    LoadAppConfig(instance_);
    LoadLanguage(instance_);
    RelaunchFromTemp();
    RunMainWindow();
    return false;
}

void CUninstallApp::RunMainWindow() {
    DuiLib::SetModuleInstance(instance_);
    const ScopedComInit com(COINIT_APARTMENTTHREADED);
    if (!com.Succeeded()) {
        return;
    }
    ZMainFrame frame;
    // The frame makes itself a fixed-size pop-up while it is created.
    constexpr DWORD kCreatedStyle = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    if (frame.Create(nullptr, MainWindowTitle(GetDisplayName()).c_str(), kCreatedStyle,
                     WS_EX_WINDOWEDGE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                     CW_USEDEFAULT) == nullptr) {
        return;
    }
    frame.CenterOnOwner();
    frame.RunModal();
    // A quit message ends the modal run with the window still there; it must not outlive the
    // object that handles its messages.
    if (::IsWindow(frame.GetHWND())) {
        ::DestroyWindow(frame.GetHWND());
    }
}

void CUninstallApp::InitCommonControls() {
    // The common controls library isn't one of the system's known DLLs, so it is loaded from the
    // system folder at run time rather than imported.
    commonControls_ = LoadSystemLibrary(L"comctl32.dll");
    using InitCommonControlsExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto initCommonControlsEx = reinterpret_cast<InitCommonControlsExFn>(
        reinterpret_cast<void*>(::GetProcAddress(commonControls_.Get(), "InitCommonControlsEx")));
    if (initCommonControlsEx != nullptr) {
        const INITCOMMONCONTROLSEX classes = {sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
        initCommonControlsEx(&classes);
    }
}
