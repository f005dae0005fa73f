#pragma once

#include <string>
#include <string_view>

// The program is started from the installation folder, which the removal deletes, so it first
// copies itself to the temporary folder as Uninstall.exe, starts the copy and ends.

constexpr wchar_t kRelaunchFileName[] = L"Uninstall.exe";

struct RelaunchPlan {
    bool relaunch = false;
    std::wstring copyPath;    // temporary folder + "\Uninstall.exe"
    std::wstring parameters;  // "AppPath=" + the program's folder, unquoted
};

// What the program at programPath does with the temporary folder tempFolder. It runs in place
// when it already runs from there (exact, case-sensitive comparison) or when the temporary
// folder is unknown.
RelaunchPlan PlanRelaunch(std::wstring_view programPath, std::wstring_view tempFolder);

// Copies the running program to the temporary folder and starts the copy by its full path, then
// ends the process with exit code 0. Returns when the program should run in place.
void RelaunchFromTemp();
