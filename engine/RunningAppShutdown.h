#pragma once

#include <string>

// The driver package's own user program must not run while its files are deleted. Called on the
// window's thread right before the uninstall request is posted; blocks for one or two seconds.

// Asks the first window marked with the brand's window property to close, then ends every process
// running the project's executable, and pauses so that they are gone before the deletion starts.
void CloseRunningApp();

// Ends (exit code 1981) every process whose executable file name equals exeName, in any letter
// case. This process itself is never ended. Processes that can't be opened are skipped.
void KillProcessesByName(const std::wstring& exeName);
