#include "ShortcutCleanup.h"

#include "RegistryHelpers.h"
#include "SpecialFolders.h"
#include "UniqueHandle.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cwchar>
#include <memory>
#include <string_view>
#include <type_traits>

namespace {

struct ItemListDeleter {
    void operator()(ITEMIDLIST* items) const { ::CoTaskMemFree(items); }
};
using ScopedItemList = std::unique_ptr<ITEMIDLIST, ItemListDeleter>;

struct MenuDeleter {
    using pointer = HMENU;
    void operator()(HMENU menu) const { ::DestroyMenu(menu); }
};
using ScopedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

// Holds one reference to a COM object.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (object_ != nullptr) {
            object_->Release();
        }
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* operator->() const { return object_; }
    void** Receive() { return reinterpret_cast<void**>(&object_); }

private:
    Interface* object_ = nullptr;
};

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
    // The verb is looked up in the item's own context menu: a shell that doesn't know it then
    // does nothing, where a plain shell start could fall back to opening the item.
    ITEMIDLIST* received = nullptr;
    if (FAILED(::SHParseDisplayName(path.c_str(), nullptr, &received, 0, nullptr))) {
        return;
    }
    const ScopedItemList item(received);
    ComPtr<IShellFolder> parent;
    const ITEMIDLIST* child = nullptr;
    if (FAILED(::SHBindToParent(item.get(), IID_IShellFolder, parent.Receive(), &child))) {
        return;
    }
    ComPtr<IContextMenu> menu;
    if (FAILED(
            parent->GetUIObjectOf(nullptr, 1, &child, IID_IContextMenu, nullptr, menu.Receive()))) {
        return;
    }
    const ScopedMenu popup(::CreatePopupMenu());
    if (!popup || FAILED(menu->QueryContextMenu(popup.get(), 0, 1, 0x7FFF, CMF_NORMAL))) {
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
    if (::RegOpenKeyW(HKEY_LOCAL_MACHINE, kUninstallListKey, uninstallList.Receive()) !=
        ERROR_SUCCESS) {
        return;
    }
    DeleteKeyTree(uninstallList.Get(), projectName);
}
