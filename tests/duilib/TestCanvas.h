#pragma once

#include <windows.h>

#include <cstdint>

namespace test {

// A memory DC over a top-down 32-bit DIB section, filled white, whose pixels tests read back.
class TestCanvas {
public:
    TestCanvas(int width, int height) : width_(width), height_(height) {
        dc_ = ::CreateCompatibleDC(nullptr);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        pixels_ = static_cast<uint32_t*>(bits);
        previous_ = ::SelectObject(dc_, bitmap_);
        Fill(0xFFFFFF);
    }
    ~TestCanvas() {
        ::SelectObject(dc_, previous_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    TestCanvas(const TestCanvas&) = delete;
    TestCanvas& operator=(const TestCanvas&) = delete;

    HDC Dc() const { return dc_; }
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
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint32_t* pixels_ = nullptr;
};

}  // namespace test
