#include "Relaunch.h"

#include "AppConfig.h"
#include "CRunExitCode.h"
#include "FileSystem.h"
#include "IUninstallLog.h"
#include "InstalledProductRecord.h"
#include "PathUtil.h"
#include "ShellUtilities.h"
#include "TextConvert.h"
#include "UniqueHandle.h"

#include <windows.h>

#include <optional>

namespace {

// How long the waiting first process gives the copy's self-delete to finish after the copy ended.
constexpr ULONGLONG kCopyDeleteWaitMs = 15000;

bool SameFolder(const std::wstring& a, const std::wstring& b) {
    const std::wstring left = WithoutTrailingSeparators(a);
    return !left.empty() && EqualsIgnoringCase(left, WithoutTrailingSeparators(b));
}

// Starts the copy by its full path in the temporary folder; its process, or an empty handle when it
// could not start.
ScopedHandle StartCopy(const RelaunchPlan& plan, const std::wstring& tempFolder, bool silent) {
    ScopedHandle copy;
    StartInFolder(silent ? SW_HIDE : SW_SHOWNORMAL, plan.copyPath, plan.parameters, tempFolder,
                  &copy);
    return copy;
}

// Starts the copy and waits for it to end; its exit code, or nothing when it could not start.
std::optional<DWORD> RunCopyAndWait(const RelaunchPlan& plan, const std::wstring& tempFolder,
                                    bool silent) {
    const ScopedHandle copy = StartCopy(plan, tempFolder, silent);
    if (!copy) {
        return std::nullopt;
    }
    ::WaitForSingleObject(copy.Get(), INFINITE);
    DWORD exitCode = ExitCode::kLeftBehind;
    ::GetExitCodeProcess(copy.Get(), &exitCode);
    return exitCode;
}

void WaitForCopyToBeDeleted(const std::wstring& copyPath, IUninstallLog& log) {
    const ULONGLONG deadline = ::GetTickCount64() + kCopyDeleteWaitMs;
    while (PathExists(copyPath) && ::GetTickCount64() < deadline) {
        ::Sleep(50);
    }
    if (PathExists(copyPath)) {
        log.Write(L"The copy's file is still there: " + copyPath);
    }
}

}  // namespace

bool RemovalRan(unsigned long exitCode) {
    return exitCode == ExitCode::kRemoved || exitCode == ExitCode::kLeftBehind ||
           exitCode == ExitCode::kRestartNeeded;
}

RelaunchPlan PlanRelaunch(std::wstring_view programPath, std::wstring_view tempFolder,
                          const CommandLineOptions& options) {
    RelaunchPlan plan;
    const std::wstring programFolder = PathFolder(programPath);
    if (tempFolder.empty() || programFolder == tempFolder) {
        return plan;
    }
    plan.relaunch = true;
    plan.copyPath = std::wstring(tempFolder) + L"\\" + kRelaunchFileName;
    plan.parameters = CopyParameters(options, programFolder);
    return plan;
}

void RelaunchFromTemp(const CommandLineOptions& options, IUninstallLog& log) {
    const std::wstring tempFolder = GetTempFolder();
    const std::wstring programPath = GetModulePath();
    const RelaunchPlan plan = PlanRelaunch(programPath, tempFolder, options);
    if (!plan.relaunch) {
        return;
    }
    if (!::CopyFileW(programPath.c_str(), plan.copyPath.c_str(), FALSE)) {
        log.Write(L"Could not copy the program to " + plan.copyPath + L"; running in place.");
        return;
    }
    if (!options.silent && !options.wait) {
        // By full path: a bare name would be looked for in the current folder first, which may be
        // the installation folder holding an Uninstall.exe of its own.
        StartCopy(plan, tempFolder, false);
        ::ExitProcess(0);
    }

    // The caller waits for this process, which runs from the installation folder: it must not
    // hold that folder as its working folder while the copy deletes it.
    InstalledProductRecord record;
    ReadInstalledProduct(GetProjectName(), record);
    ::SetCurrentDirectoryW(tempFolder.c_str());

    log.Write(L"Starting the copy: \"" + plan.copyPath + L"\" " + plan.parameters);
    const std::optional<DWORD> copyExitCode = RunCopyAndWait(plan, tempFolder, options.silent);
    if (!copyExitCode) {
        log.Write(L"The copy could not be started; running in place.");
        return;
    }
    log.Write(L"The copy ended with exit code " + std::to_wstring(*copyExitCode) + L".");
    // The copy deletes its own file when it ends through the finish step, and always with /S.
    if (RemovalRan(*copyExitCode) || options.silent) {
        WaitForCopyToBeDeleted(plan.copyPath, log);
    }

    const std::wstring programFolder = PathFolder(programPath);
    if (RemovalRan(*copyExitCode) && SameFolder(programFolder, record.installPath)) {
        log.Write(L"Removing this program's own file from the installation folder " +
                  programFolder);
        log.Write(L"Exit code " + std::to_wstring(*copyExitCode));
        SelfDelete(*copyExitCode, programFolder);
    }
    log.Write(L"Exit code " + std::to_wstring(*copyExitCode));
    ::ExitProcess(*copyExitCode);
}
