#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace DuiLib {

// The arithmetic of the basic controls, over plain values.

// Text style bits (the platform's text drawing flags).
enum TextStyleBits : UINT {
    kTextLeft = 0x0,
    kTextCenter = 0x1,
    kTextRight = 0x2,
    kTextTop = 0x0,
    kTextVCenter = 0x4,
    kTextBottom = 0x8,
    kTextWordBreak = 0x10,
    kTextSingleLine = 0x20,
    kTextEndEllipsis = 0x8000,
};

// The text style after the "align" words in value: each of "left", "center", "right", "top",
// "vcenter" and "bottom" found anywhere in value (in that order) changes its bits, so "vcenter"
// also counts as "center".
UINT ApplyAlignWords(UINT style, std::wstring_view value);

// The part of a progress bar covered by its value, relative to the control: the value is clamped
// into [min, max] (max raised to min + 1 when not above min); a horizontal bar grows from the
// left, a vertical one from the bottom.
RECT ProgressForePart(SIZE controlSize, int minimum, int maximum, int value, bool horizontal);

// The modifier that draws a progress bar's fore image over forePart: stretched into it, or cut
// from the image's same part when not stretched.
std::wstring ProgressModifier(const RECT& forePart, bool stretch);

// Where the native edit window goes: itemRect less the padding, cut to the font's height and
// centred vertically when the font is lower than that.
RECT EditTextRect(const RECT& itemRect, const RECT& textPadding, int fontHeight);

// text with every character replaced by passwordChar.
std::wstring MaskedText(const std::wstring& text, wchar_t passwordChar);

}  // namespace DuiLib
