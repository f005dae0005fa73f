#pragma once

#include "IDeleteFileNotify.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// Walks below a folder that count and delete files one by one. Links (junctions, symbolic links)
// found in the tree are removed as links and never followed, so whatever they point to stays.
// A folder whose full path is 260 characters or longer is treated as missing.

// Adds the number of files (not folders) at any depth below folder to counter. False when the
// path is empty or the folder can't be read. A trailing backslash is allowed.
bool CountFolderFiles(const std::wstring& folder, int& counter);

// Deletes everything below folder and then folder itself, calling notify (may be null) with the
// full path of every file deleted. Read-only and busy files stay, and so do their folders.
// Returns whether folder itself was removed. A trailing backslash is allowed.
bool DeleteFolderNotify(const std::wstring& folder, IDeleteFileNotify* notify);

// The steps the walks are made of, for other passes over a tree that must treat links the same way.

// Whether entry attributes mark a link (junction or symbolic link), which a walk never enters.
bool IsLinkAttributes(DWORD attributes);

// Where a walk of folder begins: the path without a trailing backslash and its attributes, or
// nothing when the path is empty or the folder can't be read.
struct WalkStart {
    std::wstring path;
    DWORD attributes;
};
std::optional<WalkStart> StartWalk(const std::wstring& folder);

// Calls visit(fullPath, attributes) for every entry of folder except "." and "..", hidden and
// system entries included, in the order the file system gives them. fullPath is valid during the
// call only.
void ForEachFolderEntry(const std::wstring& folder,
                        const std::function<void(const std::wstring&, DWORD)>& visit);

// Removes a link to a folder without touching what it points to.
bool RemoveFolderLink(const std::wstring& link);
