#include "TextConvert.h"

#include <windows.h>

#include <climits>

std::wstring Utf8ToWide(std::string_view utf8) {
    if (utf8.empty() || utf8.size() > INT_MAX - 10) {
        return std::wstring();
    }
    // One UTF-16 unit per byte is always enough; the margin keeps the original sizing.
    std::wstring wide(utf8.size() + 10, L'\0');
    const int written =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                              static_cast<int>(wide.size()));
    wide.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
    if (wide.empty() || wide.size() > INT_MAX / 3) {
        return std::string();
    }
    const int size = static_cast<int>(wide.size());
    const int needed =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return std::string();
    }
    std::string utf8(static_cast<std::size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), needed, nullptr, nullptr);
    return utf8;
}

std::wstring TrimWhitespace(std::wstring_view text) {
    constexpr std::wstring_view kWhitespace = L" \t\r\n\v\f";
    const auto first = text.find_first_not_of(kWhitespace);
    if (first == std::wstring_view::npos) {
        return std::wstring();
    }
    const auto last = text.find_last_not_of(kWhitespace);
    return std::wstring(text.substr(first, last - first + 1));
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return a.size() <= INT_MAX && b.size() <= INT_MAX &&
           ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}
