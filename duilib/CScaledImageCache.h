#pragma once

#include "MemoryCanvas.h"

#include <windows.h>

#include <map>
#include <memory>

namespace DuiLib {

// What a kept drawing shows: a part of a bitmap drawn by nine parts at a size.
struct ScaledImageKey {
    HBITMAP bitmap = nullptr;
    RECT source = {};
    RECT corners = {};
    SIZE size = {};
    bool blended = false;  // drawn with per-pixel alpha (transparent where nothing is drawn)
    bool hole = false;
    bool xTiled = false;
    bool yTiled = false;
};
bool operator<(const ScaledImageKey& a, const ScaledImageKey& b);

// The stretched nine-part drawings of a window's images at the sizes its controls have. Halftone
// stretching costs far more than a copy, and a window repaints the same images at the same sizes,
// so each is stretched once and copied from here afterwards. The bitmaps must outlive the cache.
// Used from the window's thread only.
class CScaledImageCache {
public:
    // Past these, everything kept is dropped and drawn again as needed (a window being resized
    // would otherwise keep one drawing per size it passed through).
    static constexpr size_t kMaxPixels = 4 * 1024 * 1024;
    static constexpr size_t kMaxDrawings = 64;

    CScaledImageCache() = default;
    CScaledImageCache(const CScaledImageCache&) = delete;
    CScaledImageCache& operator=(const CScaledImageCache&) = delete;

    // The drawing kept for key, or nullptr.
    const MemoryCanvas* Find(const ScaledImageKey& key) const;
    // A blank (all zero) canvas of key's size, kept for key (not kept yet) for the caller to draw
    // on; nullptr
    // when the size is empty, larger than kMaxPixels, or no canvas could be made.
    const MemoryCanvas* Add(const ScaledImageKey& key, HDC reference);
    size_t Count() const { return drawings_.size(); }

private:
    std::map<ScaledImageKey, std::unique_ptr<MemoryCanvas>> drawings_;
    size_t pixels_ = 0;
};

}  // namespace DuiLib
