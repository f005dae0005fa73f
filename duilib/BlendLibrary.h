#pragma once

#include <windows.h>

namespace DuiLib {

// The alpha blending and gradient calls live in msimg32, which is not one of the system's known
// DLLs: a static import would let a planted copy beside the program be loaded. It is loaded once,
// from the system folder only, and kept for the life of the process.
struct BlendLibrary {
    using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int,
                                       BLENDFUNCTION);
    using GradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

    AlphaBlendFn alphaBlend = nullptr;      // nullptr when unavailable
    GradientFillFn gradientFill = nullptr;  // nullptr when unavailable
};

const BlendLibrary& GetBlendLibrary();

}  // namespace DuiLib
