#include "BlendLibrary.h"

#include "SystemLibrary.h"

namespace DuiLib {

namespace {

template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

BlendLibrary Load() {
    // Deliberately never freed: drawing may happen until the process ends.
    const HMODULE module = LoadSystemLibrary(L"msimg32.dll").Release();
    BlendLibrary library;
    library.alphaBlend = Lookup<BlendLibrary::AlphaBlendFn>(module, "AlphaBlend");
    library.gradientFill = Lookup<BlendLibrary::GradientFillFn>(module, "GradientFill");
    return library;
}

}  // namespace

const BlendLibrary& GetBlendLibrary() {
    static const BlendLibrary library = Load();
    return library;
}

}  // namespace DuiLib
