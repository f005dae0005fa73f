#include "PendingFileRenames.h"

#include "TextConvert.h"

#include "UniqueHandle.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr wchar_t kSessionManager[] = L"System\\CurrentControlSet\\Control\\Session Manager";
constexpr wchar_t kPendingValue[] = L"PendingFileRenameOperations";
constexpr wchar_t kNtPrefix[] = L"\\??\\";

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
    for (std::size_t i = 0; i + 1 < strings.size() && !strings[i].empty(); i += 2) {
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

std::wstring PendingSourcePath(const std::wstring& source) {
    const std::wstring prefix = kNtPrefix;
    return source.rfind(prefix, 0) == 0 ? source.substr(prefix.size()) : source;
}

std::vector<PendingRename> WithoutDeletionsOf(const std::vector<PendingRename>& renames,
                                              const std::vector<std::wstring>& paths) {
    std::vector<PendingRename> kept;
    for (const PendingRename& rename : renames) {
        const std::wstring path = PendingSourcePath(rename.source);
        const bool withdrawn =
            rename.target.empty() &&
            std::any_of(paths.begin(), paths.end(), [&path](const std::wstring& item) {
                return EqualsIgnoringCase(item, path);
            });
        if (!withdrawn) {
            kept.push_back(rename);
        }
    }
    return kept;
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

void WithdrawRestartRemovals(const std::vector<std::wstring>& paths) {
    if (paths.empty()) {
        return;
    }
    const std::vector<PendingRename> renames = ReadPendingRenames();
    const std::vector<PendingRename> kept = WithoutDeletionsOf(renames, paths);
    if (kept.size() == renames.size()) {
        return;
    }
    ScopedRegKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, key.Receive()) !=
        ERROR_SUCCESS) {
        return;
    }
    if (kept.empty()) {
        ::RegDeleteValueW(key.Get(), kPendingValue);
        return;
    }
    const std::wstring text = JoinPendingRenames(kept);
    ::RegSetValueExW(key.Get(), kPendingValue, 0, REG_MULTI_SZ,
                     reinterpret_cast<const BYTE*>(text.data()),
                     static_cast<DWORD>(text.size() * sizeof(wchar_t)));
}
