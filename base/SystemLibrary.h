#pragma once

#include "UniqueHandle.h"

// The program runs with administrator rights from the user's temporary folder, which any program
// of the user can write to. A DLL planted beside it must never be loaded, so the DLL search is
// restricted to the system folder at start-up, and every library that isn't a static import is
// loaded from the system folder explicitly.

// Limits the DLL search of this process to the system folder. False when the system can't do it.
bool RestrictDllSearchToSystemFolder();

// Loads a system library (bare file name such as L"msimg32.dll") from the system folder only.
ScopedModule LoadSystemLibrary(const wchar_t* fileName);
