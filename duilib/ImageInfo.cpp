#include "ImageInfo.h"

#include "Loaders.h"
#include "ResourceSettings.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_JPEG
#define STBI_MAX_DIMENSIONS 16384
#include <stb/stb_image.h>

#include <climits>
#include <cwctype>
#include <memory>

namespace DuiLib {

namespace {

static_assert(STBI_MAX_DIMENSIONS == kMaxImageDimension);

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

std::optional<std::vector<BYTE>> ReadResource(const std::wstring& name, const std::wstring& type) {
    const HINSTANCE instance = ResourceInstance();
    const wchar_t* resourceName = name.c_str();
    if (!name.empty() && std::iswdigit(name.front())) {
        const unsigned long id = std::wcstoul(name.c_str(), nullptr, 10);
        if (id == 0 || id > 0xFFFF) {
            return std::nullopt;
        }
        resourceName = MAKEINTRESOURCEW(id);
    }
    const HRSRC resource = ::FindResourceW(instance, resourceName, type.c_str());
    if (resource == nullptr) {
        return std::nullopt;
    }
    const DWORD size = ::SizeofResource(instance, resource);
    const HGLOBAL loaded = ::LoadResource(instance, resource);
    const BYTE* bytes =
        loaded != nullptr ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    if (bytes == nullptr || size == 0) {
        return std::nullopt;
    }
    return std::vector<BYTE>(bytes, bytes + size);
}

std::optional<std::vector<BYTE>> ReadImageBytes(const std::wstring& name,
                                                const std::wstring& type) {
    constexpr size_t kMaxFullPathImageSize = 64u * 1024 * 1024;
    std::optional<std::vector<BYTE>> bytes =
        type.empty() ? ReadResourceBytes(name) : ReadResource(name, type);
    if (!bytes) {
        bytes = ReadWholeFile(name, kMaxFullPathImageSize);
    }
    return bytes;
}

ScopedBitmap CreateTopDownBitmap(const DecodedPixels& image) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ScopedBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        return ScopedBitmap();
    }
    std::copy(image.pixels.begin(), image.pixels.end(), static_cast<DWORD*>(bits));
    return bitmap;
}

}  // namespace

std::optional<DecodedPixels> DecodeImageBytes(const BYTE* data, size_t size, DWORD mask) {
    if (data == nullptr || size == 0 || size > static_cast<size_t>(INT_MAX)) {
        return std::nullopt;
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    const std::unique_ptr<stbi_uc, StbFree> rgba(
        stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 4));
    if (!rgba || width <= 0 || height <= 0) {
        return std::nullopt;
    }
    DecodedPixels image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    const stbi_uc* source = rgba.get();
    for (DWORD& pixel : image.pixels) {
        DWORD red = source[0];
        DWORD green = source[1];
        DWORD blue = source[2];
        const DWORD alpha = source[3];
        source += 4;
        if (alpha < 255) {
            red = red * alpha / 255;
            green = green * alpha / 255;
            blue = blue * alpha / 255;
            image.alphaChannel = true;
        }
        pixel = (alpha << 24) | (red << 16) | (green << 8) | blue;
        if (pixel == mask) {
            pixel = 0;
            image.alphaChannel = true;
        }
    }
    return image;
}

std::optional<ImageInfo> DecodeImage(const std::wstring& name, const std::wstring& type,
                                     DWORD mask) {
    const std::optional<std::vector<BYTE>> bytes = ReadImageBytes(name, type);
    if (!bytes) {
        return std::nullopt;
    }
    const std::optional<DecodedPixels> pixels =
        DecodeImageBytes(bytes->data(), bytes->size(), mask);
    if (!pixels) {
        return std::nullopt;
    }
    ImageInfo image;
    image.bitmap = CreateTopDownBitmap(*pixels);
    if (!image.bitmap) {
        return std::nullopt;
    }
    image.width = pixels->width;
    image.height = pixels->height;
    image.alphaChannel = pixels->alphaChannel;
    image.resourceType = type;
    image.mask = mask;
    return image;
}

}  // namespace DuiLib
