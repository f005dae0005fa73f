#include "ProgressMath.h"

#include <algorithm>

std::optional<int> ProgressFillWidth(int32_t done, int32_t total) {
    if (total <= 0) {
        return std::nullopt;
    }
    const double share = static_cast<float>(done) / static_cast<float>(total);
    const int width = static_cast<int>(share * kProgressFillScale);
    return std::clamp(width, 0, kProgressFillLimit);
}

std::optional<int64_t> ProgressPercent(int32_t done, int32_t total) {
    if (total <= 0) {
        return std::nullopt;
    }
    // Widened so that a very large count cannot overflow on the way.
    return int64_t{done} * 100 / total;
}

std::wstring ProgressLineText(const std::wstring& pattern, int64_t percent) {
    const std::wstring number = std::to_wstring(percent);
    std::wstring text;
    for (wchar_t ch : pattern) {
        if (ch == L'@') {
            text += number;
        } else {
            text += ch;
        }
    }
    return text;
}

int CentredLeftPadding(int boxWidth, int buttonWidth) {
    return (boxWidth - buttonWidth) / 2;
}
