#include "InstallPathSafety.h"

#include "FileSystem.h"
#include "PathUtil.h"
#include "SpecialFolders.h"
#include "TextConvert.h"
#include "UniqueHandle.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

namespace {

bool IsDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// Backslashes only, without trailing backslashes except the one of a drive root ("C:\").
std::wstring Normalized(std::wstring_view path) {
    std::wstring text(path);
    std::replace(text.begin(), text.end(), L'/', L'\\');
    return WithoutTrailingSeparators(text);
}

// Win32 drops trailing dots and blanks from names and reads "con", "nul" ... as devices, so such
// a part would not name the folder the text shows.
bool IsDeviceName(std::wstring_view part) {
    const std::wstring_view base = part.substr(0, part.find(L'.'));
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL"}) {
        if (EqualsIgnoringCase(base, device)) {
            return true;
        }
    }
    return base.size() == 4 &&
           (EqualsIgnoringCase(base.substr(0, 3), L"COM") ||
            EqualsIgnoringCase(base.substr(0, 3), L"LPT")) &&
           base[3] >= L'1' && base[3] <= L'9';
}

bool IsPlainComponent(std::wstring_view part) {
    return IsPlainFileName(part) && !IsDeviceName(part);
}

bool IsProtectedBy(const std::wstring& path, const ProtectedFolder& entry) {
    const std::wstring folder = Normalized(entry.path);
    if (folder.empty()) {
        return false;
    }
    if (EqualsIgnoringCase(path, folder) || IsBelow(folder, path)) {
        return true;
    }
    switch (entry.scope) {
        case ProtectedScope::kFolderOnly:
            return false;
        case ProtectedScope::kWholeTree:
            return IsBelow(path, folder);
        case ProtectedScope::kEachSubfolder:
            return IsBelow(path, folder) && EqualsIgnoringCase(PathFolder(path), folder);
    }
    return false;
}

void AddFolder(std::vector<ProtectedFolder>& folders, std::wstring path, ProtectedScope scope) {
    if (!path.empty()) {
        folders.push_back({std::move(path), scope});
    }
}

std::wstring ExpandedText(const wchar_t* text) {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::ExpandEnvironmentStringsW(text, buffer, MAX_PATH);
    if (length == 0 || length > MAX_PATH) {
        return std::wstring();
    }
    return buffer;
}

std::wstring EnvironmentFolder(const wchar_t* name) {
    return ExpandedText((L"%" + std::wstring(name) + L"%").c_str());
}

// Expanded, the text still holds a '%' only when the variable is not set.
std::wstring WithoutUnsetVariable(std::wstring path) {
    return path.find(L'%') == std::wstring::npos ? path : std::wstring();
}

std::wstring ProfilesFolderFromRegistry() {
    wchar_t data[MAX_PATH] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_LOCAL_MACHINE,
                       L"Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList",
                       L"ProfilesDirectory", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                       nullptr, data, &size) != ERROR_SUCCESS) {
        return std::wstring();
    }
    return WithoutUnsetVariable(ExpandedText(data));
}

std::wstring SystemFolder(UINT(WINAPI* query)(LPWSTR, UINT)) {
    wchar_t buffer[MAX_PATH] = {};
    const UINT length = query(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

// The path the system resolves for the existing folder path (links above it followed, a second
// drive letter or a short name undone), in its plain drive-letter form; empty when it can't be
// read or names no local drive.
std::wstring FinalForm(const std::wstring& path) {
    const ScopedFileHandle folder(::CreateFileW(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder) {
        return std::wstring();
    }
    std::vector<wchar_t> buffer(MAX_PATH + 8);
    DWORD length = ::GetFinalPathNameByHandleW(folder.Get(), buffer.data(),
                                               static_cast<DWORD>(buffer.size()), VOLUME_NAME_DOS);
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = ::GetFinalPathNameByHandleW(folder.Get(), buffer.data(),
                                             static_cast<DWORD>(buffer.size()), VOLUME_NAME_DOS);
    }
    if (length == 0 || length >= buffer.size()) {
        return std::wstring();
    }
    std::wstring finalPath(buffer.data(), length);
    constexpr std::wstring_view kLocalPrefix = L"\\\\?\\";
    if (finalPath.compare(0, kLocalPrefix.size(), kLocalPrefix) != 0 ||
        finalPath.size() < kLocalPrefix.size() + 2 || finalPath[kLocalPrefix.size() + 1] != L':') {
        return std::wstring();
    }
    return finalPath.substr(kLocalPrefix.size());
}

std::wstring LongForm(const std::wstring& path) {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::GetLongPathNameW(path.c_str(), buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : path;
}

}  // namespace

InstallPathVerdict JudgeInstallPath(std::wstring_view rawPath,
                                    const std::vector<ProtectedFolder>& protectedFolders) {
    if (rawPath.empty()) {
        return InstallPathVerdict::kEmpty;
    }
    if (rawPath.size() >= MAX_PATH) {
        return InstallPathVerdict::kTooLong;
    }
    const std::wstring path = Normalized(rawPath);
    if (path.size() < 3 || !IsDriveLetter(path[0]) || path[1] != L':' || path[2] != L'\\') {
        return InstallPathVerdict::kNotLocalAbsolute;
    }
    if (path.size() == 3) {
        return InstallPathVerdict::kDriveRoot;
    }
    std::wstring_view rest = std::wstring_view(path).substr(3);
    while (!rest.empty()) {
        const std::size_t separator = rest.find(L'\\');
        const std::wstring_view part = rest.substr(0, separator);
        if (!IsPlainComponent(part)) {
            return InstallPathVerdict::kBadComponent;
        }
        rest =
            separator == std::wstring_view::npos ? std::wstring_view() : rest.substr(separator + 1);
    }
    for (const ProtectedFolder& entry : protectedFolders) {
        if (IsProtectedBy(path, entry)) {
            return InstallPathVerdict::kProtected;
        }
    }
    return InstallPathVerdict::kAccepted;
}

std::vector<ProtectedFolder> LookUpProtectedFolders() {
    std::vector<ProtectedFolder> folders;
    AddFolder(folders, GetWindowsFolder(), ProtectedScope::kWholeTree);
    AddFolder(folders, SystemFolder(::GetSystemDirectoryW), ProtectedScope::kWholeTree);
    AddFolder(folders, SystemFolder(::GetSystemWow64DirectoryW), ProtectedScope::kWholeTree);
    AddFolder(folders, GetTempFolder(), ProtectedScope::kFolderOnly);

    static const int kSpecialFolders[] = {
        CSIDL_DESKTOP,
        CSIDL_DESKTOPDIRECTORY,
        CSIDL_COMMON_DESKTOPDIRECTORY,
        CSIDL_PROGRAMS,
        CSIDL_COMMON_PROGRAMS,
        CSIDL_STARTMENU,
        CSIDL_COMMON_STARTMENU,
        CSIDL_STARTUP,
        CSIDL_COMMON_STARTUP,
        CSIDL_PERSONAL,
        CSIDL_COMMON_DOCUMENTS,
        CSIDL_MYPICTURES,
        CSIDL_MYMUSIC,
        CSIDL_MYVIDEO,
        CSIDL_FAVORITES,
        CSIDL_APPDATA,
        CSIDL_LOCAL_APPDATA,
        CSIDL_COMMON_APPDATA,
        CSIDL_TEMPLATES,
        CSIDL_COMMON_TEMPLATES,
        CSIDL_SENDTO,
        CSIDL_RECENT,
        CSIDL_PROGRAM_FILES,
        CSIDL_PROGRAM_FILESX86,
        CSIDL_PROGRAM_FILES_COMMON,
        CSIDL_PROGRAM_FILES_COMMONX86,
        CSIDL_ADMINTOOLS,
        CSIDL_COMMON_ADMINTOOLS,
    };
    for (const int csidl : kSpecialFolders) {
        std::wstring path;
        if (GetSpecialFolder(csidl, L"", path)) {
            AddFolder(folders, std::move(path), ProtectedScope::kFolderOnly);
        }
    }
    // A 32-bit process sees only the x86 folders through the shell; the variables name the
    // native ones too.
    for (const wchar_t* name : {L"ProgramW6432", L"CommonProgramW6432", L"ProgramFiles",
                                L"ProgramData", L"PUBLIC", L"ALLUSERSPROFILE"}) {
        AddFolder(folders, WithoutUnsetVariable(EnvironmentFolder(name)),
                  ProtectedScope::kFolderOnly);
    }

    std::wstring profile;
    if (GetSpecialFolder(CSIDL_PROFILE, L"", profile)) {
        AddFolder(folders, PathFolder(profile), ProtectedScope::kEachSubfolder);
    }
    AddFolder(folders, ProfilesFolderFromRegistry(), ProtectedScope::kEachSubfolder);
    return folders;
}

namespace {

std::wstring VerdictText(InstallPathVerdict verdict) {
    switch (verdict) {
        case InstallPathVerdict::kAccepted:
            return std::wstring();
        case InstallPathVerdict::kEmpty:
            return L"the path is empty";
        case InstallPathVerdict::kTooLong:
            return L"the path is too long";
        case InstallPathVerdict::kNotLocalAbsolute:
            return L"it is not an absolute path on a local drive";
        case InstallPathVerdict::kBadComponent:
            return L"the path has a part Windows would rewrite";
        case InstallPathVerdict::kDriveRoot:
            return L"it is a drive's root";
        case InstallPathVerdict::kProtected:
            return L"it is, holds or lies in a protected system or user folder";
    }
    return L"it is not an application folder";
}

}  // namespace

std::wstring InstallFolderRefusal(const std::wstring& path) {
    const std::vector<ProtectedFolder> protectedFolders = LookUpProtectedFolders();
    if (const InstallPathVerdict verdict = JudgeInstallPath(path, protectedFolders);
        verdict != InstallPathVerdict::kAccepted) {
        return VerdictText(verdict);
    }
    if (!FolderExists(path)) {
        return L"it is not an existing folder";
    }
    if ((::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return L"it is a link";
    }
    const wchar_t driveRoot[] = {path[0], L':', L'\\', L'\0'};
    const UINT driveType = ::GetDriveTypeW(driveRoot);
    if (driveType != DRIVE_FIXED && driveType != DRIVE_REMOVABLE && driveType != DRIVE_RAMDISK) {
        return L"it is not on a local drive";
    }
    // Short names ("PROGRA~1") hide which folder is meant; judge the long form too.
    if (const InstallPathVerdict verdict = JudgeInstallPath(LongForm(path), protectedFolders);
        verdict != InstallPathVerdict::kAccepted) {
        return VerdictText(verdict);
    }
    // A linked folder above it, or a second name for a drive, would lead the removal elsewhere:
    // the folder the system resolves is judged too.
    const std::wstring finalPath = FinalForm(path);
    if (finalPath.empty()) {
        return L"the system does not name it as a folder of a local drive";
    }
    if (const InstallPathVerdict verdict = JudgeInstallPath(finalPath, protectedFolders);
        verdict != InstallPathVerdict::kAccepted) {
        return L"it is the folder " + finalPath + L", and " + VerdictText(verdict);
    }
    return std::wstring();
}

bool IsRemovableInstallFolder(const std::wstring& path) {
    return InstallFolderRefusal(path).empty();
}
