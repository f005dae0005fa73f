#pragma once

#include "UninstallOutcome.h"

#include <windows.h>

// The exit codes a caller that waits for the uninstaller reads; deployment tools know them from
// Windows Installer. They apply only when a switch was given on the command line: without one,
// every path ends with 0, as the program always did.
namespace ExitCode {
inline constexpr UINT kRemoved = 0;
inline constexpr UINT kBadCommandLine = 87;   // ERROR_INVALID_PARAMETER
inline constexpr UINT kCancelled = 1602;      // ERROR_INSTALL_USEREXIT
inline constexpr UINT kLeftBehind = 1603;     // ERROR_INSTALL_FAILURE
inline constexpr UINT kNotInstalled = 1605;   // ERROR_UNKNOWN_PRODUCT
inline constexpr UINT kRestartNeeded = 3010;  // ERROR_SUCCESS_REBOOT_REQUIRED
}  // namespace ExitCode

// A product that was not installed gives 1605; something left that is not scheduled (a refused
// installation folder among it) gives 1603; else something scheduled for the restart gives
// 3010; else 0.
UINT ExitCodeForOutcome(const UninstallOutcome& outcome);

// The exit code of this run, told by whoever learns it: start-up, the window, the unattended run.
// Until anything is reported the user has left before the removal started (1602). Once the
// removal has started, leaving the window can no longer count as a cancel: the code stays 1603
// until the finished removal reports what it left.
// One per process, used on the main thread only (start-up, window, finish step), so no lock.
class CRunExitCode {
public:
    static CRunExitCode& Instance();

    // Start-up: a switch was given, so Code() gives the codes above instead of 0.
    void EnableCodes() { enabled_ = true; }
    bool CodesEnabled() const { return enabled_; }

    // The user left the window (close button, cancel, 'N') before the removal started.
    void ReportCancelled();
    // The installed product is missing or its display name is not the configured one.
    void ReportNotInstalled() { code_ = ExitCode::kNotInstalled; }
    // The removal request has been handed to the engine.
    void ReportRemovalStarted() {
        removalStarted_ = true;
        code_ = ExitCode::kLeftBehind;
    }
    // The engine finished the removal and left outcome behind.
    void ReportRemovalFinished(const UninstallOutcome& outcome);

    // The code to end the process with: 0 when no switch was given.
    UINT Code() const { return enabled_ ? code_ : ExitCode::kRemoved; }

private:
    bool enabled_ = false;
    bool removalStarted_ = false;
    UINT code_ = ExitCode::kCancelled;
};
