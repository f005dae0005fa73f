#include "MemoryCanvas.h"

namespace DuiLib {

MemoryCanvas::MemoryCanvas(HDC reference, int width, int height)
    : dc_(::CreateCompatibleDC(reference)) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_.Reset(::CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (dc_ && bitmap_) {
        selection_.emplace(dc_.Get(), bitmap_.Get());
    }
}

}  // namespace DuiLib
