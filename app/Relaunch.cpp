#include "Relaunch.h"

#include "AppConfig.h"
#include "CRunExitCode.h"
#include "FileSystem.h"
#include "IUninstallLog.h"
#include "InstalledProductRecord.h"
#include "PathUtil.h"
#include "RunFolder.h"
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

// The program's copy in its run folder, held open without write or delete sharing from the copy to
// its start, so that nothing can take its place in between.
class HeldCopy {
public:
    HeldCopy(const std::wstring& programPath, const std::wstring& runFolder)
        : folder_(runFolder), path_(runFolder + L"\\" + kRelaunchFileName) {
        if (::CopyFileW(programPath.c_str(), path_.c_str(), TRUE)) {
            held_.Reset(::CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        }
    }
    HeldCopy(const HeldCopy&) = delete;
    HeldCopy& operator=(const HeldCopy&) = delete;

    bool IsHeld() const { return static_cast<bool>(held_); }
    const std::wstring& Path() const { return path_; }
    const std::wstring& Folder() const { return folder_; }

    // Starts the copy by its full path in workingFolder; its process, or an empty handle when it
    // could not start (the copy and its folder are then removed).
    ScopedHandle Start(const std::wstring& parameters, const std::wstring& workingFolder,
                       bool silent) {
        ScopedHandle copy;
        StartInFolder(silent ? SW_HIDE : SW_SHOWNORMAL, path_, parameters, workingFolder, &copy);
        held_.Reset();
        if (!copy) {
            Remove();
        }
        return copy;
    }

    void Remove() {
        held_.Reset();
        ::DeleteFileW(path_.c_str());
        ::RemoveDirectoryW(folder_.c_str());
    }

private:
    std::wstring folder_;
    std::wstring path_;
    ScopedFileHandle held_;
};

// Starts the copy and waits for it to end; its exit code, or nothing when it could not start.
std::optional<DWORD> RunCopyAndWait(HeldCopy& held, const RelaunchPlan& plan,
                                    const std::wstring& tempFolder, bool silent) {
    const ScopedHandle copy = held.Start(plan.parameters, tempFolder, silent);
    if (!copy) {
        return std::nullopt;
    }
    ::WaitForSingleObject(copy.Get(), INFINITE);
    DWORD exitCode = ExitCode::kLeftBehind;
    ::GetExitCodeProcess(copy.Get(), &exitCode);
    return exitCode;
}

void WaitForCopyToBeDeleted(const HeldCopy& held, IUninstallLog& log) {
    const ULONGLONG deadline = ::GetTickCount64() + kCopyDeleteWaitMs;
    while (PathExists(held.Folder()) && ::GetTickCount64() < deadline) {
        ::Sleep(50);
    }
    if (PathExists(held.Folder())) {
        log.Write(L"The copy's folder is still there: " + held.Folder());
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
    if (tempFolder.empty() || programFolder == tempFolder ||
        IsRunFolder(programFolder, tempFolder)) {
        return plan;
    }
    plan.relaunch = true;
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
    const std::optional<std::wstring> runFolder = CreateRunFolder(tempFolder);
    if (!runFolder) {
        log.Write(L"Could not make a folder for the copy in " + tempFolder +
                  L"; running in place.");
        return;
    }
    HeldCopy held(programPath, *runFolder);
    if (!held.IsHeld()) {
        log.Write(L"Could not copy the program to " + held.Path() + L"; running in place.");
        held.Remove();
        return;
    }
    if (!options.silent && !options.wait) {
        // By full path: a bare name would be looked for in the current folder first, which may be
        // the installation folder holding an Uninstall.exe of its own.
        held.Start(plan.parameters, tempFolder, false);
        ::ExitProcess(0);
    }

    // The caller waits for this process, which runs from the installation folder: it must not
    // hold that folder as its working folder while the copy deletes it.
    InstalledProductRecord record;
    ReadInstalledProduct(GetProjectName(), record);
    ::SetCurrentDirectoryW(tempFolder.c_str());

    log.Write(L"Starting the copy: \"" + held.Path() + L"\" " + plan.parameters);
    const std::optional<DWORD> copyExitCode =
        RunCopyAndWait(held, plan, tempFolder, options.silent);
    if (!copyExitCode) {
        log.Write(L"The copy could not be started; running in place.");
        return;
    }
    log.Write(L"The copy ended with exit code " + std::to_wstring(*copyExitCode) + L".");
    // The copy deletes its own file and its folder however its run ends.
    WaitForCopyToBeDeleted(held, log);

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
