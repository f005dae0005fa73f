#pragma once

#include "ByteBuffer.h"
#include "JsonValue.h"

#include <windows.h>

#include <string>

// Loaders for the program's embedded data and the files beside it.

// Copies the resource (numeric id, type name) of module into buffer. False when it is missing or
// can't be loaded; the buffer is then left as it was.
bool LoadResourceText(HMODULE module, int id, const wchar_t* type, ByteBuffer& buffer);

// Reads the whole existing file into buffer. An empty file gives true and no content; a short
// read gives false and an emptied buffer.
bool ReadWholeFile(const std::wstring& path, ByteBuffer& buffer);

// Parses UTF-8 JSON, skipping a leading byte-order mark. False for a missing text.
bool ParseJsonText(const char* text, JsonValue& value);

// ReadWholeFile, then ParseJsonText of its content; false when either fails or the file is empty.
bool ParseJsonFile(JsonValue& value, const std::wstring& path);
