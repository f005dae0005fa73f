#include "PathUtil.h"

#include <windows.h>

std::wstring GetModulePath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, length < MAX_PATH ? length : 0);
}

std::wstring GetModuleFolder() {
    return PathFolder(GetModulePath());
}

std::wstring PathFolder(std::wstring_view path) {
    const auto lastBackslash = path.rfind(L'\\');
    if (lastBackslash == std::wstring_view::npos) {
        return std::wstring();
    }
    return std::wstring(path.substr(0, lastBackslash));
}

std::wstring GetTempFolder() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH - 1, buffer);
    if (length == 0 || length >= MAX_PATH - 1) {
        return std::wstring();
    }
    std::wstring folder(buffer, length);
    if (!folder.empty() && folder.back() == L'\\') {
        folder.pop_back();
    }
    return folder;
}
