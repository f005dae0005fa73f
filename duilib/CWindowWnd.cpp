#include "CWindowWnd.h"

#include "CUIManager.h"
#include "ResourceSettings.h"
#include "WindowGeometry.h"

namespace DuiLib {

namespace {

constexpr wchar_t kObjectProperty[] = L"WndX";

bool RegisteredOrExisting(ATOM atom) {
    return atom != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

CWindowWnd::~CWindowWnd() {
    if (window_ != nullptr) {
        ::DestroyWindow(window_);
    }
}

HWND CWindowWnd::Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle, int x, int y,
                        int width, int height, HMENU menu) {
    const bool registered =
        SuperClassName() != nullptr ? RegisterSuperclass() : RegisterWindowClass();
    if (!registered) {
        return nullptr;
    }
    // The handle is stored by the window procedure at WM_NCCREATE, so that messages sent during
    // creation already reach the object.
    ::CreateWindowExW(exStyle, WindowClassName(), name, style, x, y, width, height, parent, menu,
                      ModuleInstance(), this);
    return window_;
}

HWND CWindowWnd::Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle,
                        const RECT& rect, HMENU menu) {
    return Create(parent, name, style, exStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, menu);
}

bool CWindowWnd::RegisterWindowClass() {
    WNDCLASSW wc = {};
    wc.style = ClassStyle();
    wc.lpfnWndProc = &CWindowWnd::WindowProc;
    wc.hInstance = ModuleInstance();
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = WindowClassName();
    return RegisteredOrExisting(::RegisterClassW(&wc));
}

bool CWindowWnd::RegisterSuperclass() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExW(nullptr, SuperClassName(), &wc) &&
        !::GetClassInfoExW(ModuleInstance(), SuperClassName(), &wc)) {
        return false;
    }
    previousProc_ = wc.lpfnWndProc;
    wc.lpfnWndProc = &CWindowWnd::ControlProc;
    wc.hInstance = ModuleInstance();
    wc.lpszClassName = WindowClassName();
    return RegisteredOrExisting(::RegisterClassExW(&wc));
}

LRESULT CALLBACK CWindowWnd::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWindowWnd* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<CWindowWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<CWindowWnd*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_NCDESTROY && self != nullptr) {
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        }
    }
    return Route(self, window, message, wParam, lParam);
}

LRESULT CALLBACK CWindowWnd::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWindowWnd* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<CWindowWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        ::SetPropW(window, kObjectProperty, self);
    } else {
        self = static_cast<CWindowWnd*>(::GetPropW(window, kObjectProperty));
        if (message == WM_NCDESTROY && self != nullptr) {
            ::RemovePropW(window, kObjectProperty);
        }
    }
    return Route(self, window, message, wParam, lParam);
}

LRESULT CWindowWnd::Route(CWindowWnd* self, HWND window, UINT message, WPARAM wParam,
                          LPARAM lParam) {
    if (self == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        const LRESULT result =
            ::CallWindowProcW(self->previousProc_, window, message, wParam, lParam);
        self->window_ = nullptr;
        // The object may delete itself here.
        self->OnWindowGone(window);
        return result;
    }
    return self->HandleMessage(message, wParam, lParam);
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus) {
    if (window_ != nullptr) {
        ::ShowWindow(window_, show ? (takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
    }
}

UINT CWindowWnd::RunModal() {
    const HWND window = window_;
    const HWND owner = ::GetWindow(window, GW_OWNER);
    ShowWindow();
    if (owner != nullptr) {
        ::EnableWindow(owner, FALSE);
    }
    UINT result = 0;
    MSG msg = {};
    bool quit = false;
    while (::IsWindow(window)) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            break;
        }
        if (got == -1) {
            break;
        }
        if (msg.hwnd == window && msg.message == WM_CLOSE) {
            result = static_cast<UINT>(msg.wParam);
            // The owner is usable again before this window goes, so activation returns to it.
            if (owner != nullptr) {
                ::EnableWindow(owner, TRUE);
                ::SetFocus(owner);
            }
        }
        const bool handled = CUIManager::PreTranslate(&msg);
        if (!handled || (dispatchFiltered_ && DispatchAnyway(msg.message))) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (owner != nullptr) {
        ::EnableWindow(owner, TRUE);
        ::SetFocus(owner);
    }
    if (quit) {
        // The quit message belongs to the loop outside this one.
        ::PostQuitMessage(static_cast<int>(msg.wParam));
    }
    return result;
}

void CWindowWnd::Close(UINT result) {
    if (window_ != nullptr) {
        ::PostMessageW(window_, WM_CLOSE, result, 0);
    }
}

void CWindowWnd::CenterOnOwner() {
    if (window_ == nullptr) {
        return;
    }
    RECT windowRect = {};
    ::GetWindowRect(window_, &windowRect);
    const HWND owner = ::GetWindow(window_, GW_OWNER);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(
        ::MonitorFromWindow(owner != nullptr ? owner : window_, MONITOR_DEFAULTTONEAREST),
        &monitor);
    RECT area = monitor.rcWork;
    if (owner != nullptr) {
        ::GetWindowRect(owner, &area);
    }
    const SIZE size = {windowRect.right - windowRect.left, windowRect.bottom - windowRect.top};
    const POINT position = CenteredPosition(size, area, monitor.rcWork);
    ::SetWindowPos(window_, nullptr, position.x, position.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::SetIcon(UINT resourceId) {
    const struct {
        WPARAM which;
        int width;
        int height;
    } kIcons[] = {
        {ICON_BIG, ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)},
        {ICON_SMALL, ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON)},
    };
    for (const auto& icon : kIcons) {
        // Shared icons belong to the system, which frees them with the module.
        const HANDLE handle = ::LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(resourceId),
                                           IMAGE_ICON, icon.width, icon.height, LR_SHARED);
        ::SendMessageW(window_, WM_SETICON, icon.which, reinterpret_cast<LPARAM>(handle));
    }
}

LRESULT CWindowWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(window_, message, wParam, lParam);
}

BOOL CWindowWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageW(window_, message, wParam, lParam);
}

const wchar_t* CWindowWnd::SuperClassName() const {
    return nullptr;
}

UINT CWindowWnd::ClassStyle() const {
    return 0;
}

LRESULT CWindowWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallPreviousProc(message, wParam, lParam);
}

void CWindowWnd::OnWindowGone(HWND /*window*/) {}

void CWindowWnd::SetDispatchFiltered(bool dispatch) {
    dispatchFiltered_ = dispatch;
}

bool CWindowWnd::DispatchAnyway(UINT /*message*/) {
    return true;
}

LRESULT CWindowWnd::CallPreviousProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(previousProc_, window_, message, wParam, lParam);
}

}  // namespace DuiLib
