#pragma once

#include "UniqueHandle.h"

#include <windows.h>

#include <optional>
#include <string>

// Deletes the running program's own file through the command interpreter and ends the process
// with exitCode. When emptyFolder is given (the folder that holds the program), it is removed too
// if it is empty; a program in a run folder (RunFolder.h) removes that folder so. Never returns.
[[noreturn]] void SelfDelete(UINT exitCode = 0, const std::wstring& emptyFolder = std::wstring());

// What the command interpreter deletes, named relative to its working folder: the interpreter
// expands "%name%" anywhere in its command line, even inside quotes, so the command carries no
// more of a path than these plain names.
struct SelfDeleteTarget {
    std::wstring workingFolder;
    std::wstring file;    // relative to workingFolder
    std::wstring folder;  // relative to workingFolder; empty: none
};

// The target for the program at programPath and the folder to remove with it (empty, or the
// folder that holds the program); nothing when a name would not stay as it is in the command.
std::optional<SelfDeleteTarget> PlanSelfDelete(const std::wstring& programPath,
                                               const std::wstring& emptyFolder);

// Starts file elevated in workingFolder (empty: this process's current folder) and returns at once,
// without waiting for it: with the shell verb "runas", or, when this process is elevated already
// and a folder is given, directly with that folder, so that this process's working folder is never
// touched. False only when the user refused the elevation or the file was not found.
bool RunElevated(int showCommand, const std::wstring& file, const std::wstring& parameters,
                 const std::wstring& workingFolder = std::wstring());

// The same start, telling the truth: true only when the program was started; otherwise the
// thread's last error says why. When process is given, it receives the started program's process
// where the system names one (it may not, for a file handed to a program that runs already).
bool StartElevated(int showCommand, const std::wstring& file, const std::wstring& parameters,
                   const std::wstring& workingFolder = std::wstring(),
                   ScopedHandle* process = nullptr);

// Starts file directly, as this process's user, in workingFolder, with its window shown as
// showCommand. The shell's start would cost the shell's libraries and, on some systems, enter the
// folder itself for a moment. When startedProcess is given, it receives the process.
bool StartInFolder(int showCommand, const std::wstring& file, const std::wstring& parameters,
                   const std::wstring& workingFolder, ScopedHandle* startedProcess = nullptr);

// The parameters that make the command interpreter, started in target's working folder, delete
// target's file once this process has let it go (it tries for a while), then remove its folder if
// one is given and empty. Names are quoted, so blanks, '&' and '^' are fine.
std::wstring SelfDeleteParameters(const SelfDeleteTarget& target);
