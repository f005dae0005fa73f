#pragma once

#include "ByteBuffer.h"
#include "JsonValue.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Loaders for the program's embedded data and the files beside it.

// Copies the resource (numeric id, type name) of module into buffer. False when it is missing or
// can't be loaded; the buffer is then left as it was.
bool LoadResourceText(HMODULE module, int id, const wchar_t* type, ByteBuffer& buffer);

// The whole content of an existing file (nothing for an empty one); none when it is missing, holds
// more than maxSize bytes or cannot be read completely.
std::optional<std::vector<BYTE>> ReadWholeFile(const std::wstring& path, size_t maxSize);
// The same into buffer. An empty file gives true and no content; false leaves buffer as it was.
bool ReadWholeFile(const std::wstring& path, size_t maxSize, ByteBuffer& buffer);

// Parses UTF-8 JSON, skipping a leading byte-order mark. False for a missing text.
bool ParseJsonText(const char* text, JsonValue& value);

// ReadWholeFile, then ParseJsonText of its content; false when either fails or the file is empty.
// A file over maxSize bytes counts as broken: the files beside the program are anyone's to
// write, and a huge one must not cost a huge allocation.
bool ParseJsonFile(JsonValue& value, const std::wstring& path, size_t maxSize);
