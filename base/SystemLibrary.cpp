#include "SystemLibrary.h"

#include <string>

namespace {

// Present from Windows 8, and on Windows 7 with its loader update.
using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);

}  // namespace

bool RestrictDllSearchToSystemFolder() {
    const auto setDefaultDllDirectories =
        reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    // Also takes the current folder out of the search of systems without the call.
    ::SetDllDirectoryW(L"");
    return setDefaultDllDirectories != nullptr &&
           setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
}

ScopedModule LoadSystemLibrary(const wchar_t* fileName) {
    // By bare name with the system-folder flag, so side-by-side assemblies (common controls 6)
    // still resolve; by full path where the flag isn't understood.
    ScopedModule module(::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (module || ::GetLastError() != ERROR_INVALID_PARAMETER) {
        return module;
    }
    wchar_t systemFolder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(systemFolder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return ScopedModule();
    }
    const std::wstring path = std::wstring(systemFolder, length) + L"\\" + fileName;
    return ScopedModule(::LoadLibraryExW(path.c_str(), nullptr, 0));
}
