#pragma once

#include <windows.h>

class CUninstallLogFile;

// The application object: prepares the process (configuration, language), reads the command line,
// moves the program to the temporary folder, and runs the program there. The first process does no
// more than that before it starts its copy; the common controls are prepared by the window's
// manager in the copy that shows the window.
class CUninstallApp {
public:
    explicit CUninstallApp(HINSTANCE instance) : instance_(instance) {}

    CUninstallApp(const CUninstallApp&) = delete;
    CUninstallApp& operator=(const CUninstallApp&) = delete;

    // Runs the whole program. Always returns false: there is no message loop after it.
    bool InitInstance();

    // The code the process ends with once InitInstance has returned: 0 when no switch was given.
    UINT ExitCode() const;

    HINSTANCE Instance() const { return instance_; }

private:
    // Shows the main window and runs it modally until it quits or is destroyed; the engine writes
    // to log.
    void RunMainWindow(CUninstallLogFile& log);

    HINSTANCE instance_;
};
