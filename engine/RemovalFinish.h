#pragma once

#include "UninstallOutcome.h"

#include <string>

class IUninstallLog;

// The last step of a removal, shared by the finish button and the unattended run. Main thread,
// after WM_UNINSTALL_FINISHED.

// Deletes what is left of installPath (nothing when it is empty) and returns outcome without the
// items at or below installPath when that folder is gone now, or holds nothing but the program
// file of the first process that waits for this one (which removes it right after).
UninstallOutcome DeleteWhatIsLeft(const std::wstring& installPath, const UninstallOutcome& outcome);

// DeleteWhatIsLeft, then writes what is still scheduled or left to log (may be null), reports the
// outcome to CRunExitCode, and deletes the program's own file through the command interpreter,
// ending the process with the run's exit code. Never returns.
[[noreturn]] void FinishRemovalAndExit(const std::wstring& installPath,
                                       const UninstallOutcome& outcome, IUninstallLog* log);
