#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// InstalledProductRecord holds what the uninstaller needs from the product's entry in the list of
// installed programs: the name it was registered under and where it was installed.
struct InstalledProductRecord {
    std::wstring displayName;
    std::wstring installPath;
};

// The list of installed programs below HKEY_LOCAL_MACHINE; each product's entry is a subkey.
constexpr wchar_t kInstalledProgramsKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Reads the entry HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\<keyName>. True when
// the key was opened, whatever values it held; false leaves record untouched.
bool ReadInstalledProduct(const std::wstring& keyName, InstalledProductRecord& record);

// Takes one value of the entry into record: REG_SZ "DisplayName" or "InstallPath", names in any
// letter case. Other names and types are ignored.
void TakeInstalledProductValue(std::wstring_view name, DWORD type, std::wstring_view text,
                               InstalledProductRecord& record);
