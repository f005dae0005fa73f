#include "TestRegistry.h"

#include "UniqueHandle.h"

namespace test {

ScratchRegKey::ScratchRegKey(HKEY root, std::wstring path, REGSAM view)
    : root_(root), path_(std::move(path)), view_(view) {
    DeleteTree(root_, path_, view_);
}

ScratchRegKey::~ScratchRegKey() {
    DeleteTree(root_, path_, view_);
}

bool CreateKey(HKEY root, const std::wstring& path, REGSAM view) {
    ScopedRegKey key;
    return ::RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr,
                             key.Receive(), nullptr) == ERROR_SUCCESS;
}

bool KeyExists(HKEY root, const std::wstring& path, REGSAM view) {
    ScopedRegKey key;
    return ::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, key.Receive()) == ERROR_SUCCESS;
}

bool SetBinaryValue(HKEY root, const std::wstring& path, const std::wstring& name,
                    const std::string& data, DWORD type, REGSAM view) {
    ScopedRegKey key;
    if (::RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr,
                          key.Receive(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return ::RegSetValueExW(key.Get(), name.c_str(), 0, type,
                            reinterpret_cast<const BYTE*>(data.data()),
                            static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

bool SetStringValue(HKEY root, const std::wstring& path, const std::wstring& name,
                    const std::wstring& data, DWORD type, REGSAM view) {
    const std::string bytes(reinterpret_cast<const char*>(data.c_str()),
                            (data.size() + 1) * sizeof(wchar_t));
    return SetBinaryValue(root, path, name, bytes, type, view);
}

void DeleteTree(HKEY root, const std::wstring& path, REGSAM view) {
    ScopedRegKey key;
    if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS | view, key.Receive()) !=
        ERROR_SUCCESS) {
        return;
    }
    ::RegDeleteTreeW(key.Get(), nullptr);
    key.Reset();
    ::RegDeleteKeyExW(root, path.c_str(), view, 0);
}

}  // namespace test
