#include "FolderWalk.h"

#include "PathUtil.h"
#include "UniqueHandle.h"

#include <windows.h>

#include <cwchar>
#include <optional>
#include <utility>

namespace {

// The attributes of folder, or nothing when it is missing, not a folder, or its full path does
// not fit the platform's 260-character buffers.
std::optional<DWORD> ReadFolderStatus(const std::wstring& folder) {
    wchar_t fullPath[MAX_PATH];
    const DWORD length = ::GetFullPathNameW(folder.c_str(), MAX_PATH, fullPath, nullptr);
    if (length == 0 || length >= MAX_PATH) {
        return std::nullopt;
    }
    const DWORD attributes = ::GetFileAttributesW(fullPath);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    return attributes;
}

bool IsDotEntry(const wchar_t* name) {
    return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
}

// Tells notify (may be null) about a removal that failed; returns removed.
bool Reported(bool removed, const std::wstring& path, IDeleteFileNotify* notify) {
    if (!removed && notify != nullptr) {
        notify->OnDeleteFailed(path, ::GetLastError());
    }
    return removed;
}

}  // namespace

bool IsLinkAttributes(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

std::optional<WalkStart> StartWalk(const std::wstring& folder) {
    if (folder.empty()) {
        return std::nullopt;
    }
    std::wstring path = WithoutTrailingSeparators(folder);
    const std::optional<DWORD> status = ReadFolderStatus(path);
    if (!status) {
        return std::nullopt;
    }
    return WalkStart{std::move(path), *status};
}

// One path buffer serves the whole folder: the entry's name replaces the previous one behind the
// folder's part, so that a folder of many files costs no string per file.
void ForEachFolderEntry(const std::wstring& folder,
                        const std::function<void(const std::wstring&, DWORD)>& visit) {
    std::wstring path = folder + L"\\*.*";
    WIN32_FIND_DATAW entry;
    ScopedFindHandle find(::FindFirstFileW(path.c_str(), &entry));
    if (!find) {
        return;
    }
    const std::size_t nameStart = folder.size() + 1;
    do {
        if (IsDotEntry(entry.cFileName)) {
            continue;
        }
        path.replace(nameStart, std::wstring::npos, entry.cFileName);
        visit(path, entry.dwFileAttributes);
    } while (::FindNextFileW(find.Get(), &entry));
}

// Some systems remove a link to a folder only as a directory, others only as a file.
bool RemoveFolderLink(const std::wstring& link) {
    return ::RemoveDirectoryW(link.c_str()) || ::DeleteFileW(link.c_str());
}

bool CountFolderFiles(const std::wstring& folder, int& counter) {
    const std::optional<WalkStart> start = StartWalk(folder);
    if (!start) {
        return false;
    }
    if (IsLinkAttributes(start->attributes)) {
        return true;
    }
    ForEachFolderEntry(start->path, [&counter](const std::wstring& entry, DWORD attributes) {
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ++counter;
        } else if (!IsLinkAttributes(attributes)) {
            CountFolderFiles(entry, counter);
        }
    });
    return true;
}

bool DeleteFolderNotify(const std::wstring& folder, IDeleteFileNotify* notify) {
    const std::optional<WalkStart> start = StartWalk(folder);
    if (!start) {
        return false;
    }
    const std::wstring& path = start->path;
    if (IsLinkAttributes(start->attributes)) {
        return Reported(RemoveFolderLink(path), path, notify);
    }
    ForEachFolderEntry(path, [notify](const std::wstring& entry, DWORD attributes) {
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            if (Reported(::DeleteFileW(entry.c_str()) != FALSE, entry, notify) &&
                notify != nullptr) {
                notify->OnFileDeleted(entry);
            }
        } else if (IsLinkAttributes(attributes)) {
            Reported(RemoveFolderLink(entry), entry, notify);
        } else {
            DeleteFolderNotify(entry, notify);
        }
    });
    return Reported(::RemoveDirectoryW(path.c_str()) != FALSE, path, notify);
}
