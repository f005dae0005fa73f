#include "PlatformImage.h"

#include "ResourceSettings.h"
#include "LibraryFunction.h"
#include "SystemLibrary.h"
#include "UniqueHandle.h"

#include <objidl.h>

#include <cstring>

namespace DuiLib {

namespace {

// The few parts of the platform image library's flat interface in use here.
using GpStatus = int;
using GpImage = void;
using GpGraphics = void;
using GpBrush = void;
constexpr GpStatus kOk = 0;
constexpr int kPixelFormat32bppPremultipliedArgb = 0xE200B;
constexpr int kSmoothingModeHighQuality = 2;
constexpr int kSmoothingModeAntiAlias = 4;
constexpr int kInterpolationModeHighQualityBicubic = 7;
constexpr int kWrapModeTile = 0;
constexpr int kMatrixOrderAppend = 1;

struct StartupInput {
    UINT32 version = 1;
    void* debugEventCallback = nullptr;
    BOOL suppressBackgroundThread = FALSE;
    BOOL suppressExternalCodecs = FALSE;
};

struct ImageLibrary {
    GpStatus(WINAPI* startup)(ULONG_PTR*, const StartupInput*, void*) = nullptr;
    GpStatus(WINAPI* loadImageFromStream)(IStream*, GpImage**) = nullptr;
    GpStatus(WINAPI* cloneBitmapArea)(INT, INT, INT, INT, INT, GpImage*, GpImage**) = nullptr;
    GpStatus(WINAPI* disposeImage)(GpImage*) = nullptr;
    GpStatus(WINAPI* imageWidth)(GpImage*, UINT*) = nullptr;
    GpStatus(WINAPI* imageHeight)(GpImage*, UINT*) = nullptr;
    GpStatus(WINAPI* createFromHdc)(HDC, GpGraphics**) = nullptr;
    GpStatus(WINAPI* deleteGraphics)(GpGraphics*) = nullptr;
    GpStatus(WINAPI* setSmoothingMode)(GpGraphics*, int) = nullptr;
    GpStatus(WINAPI* setInterpolationMode)(GpGraphics*, int) = nullptr;
    GpStatus(WINAPI* drawImageRect)(GpGraphics*, GpImage*, INT, INT, INT, INT) = nullptr;
    GpStatus(WINAPI* createTexture)(GpImage*, int, GpBrush**) = nullptr;
    GpStatus(WINAPI* scaleTexture)(GpBrush*, float, float, int) = nullptr;
    GpStatus(WINAPI* translateTexture)(GpBrush*, float, float, int) = nullptr;
    GpStatus(WINAPI* fillEllipse)(GpGraphics*, GpBrush*, INT, INT, INT, INT) = nullptr;
    GpStatus(WINAPI* deleteBrush)(GpBrush*) = nullptr;
    bool started = false;
};

template <typename Fn>
void Bind(HMODULE module, Fn& function, const char* name, bool& complete) {
    function = LibraryFunction<Fn>(module, name);
    complete = complete && function != nullptr;
}

ImageLibrary Load() {
    // Loaded and started once, and never shut down: images may be drawn until the process ends.
    const HMODULE module = LoadSystemLibrary(L"gdiplus.dll").Release();
    ImageLibrary library;
    bool complete = module != nullptr;
    Bind(module, library.startup, "GdiplusStartup", complete);
    Bind(module, library.loadImageFromStream, "GdipLoadImageFromStream", complete);
    Bind(module, library.cloneBitmapArea, "GdipCloneBitmapAreaI", complete);
    Bind(module, library.disposeImage, "GdipDisposeImage", complete);
    Bind(module, library.imageWidth, "GdipGetImageWidth", complete);
    Bind(module, library.imageHeight, "GdipGetImageHeight", complete);
    Bind(module, library.createFromHdc, "GdipCreateFromHDC", complete);
    Bind(module, library.deleteGraphics, "GdipDeleteGraphics", complete);
    Bind(module, library.setSmoothingMode, "GdipSetSmoothingMode", complete);
    Bind(module, library.setInterpolationMode, "GdipSetInterpolationMode", complete);
    Bind(module, library.drawImageRect, "GdipDrawImageRectI", complete);
    Bind(module, library.createTexture, "GdipCreateTexture", complete);
    Bind(module, library.scaleTexture, "GdipScaleTextureTransform", complete);
    Bind(module, library.translateTexture, "GdipTranslateTextureTransform", complete);
    Bind(module, library.fillEllipse, "GdipFillEllipseI", complete);
    Bind(module, library.deleteBrush, "GdipDeleteBrush", complete);
    if (complete) {
        ULONG_PTR token = 0;
        const StartupInput input;
        library.started = library.startup(&token, &input, nullptr) == kOk;
    }
    return library;
}

const ImageLibrary& Library() {
    static const ImageLibrary library = Load();
    return library;
}

struct BrushDelete {
    void operator()(GpBrush* brush) const { Library().deleteBrush(brush); }
};
using ScopedBrushObject = std::unique_ptr<GpBrush, BrushDelete>;

// A stream over a copy of the bytes; the stream owns and frees its memory.
ComPtr<IStream> StreamOver(const BYTE* data, size_t size) {
    ComPtr<IStream> stream;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr) {
        return stream;
    }
    if (void* target = ::GlobalLock(memory)) {
        std::memcpy(target, data, size);
        ::GlobalUnlock(memory);
        if (SUCCEEDED(::CreateStreamOnHGlobal(memory, TRUE,
                                              reinterpret_cast<IStream**>(stream.Receive())))) {
            return stream;
        }
    }
    ::GlobalFree(memory);
    return stream;
}

// The graphics object of a DC for one drawing.
class ScopedGraphics {
public:
    explicit ScopedGraphics(HDC dc) {
        if (Library().createFromHdc(dc, &graphics_) != kOk) {
            graphics_ = nullptr;
        }
    }
    ~ScopedGraphics() {
        if (graphics_ != nullptr) {
            Library().deleteGraphics(graphics_);
        }
    }
    ScopedGraphics(const ScopedGraphics&) = delete;
    ScopedGraphics& operator=(const ScopedGraphics&) = delete;
    GpGraphics* Get() const { return graphics_; }

private:
    GpGraphics* graphics_ = nullptr;
};

}  // namespace

PlatformImage::~PlatformImage() {
    Library().disposeImage(image_);
}

std::unique_ptr<PlatformImage> PlatformImage::FromBytes(const BYTE* data, size_t size) {
    const ImageLibrary& library = Library();
    if (!library.started || data == nullptr || size == 0) {
        return nullptr;
    }
    const ComPtr<IStream> stream = StreamOver(data, size);
    GpImage* decoded = nullptr;
    if (!stream || library.loadImageFromStream(stream.Get(), &decoded) != kOk) {
        return nullptr;
    }
    // The decoded image may keep reading its stream; a copy of its pixels stands on its own.
    const auto streamed = std::make_unique<PlatformImage>(Key(), decoded);
    UINT width = 0;
    UINT height = 0;
    GpImage* copy = nullptr;
    if (library.imageWidth(decoded, &width) != kOk ||
        library.imageHeight(decoded, &height) != kOk || width == 0 || height == 0 ||
        library.cloneBitmapArea(0, 0, static_cast<INT>(width), static_cast<INT>(height),
                                kPixelFormat32bppPremultipliedArgb, decoded, &copy) != kOk) {
        return nullptr;
    }
    return std::make_unique<PlatformImage>(Key(), copy);
}

UINT PlatformImage::Width() const {
    UINT width = 0;
    Library().imageWidth(image_, &width);
    return width;
}

UINT PlatformImage::Height() const {
    UINT height = 0;
    Library().imageHeight(image_, &height);
    return height;
}

bool PlatformImage::DrawScaled(HDC dc, const RECT& rect) const {
    const ScopedGraphics graphics(dc);
    if (graphics.Get() == nullptr) {
        return false;
    }
    const ImageLibrary& library = Library();
    library.setSmoothingMode(graphics.Get(), kSmoothingModeHighQuality);
    library.setInterpolationMode(graphics.Get(), kInterpolationModeHighQualityBicubic);
    return library.drawImageRect(graphics.Get(), image_, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top) == kOk;
}

bool PlatformImage::FillEllipse(HDC dc, const RECT& rect) const {
    const UINT width = Width();
    const UINT height = Height();
    const ScopedGraphics graphics(dc);
    const ImageLibrary& library = Library();
    GpBrush* created = nullptr;
    if (graphics.Get() == nullptr || width == 0 || height == 0 ||
        library.createTexture(image_, kWrapModeTile, &created) != kOk) {
        return false;
    }
    const ScopedBrushObject texture(created);
    const int itemWidth = rect.right - rect.left;
    const int itemHeight = rect.bottom - rect.top;
    library.scaleTexture(texture.get(), static_cast<float>(itemWidth) / static_cast<float>(width),
                         static_cast<float>(itemHeight) / static_cast<float>(height),
                         kMatrixOrderAppend);
    library.translateTexture(
        texture.get(), static_cast<float>(rect.left % static_cast<LONG>(width)),
        static_cast<float>(rect.top % static_cast<LONG>(height)), kMatrixOrderAppend);
    library.setSmoothingMode(graphics.Get(), kSmoothingModeAntiAlias);
    return library.fillEllipse(graphics.Get(), texture.get(), rect.left, rect.top, itemWidth,
                               itemHeight) == kOk;
}

std::unique_ptr<PlatformImage> LoadPlatformImage(const std::wstring& name) {
    const std::optional<std::vector<BYTE>> bytes = ReadResourceBytes(name);
    if (!bytes) {
        return nullptr;
    }
    return PlatformImage::FromBytes(bytes->data(), bytes->size());
}

}  // namespace DuiLib
