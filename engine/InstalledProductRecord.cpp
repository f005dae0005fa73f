#include "InstalledProductRecord.h"

#include "TextConvert.h"

#include "UniqueHandle.h"

namespace {

// Value names and data longer than these end the reading (the installer never writes such).
constexpr DWORD kValueNameChars = 260;
constexpr DWORD kValueDataChars = 260;

// The text of REG_SZ data, which may or may not end with its terminator.
std::wstring_view DataText(const wchar_t* data, DWORD bytes) {
    std::wstring_view text(data, bytes / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

void TakeInstalledProductValue(std::wstring_view name, DWORD type, std::wstring_view text,
                               InstalledProductRecord& record) {
    if (type != REG_SZ) {
        return;
    }
    if (EqualsIgnoringCase(name, L"DisplayName")) {
        record.displayName = text;
    } else if (EqualsIgnoringCase(name, L"InstallPath")) {
        record.installPath = text;
    }
}

bool ReadInstalledProduct(const std::wstring& keyName, InstalledProductRecord& record) {
    const std::wstring path = std::wstring(kInstalledProgramsKey) + L"\\" + keyName;
    ScopedRegKey key;
    if (::RegOpenKeyW(HKEY_LOCAL_MACHINE, path.c_str(), key.Receive()) != ERROR_SUCCESS) {
        return false;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[kValueNameChars];
        wchar_t data[kValueDataChars];
        DWORD nameChars = kValueNameChars;
        DWORD dataBytes = sizeof data;
        DWORD type = REG_NONE;
        if (::RegEnumValueW(key.Get(), index, name, &nameChars, nullptr, &type,
                            reinterpret_cast<BYTE*>(data), &dataBytes) != ERROR_SUCCESS) {
            break;
        }
        TakeInstalledProductValue(std::wstring_view(name, nameChars), type,
                                  DataText(data, dataBytes), record);
    }
    return true;
}
