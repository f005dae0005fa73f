#pragma once

#include "IDeleteFileNotify.h"

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
