#pragma once

#include <string>

// Where the driver package's desktop link, start-menu folder and taskbar pin are looked for, how
// the pins are released, and how the product's entry in the installed-programs list is removed.
// A path that can't be built safely comes back empty, and an empty path is skipped by every step.

// folder + "\" + name + extension, or empty when folder is not an absolute folder below a drive or
// share root, or name is not a plain file name (empty, a separator, "..", a trailing dot or
// blank), so that the result never lands at a drive root or outside folder.
std::wstring BuildItemPath(const std::wstring& folder, const std::wstring& name,
                           const std::wstring& extension);

// <desktop>\<displayName>.lnk
std::wstring DesktopLinkPath(const std::wstring& displayName);
// <all users' start-menu programs>\<displayName>
std::wstring ProgramsFolderPath(const std::wstring& displayName);
// <Quick Launch>\User Pinned\TaskBar\<displayName>.lnk
std::wstring PinnedLinkPath(const std::wstring& displayName);

// Invokes the shell verb ("startunpin", "taskbarunpin") on path, hidden and without any error
// dialog. Nothing happens when path is empty or names nothing.
void InvokeUnpinVerb(const wchar_t* verb, const std::wstring& path);

// Deletes HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\<projectName> with its
// subkeys. An empty or compound name deletes nothing (it would name the whole list).
void RemoveInstalledProgramsEntry(const std::wstring& projectName);
