#pragma once

#include <string>

// Existence checks by attributes. A path that can't be read counts as missing.

// Something (file, folder or link) exists at path.
bool PathExists(const std::wstring& path);
// A file that is not a folder exists at path.
bool FileExists(const std::wstring& path);
// A folder (or a link to one) exists at path.
bool FolderExists(const std::wstring& path);
