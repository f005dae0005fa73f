#include "ShortcutCleanup.h"

#include "FileSystem.h"
#include "InstalledProductRecord.h"
#include "PathUtil.h"
#include "RegistryHelpers.h"
#include "SpecialFolders.h"
#include "UniqueHandle.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cwchar>
#include <string_view>

namespace {

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

}  // namespace

std::wstring BuildItemPath(const std::wstring& folder, const std::wstring& name,
                           const std::wstring& extension) {
    const std::wstring base = WithoutTrailingSeparators(folder);
    const std::size_t rootLength = RootLength(folder);
    // The root itself is no folder to put items in ("C:\\" keeps its backslash, a share root
    // loses it).
    if (rootLength == 0 || base.size() <= rootLength || name.empty() ||
        !IsPlainFileName(name + extension)) {
        return std::wstring();
    }
    return base + L"\\" + name + extension;
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
    if (path.empty() || !PathExists(path)) {
        return;
    }
    // The verb is looked up in the item's own context menu: a shell that doesn't know it then
    // does nothing, where a plain shell start could fall back to opening the item.
    ScopedCoTaskMemory<ITEMIDLIST> item;
    if (FAILED(::SHParseDisplayName(path.c_str(), nullptr, item.Receive(), 0, nullptr))) {
        return;
    }
    ComPtr<IShellFolder> parent;
    const ITEMIDLIST* child = nullptr;
    if (FAILED(::SHBindToParent(item.Get(), IID_IShellFolder, parent.Receive(), &child))) {
        return;
    }
    ComPtr<IContextMenu> menu;
    if (FAILED(
            parent->GetUIObjectOf(nullptr, 1, &child, IID_IContextMenu, nullptr, menu.Receive()))) {
        return;
    }
    const ScopedMenu popup(::CreatePopupMenu());
    if (!popup || FAILED(menu->QueryContextMenu(popup.Get(), 0, 1, 0x7FFF, CMF_NORMAL))) {
        return;
    }
    const std::string narrowVerb(verb, verb + std::wcslen(verb));
    CMINVOKECOMMANDINFOEX info = {};
    info.cbSize = sizeof info;
    info.fMask = CMIC_MASK_UNICODE | CMIC_MASK_FLAG_NO_UI;
    info.lpVerb = narrowVerb.c_str();
    info.lpVerbW = verb;
    info.nShow = SW_HIDE;
    menu->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&info));
}

void RemoveInstalledProgramsEntry(const std::wstring& projectName) {
    if (projectName.empty() || projectName.find(L'\\') != std::wstring::npos) {
        return;
    }
    ScopedRegKey uninstallList;
    if (::RegOpenKeyW(HKEY_LOCAL_MACHINE, kInstalledProgramsKey, uninstallList.Receive()) !=
        ERROR_SUCCESS) {
        return;
    }
    DeleteKeyTree(uninstallList.Get(), projectName);
}
