#pragma once

#include "UniqueHandle.h"

#include <functional>
#include <string>

// The first removal step: the driver package's own uninstall batch file, the tablet interface
// library in both system folders, the product's registry key, and the platform's device tools
// that remove the tablet's device nodes and its HID driver package. The tools are started
// elevated and hidden, in that order. The batch file lies in the installation folder, which is
// deleted next, and the command interpreter reads it line by line while it runs: the step ends
// only once its run has ended (or after a time limit), while the rest of the step goes on beside
// it. The device tools are not waited for here (the engine waits for them before it deletes the
// folder, see ToolWait).

// The product's own registry key below HKEY_LOCAL_MACHINE, in the native view.
inline constexpr wchar_t kProductKeyPath[] = L"Software\\TavrelTablet";

// How long the driver removal waits, at the end of its step, for the batch file's run to end. A
// batch file that hangs delays the removal by this much and no more; the removal then goes on.
inline constexpr unsigned long kDriverBatchWaitMs = 30000;

// Starts a program with its parameters in workingFolder (empty: the process's current folder). The
// folder goes to the start call itself: the worker thread calls this and must never change the
// process's working folder, which the window's thread shares. Returns whether it was started;
// when process is given, it receives the started program's process, or stays empty when the
// launcher has none to give.
using ToolLauncher = std::function<bool(const std::wstring& file, const std::wstring& parameters,
                                        const std::wstring& workingFolder, ScopedHandle* process)>;

// The launcher of the real run: the shell's "runas" verb, hidden.
ToolLauncher ElevatedToolLauncher();

// Waits, for at most limitMs, until the tools a launcher started from installPath have ended.
using ToolWait = std::function<void(const std::wstring& installPath, unsigned long limitMs)>;

struct ToolLaunch {
    std::wstring file;  // full path below the installation folder
    std::wstring parameters;
    std::wstring workingFolder;
};

struct DriverRemovalPlan {
    std::wstring batchFile;
    ToolLaunch deviceConsole;
    ToolLaunch driverPackageTool;
};

// What RemoveDriver starts for installPath; is64BitSystem picks the amd64 or the i386 folders.
DriverRemovalPlan PlanDriverRemoval(const std::wstring& installPath, bool is64BitSystem);

// Whether the native processor architecture is a 64-bit one (x64 or Itanium).
bool Is64BitSystem();

// The short (8.3) form of an existing path; empty when the system can't give one (for example
// because the path doesn't exist).
std::wstring ShortPath(const std::wstring& path);

// Runs the driver removal. installPath must have been checked (IsRemovableInstallFolder); when it
// is empty no tool is started, but the library and the registry key are still deleted. Tools that
// are not there are not started. Returns false when the batch file's run was still going on after
// batchWaitMs.
bool RemoveDriver(const std::wstring& installPath,
                  const ToolLauncher& launch = ElevatedToolLauncher(),
                  unsigned long batchWaitMs = kDriverBatchWaitMs);
