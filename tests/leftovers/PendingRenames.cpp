#include "PendingRenames.h"

#include "UniqueHandle.h"

#include <windows.h>

#include <algorithm>

namespace test {

namespace {

constexpr wchar_t kSessionManager[] = L"System\\CurrentControlSet\\Control\\Session Manager";
constexpr wchar_t kPendingValue[] = L"PendingFileRenameOperations";
constexpr wchar_t kNtPrefix[] = L"\\??\\";

std::wstring WithoutNtPrefix(const std::wstring& source) {
    const std::wstring prefix = kNtPrefix;
    return source.rfind(prefix, 0) == 0 ? source.substr(prefix.size()) : source;
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

std::vector<PendingRename> ParsePendingRenames(const std::wstring& multiString) {
    std::vector<std::wstring> strings;
    std::size_t start = 0;
    for (std::size_t end = multiString.find(L'\0'); end != std::wstring::npos;
         end = multiString.find(L'\0', start)) {
        strings.push_back(multiString.substr(start, end - start));
        start = end + 1;
    }
    std::vector<PendingRename> renames;
    for (std::size_t i = 0; i + 1 < strings.size(); i += 2) {
        if (strings[i].empty()) {
            break;  // the list's closing terminator
        }
        renames.push_back({strings[i], strings[i + 1]});
    }
    return renames;
}

std::wstring JoinPendingRenames(const std::vector<PendingRename>& renames) {
    std::wstring text;
    for (const PendingRename& rename : renames) {
        text += rename.source;
        text += L'\0';
        text += rename.target;
        text += L'\0';
    }
    text += L'\0';
    return text;
}

std::vector<PendingRename> ReadPendingRenames() {
    ScopedRegKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE, key.Receive()) !=
        ERROR_SUCCESS) {
        return {};
    }
    DWORD bytes = 0;
    if (::RegQueryValueExW(key.Get(), kPendingValue, nullptr, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS) {
        return {};
    }
    std::wstring text(bytes / sizeof(wchar_t), L'\0');
    if (::RegQueryValueExW(key.Get(), kPendingValue, nullptr, nullptr,
                           reinterpret_cast<BYTE*>(text.data()), &bytes) != ERROR_SUCCESS) {
        return {};
    }
    text.resize(bytes / sizeof(wchar_t));
    return ParsePendingRenames(text);
}

std::vector<std::wstring> PendingDeletionsBelow(const std::wstring& folder) {
    std::vector<std::wstring> paths;
    for (const PendingRename& rename : ReadPendingRenames()) {
        const std::wstring path = WithoutNtPrefix(rename.source);
        if (rename.target.empty() && IsInOrBelow(path, folder)) {
            paths.push_back(path);
        }
    }
    return paths;
}

PendingRenamesCleanup::~PendingRenamesCleanup() {
    std::vector<PendingRename> renames = ReadPendingRenames();
    const auto ours = [this](const PendingRename& rename) {
        return IsInOrBelow(WithoutNtPrefix(rename.source), folder_);
    };
    if (std::none_of(renames.begin(), renames.end(), ours)) {
        return;
    }
    renames.erase(std::remove_if(renames.begin(), renames.end(), ours), renames.end());
    ScopedRegKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, key.Receive()) !=
        ERROR_SUCCESS) {
        return;
    }
    if (renames.empty()) {
        ::RegDeleteValueW(key.Get(), kPendingValue);
        return;
    }
    const std::wstring text = JoinPendingRenames(renames);
    ::RegSetValueExW(key.Get(), kPendingValue, 0, REG_MULTI_SZ,
                     reinterpret_cast<const BYTE*>(text.data()),
                     static_cast<DWORD>(text.size() * sizeof(wchar_t)));
}

}  // namespace test
