#include "ShadowMath.h"

#include <algorithm>
#include <cmath>

namespace {

int KernelRadius(const ShadowSettings& settings) {
    return std::max<int>(settings.size, settings.sharpness);
}

// Radius of the kernel's fully dark centre.
int CoreRadius(const ShadowSettings& settings) {
    return settings.size > settings.sharpness ? settings.size - settings.sharpness : 0;
}

// A pixel surface that ignores writes outside it, so no outline can reach past its rows.
class ShadowSurface {
public:
    ShadowSurface(int width, int height)
        : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, 0) {}

    void Set(int row, int column, uint32_t value) {
        if (Contains(row, column)) {
            pixels_[Index(row, column)] = value;
        }
    }

    void SetRun(int row, int from, int to, uint32_t value) {
        for (int column = std::max(from, 0); column < std::min(to, width_); ++column) {
            Set(row, column, value);
        }
    }

    void KeepLarger(int row, int column, uint32_t value) {
        if (Contains(row, column)) {
            uint32_t& pixel = pixels_[Index(row, column)];
            pixel = std::max(pixel, value);
        }
    }

    std::vector<uint32_t> Take() { return std::move(pixels_); }

private:
    bool Contains(int row, int column) const {
        return row >= 0 && row < height_ && column >= 0 && column < width_;
    }
    size_t Index(int row, int column) const { return static_cast<size_t>(row) * width_ + column; }

    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
};

void StampKernel(ShadowSurface& surface, const std::vector<uint32_t>& kernel, int radius, int row,
                 int column) {
    const int side = 2 * radius + 1;
    for (int a = 0; a < side; ++a) {
        for (int b = 0; b < side; ++b) {
            surface.KeepLarger(row - radius + a, column - radius + b, kernel[a * side + b]);
        }
    }
}

// Soft border: the kernel stamped along the left and right ends of every row's span. Where a
// row's neighbours reach further out, the stamps run along the whole step between them.
void StampSoftBorder(ShadowSurface& surface, const std::vector<ShadowSpan>& spans,
                     const std::vector<uint32_t>& kernel, int radius, int shadowHeight) {
    for (int row = radius; row < shadowHeight - radius; ++row) {
        const ShadowSpan& span = spans[row + 1];
        if (span.IsEmpty()) {
            continue;
        }
        const ShadowSpan& above = spans[row];
        const ShadowSpan& below = spans[row + 2];
        int column = span.start;
        for (; column < std::min(std::max(above.start, below.start) + 1, span.end); ++column) {
            StampKernel(surface, kernel, radius, row, column);
        }
        for (column = std::max(column, std::min(above.end, below.end) - 1); column < span.end;
             ++column) {
            StampKernel(surface, kernel, radius, row, column);
        }
    }
}

// Core and cut-out: the inside of the shadow is filled with the core colour, and the part the
// parent window covers is made fully transparent.
void FillCoreAndCutOut(ShadowSurface& surface, const std::vector<ShadowSpan>& spans,
                       const std::vector<ShadowSpan>& parentRows, const ShadowSettings& settings,
                       int shadowHeight) {
    const int size = settings.size;
    const int parentHeight = static_cast<int>(parentRows.size());
    const int radius = KernelRadius(settings);
    const uint32_t core = PremultipliedPixel(settings.colour, settings.darkness);
    const int firstRow = std::min(radius, std::max(size - settings.yOffset, 0));
    const int endRow = std::min(
        std::max(shadowHeight - radius,
                 std::min(parentHeight + size - settings.yOffset, parentHeight + 2 * size)),
        shadowHeight);
    const int shift = size - settings.xOffset;
    for (int row = firstRow; row < endRow; ++row) {
        const ShadowSpan& span = spans[row + 1];
        const int parentRow = row - size + settings.yOffset;
        if (parentRow < 0 || parentRow >= parentHeight) {
            surface.SetRun(row, span.start, span.end, core);
            continue;
        }
        const ShadowSpan& covered = parentRows[parentRow];
        const int coveredStart = covered.IsEmpty() ? 0 : covered.start;
        const int coveredEnd = covered.IsEmpty() ? 0 : covered.end;
        surface.SetRun(row, span.start, std::min(coveredStart + shift, span.end), core);
        surface.SetRun(row, coveredStart + shift, coveredEnd + shift, 0);
        surface.SetRun(row, std::max(coveredEnd + shift, span.start), span.end, core);
    }
}

}  // namespace

SIZE ShadowWindowSize(int parentWidth, int parentHeight, int size) {
    return SIZE{parentWidth + 2 * size, parentHeight + 2 * size};
}

POINT ShadowWindowOrigin(int parentLeft, int parentTop, const ShadowSettings& settings) {
    return POINT{parentLeft + settings.xOffset - settings.size,
                 parentTop + settings.yOffset - settings.size};
}

uint32_t PremultipliedPixel(COLORREF colour, uint8_t alpha) {
    const uint32_t red = GetRValue(colour) * uint32_t{alpha} / 255;
    const uint32_t green = GetGValue(colour) * uint32_t{alpha} / 255;
    const uint32_t blue = GetBValue(colour) * uint32_t{alpha} / 255;
    return uint32_t{alpha} << 24 | red << 16 | green << 8 | blue;
}

std::vector<ShadowSpan> ShadowRowSpans(const std::vector<ShadowSpan>& parentRows, int parentWidth,
                                       const ShadowSettings& settings) {
    const int size = settings.size;
    const int parentHeight = static_cast<int>(parentRows.size());
    const int shadowHeight = parentHeight + 2 * size;
    const ShadowSpan empty{parentWidth, 0};
    std::vector<ShadowSpan> spans(std::max(std::max(parentHeight, shadowHeight), 0) + 2, empty);
    for (int row = 0; row < parentHeight; ++row) {
        const int index = row + size + 1;
        // The first and the last entries stay empty: they are the erosion's outer neighbours.
        if (index < 1 || index >= static_cast<int>(spans.size()) - 1 || parentRows[row].IsEmpty()) {
            continue;
        }
        spans[index] = ShadowSpan{parentRows[row].start + size, parentRows[row].end + size};
    }
    for (int pass = 0; pass < settings.sharpness - size; ++pass) {
        std::vector<ShadowSpan> eroded = spans;
        for (size_t i = 1; i + 1 < spans.size(); ++i) {
            eroded[i].start =
                std::max({spans[i - 1].start, spans[i].start, spans[i + 1].start}) + 1;
            eroded[i].end = std::min({spans[i - 1].end, spans[i].end, spans[i + 1].end}) - 1;
        }
        spans = std::move(eroded);
    }
    return spans;
}

std::vector<uint32_t> ShadowKernel(const ShadowSettings& settings) {
    const int radius = KernelRadius(settings);
    const int core = CoreRadius(settings);
    const int side = 2 * radius + 1;
    std::vector<uint32_t> kernel(static_cast<size_t>(side) * side, 0);
    for (int a = 0; a < side; ++a) {
        for (int b = 0; b < side; ++b) {
            const double distance = std::sqrt(
                static_cast<double>((a - radius) * (a - radius) + (b - radius) * (b - radius)));
            uint32_t alpha = 0;
            if (distance < core) {
                alpha = settings.darkness;
            } else if (distance <= radius) {
                alpha = static_cast<uint32_t>((1 - (distance - core) / (settings.sharpness + 1)) *
                                              settings.darkness);
            }
            if (alpha != 0) {
                kernel[a * side + b] =
                    PremultipliedPixel(settings.colour, static_cast<uint8_t>(alpha));
            }
        }
    }
    return kernel;
}

std::vector<uint32_t> ComputeShadowPixels(const std::vector<ShadowSpan>& parentRows,
                                          int parentWidth, const ShadowSettings& settings) {
    const int parentHeight = static_cast<int>(parentRows.size());
    const SIZE shadowSize = ShadowWindowSize(parentWidth, parentHeight, settings.size);
    if (shadowSize.cx <= 0 || shadowSize.cy <= 0) {
        return {};
    }
    ShadowSurface surface(shadowSize.cx, shadowSize.cy);
    const std::vector<ShadowSpan> spans = ShadowRowSpans(parentRows, parentWidth, settings);
    const int radius = KernelRadius(settings);
    StampSoftBorder(surface, spans, ShadowKernel(settings), radius, shadowSize.cy);
    FillCoreAndCutOut(surface, spans, parentRows, settings, shadowSize.cy);
    return surface.Take();
}
