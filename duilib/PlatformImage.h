#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace DuiLib {

// An image decoded by the platform's image library (GDI+, loaded from the system folder and
// started once for the process), for drawing that needs smooth scaling or texture brushes.
// Independent of the bytes it was decoded from. Use from one thread at a time.
class PlatformImage {
public:
    ~PlatformImage();
    PlatformImage(const PlatformImage&) = delete;
    PlatformImage& operator=(const PlatformImage&) = delete;

    // Decodes bytes; nullptr when the library is missing or the bytes are not an image.
    static std::unique_ptr<PlatformImage> FromBytes(const BYTE* data, size_t size);

    UINT Width() const;
    UINT Height() const;
    // Draws the whole image scaled to rect with high-quality smoothing and interpolation.
    bool DrawScaled(HDC dc, const RECT& rect) const;
    // Fills the ellipse inscribed in rect, anti-aliased, with the image as a tiled texture scaled
    // by (rect width / image width, rect height / image height) and offset by
    // (rect.left mod width, rect.top mod height).
    bool FillEllipse(HDC dc, const RECT& rect) const;

    // Made by FromBytes only; takes ownership of the library's image object.
    class Key {
        friend class PlatformImage;
        explicit Key() = default;
    };
    PlatformImage(Key, void* image) : image_(image) {}

private:
    void* image_;  // the library's image object, owned
};

// The image called name (read as ReadResourceBytes does: folder or archive), decoded by the
// platform's image library; nullptr when it is missing or not an image.
std::unique_ptr<PlatformImage> LoadPlatformImage(const std::wstring& name);

}  // namespace DuiLib
