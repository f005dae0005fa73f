#include "AttributeParsing.h"

#include <cstdint>

namespace DuiLib {

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

int HexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    if (c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    return -1;
}

// Reads one integer at pos. Like the C library's reader, pos stays where it was when there are
// no digits, so that a following separator skip consumes the offending character.
int ReadInteger(std::wstring_view text, size_t& pos) {
    size_t cursor = pos;
    while (cursor < text.size() && IsBlank(text[cursor])) {
        ++cursor;
    }
    bool negative = false;
    if (cursor < text.size() && (text[cursor] == L'-' || text[cursor] == L'+')) {
        negative = text[cursor] == L'-';
        ++cursor;
    }
    const size_t firstDigit = cursor;
    int64_t value = 0;
    while (cursor < text.size() && text[cursor] >= L'0' && text[cursor] <= L'9') {
        if (value <= INT32_MAX) {
            value = value * 10 + (text[cursor] - L'0');
        }
        ++cursor;
    }
    if (cursor == firstDigit) {
        return 0;
    }
    pos = cursor;
    if (negative) {
        value = -value;
    }
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<int>(value);
}

// Reads count integers, each followed by one separator character, never past the end.
void ReadIntegers(std::wstring_view text, int* values, int count) {
    size_t pos = 0;
    for (int i = 0; i < count; ++i) {
        values[i] = ReadInteger(text, pos);
        if (pos < text.size()) {
            ++pos;
        }
    }
}

}  // namespace

int ParseInteger(std::wstring_view text) {
    size_t pos = 0;
    return ReadInteger(text, pos);
}

RECT ParseRect(std::wstring_view text) {
    int values[4] = {};
    ReadIntegers(text, values, 4);
    return RECT{values[0], values[1], values[2], values[3]};
}

SIZE ParseSize(std::wstring_view text) {
    int values[2] = {};
    ReadIntegers(text, values, 2);
    return SIZE{values[0], values[1]};
}

DWORD ParseColor(std::wstring_view text) {
    size_t pos = 0;
    if (pos < text.size() && text[pos] == L'#') {
        ++pos;
    }
    uint64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = HexDigitValue(text[pos]);
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<unsigned>(digit);
        if (value > UINT32_MAX) {
            return UINT32_MAX;
        }
    }
    return static_cast<DWORD>(value);
}

DWORD ParseBackgroundColor(std::wstring_view text) {
    size_t pos = 0;
    while (pos < text.size() && text[pos] > 0 && text[pos] <= L' ') {
        ++pos;
    }
    return ParseColor(text.substr(pos));
}

bool ParseBool(std::wstring_view text) {
    return text == L"true";
}

std::wstring ExpandToolTip(std::wstring_view text) {
    std::wstring result;
    result.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        if (text.substr(pos, 3) == L"<n>") {
            result += L"\r\n";
            pos += 3;
        } else {
            result += text[pos++];
        }
    }
    return result;
}

AttributeList ParseAttributeList(std::wstring_view text) {
    AttributeList list;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t equals = text.find(L'=', pos);
        if (equals == std::wstring_view::npos || equals + 1 >= text.size() ||
            text[equals + 1] != L'"') {
            break;
        }
        const size_t valueStart = equals + 2;
        const size_t closing = text.find(L'"', valueStart);
        if (closing == std::wstring_view::npos) {
            break;
        }
        list.emplace_back(std::wstring(text.substr(pos, equals - pos)),
                          std::wstring(text.substr(valueStart, closing - valueStart)));
        pos = closing + 1;
        if (pos >= text.size() || text[pos] != L' ') {
            break;
        }
        ++pos;
    }
    return list;
}

}  // namespace DuiLib
