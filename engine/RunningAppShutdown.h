#pragma once

#include "UninstallSettings.h"

#include <string>

// The driver package's own user program must not run while its files are deleted. Called on the
// window's thread right before the uninstall request is posted. Each pause ends as soon as what
// it waits for is gone, and lasts at most one second; with nothing running there is no pause.

// Asks the first window marked with settings.windowMarkName to close and waits for its process to
// end, then ends every process running one of settings.runningProgramNames and waits for them to
// be gone, so that nothing of the program runs when the deletion starts.
void CloseRunningApp(const UninstallSettings& settings);

// Ends (exit code 1981) every process whose executable file name equals exeName, in any letter
// case. This process itself is never ended. Processes that can't be opened are skipped.
void KillProcessesByName(const std::wstring& exeName);
