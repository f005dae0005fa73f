// A stand-in for a system library, planted beside a program under test. When it is loaded it
// leaves a marker file beside itself: "<its own path>.loaded".
#include "UniqueHandle.h"

#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH] = {};
        const DWORD length = ::GetModuleFileNameW(instance, path, MAX_PATH);
        const std::wstring marker = std::wstring(path, length) + L".loaded";
        ScopedFileHandle(::CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    return TRUE;
}
