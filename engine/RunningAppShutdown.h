#pragma once

#include "UninstallSettings.h"

#include <string>

// The driver package's own user program must not run while its files are deleted. Called on the
// window's thread right before the uninstall request is posted; blocks for one or two seconds.

// Asks the first window marked with settings.windowMarkName to close, then ends every process
// running one of settings.runningProgramNames, and pauses so that they are gone before the
// deletion starts.
void CloseRunningApp(const UninstallSettings& settings);

// Ends (exit code 1981) every process whose executable file name equals exeName, in any letter
// case. This process itself is never ended. Processes that can't be opened are skipped.
void KillProcessesByName(const std::wstring& exeName);
