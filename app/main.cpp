#include "CUninstallApp.h"
#include "SystemLibrary.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Before anything else can load a library.
    RestrictDllSearchToSystemFolder();
    CUninstallApp app(instance);
    app.InitInstance();
    return static_cast<int>(app.ExitCode());
}
