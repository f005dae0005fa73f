#pragma once

#include <string>
#include <vector>

// What the engine needs to know about the product it removes. The engine reads no configuration
// of its own: the program fills this from its configuration, tests fill it directly.
struct UninstallSettings {
    // Key name of the product's entry in the installed-programs list.
    std::wstring projectName;
    // The name the product was registered under; its links and start-menu folder carry it.
    std::wstring displayName;
    // Name of the window property that marks the driver program's main window.
    std::wstring windowMarkName;
    std::wstring brandName;
    // Executable file names ("QuorvelTablet.exe") of the programs that must not run during the
    // removal.
    std::vector<std::wstring> runningProgramNames;
};
