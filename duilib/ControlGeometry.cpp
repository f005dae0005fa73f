#include "ControlGeometry.h"

#include <algorithm>

namespace DuiLib {

UINT ApplyAlignWords(UINT style, std::wstring_view value) {
    struct AlignWord {
        std::wstring_view word;
        UINT clear;
        UINT set;
    };
    static constexpr AlignWord kWords[] = {
        {L"left", 0x27, 0},  {L"center", 0x2, 0x1},   {L"right", 0x25, 0x2},
        {L"top", 0xC, 0x20}, {L"vcenter", 0x8, 0x25}, {L"bottom", 0x4, 0x28},
    };
    for (const AlignWord& align : kWords) {
        if (value.find(align.word) != std::wstring_view::npos) {
            style = (style & ~align.clear) | align.set;
        }
    }
    return style;
}

RECT ProgressForePart(SIZE controlSize, int minimum, int maximum, int value, bool horizontal) {
    if (minimum >= maximum) {
        maximum = minimum + 1;
    }
    value = std::clamp(value, minimum, maximum);
    // 64-bit products: a wide control times a large range must not overflow.
    const long long range = static_cast<long long>(maximum) - minimum;
    if (horizontal) {
        const long long right = controlSize.cx * (static_cast<long long>(value) - minimum) / range;
        return RECT{0, 0, static_cast<LONG>(right), controlSize.cy};
    }
    const long long top = controlSize.cy * (static_cast<long long>(maximum) - value) / range;
    return RECT{0, static_cast<LONG>(top), controlSize.cx, controlSize.cy};
}

std::wstring ProgressModifier(const RECT& forePart, bool stretch) {
    const std::wstring rect =
        std::to_wstring(forePart.left) + L"," + std::to_wstring(forePart.top) + L"," +
        std::to_wstring(forePart.right) + L"," + std::to_wstring(forePart.bottom);
    std::wstring modifier = L"dest='" + rect + L"'";
    if (!stretch) {
        modifier += L" source='" + rect + L"'";
    }
    return modifier;
}

RECT EditTextRect(const RECT& itemRect, const RECT& textPadding, int fontHeight) {
    RECT rect = {itemRect.left + textPadding.left, itemRect.top + textPadding.top,
                 itemRect.right - textPadding.right, itemRect.bottom - textPadding.bottom};
    const LONG height = rect.bottom - rect.top;
    if (fontHeight < height) {
        rect.top += (height - fontHeight) / 2;
        rect.bottom = rect.top + fontHeight;
    }
    return rect;
}

std::wstring MaskedText(const std::wstring& text, wchar_t passwordChar) {
    return std::wstring(text.size(), passwordChar);
}

}  // namespace DuiLib
