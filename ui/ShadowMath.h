#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// The arithmetic of the computed drop shadow: from the parent window's outline (one span of
// covered columns per row) to the premultiplied pixels of the shadow window. No Win32 here, so
// every step can be checked against hand-computed values.

// A run of columns [start, end) of one row. A span with start >= end is empty.
struct ShadowSpan {
    int start = 0;
    int end = 0;

    bool IsEmpty() const { return start >= end; }
    bool operator==(const ShadowSpan& other) const {
        return start == other.start && end == other.end;
    }
};

struct ShadowSettings {
    uint8_t darkness = 150;  // opacity of the shadow's core
    uint8_t sharpness = 5;   // width of the soft edge in pixels
    int8_t size = 0;         // how far the shadow reaches beyond the parent on every side
    int8_t xOffset = 5;
    int8_t yOffset = 5;
    COLORREF colour = RGB(0, 0, 0);
};

// Size of the shadow window for a parent of width x height: the parent plus size on every side.
SIZE ShadowWindowSize(int parentWidth, int parentHeight, int size);

// Top-left corner of the shadow window on the screen for a parent whose window rectangle starts
// at parentLeft, parentTop.
POINT ShadowWindowOrigin(int parentLeft, int parentTop, const ShadowSettings& settings);

// colour (0x00BBGGRR) with alpha as one premultiplied 0xAARRGGBB pixel.
uint32_t PremultipliedPixel(COLORREF colour, uint8_t alpha);

// The spans of the shadow rows: the parent's rows moved right and down by size, one empty entry
// above and below, then narrowed by one pixel per pass for (sharpness - size) passes. Entry i + 1
// belongs to shadow row i. parentRows holds, per parent row, the covered span or an empty span.
std::vector<ShadowSpan> ShadowRowSpans(const std::vector<ShadowSpan>& parentRows, int parentWidth,
                                       const ShadowSettings& settings);

// The (2k + 1) x (2k + 1) soft-edge kernel, row after row, k = max(size, sharpness).
std::vector<uint32_t> ShadowKernel(const ShadowSettings& settings);

// The computed shadow for a parent of parentWidth x parentRows.size(): shadow row after shadow
// row from the top, one premultiplied 0xAARRGGBB value per pixel. Transparent where the parent
// covers the shadow window. parentRows as for ShadowRowSpans.
std::vector<uint32_t> ComputeShadowPixels(const std::vector<ShadowSpan>& parentRows,
                                          int parentWidth, const ShadowSettings& settings);
