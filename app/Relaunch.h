#pragma once

#include "CommandLineOptions.h"

#include <string>
#include <string_view>

class IUninstallLog;

// The program is started from the installation folder, which the removal deletes, so it first
// copies itself to the temporary folder as Uninstall.exe, starts the copy and ends.

constexpr wchar_t kRelaunchFileName[] = L"Uninstall.exe";

struct RelaunchPlan {
    bool relaunch = false;
    std::wstring parameters;  // the switches of options, then "AppPath=" + the program's folder
};

// What the program at programPath does with the temporary folder tempFolder. It runs in place
// when it already runs from there (exact, case-sensitive comparison) or from a run folder in it
// (RunFolder.h), or when the temporary folder is unknown.
RelaunchPlan PlanRelaunch(std::wstring_view programPath, std::wstring_view tempFolder,
                          const CommandLineOptions& options = {});

// Copies the running program into a new run folder of the temporary folder, holds the copy until
// it has started, and starts the copy by its full path with
// the same switches. Without /S and /WAIT the process then ends at once with exit code 0. With
// either, it waits for the copy (and for the copy's file to be gone) and ends with the copy's
// exit code; when the copy removed the product, this program's own file and the then empty
// installation folder go too. Returns when the program should run in place.
void RelaunchFromTemp(const CommandLineOptions& options, IUninstallLog& log);

// Whether a copy that ended with exitCode ran the removal (so the product's folder may go).
bool RemovalRan(unsigned long exitCode);
