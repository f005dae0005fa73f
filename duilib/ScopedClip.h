#pragma once

#include "UniqueHandle.h"

#include <windows.h>

namespace DuiLib {

// A copy of the DC's current clip region, or an empty holder when the DC is not clipped.
inline ScopedRegion CopyClipRegion(HDC dc) {
    ScopedRegion region(::CreateRectRgn(0, 0, 0, 0));
    if (region && ::GetClipRgn(dc, region.Get()) != 1) {
        region.Reset();
    }
    return region;
}

// Narrows a DC's clip region for one drawing step and restores the exact previous region (or the
// absence of one) afterwards, so nested clips of containers and rounded controls compose.
class ScopedClip {
public:
    explicit ScopedClip(HDC dc) : dc_(dc), saved_(CopyClipRegion(dc)) {}
    ~ScopedClip() { ::SelectClipRgn(dc_, saved_.Get()); }
    ScopedClip(const ScopedClip&) = delete;
    ScopedClip& operator=(const ScopedClip&) = delete;

    void Intersect(const RECT& rect) {
        ::IntersectClipRect(dc_, rect.left, rect.top, rect.right, rect.bottom);
    }
    // Replaces the clip with a copy of region (nullptr: no clip).
    void Select(HRGN region) { ::SelectClipRgn(dc_, region); }
    void IntersectRoundRect(const RECT& rect, SIZE corner) {
        ScopedRegion round(::CreateRoundRectRgn(rect.left, rect.top, rect.right, rect.bottom,
                                                corner.cx, corner.cy));
        if (round) {
            ::ExtSelectClipRgn(dc_, round.Get(), RGN_AND);
        }
    }

private:
    HDC dc_;
    ScopedRegion saved_;  // empty when the DC had no clip
};

}  // namespace DuiLib
