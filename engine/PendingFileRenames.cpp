#include "PendingFileRenames.h"

#include "TextConvert.h"
#include "UniqueHandle.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr wchar_t kSessionManager[] = L"System\\CurrentControlSet\\Control\\Session Manager";
constexpr wchar_t kPendingValue[] = L"PendingFileRenameOperations";
constexpr wchar_t kNtPrefix[] = L"\\??\\";
// The closing terminator of a list: the empty string after the last pair.
const std::vector<BYTE> kListEnd = {0, 0};

// The characters of bytes, an odd last byte left out.
std::wstring CharactersOf(const std::vector<BYTE>& bytes) {
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) {
        std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    }
    return text;
}

void AppendString(std::vector<BYTE>& bytes, const std::wstring& text) {
    const BYTE* begin = reinterpret_cast<const BYTE*>(text.c_str());
    bytes.insert(bytes.end(), begin, begin + (text.size() + 1) * sizeof(wchar_t));
}

// The value's list; an empty one when the value is missing, none when it can't be read or is not a
// list of strings (then it is no list this program may change).
std::optional<PendingRenameList> ReadList(HKEY key) {
    for (;;) {
        DWORD type = REG_NONE;
        DWORD size = 0;
        LONG result = ::RegQueryValueExW(key, kPendingValue, nullptr, &type, nullptr, &size);
        if (result == ERROR_FILE_NOT_FOUND) {
            return PendingRenameList();
        }
        if (result != ERROR_SUCCESS || type != REG_MULTI_SZ) {
            return std::nullopt;
        }
        std::vector<BYTE> bytes(size);
        result = ::RegQueryValueExW(key, kPendingValue, nullptr, &type, bytes.data(), &size);
        // Another program may have made the value longer between the two calls.
        if (result == ERROR_MORE_DATA) {
            continue;
        }
        if (result != ERROR_SUCCESS || type != REG_MULTI_SZ) {
            return std::nullopt;
        }
        bytes.resize(size);
        return ParsePendingRenames(bytes);
    }
}

// Writes exactly the list's bytes; a list holding nothing but its terminator takes the value away.
bool WriteList(HKEY key, const PendingRenameList& list) {
    if (list.renames.empty() && (list.tail.empty() || list.tail == kListEnd)) {
        const LONG result = ::RegDeleteValueW(key, kPendingValue);
        return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
    }
    const std::vector<BYTE> bytes = PendingRenamesBytes(list);
    return ::RegSetValueExW(key, kPendingValue, 0, REG_MULTI_SZ, bytes.data(),
                            static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

ScopedRegKey OpenSessionManager(REGSAM access) {
    ScopedRegKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, access, key.Receive()) !=
        ERROR_SUCCESS) {
        return ScopedRegKey();
    }
    return key;
}

}  // namespace

PendingRenameList ParsePendingRenames(const std::vector<BYTE>& bytes) {
    const std::wstring text = CharactersOf(bytes);
    PendingRenameList list;
    std::size_t pairStart = 0;
    for (;;) {
        const std::size_t sourceEnd = text.find(L'\0', pairStart);
        if (sourceEnd == std::wstring::npos || sourceEnd == pairStart) {
            break;
        }
        const std::size_t targetEnd = text.find(L'\0', sourceEnd + 1);
        if (targetEnd == std::wstring::npos) {
            break;
        }
        list.renames.push_back({text.substr(pairStart, sourceEnd - pairStart),
                                text.substr(sourceEnd + 1, targetEnd - sourceEnd - 1)});
        pairStart = targetEnd + 1;
    }
    list.tail.assign(bytes.begin() + static_cast<std::ptrdiff_t>(pairStart * sizeof(wchar_t)),
                     bytes.end());
    return list;
}

std::vector<BYTE> PendingRenamesBytes(const PendingRenameList& list) {
    std::vector<BYTE> bytes;
    for (const PendingRename& rename : list.renames) {
        AppendString(bytes, rename.source);
        AppendString(bytes, rename.target);
    }
    bytes.insert(bytes.end(), list.tail.begin(), list.tail.end());
    return bytes;
}

PendingRenameList WithDeletionOf(PendingRenameList list, const std::wstring& path) {
    if (list.renames.empty() && list.tail.empty()) {
        list.tail = kListEnd;
    }
    list.renames.push_back({kNtPrefix + path, std::wstring()});
    return list;
}

std::wstring PendingSourcePath(const std::wstring& source) {
    const std::wstring prefix = kNtPrefix;
    return source.rfind(prefix, 0) == 0 ? source.substr(prefix.size()) : source;
}

PendingRenameList WithoutDeletionsOf(const PendingRenameList& list,
                                     const std::vector<std::wstring>& paths) {
    PendingRenameList kept;
    kept.tail = list.tail;
    for (const PendingRename& rename : list.renames) {
        const std::wstring path = PendingSourcePath(rename.source);
        const bool withdrawn =
            rename.target.empty() &&
            std::any_of(paths.begin(), paths.end(), [&path](const std::wstring& item) {
                return EqualsIgnoringCase(item, path);
            });
        if (!withdrawn) {
            kept.renames.push_back(rename);
        }
    }
    return kept;
}

std::vector<PendingRename> ReadPendingRenames() {
    const ScopedRegKey key = OpenSessionManager(KEY_QUERY_VALUE);
    if (!key) {
        return {};
    }
    const std::optional<PendingRenameList> list = ReadList(key.Get());
    return list ? list->renames : std::vector<PendingRename>();
}

bool ScheduleRestartRemoval(const std::wstring& path) {
    const ScopedRegKey key = OpenSessionManager(KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!key || path.empty()) {
        return false;
    }
    const std::optional<PendingRenameList> list = ReadList(key.Get());
    return list && WriteList(key.Get(), WithDeletionOf(*list, path));
}

void WithdrawRestartRemovals(const std::vector<std::wstring>& paths) {
    if (paths.empty()) {
        return;
    }
    const ScopedRegKey key = OpenSessionManager(KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!key) {
        return;
    }
    const std::optional<PendingRenameList> list = ReadList(key.Get());
    if (!list) {
        return;
    }
    const PendingRenameList kept = WithoutDeletionsOf(*list, paths);
    if (kept.renames.size() != list->renames.size()) {
        WriteList(key.Get(), kept);
    }
}
