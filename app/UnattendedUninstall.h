#pragma once

#include "UninstallSettings.h"

class IUninstallLog;
class ZUninstallObj;

// The removal without any window (/S): checks the installed product as the main window does,
// closes the driver's running program, runs the engine's removal on its worker thread and waits
// for it behind a message-only window, then finishes as the finish button does: deletes what is
// left, deletes its own file and ends the process with the run's exit code (CRunExitCode).
// Main thread. Never returns.
// settings are the ones engine was built with.
[[noreturn]] void RunUnattendedUninstall(ZUninstallObj& engine, const UninstallSettings& settings,
                                         IUninstallLog& log);
