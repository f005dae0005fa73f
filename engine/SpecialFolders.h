#pragma once

#include <string>

// Lookups of the shell's special folders. Each fills path and returns true, or returns false and
// leaves path as it was.

bool GetDesktopFolder(std::wstring& path);
bool GetCommonProgramsFolder(std::wstring& path);
// The Quick Launch folder below the user's application data.
bool GetQuickLaunchFolder(std::wstring& path);
// The folder with the shell's identifier csidl, with suffix appended.
bool GetSpecialFolder(int csidl, const wchar_t* suffix, std::wstring& path);

// The Windows folder; empty when it can't be read.
std::wstring GetWindowsFolder();
