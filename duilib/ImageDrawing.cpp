#include "ImageDrawing.h"

#include "BlendLibrary.h"
#include "UniqueHandle.h"
#include "RenderPrimitives.h"

#include <algorithm>

namespace DuiLib {

namespace {

bool Meets(const RECT& a, const RECT& b) {
    RECT common;
    return ::IntersectRect(&common, &a, &b) != FALSE;
}

void AddPiece(std::vector<BitmapPiece>& pieces, const RECT& dest, const RECT& source) {
    if (RectWidth(dest) > 0 && RectHeight(dest) > 0 && RectWidth(source) > 0 &&
        RectHeight(source) > 0) {
        pieces.push_back({dest, source});
    }
}

// The middle part, stretched or tiled. A tile along an axis keeps the source size and is cut at
// the destination's far edge; along an untiled axis it is stretched to the whole middle.
void AddMiddle(std::vector<BitmapPiece>& pieces, const RECT& dest, const RECT& source, bool xTiled,
               bool yTiled) {
    if (!xTiled && !yTiled) {
        AddPiece(pieces, dest, source);
        return;
    }
    const int tileWidth = xTiled ? RectWidth(source) : RectWidth(dest);
    const int tileHeight = yTiled ? RectHeight(source) : RectHeight(dest);
    if (tileWidth < 1 || tileHeight < 1) {
        return;
    }
    for (int y = dest.top; y < dest.bottom; y += tileHeight) {
        const int height = std::min(tileHeight, static_cast<int>(dest.bottom - y));
        const LONG sourceBottom = yTiled ? source.top + height : source.bottom;
        for (int x = dest.left; x < dest.right; x += tileWidth) {
            const int width = std::min(tileWidth, static_cast<int>(dest.right - x));
            const LONG sourceRight = xTiled ? source.left + width : source.right;
            AddPiece(pieces, RECT{x, y, x + width, y + height},
                     RECT{source.left, source.top, sourceRight, sourceBottom});
        }
    }
}

struct BitmapDC {
    explicit BitmapDC(HDC reference, HBITMAP bitmap)
        : dc(::CreateCompatibleDC(reference)), select(dc.Get(), bitmap) {}
    ScopedMemoryDC dc;
    ScopedSelectObject select;
};

// Keeps a DC's stretch mode (and brush origin, which halftoning moves) for one drawing.
class ScopedHalftone {
public:
    explicit ScopedHalftone(HDC dc) : dc_(dc), previousMode_(::SetStretchBltMode(dc, HALFTONE)) {
        ::SetBrushOrgEx(dc, 0, 0, &previousOrigin_);
    }
    ~ScopedHalftone() {
        ::SetBrushOrgEx(dc_, previousOrigin_.x, previousOrigin_.y, nullptr);
        if (previousMode_ != 0) {
            ::SetStretchBltMode(dc_, previousMode_);
        }
    }
    ScopedHalftone(const ScopedHalftone&) = delete;
    ScopedHalftone& operator=(const ScopedHalftone&) = delete;

private:
    HDC dc_;
    int previousMode_;
    POINT previousOrigin_ = {};
};

// The drawing kept for key, drawn now at fade 255 when it is not kept yet. A blended drawing is
// made by blending onto transparent black, which leaves exactly the stretched premultiplied
// pixels, so copying it later blends as the direct drawing would.
const MemoryCanvas* ScaledDrawing(HDC dc, CScaledImageCache& drawings, const ScaledImageKey& key) {
    if (const MemoryCanvas* kept = drawings.Find(key)) {
        return kept;
    }
    const MemoryCanvas* drawing = drawings.Add(key, dc);
    if (drawing != nullptr) {
        const RECT whole = {0, 0, key.size.cx, key.size.cy};
        DrawBitmap(drawing->Dc(), key.bitmap, whole, whole, key.source, key.corners, key.blended,
                   255, key.hole, key.xTiled, key.yTiled);
        ::GdiFlush();
    }
    return drawing;
}

// Copies the part of a kept drawing that meets paintRect onto dest, one to one. With a hole only
// the border pieces are copied, as an opaque drawing has nothing to leave the middle alone.
void CopyScaledDrawing(HDC dc, const MemoryCanvas& drawing, const RECT& dest, const RECT& paintRect,
                       const RECT& corners, bool blended, BYTE fade, bool hole) {
    const RECT whole = {0, 0, RectWidth(dest), RectHeight(dest)};
    constexpr bool kUntiled = false;
    const std::vector<BitmapPiece> pieces =
        hole ? NinePartPieces(dest, whole, corners, hole, kUntiled, kUntiled)
             : std::vector<BitmapPiece>{{dest, whole}};
    const auto alphaBlend = GetBlendLibrary().alphaBlend;
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, fade, AC_SRC_ALPHA};
    for (const BitmapPiece& piece : pieces) {
        RECT part;
        if (!::IntersectRect(&part, &piece.dest, &paintRect)) {
            continue;
        }
        const int x = piece.source.left + part.left - piece.dest.left;
        const int y = piece.source.top + part.top - piece.dest.top;
        if (blended && alphaBlend != nullptr) {
            alphaBlend(dc, part.left, part.top, RectWidth(part), RectHeight(part), drawing.Dc(), x,
                       y, RectWidth(part), RectHeight(part), blend);
        } else {
            ::BitBlt(dc, part.left, part.top, RectWidth(part), RectHeight(part), drawing.Dc(), x, y,
                     SRCCOPY);
        }
    }
}

bool DrawOneImage(HDC dc, CImageCache& images, const RECT& itemRect, const RECT& paintRect,
                  const ImageDrawSettings& settings) {
    if (settings.name.empty()) {
        return false;
    }
    const ImageInfo* image =
        images.ImageOrLoad(settings.name, settings.resourceType, settings.mask);
    if (image == nullptr) {
        return false;
    }
    const RECT dest = ImageDestination(settings, itemRect);
    const RECT source = ClampImageSource(settings.source, image->width, image->height);
    if (!Meets(dest, itemRect) || !Meets(dest, paintRect)) {
        return true;
    }
    const bool blended = image->alphaChannel || settings.fade < 255;
    if (RectWidth(dest) != RectWidth(source) || RectHeight(dest) != RectHeight(source)) {
        const ScaledImageKey key = {image->bitmap.Get(),
                                    source,
                                    settings.corner,
                                    SIZE{RectWidth(dest), RectHeight(dest)},
                                    blended,
                                    settings.hole,
                                    settings.xTiled,
                                    settings.yTiled};
        if (const MemoryCanvas* drawing = ScaledDrawing(dc, images.ScaledImages(), key)) {
            CopyScaledDrawing(dc, *drawing, dest, paintRect, settings.corner, blended,
                              settings.fade, settings.hole);
            return true;
        }
    }
    DrawBitmap(dc, image->bitmap.Get(), dest, paintRect, source, settings.corner,
               image->alphaChannel, settings.fade, settings.hole, settings.xTiled, settings.yTiled);
    return true;
}

}  // namespace

std::vector<BitmapPiece> NinePartPieces(const RECT& dest, const RECT& source, const RECT& corners,
                                        bool hole, bool xTiled, bool yTiled) {
    const RECT& c = corners;
    // Inner edges of the fixed borders, in the destination and in the source.
    const LONG dl = dest.left + c.left, dt = dest.top + c.top;
    const LONG dr = dest.right - c.right, db = dest.bottom - c.bottom;
    const LONG sl = source.left + c.left, st = source.top + c.top;
    const LONG sr = source.right - c.right, sb = source.bottom - c.bottom;

    std::vector<BitmapPiece> pieces;
    if (!hole) {
        AddMiddle(pieces, RECT{dl, dt, dr, db}, RECT{sl, st, sr, sb}, xTiled, yTiled);
    }
    if (c.left > 0 && c.top > 0) {
        AddPiece(pieces, RECT{dest.left, dest.top, dl, dt}, RECT{source.left, source.top, sl, st});
    }
    if (c.top > 0) {
        AddPiece(pieces, RECT{dl, dest.top, dr, dt}, RECT{sl, source.top, sr, st});
    }
    if (c.right > 0 && c.top > 0) {
        AddPiece(pieces, RECT{dr, dest.top, dest.right, dt},
                 RECT{sr, source.top, source.right, st});
    }
    if (c.left > 0) {
        AddPiece(pieces, RECT{dest.left, dt, dl, db}, RECT{source.left, st, sl, sb});
    }
    if (c.right > 0) {
        AddPiece(pieces, RECT{dr, dt, dest.right, db}, RECT{sr, st, source.right, sb});
    }
    if (c.left > 0 && c.bottom > 0) {
        AddPiece(pieces, RECT{dest.left, db, dl, dest.bottom},
                 RECT{source.left, sb, sl, source.bottom});
    }
    if (c.bottom > 0) {
        AddPiece(pieces, RECT{dl, db, dr, dest.bottom}, RECT{sl, sb, sr, source.bottom});
    }
    if (c.right > 0 && c.bottom > 0) {
        AddPiece(pieces, RECT{dr, db, dest.right, dest.bottom},
                 RECT{sr, sb, source.right, source.bottom});
    }
    return pieces;
}

void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& dest, const RECT& paintRect, const RECT& source,
                const RECT& corners, bool alphaChannel, BYTE fade, bool hole, bool xTiled,
                bool yTiled) {
    if (dc == nullptr || bitmap == nullptr) {
        return;
    }
    const BitmapDC image(dc, bitmap);
    if (!image.dc) {
        return;
    }
    const auto alphaBlend = GetBlendLibrary().alphaBlend;
    if (alphaBlend != nullptr && (alphaChannel || fade < 255)) {
        const BLENDFUNCTION blend = {AC_SRC_OVER, 0, fade, AC_SRC_ALPHA};
        for (const BitmapPiece& piece :
             NinePartPieces(dest, source, corners, hole, xTiled, yTiled)) {
            if (Meets(piece.dest, paintRect)) {
                alphaBlend(dc, piece.dest.left, piece.dest.top, RectWidth(piece.dest),
                           RectHeight(piece.dest), image.dc.Get(), piece.source.left,
                           piece.source.top, RectWidth(piece.source), RectHeight(piece.source),
                           blend);
            }
        }
        return;
    }
    const bool noCorners =
        corners.left == 0 && corners.top == 0 && corners.right == 0 && corners.bottom == 0;
    if (noCorners && !hole && RectWidth(dest) == RectWidth(source) &&
        RectHeight(dest) == RectHeight(source)) {
        RECT part;
        if (::IntersectRect(&part, &dest, &paintRect)) {
            ::BitBlt(dc, part.left, part.top, RectWidth(part), RectHeight(part), image.dc.Get(),
                     source.left + part.left - dest.left, source.top + part.top - dest.top,
                     SRCCOPY);
        }
        return;
    }
    const ScopedHalftone halftone(dc);
    for (const BitmapPiece& piece : NinePartPieces(dest, source, corners, hole, xTiled, yTiled)) {
        if (!Meets(piece.dest, paintRect)) {
            continue;
        }
        if (RectWidth(piece.dest) == RectWidth(piece.source) &&
            RectHeight(piece.dest) == RectHeight(piece.source)) {
            ::BitBlt(dc, piece.dest.left, piece.dest.top, RectWidth(piece.dest),
                     RectHeight(piece.dest), image.dc.Get(), piece.source.left, piece.source.top,
                     SRCCOPY);
        } else {
            ::StretchBlt(dc, piece.dest.left, piece.dest.top, RectWidth(piece.dest),
                         RectHeight(piece.dest), image.dc.Get(), piece.source.left,
                         piece.source.top, RectWidth(piece.source), RectHeight(piece.source),
                         SRCCOPY);
        }
    }
}

bool DrawImageDescription(HDC dc, CImageCache* images, const RECT& itemRect, const RECT& paintRect,
                          const std::wstring& description, const std::wstring& modifier) {
    if (dc == nullptr || images == nullptr) {
        return false;
    }
    for (const ImageDrawSettings& settings : images->ImagesOf(description, modifier)) {
        DrawOneImage(dc, *images, itemRect, paintRect, settings);
    }
    return true;
}

}  // namespace DuiLib
