#pragma once

#include <windows.h>

namespace DuiLib {

// The address of an exported function of a library loaded at run time, as a function pointer
// type; nullptr when module is nullptr or lacks it.
template <typename Fn>
Fn LibraryFunction(HMODULE module, const char* name) {
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace DuiLib
