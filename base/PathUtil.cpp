#include "PathUtil.h"

#include "TextConvert.h"

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
    return WithoutTrailingSeparators(std::wstring_view(buffer, length));
}

std::wstring WithoutTrailingSeparators(std::wstring_view path) {
    const bool driveRoot = path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
    const std::size_t keep = driveRoot ? 3 : 0;
    while (path.size() > keep && path.back() == L'\\') {
        path.remove_suffix(1);
    }
    return std::wstring(path);
}

bool IsPlainFileName(std::wstring_view name) {
    if (name.empty() || name.back() == L'.' || name.back() == L' ') {
        return false;
    }
    for (const wchar_t c : name) {
        if (c < 32 || std::wstring_view(L"\\/<>:\"|?*").find(c) != std::wstring_view::npos) {
            return false;
        }
    }
    return true;
}

bool IsAtOrBelow(std::wstring_view path, std::wstring_view folder) {
    if (folder.empty() || path.size() < folder.size() ||
        !EqualsIgnoringCase(path.substr(0, folder.size()), folder)) {
        return false;
    }
    return path.size() == folder.size() || folder.back() == L'\\' || path[folder.size()] == L'\\';
}

bool IsBelow(std::wstring_view path, std::wstring_view folder) {
    return path.size() > folder.size() && IsAtOrBelow(path, folder);
}
