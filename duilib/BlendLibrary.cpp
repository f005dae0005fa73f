#include "BlendLibrary.h"

#include <string>

namespace DuiLib {

namespace {

HMODULE LoadFromSystemFolder(const wchar_t* fileName) {
    HMODULE module = ::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module != nullptr || ::GetLastError() != ERROR_INVALID_PARAMETER) {
        return module;
    }
    // Systems without the search flags: by full path.
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    const std::wstring path = std::wstring(folder, length) + L"\\" + fileName;
    return ::LoadLibraryExW(path.c_str(), nullptr, 0);
}

template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

BlendLibrary Load() {
    // Deliberately never freed: drawing may happen until the process ends.
    const HMODULE module = LoadFromSystemFolder(L"msimg32.dll");
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
