#pragma once

#include <windows.h>

#include <string>

// The package's removal tools are started without waiting for each; while one still runs, its
// files in the installation folder can't be deleted. The engine waits for them all before it
// deletes that folder, so that nothing is left for a restart only because a tool still ran.

// How long WaitForProgramsRunningFrom waits at most.
constexpr DWORD kToolWaitLimitMs = 30000;

// Waits until no process runs a program file at or below folder (other than this process and the
// one that started it: the first process of the run, which runs from the installation folder
// itself) and no process this one started still runs, or until limitMs passed. Returns at once
// when folder is empty.
void WaitForProgramsRunningFrom(const std::wstring& folder, DWORD limitMs = kToolWaitLimitMs);

// The program file of the process that started this one; empty when that process has ended or
// can't be looked at. While a first process waits for its copy, this is the first process's file.
std::wstring ParentProgramPath();
