#pragma once

#include <windows.h>

#include <string>

// Recursive registry key deletes and the WOW64 test they need. A registry link found on the way
// is deleted as a link; the key it leads to is never touched.

// Whether this process is a 32-bit one on 64-bit Windows. A failed test is asked again next time.
bool IsWow64Cached();

// Deletes root\subKeyPath with all its subkeys in the native (64-bit) view, also from a 32-bit
// process. Returns the open call's error when the key can't be opened, else 0. A subkey that
// can't be deleted is left, together with the keys above it.
LONG DeleteKeyTreeNative(HKEY root, const std::wstring& subKeyPath);

// Deletes parent\subKey with all its subkeys in the process's own view. Always returns 0; an
// absent key is no error.
LONG DeleteKeyTree(HKEY parent, const std::wstring& subKey);
