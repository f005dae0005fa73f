#include "RegistryHelpers.h"

#include "UniqueHandle.h"

namespace {

// Full access to a key; from a 32-bit process the native view needs the 64-bit view flag too.
constexpr REGSAM kFullAccess = KEY_ALL_ACCESS;

// Subkey name buffers, in characters with the terminator. A name that does not fit the native
// walk's buffer ends its walk (the key and those above it stay).
constexpr DWORD kNativeNameBuffer = 251;
constexpr DWORD kNameBuffer = 256;

// The value that makes a key a registry link, naming the key it leads to.
constexpr wchar_t kLinkValueName[] = L"SymbolicLinkValue";

bool knownWow64 = false;
bool isWow64 = false;

bool ReadSubkeyName(HKEY key, DWORD index, DWORD bufferSize, std::wstring& name) {
    std::wstring buffer(bufferSize, L'\0');
    DWORD length = bufferSize;
    if (::RegEnumKeyExW(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    name.assign(buffer.data(), length);
    return true;
}

// A registry link opened by its own name leads every later call to the key it names. When
// parent\path is a link, deletes the link itself (never the key it leads to) and returns true.
bool DeleteIfLink(HKEY parent, const std::wstring& path, REGSAM view) {
    ScopedRegKey link;
    if (::RegOpenKeyExW(parent, path.c_str(), REG_OPTION_OPEN_LINK, KEY_QUERY_VALUE | DELETE | view,
                        link.Receive()) != ERROR_SUCCESS) {
        return false;
    }
    DWORD type = REG_NONE;
    if (::RegQueryValueExW(link.Get(), kLinkValueName, nullptr, &type, nullptr, nullptr) !=
            ERROR_SUCCESS ||
        type != REG_LINK) {
        return false;
    }
    // The registry functions delete by name, which follows the link; only the native call deletes
    // the key the handle holds. ntdll is in every process, so it is never loaded here.
    using NtDeleteKeyFunction = LONG(NTAPI*)(HANDLE);
    const auto deleteKey = reinterpret_cast<NtDeleteKeyFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtDeleteKey")));
    if (deleteKey != nullptr) {
        deleteKey(link.Get());
    }
    return true;
}

// Deletes every subkey below parent\path (not the key itself), deepest first. False when
// parent\path can't be opened.
bool DeleteSubkeys(HKEY parent, const std::wstring& path) {
    ScopedRegKey key;
    if (::RegOpenKeyExW(parent, path.c_str(), 0, kFullAccess, key.Receive()) != ERROR_SUCCESS) {
        return false;
    }
    DWORD count = 0;
    if (::RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return true;
    }
    // Counting down keeps the lower indices valid while keys disappear.
    for (DWORD index = count; index-- > 0;) {
        std::wstring name;
        if (!ReadSubkeyName(key.Get(), index, kNameBuffer, name)) {
            continue;
        }
        const std::wstring child = path + L"\\" + name;
        if (DeleteIfLink(parent, child, 0)) {
            continue;
        }
        DeleteSubkeys(parent, child);
        ::RegDeleteKeyW(parent, child.c_str());
    }
    return true;
}

}  // namespace

bool IsWow64Cached() {
    if (knownWow64) {
        return isWow64;
    }
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, BOOL*);
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    const auto isWow64Process = reinterpret_cast<IsWow64ProcessFunction>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "IsWow64Process")));
    BOOL answer = FALSE;
    if (isWow64Process != nullptr && isWow64Process(::GetCurrentProcess(), &answer)) {
        isWow64 = answer != FALSE;
        knownWow64 = true;
    }
    return isWow64;
}

LONG DeleteKeyTreeNative(HKEY root, const std::wstring& subKeyPath) {
    const REGSAM view = IsWow64Cached() ? KEY_WOW64_64KEY : 0;
    if (DeleteIfLink(root, subKeyPath, view)) {
        return 0;
    }
    ScopedRegKey key;
    const LONG opened =
        ::RegOpenKeyExW(root, subKeyPath.c_str(), 0, kFullAccess | view, key.Receive());
    if (opened != ERROR_SUCCESS) {
        return opened;
    }
    // A child that survives its delete stays at its index; the walk then moves past it instead of
    // trying it again forever.
    DWORD index = 0;
    std::wstring name;
    while (ReadSubkeyName(key.Get(), index, kNativeNameBuffer, name)) {
        DeleteKeyTreeNative(root, subKeyPath + L"\\" + name);
        std::wstring next;
        if (ReadSubkeyName(key.Get(), index, kNativeNameBuffer, next) && next == name) {
            ++index;
        }
    }
    ::RegDeleteKeyExW(root, subKeyPath.c_str(), view, 0);
    return 0;
}

LONG DeleteKeyTree(HKEY parent, const std::wstring& subKey) {
    if (!DeleteIfLink(parent, subKey, 0) && DeleteSubkeys(parent, subKey)) {
        ::RegDeleteKeyW(parent, subKey.c_str());
    }
    return 0;
}
