#pragma once

#include "CImageCache.h"
// The colour, gradient, line, frame and text drawing that goes with image drawing.
#include "RenderPrimitives.h"

#include <windows.h>

#include <string>
#include <vector>

namespace DuiLib {

// Draws the images of an image description and its modifier over itemRect, limited to
// paintRect, loading them through images. False only without a device context or cache; an image
// that cannot be loaded is skipped and still counts as drawn.
bool DrawImageDescription(HDC dc, CImageCache* images, const RECT& itemRect, const RECT& paintRect,
                          const std::wstring& description, const std::wstring& modifier);

// One piece of a nine-part drawing: a part of the bitmap and where it goes.
struct BitmapPiece {
    RECT dest;
    RECT source;
};

// The pieces that draw source onto dest: the corners unscaled, the edges stretched along their
// length, the middle (unless hole) stretched or tiled. Tiles of the last row and column are cut
// at dest's edge, their source by the same amount. Empty pieces are left out.
std::vector<BitmapPiece> NinePartPieces(const RECT& dest, const RECT& source, const RECT& corners,
                                        bool hole, bool xTiled, bool yTiled);

// Draws source (a part of bitmap, a premultiplied 32-bit DIB section) onto dest by nine parts,
// limited to paintRect. Blended per pixel when the image has alpha or fade is below 255;
// otherwise copied (an exact-size image without corners in one plain copy).
void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& dest, const RECT& paintRect, const RECT& source,
                const RECT& corners, bool alphaChannel, BYTE fade, bool hole, bool xTiled,
                bool yTiled);

}  // namespace DuiLib
