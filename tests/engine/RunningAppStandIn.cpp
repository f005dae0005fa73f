// Stands in for the driver package's user program: a window marked with the given property that
// writes "WM_CLOSE" into a record file when asked to close. It keeps running, so that only a kill
// ends it, unless "closes" is given: then it ends with exit code 0 when asked to close.
// Usage: <program> <mark property name or -> <record file> [closes]
#include "UniqueHandle.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::wstring recordFile;
bool closesWhenAsked = false;

void AppendRecord(const char* text) {
    ScopedFileHandle file(::CreateFileW(recordFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
        DWORD written = 0;
        ::WriteFile(file.Get(), text, static_cast<DWORD>(lstrlenA(text)), &written, nullptr);
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        AppendRecord("WM_CLOSE\n");
        if (closesWhenAsked) {
            ::PostQuitMessage(0);
        }
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr || count < 3) {
        return 2;
    }
    const std::wstring markName = arguments[1];
    recordFile = arguments[2];
    closesWhenAsked = count > 3 && std::wstring(arguments[3]) == L"closes";
    ::LocalFree(arguments);

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"RunningAppStandIn";
    ::RegisterClassW(&windowClass);
    const HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"stand-in", WS_POPUP, 0, 0,
                                          10, 10, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) {
        return 3;
    }
    if (markName != L"-") {
        ::SetPropW(window, markName.c_str(), reinterpret_cast<HANDLE>(1));
    }
    AppendRecord("ready\n");

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&message);
    }
    return 0;
}
