#include "Loaders.h"

#include "UniqueHandle.h"

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

bool ReadWholeFile(const std::wstring& path, ByteBuffer& buffer) {
    ScopedFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart > MAXDWORD - 2) {
        return false;
    }
    if (size.QuadPart == 0) {
        buffer.Clear();
        return true;
    }
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!::ReadFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &read,
                    nullptr) ||
        read < content.size()) {
        buffer.Clear();
        return false;
    }
    buffer.Assign(content.data(), content.size());
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

bool ParseJsonFile(JsonValue& value, const std::wstring& path) {
    ByteBuffer buffer;
    if (!ReadWholeFile(path, buffer) || buffer.Empty()) {
        return false;
    }
    return ParseJsonText(buffer.Data(), value);
}
