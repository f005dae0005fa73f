#include "ShortcutCleanup.h"

#include "RegistryHelpers.h"
#include "SpecialFolders.h"
#include "UniqueHandle.h"

#include <windows.h>
#include <shellapi.h>

#include <string_view>

namespace {

constexpr wchar_t kUninstallListKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Length of the root part ("C:\" or "\\server\share\"), or 0 when path has no such root.
std::size_t RootLength(std::wstring_view path) {
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\' &&
        ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'))) {
        return 3;
    }
    if (path.substr(0, 2) == L"\\\\" && path.substr(0, 4) != L"\\\\?\\" &&
        path.substr(0, 4) != L"\\\\.\\") {
        const std::size_t shareStart = path.find(L'\\', 2);
        if (shareStart == std::wstring_view::npos || shareStart == 2) {
            return 0;
        }
        const std::size_t shareEnd = path.find(L'\\', shareStart + 1);
        if (shareEnd == std::wstring_view::npos || shareEnd == shareStart + 1) {
            return 0;
        }
        return shareEnd + 1;
    }
    return 0;
}

bool IsPlainName(std::wstring_view name) {
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

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

std::wstring BuildItemPath(const std::wstring& folder, const std::wstring& name,
                           const std::wstring& extension) {
    std::wstring_view base(folder);
    while (!base.empty() && base.back() == L'\\') {
        base.remove_suffix(1);
    }
    const std::size_t rootLength = RootLength(folder);
    if (rootLength == 0 || base.size() < rootLength || name.empty() ||
        !IsPlainName(name + extension)) {
        return std::wstring();
    }
    return std::wstring(base) + L"\\" + name + extension;
}

std::wstring DesktopLinkPath(const std::wstring& displayName) {
    std::wstring desktop;
    if (!GetDesktopFolder(desktop)) {
        return std::wstring();
    }
    return BuildItemPath(desktop, displayName, L".lnk");
}

std::wstring ProgramsFolderPath(const std::wstring& displayName) {
    std::wstring programs;
    if (!GetCommonProgramsFolder(programs)) {
        return std::wstring();
    }
    return BuildItemPath(programs, displayName, L"");
}

std::wstring PinnedLinkPath(const std::wstring& displayName) {
    std::wstring quickLaunch;
    if (!GetQuickLaunchFolder(quickLaunch)) {
        return std::wstring();
    }
    return BuildItemPath(quickLaunch + L"\\User Pinned\\TaskBar", displayName, L".lnk");
}

void InvokeUnpinVerb(const wchar_t* verb, const std::wstring& path) {
    if (path.empty() || !Exists(path)) {
        return;
    }
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = verb;
    info.lpFile = path.c_str();
    info.nShow = SW_HIDE;
    ::ShellExecuteExW(&info);
}

void RemoveInstalledProgramsEntry(const std::wstring& projectName) {
    if (projectName.empty() || projectName.find(L'\\') != std::wstring::npos) {
        return;
    }
    ScopedRegKey uninstallList;
    if (::RegOpenKeyW(HKEY_LOCAL_MACHINE, kUninstallListKey, uninstallList.Receive()) !=
        ERROR_SUCCESS) {
        return;
    }
    DeleteKeyTree(uninstallList.Get(), projectName);
}
