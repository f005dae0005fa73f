#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace DuiLib {

// Which way a gradient runs: from the left edge to the right, or from the top to the bottom.
enum class GradientDirection { kHorizontal, kVertical };

// Colour, gradient and line drawing used by the controls' paint steps. Colours are 0xAARRGGBB.

inline int RectWidth(const RECT& rect) {
    return rect.right - rect.left;
}

inline int RectHeight(const RECT& rect) {
    return rect.bottom - rect.top;
}

// Nothing when the alpha is 0; an opaque fill at alpha 255; otherwise the colour is blended over
// rect with its alpha.
void FillColor(HDC dc, const RECT& rect, DWORD color);

// A linear gradient from first (top or left) to second (bottom or right). Its alpha is the mean of
// the two colours' alphas: nothing at 0, blended below 255. Uses the platform's gradient fill,
// or solid bands (FillGradientBands) where that is missing.
void FillGradient(HDC dc, const RECT& rect, DWORD first, DWORD second, GradientDirection direction,
                  int steps);

struct GradientBand {
    RECT rect;
    DWORD color;  // 0x00RRGGBB
};

// The banded stand-in for a gradient: a power of two of bands chosen from steps (2 to 64); the
// band at the far end has the second colour and each band towards the start moves one step
// towards the first.
std::vector<GradientBand> GradientBands(const RECT& rect, DWORD first, DWORD second,
                                        GradientDirection direction, int steps);
void FillGradientBands(HDC dc, const RECT& rect, DWORD first, DWORD second,
                       GradientDirection direction, int steps);

// A line of the given pen style and width from (rect.left, rect.top) to (rect.right, rect.bottom),
// centred on that line and cut square at both ends.
void StrokeLine(HDC dc, const RECT& rect, int width, DWORD color, int penStyle);

// Outlines drawn inside rect, without fill.
void DrawFrameRect(HDC dc, const RECT& rect, int width, DWORD color);
void DrawRoundFrame(HDC dc, const RECT& rect, int width, int cornerWidth, int cornerHeight,
                    DWORD color);

// Text in the colour (0xAARRGGBB; the alpha is ignored) and font over a transparent background,
// drawn with the platform's text drawing and the style flags (DT_*), never treating "&" as a
// prefix. Nothing for empty text; the DC's current font when font is nullptr.
void DrawPlainText(HDC dc, HFONT font, const RECT& rect, const std::wstring& text, DWORD color,
                   UINT style);

struct BorderLine {
    RECT line;  // from (left, top) to (right, bottom)
    int width;
};

// The lines of a border with its own width per side (left, top, right, bottom in sides; sides of
// width 0 or less are left out), placed so that each side's band lies inside item.
std::vector<BorderLine> SideBorderLines(const RECT& item, const RECT& sides);

}  // namespace DuiLib
