#include "ZUninstallObj.h"

#include "CDiskObject.h"
#include "Check.h"
#include "DriverRemoval.h"
#include "FileSystem.h"
#include "FolderWalk.h"
#include "InstallPathSafety.h"
#include "InstalledProductRecord.h"
#include "LeftoverKeys.h"
#include "PendingFileRenames.h"
#include "RunningPrograms.h"
#include "ShortcutCleanup.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <utility>

namespace {

std::int64_t WindowToParameter(HWND window) {
    return static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(window));
}

HWND ParameterToWindow(std::int64_t parameter) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(parameter));
}

// Deletes a link; a missing one is no error. Returns the error that kept it, or 0.
DWORD DeleteLink(const std::wstring& path) {
    if (path.empty() || ::DeleteFileW(path.c_str())) {
        return ERROR_SUCCESS;
    }
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ERROR_SUCCESS : error;
}

bool Holds(const std::vector<std::wstring>& items, const std::wstring& item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

}  // namespace

ZUninstallObj::ZUninstallObj(UninstallSettings settings)
    : settings_(std::move(settings)),
      worker_(this),
      post_(::PostMessageW),
      launchTool_(ElevatedToolLauncher()),
      waitForTools_([](const std::wstring& installPath, unsigned long limitMs) {
          WaitForProgramsRunningFrom(installPath, limitMs);
      }),
      scheduleForRestart_(PlatformRestartScheduler()),
      withdrawRestartRemovals_(WithdrawRestartRemovals) {}

// The worker must have finished with this object before its members go away.
ZUninstallObj::~ZUninstallObj() {
    worker_.Stop();
}

void ZUninstallObj::StopWorker() {
    worker_.Stop();
}

void ZUninstallObj::SetPostFunction(PostMessageFunction post) {
    UNINSTALLER_CHECK(!worker_.HasThread(), "the post call is replaced while the worker runs");
    post_ = std::move(post);
}

void ZUninstallObj::SetToolLauncher(ToolLauncher launch, ToolWait waitForTools) {
    UNINSTALLER_CHECK(!worker_.HasThread(), "the tool launcher is replaced while the worker runs");
    launchTool_ = std::move(launch);
    waitForTools_ = std::move(waitForTools);
}

void ZUninstallObj::SetProgressInterval(std::uint64_t intervalMs) {
    UNINSTALLER_CHECK(!worker_.HasThread(), "the progress interval changes while the worker runs");
    progressThrottle_ = ProgressThrottle(intervalMs);
}

void ZUninstallObj::SetRestartScheduler(RestartScheduler schedule, RestartWithdrawal withdraw) {
    UNINSTALLER_CHECK(!worker_.HasThread(),
                      "the restart scheduling is replaced while the worker runs");
    scheduleForRestart_ = std::move(schedule);
    withdrawRestartRemovals_ = std::move(withdraw);
}

void ZUninstallObj::SetLog(IUninstallLog* log) {
    log_ = log;
}

UninstallOutcome ZUninstallObj::Outcome() const {
    const std::lock_guard<CriticalSection> hold(outcomeLock_);
    return outcome_;
}

UninstallOutcome ZUninstallObj::SweepLeftovers() {
    return RunLeftoverPass();
}

void ZUninstallObj::StartUninstall(const std::wstring& displayName, HWND window) {
    if (!worker_.HasThread()) {
        worker_.StartThread();
    }
    CReqPack pack;
    pack.type = REQ_UNINSTALL;
    pack.param1 = WindowToParameter(window);
    pack.text = displayName;
    worker_.Post(pack);
}

void ZUninstallObj::HandlePack(CReqPack* pack) {
    if (pack == nullptr || pack->type != REQ_UNINSTALL) {
        return;
    }
    const HWND window = ParameterToWindow(pack->param1);
    DoUninstall(pack->text, window);
    // The window must see the final count before the end.
    if (progressThrottle_.TakeHeldBack()) {
        PostProgress(notifyWindow_);
    }
    Post(window, WM_UNINSTALL_FINISHED, 0, 0);
}

void ZUninstallObj::OnFileDeleted(const std::wstring&) {
    ReportItemDone(notifyWindow_);
}

void ZUninstallObj::OnDeleteFailed(const std::wstring& path, DWORD error) {
    Log(L"Not removed: " + path + L": " + SystemErrorText(error));
}

void ZUninstallObj::DoUninstall(const std::wstring& displayName, HWND window) {
    const std::wstring& projectName = settings_.projectName;
    SetOutcome(UninstallOutcome());
    projectName_.clear();
    InstalledProductRecord record;
    const bool entryFound = ReadInstalledProduct(projectName, record);
    Log(entryFound ? L"Product record: DisplayName \"" + record.displayName +
                         L"\", InstallPath \"" + record.installPath + L"\""
                   : L"Product record: no installed-programs entry \"" + projectName + L"\"");
    // Two empty names would "match" with a missing configuration; then nothing is known to be ours.
    if (displayName.empty() || projectName.empty() || record.displayName != displayName) {
        Log(L"The installed product is not \"" + displayName + L"\"; nothing is removed.");
        SetOutcome({{}, {}, RemovalVerdict::kNotInstalled});
        return;
    }
    // A folder that is gone already (an earlier run removed it) leaves the rest to remove. One that
    // is there but refused stops the run before anything is touched: without the entry and the
    // key, nothing could ever remove what stays on the disk.
    installPath_.clear();
    if (!record.installPath.empty() && PathExists(record.installPath)) {
        if (const std::wstring refusal = InstallFolderRefusal(record.installPath);
            !refusal.empty()) {
            Log(L"The installation folder " + record.installPath + L" is refused: " + refusal +
                L". Nothing is removed.");
            SetOutcome({{}, {record.installPath}, RemovalVerdict::kFolderRefused});
            return;
        }
        installPath_ = record.installPath;
    }

    Log(L"Step: driver removal");
    const ULONGLONG driverStepStart = ::GetTickCount64();
    if (!RemoveDriver(installPath_, LoggingLauncher())) {
        Log(L"The driver package's batch file still runs after " +
            std::to_wstring(kDriverBatchWaitMs / 1000) + L" s; the removal goes on.");
    }
    // The tools run from the installation folder and hold its files: deleted under them, the
    // folder would be left for a restart that is not needed once they have ended.
    Log(L"Step: waiting for the package's tools to end");
    // One limit for the batch file and the tools together: a batch file that outlasted its wait
    // is among the tools, and must not hold the removal up a second time.
    const ULONGLONG waited = ::GetTickCount64() - driverStepStart;
    if (waitForTools_ && waited < kToolWaitLimitMs) {
        waitForTools_(installPath_, static_cast<unsigned long>(kToolWaitLimitMs - waited));
    }

    itemsTotal_ = 0;
    itemsDone_ = 0;
    notifyWindow_ = window;
    progressThrottle_.Reset();
    if (!installPath_.empty()) {
        CountFolderFiles(installPath_, itemsTotal_);
    }
    Log(L"Step: counting the files to remove");
    const std::wstring desktopLink = DesktopLinkPath(displayName);
    itemsTotal_ += 1;
    const std::wstring programsFolder = ProgramsFolderPath(displayName);
    if (!programsFolder.empty()) {
        CountFolderFiles(programsFolder, itemsTotal_);
    }
    const std::wstring pinnedLink = PinnedLinkPath(displayName);
    itemsTotal_ += 1;
    programsFolder_ = programsFolder;
    desktopLink_ = desktopLink;
    pinnedLink_ = pinnedLink;
    projectName_ = projectName;

    Log(L"Step: counted " + std::to_wstring(itemsTotal_) + L" items to remove");

    Log(L"Step: releasing the start-menu and taskbar pins");
    InvokeUnpinVerb(L"startunpin", programsFolder);
    InvokeUnpinVerb(L"taskbarunpin", pinnedLink);

    Log(L"Step: deleting the installation folder " + installPath_);
    if (!installPath_.empty()) {
        DeleteFolderNotify(installPath_, this);
    }
    Log(L"Step: deleting the desktop link " + desktopLink);
    if (const DWORD error = DeleteLink(desktopLink)) {
        OnDeleteFailed(desktopLink, error);
    }
    ReportItemDone(window);
    Log(L"Step: deleting the start-menu folder " + programsFolder);
    if (!programsFolder.empty()) {
        DeleteFolderNotify(programsFolder, this);
    }
    Log(L"Step: deleting the taskbar link " + pinnedLink);
    if (const DWORD error = DeleteLink(pinnedLink)) {
        OnDeleteFailed(pinnedLink, error);
    }
    ReportItemDone(window);

    Log(L"Step: removing the installed-programs entry " + projectName);
    RemoveInstalledProgramsEntry(projectName);

    RunLeftoverPass();
    Log(L"Removed " + std::to_wstring(itemsDone_) + L" of " + std::to_wstring(itemsTotal_) +
        L" items");
}

// Sweeps the two folders the run removed, tries the two links once more and looks for the
// product's keys; nothing when no run has passed the product check. Items an earlier pass
// scheduled are not scheduled twice, and their deletions are withdrawn once they are gone (a
// program that held them has ended); only items new to the outcome are logged.
UninstallOutcome ZUninstallObj::RunLeftoverPass() {
    if (projectName_.empty()) {
        return Outcome();
    }
    const UninstallOutcome previous = Outcome();
    CLeftoverSweep sweep(scheduleForRestart_, previous.scheduledForRestart);
    sweep.Sweep(installPath_);
    sweep.Sweep(programsFolder_);
    UninstallOutcome outcome = sweep.Outcome();
    // The links lie in folders shared with other programs: they are only deleted, never changed.
    for (const std::wstring& link : {desktopLink_, pinnedLink_}) {
        DeleteLink(link);
        if (!link.empty() && ::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES) {
            outcome.remaining.push_back(link);
        }
    }
    for (std::wstring& key : ProductKeysLeft(projectName_)) {
        outcome.remaining.push_back(std::move(key));
    }
    std::vector<std::wstring> goneSince;
    for (const std::wstring& item : previous.scheduledForRestart) {
        if (!Holds(outcome.scheduledForRestart, item)) {
            goneSince.push_back(item);
        }
    }
    withdrawRestartRemovals_(goneSince);
    WriteNewItems(previous, outcome);
    SetOutcome(outcome);
    return outcome;
}

void ZUninstallObj::SetOutcome(UninstallOutcome outcome) {
    const std::lock_guard<CriticalSection> hold(outcomeLock_);
    outcome_ = std::move(outcome);
}

void ZUninstallObj::WriteNewItems(const UninstallOutcome& previous,
                                  const UninstallOutcome& current) {
    for (const std::wstring& item : current.scheduledForRestart) {
        if (!Holds(previous.scheduledForRestart, item)) {
            Log(L"Scheduled for removal at the next restart: " + item);
        }
    }
    for (const std::wstring& item : current.remaining) {
        if (!Holds(previous.remaining, item)) {
            Log(L"Could not be removed: " + item);
        }
    }
}

ToolLauncher ZUninstallObj::LoggingLauncher() {
    return [this](const std::wstring& file, const std::wstring& parameters,
                  const std::wstring& workingFolder, ScopedHandle* process) {
        const bool started = launchTool_(file, parameters, workingFolder, process);
        const DWORD error = ::GetLastError();
        Log(L"Tool: \"" + file + L"\" " + parameters + L" (working folder " +
            (workingFolder.empty() ? std::wstring(L"unchanged") : workingFolder) + L"): " +
            (started ? std::wstring(L"started") : L"not started, " + SystemErrorText(error)));
        return started;
    };
}

void ZUninstallObj::Log(const std::wstring& line) {
    if (log_ != nullptr) {
        log_->Write(line);
    }
}

void ZUninstallObj::ReportItemDone(HWND window) {
    itemsDone_ += 1;
    if (progressThrottle_.Pass(itemsDone_, itemsTotal_, ::GetTickCount64())) {
        PostProgress(window);
    }
}

void ZUninstallObj::PostProgress(HWND window) {
    Post(window, WM_UNINSTALL_PROGRESS, static_cast<WPARAM>(itemsDone_),
         static_cast<LPARAM>(itemsTotal_));
}

void ZUninstallObj::Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A null window would post into the worker's own queue, where nobody reads.
    if (window != nullptr) {
        PostUntilQueued(post_, window, message, wParam, lParam);
    }
}
