#include "PageHost.h"

#include "CContainerUI.h"
#include "UniqueHandle.h"
#include "Localization.h"
#include "PathUtil.h"

#include <gtest/gtest.h>

#include <fstream>

namespace test {

namespace {

constexpr wchar_t kHostClassName[] = L"UiTestPageHost";

void RegisterHostClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kHostClassName;
        return ::RegisterClassExW(&windowClass) != 0;
    }();
    EXPECT_TRUE(registered);
}

void WriteTextFile(const std::wstring& path, const std::string& text) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out << text;
}

// Writes Lang.cfg (and Lang.json when given) beside the program, loads the language through the
// program's own path and removes the files again.
void LoadLanguageFromFiles(HMODULE dictionaryModule, const std::wstring& language,
                           const std::string* dictionary) {
    const std::wstring folder = GetModuleFolder();
    const std::wstring config = folder + L"\\Lang.cfg";
    const std::wstring dictionaryFile = folder + L"\\Lang.json";
    std::string name;
    for (wchar_t ch : language) {
        name += static_cast<char>(ch);
    }
    WriteTextFile(config, "{\"LangType\": \"" + name + "\"}");
    if (dictionary != nullptr) {
        WriteTextFile(dictionaryFile, *dictionary);
    }
    EXPECT_TRUE(LoadLanguage(dictionaryModule));
    ::DeleteFileW(config.c_str());
    if (dictionary != nullptr) {
        ::DeleteFileW(dictionaryFile.c_str());
    }
    ASSERT_EQ(CurrentLanguage(), language);
}

}  // namespace

PageHost::PageHost(std::unique_ptr<DuiLib::CControlUI> page, int width, int height) {
    RegisterHostClass();
    window_ = ::CreateWindowExW(0, kHostClassName, L"page", WS_POPUP, 0, 0, width, height, nullptr,
                                nullptr, ::GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(window_, nullptr);
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
    manager_.AttachWindow(window_);
    AddProgramFonts(manager_);
    // The page sits in a container, as in the main window's page area: a control is initialised
    // (OnInit) when it joins a parent.
    auto area = std::make_unique<DuiLib::CContainerUI>();
    page_ = area->Add(std::move(page));
    manager_.AttachRoot(std::move(area));
    ::ShowWindow(window_, SW_SHOWNOACTIVATE);
    Layout();
}

PageHost::~PageHost() {
    ::DestroyWindow(window_);
}

LRESULT CALLBACK PageHost::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = reinterpret_cast<PageHost*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (host != nullptr && host->manager_.HandleMessage(message, wParam, lParam, result)) {
        return result;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void PageHost::Layout() {
    ::InvalidateRect(window_, nullptr, FALSE);
    ::UpdateWindow(window_);
}

void PageHost::Pump() {
    MSG message;
    while (::PeekMessageW(&message, window_, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

DuiLib::CControlUI* PageHost::Control(const std::wstring& name) const {
    DuiLib::CControlUI* control = manager_.ControlByName(name);
    EXPECT_NE(control, nullptr) << "no control named this";
    return control;
}

RECT PageHost::PageRect(const std::wstring& name) const {
    const RECT page = page_->Bounds();
    RECT rect = Control(name)->Bounds();
    ::OffsetRect(&rect, -page.left, -page.top);
    return rect;
}

void AddProgramFonts(DuiLib::CUIManager& manager) {
    for (int index = 0; index < 9; ++index) {
        manager.CreateFontEntry(L"微软雅黑", 14 + index, DuiLib::kFontRegular);
    }
}

int TextWidth(DuiLib::CUIManager& manager, int fontIndex, const std::wstring& text) {
    ScopedMemoryDC dc(::CreateCompatibleDC(nullptr));
    ScopedSelectObject font(dc.Get(), manager.FontAt(fontIndex));
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void UseLanguage(const std::wstring& language) {
    LoadLanguageFromFiles(::GetModuleHandleW(nullptr), language, nullptr);
}

void UseLanguageWithDictionary(const std::wstring& language, const std::string& dictionary) {
    // A module without the dictionary resource makes the program read Lang.json.
    LoadLanguageFromFiles(::GetModuleHandleW(L"kernel32.dll"), language, &dictionary);
}

}  // namespace test
