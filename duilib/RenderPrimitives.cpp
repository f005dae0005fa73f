#include "RenderPrimitives.h"

#include "BlendLibrary.h"
#include "ColorAdjust.h"
#include "UniqueHandle.h"
#include "MemoryCanvas.h"

namespace DuiLib {

namespace {

void FillOpaque(HDC dc, const RECT& rect, COLORREF color) {
    const COLORREF previous = ::SetBkColor(dc, color);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc, previous);
}

void DrawOpaqueGradient(HDC dc, const RECT& rect, DWORD first, DWORD second,
                        GradientDirection direction, int steps) {
    const auto gradientFill = GetBlendLibrary().gradientFill;
    if (gradientFill == nullptr) {
        FillGradientBands(dc, rect, first, second, direction, steps);
        return;
    }
    auto channel = [](DWORD color, int shift) {
        return static_cast<COLOR16>(((color >> shift) & 0xFF) << 8);
    };
    TRIVERTEX vertices[2] = {
        {rect.left, rect.top, channel(first, 16), channel(first, 8), channel(first, 0), 0},
        {rect.right, rect.bottom, channel(second, 16), channel(second, 8), channel(second, 0), 0},
    };
    GRADIENT_RECT order = {0, 1};
    gradientFill(
        dc, vertices, 2, &order, 1,
        direction == GradientDirection::kVertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

}  // namespace

void FillColor(HDC dc, const RECT& rect, DWORD color) {
    const BYTE alpha = AlphaOf(color);
    if (alpha == 0 || ::IsRectEmpty(&rect)) {
        return;
    }
    if (alpha == 0xFF) {
        FillOpaque(dc, rect, ToColorRef(color));
        return;
    }
    const auto alphaBlend = GetBlendLibrary().alphaBlend;
    MemoryCanvas pixel(dc, 1, 1);
    if (alphaBlend == nullptr || !pixel.IsValid()) {
        return;
    }
    // Per-pixel blending expects premultiplied colour channels.
    auto premultiplied = [&](int shift) { return ((color >> shift) & 0xFF) * alpha / 255; };
    *pixel.Pixels() = (static_cast<DWORD>(alpha) << 24) | (premultiplied(16) << 16) |
                      (premultiplied(8) << 8) | premultiplied(0);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 0xFF, AC_SRC_ALPHA};
    alphaBlend(dc, rect.left, rect.top, RectWidth(rect), RectHeight(rect), pixel.Dc(), 0, 0, 1, 1,
               blend);
}

void FillGradient(HDC dc, const RECT& rect, DWORD first, DWORD second, GradientDirection direction,
                  int steps) {
    const int alpha = (AlphaOf(first) + AlphaOf(second)) / 2;
    if (alpha == 0 || ::IsRectEmpty(&rect)) {
        return;
    }
    const auto alphaBlend = GetBlendLibrary().alphaBlend;
    if (alpha == 0xFF || alphaBlend == nullptr) {
        DrawOpaqueGradient(dc, rect, first, second, direction, steps);
        return;
    }
    MemoryCanvas canvas(dc, RectWidth(rect), RectHeight(rect));
    if (!canvas.IsValid()) {
        return;
    }
    const RECT local = {0, 0, RectWidth(rect), RectHeight(rect)};
    DrawOpaqueGradient(canvas.Dc(), local, first, second, direction, steps);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
    alphaBlend(dc, rect.left, rect.top, RectWidth(rect), RectHeight(rect), canvas.Dc(), 0, 0,
               RectWidth(rect), RectHeight(rect), blend);
}

std::vector<GradientBand> GradientBands(const RECT& rect, DWORD first, DWORD second,
                                        GradientDirection direction, int steps) {
    int shift = 6;
    if (steps < 4) {
        shift = 1;
    } else if (steps < 8) {
        shift = 2;
    } else if (steps < 16) {
        shift = 3;
    } else if (steps < 32) {
        shift = 4;
    } else if (steps < 64) {
        shift = 5;
    }
    const int count = 1 << shift;
    const bool vertical = direction == GradientDirection::kVertical;
    const int length = vertical ? RectHeight(rect) : RectWidth(rect);
    const int end = vertical ? rect.bottom : rect.right;
    // Band i (counted from the far end) covers the stretch between the i-th and (i+1)-th
    // division from the far end.
    auto edge = [&](int i) {
        return end - static_cast<int>((static_cast<long long>(i) * length) >> shift);
    };
    auto mix = [&](int channelShift, int i) {
        const DWORD from = (first >> channelShift) & 0xFF;
        const DWORD to = (second >> channelShift) & 0xFF;
        return ((to * static_cast<DWORD>(count - i) + from * static_cast<DWORD>(i)) >> shift)
               << channelShift;
    };
    std::vector<GradientBand> bands;
    for (int i = 0; i < count; ++i) {
        RECT band = rect;
        if (vertical) {
            band.top = edge(i + 1);
            band.bottom = edge(i);
        } else {
            band.left = edge(i + 1);
            band.right = edge(i);
        }
        bands.push_back({band, mix(16, i) | mix(8, i) | mix(0, i)});
    }
    return bands;
}

void FillGradientBands(HDC dc, const RECT& rect, DWORD first, DWORD second,
                       GradientDirection direction, int steps) {
    for (const GradientBand& band : GradientBands(rect, first, second, direction, steps)) {
        FillOpaque(dc, band.rect, ToColorRef(band.color));
    }
}

void StrokeLine(HDC dc, const RECT& rect, int width, DWORD color, int penStyle) {
    const LOGBRUSH brush = {BS_SOLID, ToColorRef(color), 0};
    ScopedPen pen(
        ::ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT | static_cast<DWORD>(penStyle & PS_STYLE_MASK),
                       static_cast<DWORD>(width > 0 ? width : 1), &brush, 0, nullptr));
    if (!pen) {
        return;
    }
    ScopedSelectObject selectPen(dc, pen.Get());
    ::MoveToEx(dc, rect.left, rect.top, nullptr);
    ::LineTo(dc, rect.right, rect.bottom);
}

void DrawFrameRect(HDC dc, const RECT& rect, int width, DWORD color) {
    ScopedPen pen(::CreatePen(PS_INSIDEFRAME, width, ToColorRef(color)));
    if (!pen) {
        return;
    }
    ScopedSelectObject selectPen(dc, pen.Get());
    ScopedSelectObject selectBrush(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void DrawRoundFrame(HDC dc, const RECT& rect, int width, int cornerWidth, int cornerHeight,
                    DWORD color) {
    ScopedPen pen(::CreatePen(PS_INSIDEFRAME, width, ToColorRef(color)));
    if (!pen) {
        return;
    }
    ScopedSelectObject selectPen(dc, pen.Get());
    ScopedSelectObject selectBrush(dc, ::GetStockObject(NULL_BRUSH));
    ::RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, cornerWidth, cornerHeight);
}

void DrawPlainText(HDC dc, HFONT font, const RECT& rect, const std::wstring& text, DWORD color,
                   UINT style) {
    if (dc == nullptr || text.empty()) {
        return;
    }
    const int previousMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColor = ::SetTextColor(dc, ToColorRef(color));
    ScopedSelectObject selectFont(
        dc, font != nullptr ? static_cast<HGDIOBJ>(font) : ::GetCurrentObject(dc, OBJ_FONT));
    RECT area = rect;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, style | DT_NOPREFIX);
    ::SetTextColor(dc, previousColor);
    ::SetBkMode(dc, previousMode);
}

std::vector<BorderLine> SideBorderLines(const RECT& item, const RECT& sides) {
    // A pen of width w centred on c covers c - w/2 .. c + (w - 1)/2.
    std::vector<BorderLine> lines;
    if (sides.left > 0) {
        const int x = item.left + sides.left / 2;
        lines.push_back({{x, item.top, x, item.bottom}, sides.left});
    }
    if (sides.top > 0) {
        const int y = item.top + sides.top / 2;
        lines.push_back({{item.left, y, item.right, y}, sides.top});
    }
    if (sides.right > 0) {
        const int x = item.right - (sides.right + 1) / 2;
        lines.push_back({{x, item.top, x, item.bottom}, sides.right});
    }
    if (sides.bottom > 0) {
        const int y = item.bottom - (sides.bottom + 1) / 2;
        lines.push_back({{item.left, y, item.right, y}, sides.bottom});
    }
    return lines;
}

}  // namespace DuiLib
