#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace DuiLib {

// The arithmetic of the layouts, over plain values: the containers gather their children's size
// hints, call these functions and apply the rectangles they return.

// Where a float control goes when its parent changes size: percentages of the parent's change in
// size by which it moves and grows, measured from the parent size of the previous placement.
struct RelativePos {
    bool relative = false;
    SIZE parentSize = {0, 0};
    int moveXPercent = 0;
    int moveYPercent = 0;
    int zoomXPercent = 0;
    int zoomYPercent = 0;
};

// The largest width and height a control may have; also its maximum size until one is set.
constexpr int kMaxControlSize = 9999;

// What a layout knows of one child.
struct LayoutChild {
    bool visible = true;
    bool isFloat = false;
    RECT padding = {0, 0, 0, 0};
    SIZE fixedSize = {0, 0};
    SIZE minSize = {0, 0};
    SIZE maxSize = {kMaxControlSize, kMaxControlSize};
};

// The child's own size estimate for the space available to it (its MeasureSize); a 0 along the
// layout's direction means "share the space left".
using MeasureFn = std::function<SIZE(size_t index, SIZE available)>;

enum class PlacementKind {
    kSkip,    // invisible: left where it is
    kFloat,   // placed by its own offset (ComputeFloatBounds)
    kBounds,  // gets bounds
};

struct ChildPlacement {
    PlacementKind kind = PlacementKind::kSkip;
    RECT bounds = {0, 0, 0, 0};
};

// Stacks the children top to bottom inside rc (the container's rectangle less its inset), with
// childPadding between them. Children with a measured height of 0 share what the others leave;
// the last of them takes the rest (less the paddings and gaps still counted as fixed), so gaps
// leave that much space empty at the bottom. A child's rectangle includes its bottom padding.
std::vector<ChildPlacement> ComputeVerticalLayout(const RECT& rc, int childPadding,
                                                  const std::vector<LayoutChild>& children,
                                                  const MeasureFn& measure);

// The same from left to right; a child's rectangle includes its right padding.
std::vector<ChildPlacement> ComputeHorizontalLayout(const RECT& rc, int childPadding,
                                                    const std::vector<LayoutChild>& children,
                                                    const MeasureFn& measure);

// The selected page of a tab layout: rc less the page's padding, the measured size with 0
// meaning all of it, clamped into the page's limits, from the top-left corner.
RECT ComputeTabPageBounds(const RECT& rc, const LayoutChild& page, SIZE measured);

struct FloatPlacement {
    RECT bounds;
    SIZE parentSize;  // remembered for the next relative placement
};

// A float child at fixedXY inside container (negative offsets count from the right or bottom),
// moved and grown by its relative position when it has one.
FloatPlacement ComputeFloatBounds(const RECT& container, SIZE fixedXY, SIZE fixedSize,
                                  const RelativePos& relativePos);

// rect less the margins in inset (left, top, right, bottom).
RECT DeflateRect(const RECT& rect, const RECT& inset);

}  // namespace DuiLib
