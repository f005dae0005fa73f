#include "SpecialFolders.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

// The path straight from the shell's folder table: a round trip through an item list would parse
// the path back into shell items, which costs several milliseconds per folder, and the removal's
// path check looks up some thirty folders. Like the item-list lookup, it fails for a folder that
// doesn't exist.
bool GetSpecialFolder(int csidl, const wchar_t* suffix, std::wstring& path) {
    wchar_t buffer[MAX_PATH] = {};
    // A failed lookup leaves path alone: a bare suffix would name a folder at the root of the
    // current drive.
    if (::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK ||
        buffer[0] == L'\0') {
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
