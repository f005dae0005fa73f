#include "ManagedWindow.h"

namespace test {

namespace {

constexpr wchar_t kClassName[] = L"ManagerTestWindow";

}  // namespace

ManagedWindow::ManagedWindow(int width, int height) {
    WNDCLASSW windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    // A second registration fails harmlessly: the class is the same for every window.
    ::RegisterClassW(&windowClass);
    window_ = ::CreateWindowExW(0, kClassName, L"", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                windowClass.hInstance, this);
    manager_.AttachWindow(window_);
    ::ShowWindow(window_, SW_SHOWNOACTIVATE);
}

ManagedWindow::~ManagedWindow() {
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
    Pump();
}

void ManagedWindow::Repaint() {
    ::InvalidateRect(window_, nullptr, FALSE);
    ::UpdateWindow(window_);
}

void ManagedWindow::Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

LRESULT CALLBACK ManagedWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ManagedWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (self != nullptr && self->window_ == window &&
        self->manager_.HandleMessage(message, wParam, lParam, result)) {
        return result;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void RecordingControl::HandleEvent(DuiLib::UIEvent& event) {
    events.push_back({event.kind, event.sender, event.mouse, event.wParam, event.lParam});
    switch (event.kind) {
        case DuiLib::kEventSetFocus:
        case DuiLib::kEventKillFocus:
        case DuiLib::kEventTimer:
        case DuiLib::kEventContextMenu:
            DuiLib::CControlUI::HandleEvent(event);
            break;
        default:
            break;
    }
}

std::vector<int> RecordingControl::Kinds() const {
    std::vector<int> kinds;
    for (const ReceivedEvent& event : events) {
        kinds.push_back(event.kind);
    }
    return kinds;
}

int RecordingControl::Count(int kind) const {
    int count = 0;
    for (const ReceivedEvent& event : events) {
        count += event.kind == kind ? 1 : 0;
    }
    return count;
}

const ReceivedEvent* RecordingControl::Last(int kind) const {
    for (auto it = events.rbegin(); it != events.rend(); ++it) {
        if (it->kind == kind) {
            return &*it;
        }
    }
    return nullptr;
}

int RecordingNotifier::Count(const std::wstring& type) const {
    int count = 0;
    for (const DuiLib::UINotify& notification : seen) {
        count += notification.type == type ? 1 : 0;
    }
    return count;
}

}  // namespace test
