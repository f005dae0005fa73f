#pragma once

#include "UniqueHandle.h"

#include <windows.h>

#include <string>

// Deletes the running program's own file through the command interpreter and ends the process
// with exitCode. When emptyFolder is given, the interpreter then also removes that folder if it
// is empty. Never returns.
[[noreturn]] void SelfDelete(UINT exitCode = 0, const std::wstring& emptyFolder = std::wstring());

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

// The parameters that make the command interpreter delete path and then remove emptyFolder if
// it is given and empty (both quoted, so blanks are fine).
std::wstring SelfDeleteParameters(const std::wstring& path,
                                  const std::wstring& emptyFolder = std::wstring());
