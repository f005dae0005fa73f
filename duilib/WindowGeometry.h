#pragma once

#include <windows.h>

#include <string_view>

namespace DuiLib {

// The arithmetic of the skinned window, over plain values.

// Where a window of windowSize goes when centred on area (the owner's rectangle, or the work
// area), kept inside work where it would stick out.
POINT CenteredPosition(SIZE windowSize, const RECT& area, const RECT& work);

// The resize band a client point lies in (HTTOPLEFT ... HTBOTTOMRIGHT, HTLEFT, HTRIGHT), or
// HTNOWHERE inside the band's inner edge. border holds the band's width on each side.
LRESULT ResizeBorderHitTest(POINT point, const RECT& client, const RECT& border);

// Whether a client point lies in the caption area: left and right of caption are distances from
// the client's edges, top and bottom are client coordinates.
bool IsInCaption(POINT point, const RECT& client, const RECT& caption);

// Controls that keep their own mouse handling inside the caption instead of dragging the window
// (compared ignoring case).
bool IsCaptionControlClass(std::wstring_view className);

}  // namespace DuiLib
