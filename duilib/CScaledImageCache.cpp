#include "CScaledImageCache.h"

#include "Check.h"

#include <tuple>

namespace DuiLib {

namespace {

auto Fields(const ScaledImageKey& key) {
    const RECT& s = key.source;
    const RECT& c = key.corners;
    return std::make_tuple(key.bitmap, s.left, s.top, s.right, s.bottom, c.left, c.top, c.right,
                           c.bottom, key.size.cx, key.size.cy, key.blended, key.hole, key.xTiled,
                           key.yTiled);
}

}  // namespace

bool operator<(const ScaledImageKey& a, const ScaledImageKey& b) {
    return Fields(a) < Fields(b);
}

const MemoryCanvas* CScaledImageCache::Find(const ScaledImageKey& key) const {
    const auto found = drawings_.find(key);
    return found != drawings_.end() ? found->second.get() : nullptr;
}

const MemoryCanvas* CScaledImageCache::Add(const ScaledImageKey& key, HDC reference) {
    UNINSTALLER_CHECK(Find(key) == nullptr, "a kept drawing is added again");
    if (key.size.cx <= 0 || key.size.cy <= 0) {
        return nullptr;
    }
    const size_t pixels = static_cast<size_t>(key.size.cx) * static_cast<size_t>(key.size.cy);
    if (pixels > kMaxPixels) {
        return nullptr;
    }
    if (pixels_ + pixels > kMaxPixels || drawings_.size() >= kMaxDrawings) {
        drawings_.clear();
        pixels_ = 0;
    }
    auto canvas = std::make_unique<MemoryCanvas>(reference, key.size.cx, key.size.cy);
    if (!canvas->IsValid()) {
        return nullptr;
    }
    pixels_ += pixels;
    return drawings_.emplace(key, std::move(canvas)).first->second.get();
}

}  // namespace DuiLib
