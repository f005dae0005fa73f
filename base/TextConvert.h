#pragma once

#include <string>
#include <string_view>

// Conversions between UTF-8 bytes (configuration, dictionary) and UTF-16 text (windows, registry,
// file system). A conversion that yields nothing gives the empty text.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// Whether a and b are the same text with letter case ignored, as Windows compares file paths,
// registry key names and program names.
bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b);

// The text without white space (blanks, tabs, line ends) at its beginning and end.
std::wstring TrimWhitespace(std::wstring_view text);
