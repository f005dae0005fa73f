#include "MessageWindow.h"

namespace test {

namespace {

constexpr wchar_t kClassName[] = L"UninstallerTestMessageWindow";

}  // namespace

MessageWindow::MessageWindow(Handler handler) : handler_(std::move(handler)) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    // A second registration fails harmlessly: the class is the same for every window.
    ::RegisterClassW(&windowClass);
    window_ = ::CreateWindowExW(0, kClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                windowClass.hInstance, this);
}

MessageWindow::~MessageWindow() {
    if (window_ != nullptr) {
        ::DestroyWindow(window_);
    }
}

LRESULT CALLBACK MessageWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<MessageWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && self->handler_ && self->handler_(message, wParam, lParam)) {
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace test
