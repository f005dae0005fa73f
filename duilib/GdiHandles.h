#pragma once

#include <windows.h>

#include <utility>

namespace DuiLib {

// Small owners for the GDI handles the framework creates. Each way of acquiring a handle has its
// own type, so a memory DC is never released with ReleaseDC, nor a selected object left behind in
// a DC that outlives the drawing. Move-only.
template <typename Traits>
class ScopedGdi {
public:
    using Handle = typename Traits::Handle;

    ScopedGdi() = default;
    explicit ScopedGdi(Handle handle) : handle_(handle) {}
    ~ScopedGdi() { Reset(); }

    ScopedGdi(const ScopedGdi&) = delete;
    ScopedGdi& operator=(const ScopedGdi&) = delete;
    ScopedGdi(ScopedGdi&& other) noexcept : handle_(other.Release()) {}
    ScopedGdi& operator=(ScopedGdi&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    Handle Release() { return std::exchange(handle_, nullptr); }

    void Reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            Traits::Close(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

namespace gdi_traits {

template <typename H>
struct Object {
    using Handle = H;
    static void Close(Handle h) { ::DeleteObject(h); }
};

// DCs from CreateCompatibleDC / CreateDC.
struct CreatedDC {
    using Handle = HDC;
    static void Close(Handle h) { ::DeleteDC(h); }
};

}  // namespace gdi_traits

using ScopedPen = ScopedGdi<gdi_traits::Object<HPEN>>;
using ScopedBrush = ScopedGdi<gdi_traits::Object<HBRUSH>>;
using ScopedBitmap = ScopedGdi<gdi_traits::Object<HBITMAP>>;
using ScopedRegion = ScopedGdi<gdi_traits::Object<HRGN>>;
using ScopedMemoryDC = ScopedGdi<gdi_traits::CreatedDC>;

// Selects an object into a DC and puts the previous one back when it goes away.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~ScopedSelectObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            ::SelectObject(dc_, previous_);
        }
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

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
