#include "BlendLibrary.h"

#include "LibraryFunction.h"
#include "SystemLibrary.h"

namespace DuiLib {

namespace {

BlendLibrary Load() {
    // Deliberately never freed: drawing may happen until the process ends.
    const HMODULE module = LoadSystemLibrary(L"msimg32.dll").Release();
    BlendLibrary library;
    library.alphaBlend = LibraryFunction<BlendLibrary::AlphaBlendFn>(module, "AlphaBlend");
    library.gradientFill = LibraryFunction<BlendLibrary::GradientFillFn>(module, "GradientFill");
    return library;
}

}  // namespace

const BlendLibrary& GetBlendLibrary() {
    static const BlendLibrary library = Load();
    return library;
}

}  // namespace DuiLib
