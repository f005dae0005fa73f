#pragma once

#include "UniqueHandle.h"

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace DuiLib {

// One decoded image, ready to be blended or copied.
struct ImageInfo {
    // 32-bit top-down DIB section, premultiplied alpha, blue-green-red-alpha bytes.
    ScopedBitmap bitmap;
    int width = 0;
    int height = 0;
    // Some pixel is not fully opaque or was masked out.
    bool alphaChannel = false;
    // Resource type the image was loaded from; empty for files and archive entries.
    std::wstring resourceType;
    // Colour (0xAARRGGBB after premultiplying) made transparent when loading; 0 for none.
    DWORD mask = 0;
};

// Decoded pixels before they become a bitmap: rows from the top, one premultiplied 0xAARRGGBB
// value per pixel.
struct DecodedPixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
    bool alphaChannel = false;
};

// Largest width or height of an image that is decoded; bigger ones are taken as corrupt.
inline constexpr int kMaxImageDimension = 16384;

// Decodes image bytes (PNG, BMP or JPEG) and premultiplies them: colour channels become
// channel * alpha / 255 where alpha is below 255, and a resulting pixel equal to mask becomes
// fully transparent. None when the bytes are not a decodable image.
std::optional<DecodedPixels> DecodeImageBytes(const BYTE* data, size_t size, DWORD mask);

// The image called name: with a type, the resource (name, type) of ResourceInstance() (a name
// starting with a digit is a numeric identifier); without, ReadResourceBytes(name); in both cases
// the file name itself as a full path as the last resort. None on any failure.
std::optional<ImageInfo> DecodeImage(const std::wstring& name, const std::wstring& type,
                                     DWORD mask);

}  // namespace DuiLib
