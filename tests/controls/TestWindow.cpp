#include "TestWindow.h"

#include "ResourceSettings.h"

namespace test {

TestWindow::TestWindow(TreeBuilder build) : build_(std::move(build)) {
    // As the program does at start: classes and resources belong to the program's module.
    if (DuiLib::ModuleInstance() == nullptr) {
        DuiLib::SetModuleInstance(::GetModuleHandleW(nullptr));
    }
}

TestWindow::~TestWindow() = default;

HWND TestWindow::Open(int width, int height, HWND owner) {
    const HWND window = Create(owner, L"controls test", WS_POPUP, 0, 100, 100, width, height);
    if (window != nullptr) {
        ShowWindow(true, false);
        ::UpdateWindow(window);
        Pump();
    }
    return window;
}

void TestWindow::Pump() {
    MSG msg = {};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!DuiLib::CUIManager::PreTranslate(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void TestWindow::Mouse(UINT message, POINT point) {
    // Delivered as the system does: to the window holding the capture, else to the child window
    // under the point, in that window's coordinates.
    HWND target = ::GetCapture();
    if (target == nullptr) {
        target = ::ChildWindowFromPointEx(GetHWND(), point, CWP_SKIPINVISIBLE);
    }
    if (target == nullptr) {
        target = GetHWND();
    }
    ::MapWindowPoints(GetHWND(), target, &point, 1);
    const WPARAM buttons = message == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
    ::PostMessageW(target, message, buttons, MAKELPARAM(point.x, point.y));
    Pump();
}

void TestWindow::Click(POINT point) {
    Mouse(WM_LBUTTONDOWN, point);
    Mouse(WM_LBUTTONUP, point);
}

void TestWindow::Key(HWND target, UINT virtualKey) {
    const LPARAM scanCode = static_cast<LPARAM>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    ::PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | (scanCode << 16));
    ::PostMessageW(target, WM_KEYUP, virtualKey, 1 | (scanCode << 16) | 0xC0000000);
    Pump();
}

void TestWindow::Type(HWND target, const std::wstring& text) {
    for (wchar_t character : text) {
        ::PostMessageW(target, WM_CHAR, character, 1);
        Pump();
    }
}

std::vector<ReceivedNotification> TestWindow::Received(const std::wstring& type) const {
    std::vector<ReceivedNotification> found;
    for (const ReceivedNotification& notification : notifications) {
        if (notification.type == type) {
            found.push_back(notification);
        }
    }
    return found;
}

void TestWindow::Notify(DuiLib::UINotify& notification) {
    notifications.push_back(
        {notification.type, notification.sender,
         notification.sender != nullptr ? notification.sender->GetText() : std::wstring()});
    WindowImplBase::Notify(notification);
}

std::unique_ptr<DuiLib::CControlUI> TestWindow::CreateControl(std::wstring_view name) {
    skinFileAsked = name;
    return build_ ? build_() : nullptr;
}

const wchar_t* TestWindow::WindowClassName() const {
    return L"ControlsTestWindow";
}

std::wstring TestWindow::SkinFolder() {
    return L"skin";
}

std::wstring TestWindow::SkinFile() {
    return L"main.skin";
}

DuiLib::SkinResourceType TestWindow::ResourceType() const {
    return resourceType;
}

std::wstring TestWindow::ArchiveFileName() const {
    return archiveFile;
}

std::wstring TestWindow::SkinResourceId() const {
    return resourceId;
}

LRESULT TestWindow::OnClose(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, bool& handled) {
    ++closeMessages;
    handled = keepOpenOnClose;
    return 0;
}

POINT CentreOf(const DuiLib::CControlUI& control) {
    const RECT bounds = control.Bounds();
    return POINT{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
}

}  // namespace test
