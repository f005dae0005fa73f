#include "SpecialFolders.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "UniqueHandle.h"

#include <vector>

bool GetSpecialFolder(int csidl, const wchar_t* suffix, std::wstring& path) {
    ScopedCoTaskMemory<ITEMIDLIST> items;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, items.Receive()))) {
        return false;
    }
    wchar_t buffer[MAX_PATH] = {};
    // A failed conversion leaves path alone: a bare suffix would name a folder at the root of
    // the current drive.
    if (!::SHGetPathFromIDListW(items.Get(), buffer)) {
        return false;
    }
    path = buffer;
    path += suffix;
    return true;
}

bool GetDesktopFolder(std::wstring& path) {
    return GetSpecialFolder(CSIDL_DESKTOP, L"", path);
}

bool GetCommonProgramsFolder(std::wstring& path) {
    return GetSpecialFolder(CSIDL_COMMON_PROGRAMS, L"", path);
}

bool GetQuickLaunchFolder(std::wstring& path) {
    return GetSpecialFolder(CSIDL_APPDATA, L"\\Microsoft\\Internet Explorer\\Quick Launch", path);
}

std::wstring GetWindowsFolder() {
    const UINT length = ::GetWindowsDirectoryW(nullptr, 0);
    if (length == 0) {
        return std::wstring();
    }
    std::vector<wchar_t> buffer(length);
    const UINT copied = ::GetWindowsDirectoryW(buffer.data(), length);
    return copied > 0 && copied < length ? std::wstring(buffer.data(), copied) : std::wstring();
}
