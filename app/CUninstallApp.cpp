#include "CUninstallApp.h"

#include "AppConfig.h"
#include "Localization.h"
#include "Relaunch.h"
#include "SystemLibrary.h"

#include <commctrl.h>

bool CUninstallApp::InitInstance() {
    InitCommonControls();
    LoadAppConfig(instance_);
    LoadLanguage(instance_);
    RelaunchFromTemp();
    return false;
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
