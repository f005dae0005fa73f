#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace DuiLib {

// The value syntax of the attribute language. Every parser accepts any text: what it cannot read
// becomes 0 (or false), never an error.

// Decimal: leading blanks skipped, optional sign, stops at the first non-digit; no digits gives 0.
// Values beyond 32 bits are clamped.
int ParseInteger(std::wstring_view text);

// "l,t,r,b": four integers, each followed by exactly one separator character. Missing numbers are
// 0.
RECT ParseRect(std::wstring_view text);

// "cx,cy": two integers read like the first two of a rectangle.
SIZE ParseSize(std::wstring_view text);

// Optional "#" then hexadecimal digits, 0xAARRGGBB. Values beyond 32 bits are clamped.
DWORD ParseColor(std::wstring_view text);

// A background colour: blanks and control characters (codes up to 32) may come first.
DWORD ParseBackgroundColor(std::wstring_view text);

// Only the exact text "true" is true.
bool ParseBool(std::wstring_view text);

// Every "<n>" becomes a carriage return and line feed.
std::wstring ExpandToolTip(std::wstring_view text);

using AttributeList = std::vector<std::pair<std::wstring, std::wstring>>;

// name="value" name="value": the name runs up to "=", which must be followed by a double quote;
// the value runs up to the next double quote; pairs are separated by exactly one space. Reading
// stops silently at the first deviation, keeping the complete pairs before it.
AttributeList ParseAttributeList(std::wstring_view text);

}  // namespace DuiLib
