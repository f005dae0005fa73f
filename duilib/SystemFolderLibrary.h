#pragma once

#include <windows.h>

namespace DuiLib {

// Loads a system library (bare file name such as L"msimg32.dll") from the system folder only:
// the program runs elevated from a folder others can write to, where a planted copy must never
// be picked up. The framework keeps these libraries for the life of the process. nullptr when
// the library cannot be loaded.
HMODULE LoadSystemFolderLibrary(const wchar_t* fileName);

// The address of an exported function as a function pointer type; nullptr when module is nullptr
// or lacks it.
template <typename Fn>
Fn LibraryFunction(HMODULE module, const char* name) {
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace DuiLib
