#pragma once

#include "MemoryCanvas.h"

#include <windows.h>

#include <cstdint>

namespace test {

// A memory DC over a top-down 32-bit DIB section, filled white, whose pixels tests read back.
class TestCanvas {
public:
    TestCanvas(int width, int height)
        : width_(width), height_(height), canvas_(nullptr, width, height) {
        pixels_ = reinterpret_cast<uint32_t*>(canvas_.Pixels());
        Fill(0xFFFFFF);
    }

    HDC Dc() const { return canvas_.Dc(); }
    RECT Whole() const { return RECT{0, 0, width_, height_}; }

    void Fill(uint32_t rgb) {
        ::GdiFlush();
        for (int i = 0; i < width_ * height_; ++i) {
            pixels_[i] = rgb;
        }
    }

    // 0x00RRGGBB.
    uint32_t Pixel(int x, int y) const {
        ::GdiFlush();
        return pixels_[y * width_ + x] & 0xFFFFFF;
    }

    int CountPixels(uint32_t rgb) const {
        ::GdiFlush();
        int count = 0;
        for (int i = 0; i < width_ * height_; ++i) {
            count += (pixels_[i] & 0xFFFFFF) == rgb ? 1 : 0;
        }
        return count;
    }

private:
    int width_;
    int height_;
    DuiLib::MemoryCanvas canvas_;
    uint32_t* pixels_ = nullptr;
};

}  // namespace test
