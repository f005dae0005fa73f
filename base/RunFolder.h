#pragma once

#include <optional>
#include <string>
#include <string_view>

// The copy of the program that runs the removal lives in a folder made for that run under the
// temporary folder ("Uninstall-" and eight hexadecimal digits). Anybody may write to the temporary
// folder itself: a folder of its own, made new, keeps another's file from standing in for the
// copy, and goes with the copy at the end.

inline constexpr wchar_t kRunFolderPrefix[] = L"Uninstall-";

// The name of the run folder numbered value.
std::wstring RunFolderName(unsigned long value);

// Whether folder is a run folder directly in tempFolder (letter case ignored).
bool IsRunFolder(std::wstring_view folder, std::wstring_view tempFolder);

// Whether the program at programPath runs from a run folder of this user's temporary folder.
bool RunsFromRunFolder(const std::wstring& programPath);

// Makes a new run folder in tempFolder, open only to the system and the administrators; nothing
// when none could be made. A name that exists already is never used.
std::optional<std::wstring> CreateRunFolder(const std::wstring& tempFolder);
