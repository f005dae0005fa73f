#pragma once

#include <string>
#include <string_view>
#include <vector>

// The installation path comes from the registry, where any program with administrator rights may
// have written anything. Before the removal deletes below it or starts a tool from it, the path
// must name an ordinary application folder: absolute, local, existing, and neither a drive root,
// the Windows folder or anything in it, a user-profile root, nor a special folder or a folder
// above one.

// How far the protection of a folder reaches, besides the folder itself and every folder above
// it (deleting those would delete it too).
enum class ProtectedScope {
    kFolderOnly,     // e.g. Program Files: its subfolders are where products are installed
    kWholeTree,      // e.g. the Windows folder: nothing inside may be removed either
    kEachSubfolder,  // e.g. the profiles folder: each of its subfolders is a user's profile root
};

struct ProtectedFolder {
    std::wstring path;
    ProtectedScope scope = ProtectedScope::kFolderOnly;
};

enum class InstallPathVerdict {
    kAccepted,
    kEmpty,
    kTooLong,
    kNotLocalAbsolute,  // relative, drive-relative, network or device path
    kBadComponent,      // "." or "..", an empty part, a name Windows would silently rewrite
    kDriveRoot,
    kProtected,
};

// Judges path against protectedFolders by its text alone (letter case ignored, '/' taken as '\',
// trailing backslashes ignored). Existence is checked by the caller.
InstallPathVerdict JudgeInstallPath(std::wstring_view path,
                                    const std::vector<ProtectedFolder>& protectedFolders);

// The protected folders of this system and user: Windows and system folders, the shell's special
// folders, the temporary folder and the profile roots. Folders that can't be looked up are left
// out.
std::vector<ProtectedFolder> LookUpProtectedFolders();

// Why path may not be removed, as a short text for the log; empty when it may.
std::wstring InstallFolderRefusal(const std::wstring& path);

// True when path may be removed: JudgeInstallPath accepts it (also in its long form) against
// LookUpProtectedFolders, and it is an existing folder, not a link, on a local drive.
bool IsRemovableInstallFolder(const std::wstring& path);
