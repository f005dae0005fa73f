#include "LayoutMath.h"

#include <algorithm>

namespace DuiLib {

namespace {

int Clamp(int value, int low, int high) {
    // The minimum first, then the maximum: a maximum below the minimum wins.
    if (value < low) {
        value = low;
    }
    if (value > high) {
        value = high;
    }
    return value;
}

// The horizontal layout is the vertical one with the axes exchanged.
RECT Transpose(const RECT& r) {
    return RECT{r.top, r.left, r.bottom, r.right};
}

SIZE Transpose(SIZE s) {
    return SIZE{s.cy, s.cx};
}

}  // namespace

RECT DeflateRect(const RECT& rect, const RECT& inset) {
    return RECT{rect.left + inset.left, rect.top + inset.top, rect.right - inset.right,
                rect.bottom - inset.bottom};
}

std::vector<ChildPlacement> ComputeVerticalLayout(const RECT& rc, int childPadding,
                                                  const std::vector<LayoutChild>& children,
                                                  const MeasureFn& measure) {
    std::vector<ChildPlacement> placements(children.size());
    const SIZE available = {rc.right - rc.left, rc.bottom - rc.top};

    // Pass 1: measure the laid-out children; fixed heights and all paddings are "fixed".
    int laidOut = 0;
    int adjustable = 0;
    int fixedTotal = 0;
    for (size_t i = 0; i < children.size(); ++i) {
        const LayoutChild& child = children[i];
        if (!child.visible || child.isFloat) {
            continue;
        }
        ++laidOut;
        const SIZE size = measure(i, available);
        if (size.cy == 0) {
            ++adjustable;
        } else {
            fixedTotal += Clamp(size.cy, child.minSize.cy, child.maxSize.cy);
        }
        fixedTotal += child.padding.top + child.padding.bottom;
    }
    if (laidOut > 0) {
        fixedTotal += (laidOut - 1) * childPadding;
    }

    // Pass 2: the share of each adjustable child.
    const int expand =
        adjustable > 0 ? std::max<LONG>(0, (available.cy - fixedTotal) / adjustable) : 0;

    // Pass 3: place them top to bottom.
    int y = rc.top;
    const int x = rc.left;
    SIZE remaining = available;
    int fixedLeft = fixedTotal;
    int adjustableSeen = 0;
    for (size_t i = 0; i < children.size(); ++i) {
        const LayoutChild& child = children[i];
        if (!child.visible) {
            continue;
        }
        if (child.isFloat) {
            placements[i].kind = PlacementKind::kFloat;
            continue;
        }
        const RECT& pad = child.padding;
        remaining.cy -= pad.top;
        SIZE size = measure(i, remaining);
        if (size.cy == 0) {
            ++adjustableSeen;
            size.cy = adjustableSeen == adjustable
                          ? std::max<LONG>(0, remaining.cy - pad.bottom - fixedLeft)
                          : expand;
            size.cy = Clamp(size.cy, child.minSize.cy, child.maxSize.cy);
        } else {
            size.cy = Clamp(size.cy, child.minSize.cy, child.maxSize.cy);
            fixedLeft -= size.cy;
        }
        int cx = child.fixedSize.cx;
        if (cx == 0) {
            cx = std::max<LONG>(0, available.cx - pad.left - pad.right);
        }
        cx = Clamp(cx, child.minSize.cx, child.maxSize.cx);

        placements[i].kind = PlacementKind::kBounds;
        placements[i].bounds = {x + pad.left, y + pad.top, x + pad.left + cx,
                                y + pad.top + size.cy + pad.bottom};
        y += pad.top + size.cy + pad.bottom + childPadding;
        remaining.cy -= size.cy + childPadding + pad.bottom;
    }
    return placements;
}

std::vector<ChildPlacement> ComputeHorizontalLayout(const RECT& rc, int childPadding,
                                                    const std::vector<LayoutChild>& children,
                                                    const MeasureFn& measure) {
    std::vector<LayoutChild> transposed = children;
    for (LayoutChild& child : transposed) {
        child.padding = Transpose(child.padding);
        child.fixedSize = Transpose(child.fixedSize);
        child.minSize = Transpose(child.minSize);
        child.maxSize = Transpose(child.maxSize);
    }
    std::vector<ChildPlacement> placements = ComputeVerticalLayout(
        Transpose(rc), childPadding, transposed, [&](size_t index, SIZE available) {
            return Transpose(measure(index, Transpose(available)));
        });
    for (ChildPlacement& placement : placements) {
        placement.bounds = Transpose(placement.bounds);
    }
    return placements;
}

RECT ComputeTabPageBounds(const RECT& rc, const LayoutChild& page, SIZE measured) {
    const RECT area = DeflateRect(rc, page.padding);
    int width = measured.cx;
    int height = measured.cy;
    if (width == 0) {
        width = std::max<LONG>(0, area.right - area.left);
    }
    if (height == 0) {
        height = std::max<LONG>(0, area.bottom - area.top);
    }
    width = Clamp(width, page.minSize.cx, page.maxSize.cx);
    height = Clamp(height, page.minSize.cy, page.maxSize.cy);
    return RECT{area.left, area.top, area.left + width, area.top + height};
}

FloatPlacement ComputeFloatBounds(const RECT& container, SIZE fixedXY, SIZE fixedSize,
                                  const RelativePos& relativePos) {
    RECT bounds;
    if (fixedXY.cx >= 0) {
        bounds.left = container.left + fixedXY.cx;
        bounds.right = bounds.left + fixedSize.cx;
    } else {
        bounds.right = container.right + fixedXY.cx;
        bounds.left = bounds.right - fixedSize.cx;
    }
    if (fixedXY.cy >= 0) {
        bounds.top = container.top + fixedXY.cy;
        bounds.bottom = bounds.top + fixedSize.cy;
    } else {
        bounds.bottom = container.bottom + fixedXY.cy;
        bounds.top = bounds.bottom - fixedSize.cy;
    }
    SIZE parentSize = relativePos.parentSize;
    if (relativePos.relative) {
        const SIZE current = {container.right - container.left, container.bottom - container.top};
        if (parentSize.cx != 0) {
            const int dx = current.cx - parentSize.cx;
            const int dy = current.cy - parentSize.cy;
            bounds.left += dx * relativePos.moveXPercent / 100;
            bounds.top += dy * relativePos.moveYPercent / 100;
            bounds.right = bounds.left + dx * relativePos.zoomXPercent / 100 + fixedSize.cx;
            bounds.bottom = bounds.top + dy * relativePos.zoomYPercent / 100 + fixedSize.cy;
        }
        parentSize = current;
    }
    return FloatPlacement{bounds, parentSize};
}

}  // namespace DuiLib
