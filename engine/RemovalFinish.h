#pragma once

#include "UninstallOutcome.h"

#include <string>

class IUninstallLog;

// The last step of a removal, shared by the finish button and the unattended run. Main thread,
// after WM_UNINSTALL_FINISHED.

// outcome as the run will end: without the items at or below installPath when that folder is
// gone, or holds nothing but the program file of the first process that waits for this one
// (which removes it right after this process ended). Only looks; what the finish page tells.
UninstallOutcome OutcomeAsTheRunEnds(const std::wstring& installPath,
                                     const UninstallOutcome& outcome);

// Deletes what is left of installPath (nothing when it is empty or no longer a removable
// installation folder) and returns OutcomeAsTheRunEnds;
// the restart deletions of the items it drops are taken out of the system's list.
UninstallOutcome DeleteWhatIsLeft(const std::wstring& installPath, const UninstallOutcome& outcome);

// DeleteWhatIsLeft, then writes what is still scheduled or left to log (may be null), reports the
// outcome to CRunExitCode, and deletes the program's own file through the command interpreter,
// ending the process with the run's exit code. Never returns.
[[noreturn]] void FinishRemovalAndExit(const std::wstring& installPath,
                                       const UninstallOutcome& outcome, IUninstallLog* log);
