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

// The system's temporary folder without its trailing backslash (empty when it can't be read).
std::wstring GetTempFolder();
