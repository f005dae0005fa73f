#include "TestWindow.h"

namespace test {

TestWindow::TestWindow(TreeBuilder build) : build_(std::move(build)) {}

TestWindow::~TestWindow() {
    if (GetHWND() != nullptr) {
        keepOpenOnClose = false;
        ::DestroyWindow(GetHWND());
    }
}

HWND TestWindow::Open(int width, int height, HWND owner) {
    const HWND window =
        Create(owner, L"controls test", WS_POPUP, 0, 100, 100, width, height);
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
    const WPARAM buttons = message == WM_LBUTTONDOWN || message == WM_MOUSEMOVE ? MK_LBUTTON : 0;
    PostMessage(message, message == WM_MOUSEMOVE ? 0 : buttons, MAKELPARAM(point.x, point.y));
    Pump();
}

void TestWindow::Click(POINT point) {
    Mouse(WM_LBUTTONDOWN, point);
    Mouse(WM_LBUTTONUP, point);
}

void TestWindow::Key(HWND target, UINT virtualKey, wchar_t character) {
    ::PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
    if (character != 0) {
        ::PostMessageW(target, WM_CHAR, character, 1);
    }
    ::PostMessageW(target, WM_KEYUP, virtualKey, 0xC0000001);
    Pump();
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
    notifications.push_back({notification.type, notification.sender,
                             notification.sender != nullptr ? notification.sender->GetText()
                                                            : std::wstring()});
    WindowImplBase::Notify(notification);
}

DuiLib::CControlUI* TestWindow::CreateControl(std::wstring_view name) {
    skinFileAsked = name;
    return build_ ? build_().release() : nullptr;
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

LRESULT TestWindow::OnClose(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                            bool& handled) {
    ++closeMessages;
    handled = keepOpenOnClose;
    return 0;
}

POINT CentreOf(const DuiLib::CControlUI& control) {
    const RECT bounds = control.Bounds();
    return POINT{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
}

}  // namespace test
