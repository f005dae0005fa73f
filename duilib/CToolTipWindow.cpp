#include "CToolTipWindow.h"

#include "LibraryFunction.h"
#include "ResourceSettings.h"
#include "SystemLibrary.h"

namespace DuiLib {

namespace {

// The tooltip class belongs to the common controls library, loaded from the system folder and
// prepared once per process when the first tooltip is made: loading it earlier would delay every
// window, and most never show a tooltip. Kept loaded for the rest of the process.
void PrepareCommonControlsOnce() {
    static const bool prepared = [] {
        using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        const auto init = LibraryFunction<InitFn>(LoadSystemLibrary(L"comctl32.dll").Release(),
                                                  "InitCommonControlsEx");
        if (init != nullptr) {
            INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
            init(&controls);
        }
        return true;
    }();
    (void)prepared;
}

}  // namespace

void CToolTipWindow::Show(HWND owner, const RECT& rect, const std::wstring& text, int maxWidth) {
    text_ = text;
    tool_ = {};
    tool_.cbSize = TTTOOLINFOW_V2_SIZE;
    tool_.uFlags = TTF_IDISHWND;
    tool_.hwnd = owner;
    tool_.uId = reinterpret_cast<UINT_PTR>(owner);
    tool_.hinst = ModuleInstance();
    tool_.lpszText = text_.data();
    tool_.rect = rect;
    if (!window_) {
        PrepareCommonControlsOnce();
        window_.Reset(::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr,
                                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                        ModuleInstance(), nullptr));
        if (!window_) {
            return;
        }
        ::SendMessageW(window_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool_));
    }
    ::SendMessageW(window_.Get(), TTM_SETMAXTIPWIDTH, 0, maxWidth);
    ::SendMessageW(window_.Get(), TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool_));
    ::SendMessageW(window_.Get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool_));
}

void CToolTipWindow::Hide() {
    if (window_) {
        ::SendMessageW(window_.Get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool_));
    }
}

DWORD CToolTipWindow::HoverTime(DWORD fallback) const {
    if (!window_) {
        return fallback;
    }
    return static_cast<DWORD>(::SendMessageW(window_.Get(), TTM_GETDELAYTIME, TTDT_INITIAL, 0));
}

}  // namespace DuiLib
