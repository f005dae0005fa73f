#pragma once

#include "UniqueHandle.h"

#include <windows.h>

#include <optional>

namespace DuiLib {

// A top-down 32-bit DIB section selected into a memory DC compatible with a reference DC: a
// surface to draw on off screen and whose pixels can be read and blended directly.
class MemoryCanvas {
public:
    MemoryCanvas(HDC reference, int width, int height);
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    bool IsValid() const { return selection_ && selection_->Succeeded() && bits_ != nullptr; }
    HDC Dc() const { return dc_.Get(); }
    // Row after row from the top, one 0xAARRGGBB value per pixel. Call GdiFlush before reading.
    DWORD* Pixels() const { return static_cast<DWORD*>(bits_); }

private:
    ScopedMemoryDC dc_;
    ScopedBitmap bitmap_;
    void* bits_ = nullptr;
    // Declared last: the bitmap leaves the DC before either is deleted.
    std::optional<ScopedSelectObject> selection_;
};

}  // namespace DuiLib
