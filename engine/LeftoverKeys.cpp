#include "LeftoverKeys.h"

#include "DriverRemoval.h"
#include "InstalledProductRecord.h"
#include "UniqueHandle.h"

#include <windows.h>

namespace {

constexpr wchar_t kMachineRoot[] = L"HKEY_LOCAL_MACHINE\\";

// Only a key that is certainly absent counts as removed; one that can't be opened for another
// reason (no right to read it) is still there.
bool KeyIsThere(const std::wstring& path, REGSAM view) {
    ScopedRegKey key;
    const LONG result =
        ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE | view, key.Receive());
    return result != ERROR_FILE_NOT_FOUND && result != ERROR_PATH_NOT_FOUND;
}

}  // namespace

std::vector<std::wstring> ProductKeysLeft(const std::wstring& projectName) {
    std::vector<std::wstring> left;
    if (projectName.empty() || projectName.find(L'\\') != std::wstring::npos) {
        return left;
    }
    // The 64-bit view flag is ignored on 32-bit Windows, where the native view is the only one.
    if (KeyIsThere(kProductKeyPath, KEY_WOW64_64KEY)) {
        left.push_back(kMachineRoot + std::wstring(kProductKeyPath));
    }
    const std::wstring entry = std::wstring(kInstalledProgramsKey) + L"\\" + projectName;
    if (KeyIsThere(entry, 0)) {
        left.push_back(kMachineRoot + entry);
    }
    return left;
}
