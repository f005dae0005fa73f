#include "Relaunch.h"

#include "PathUtil.h"

#include <windows.h>
#include <shellapi.h>

RelaunchPlan PlanRelaunch(std::wstring_view programPath, std::wstring_view tempFolder) {
    RelaunchPlan plan;
    const std::wstring programFolder = PathFolder(programPath);
    if (tempFolder.empty() || programFolder == tempFolder) {
        return plan;
    }
    plan.relaunch = true;
    plan.copyPath = std::wstring(tempFolder) + L"\\" + kRelaunchFileName;
    plan.parameters = L"AppPath=" + programFolder;
    return plan;
}

void RelaunchFromTemp() {
    const std::wstring tempFolder = GetTempFolder();
    const std::wstring programPath = GetModulePath();
    const RelaunchPlan plan = PlanRelaunch(programPath, tempFolder);
    if (!plan.relaunch || !::CopyFileW(programPath.c_str(), plan.copyPath.c_str(), FALSE)) {
        return;
    }
    // By full path: a bare name would be looked for in the current folder first, which may be
    // the installation folder holding an Uninstall.exe of its own.
    ::ShellExecuteW(nullptr, L"open", plan.copyPath.c_str(), plan.parameters.c_str(),
                    tempFolder.c_str(), SW_SHOWNORMAL);
    ::ExitProcess(0);
}
