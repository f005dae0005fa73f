// Loads a library the way a program would: "DllProbe.exe open NAME" by plain LoadLibrary,
// "DllProbe.exe restricted NAME" after restricting the search to the system folder, and
// "DllProbe.exe system NAME" through LoadSystemLibrary. Exit code 0 when it loaded, 1 when not.
#include "SystemLibrary.h"

#include <windows.h>

#include <cwchar>

int main() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 3) {
        return 2;
    }
    const wchar_t* mode = argv[1];
    const wchar_t* name = argv[2];
    if (std::wcscmp(mode, L"system") == 0) {
        return LoadSystemLibrary(name) ? 0 : 1;
    }
    if (std::wcscmp(mode, L"restricted") == 0) {
        RestrictDllSearchToSystemFolder();
    }
    return ::LoadLibraryW(name) != nullptr ? 0 : 1;
}
