#pragma once

#include "UniqueHandle.h"

#include <windows.h>

// The application object: prepares the process (common controls, configuration, language),
// moves the program to the temporary folder, and runs the main window there.
class CUninstallApp {
public:
    explicit CUninstallApp(HINSTANCE instance) : instance_(instance) {}

    CUninstallApp(const CUninstallApp&) = delete;
    CUninstallApp& operator=(const CUninstallApp&) = delete;

    // Runs the whole program. Always returns false: there is no message loop after it.
    bool InitInstance();

    HINSTANCE Instance() const { return instance_; }

private:
    void InitCommonControls();
    // Shows the main window and runs it modally until it quits or is destroyed.
    void RunMainWindow();

    HINSTANCE instance_;
    ScopedModule commonControls_;
};
