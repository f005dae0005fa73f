#include "Loaders.h"

#include "UniqueHandle.h"

#include <algorithm>
#include <cstring>
#include <string_view>

bool LoadResourceText(HMODULE module, int id, const wchar_t* type, ByteBuffer& buffer) {
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (resource == nullptr) {
        return false;
    }
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return false;
    }
    buffer.Assign(data, ::SizeofResource(module, resource), 3);
    return true;
}

std::optional<std::vector<BYTE>> ReadWholeFile(const std::wstring& path, size_t maxSize) {
    if (path.empty()) {
        return std::nullopt;
    }
    ScopedFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > maxSize || size.QuadPart > MAXDWORD) {
        return std::nullopt;
    }
    std::vector<BYTE> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read < bytes.size())) {
        return std::nullopt;
    }
    return bytes;
}

bool ReadWholeFile(const std::wstring& path, size_t maxSize, ByteBuffer& buffer) {
    // Two bytes under the platform's limit: the buffer adds its terminators.
    const std::optional<std::vector<BYTE>> bytes =
        ReadWholeFile(path, std::min<size_t>(maxSize, MAXDWORD - 2));
    if (!bytes) {
        return false;
    }
    buffer.Assign(bytes->data(), bytes->size());
    return true;
}

bool ParseJsonText(const char* text, JsonValue& value) {
    if (text == nullptr) {
        return false;
    }
    std::string_view json(text);
    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    if (json.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        json.remove_prefix(kUtf8Bom.size());
    }
    return value.Parse(json);
}

bool ParseJsonFile(JsonValue& value, const std::wstring& path, size_t maxSize) {
    ByteBuffer buffer;
    if (!ReadWholeFile(path, maxSize, buffer) || buffer.Empty()) {
        return false;
    }
    return ParseJsonText(buffer.Data(), value);
}
