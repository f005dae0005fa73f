#pragma once

#include <string>
#include <string_view>

// Folder paths in this program carry no trailing backslash and are extended by appending a
// backslash and a name.

// The folder of the running program.
std::wstring GetModuleFolder();

// The running program's full path.
std::wstring GetModulePath();

// The part of path before its last backslash; empty when path has none. C:\a\b.exe gives C:\a.
std::wstring PathFolder(std::wstring_view path);

// path without the backslashes at its end. A drive root keeps its own: "C:\\" stays "C:\\", and a
// path of backslashes only becomes empty.
std::wstring WithoutTrailingSeparators(std::wstring_view path);

// Whether path is folder or lies below it, letter case ignored. A folder that ends in a backslash
// (a drive root) holds every path that starts with it; an empty folder holds nothing.
bool IsAtOrBelow(std::wstring_view path, std::wstring_view folder);
// The same, without folder itself.
bool IsBelow(std::wstring_view path, std::wstring_view folder);

// Whether name can stand as one file or folder name: not empty, no separator, wildcard, colon,
// quote, pipe or control character, and no trailing dot or blank (Windows would drop them and
// name another item).
bool IsPlainFileName(std::wstring_view name);

// The system's temporary folder without its trailing backslash (empty when it can't be read).
std::wstring GetTempFolder();
