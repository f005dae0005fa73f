#include "PendingRenames.h"

#include "PendingFileRenames.h"
#include "TestRegistry.h"
#include "UniqueHandle.h"

#include <windows.h>

namespace test {

namespace {

constexpr wchar_t kSessionManager[] = L"System\\CurrentControlSet\\Control\\Session Manager";
constexpr wchar_t kPendingValue[] = L"PendingFileRenameOperations";

std::optional<std::string> ReadPendingValue(DWORD& type) {
    ScopedRegKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE, key.Receive()) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD size = 0;
    if (::RegQueryValueExW(key.Get(), kPendingValue, nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::string bytes(size, '\0');
    if (::RegQueryValueExW(key.Get(), kPendingValue, nullptr, &type,
                           reinterpret_cast<BYTE*>(bytes.data()), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    bytes.resize(size);
    return bytes;
}

bool IsInOrBelow(const std::wstring& path, const std::wstring& folder) {
    if (path.size() < folder.size() ||
        ::CompareStringOrdinal(path.data(), static_cast<int>(folder.size()), folder.data(),
                               static_cast<int>(folder.size()), TRUE) != CSTR_EQUAL) {
        return false;
    }
    return path.size() == folder.size() || path[folder.size()] == L'\\';
}

}  // namespace

std::vector<std::wstring> PendingDeletionsBelow(const std::wstring& folder) {
    std::vector<std::wstring> paths;
    for (const PendingRename& rename : ReadPendingRenames()) {
        const std::wstring path = PendingSourcePath(rename.source);
        if (rename.target.empty() && IsInOrBelow(path, folder)) {
            paths.push_back(path);
        }
    }
    return paths;
}

std::optional<std::string> PendingValueBytes() {
    DWORD type = REG_NONE;
    return ReadPendingValue(type);
}

bool SetPendingValueBytes(const std::string& bytes, DWORD type) {
    return SetBinaryValue(HKEY_LOCAL_MACHINE, kSessionManager, kPendingValue, bytes, type);
}

PendingValueBackup::PendingValueBackup() : bytes_(ReadPendingValue(type_)) {}

PendingValueBackup::~PendingValueBackup() {
    if (bytes_) {
        SetPendingValueBytes(*bytes_, type_);
        return;
    }
    ScopedRegKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, key.Receive()) ==
        ERROR_SUCCESS) {
        ::RegDeleteValueW(key.Get(), kPendingValue);
    }
}

PendingRenamesCleanup::~PendingRenamesCleanup() {
    WithdrawRestartRemovals(PendingDeletionsBelow(folder_));
}

}  // namespace test
