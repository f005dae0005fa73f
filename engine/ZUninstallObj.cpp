#include "ZUninstallObj.h"

#include "AppConfig.h"
#include "DriverRemoval.h"
#include "FolderWalk.h"
#include "InstallPathSafety.h"
#include "InstalledProductRecord.h"
#include "LeftoverKeys.h"
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

void DeleteLink(const std::wstring& path) {
    if (!path.empty()) {
        ::DeleteFileW(path.c_str());
    }
}

bool Holds(const std::vector<std::wstring>& items, const std::wstring& item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

}  // namespace

ZUninstallObj::ZUninstallObj()
    : post_(::PostMessageW),
      launchTool_(ElevatedToolLauncher()),
      scheduleForRestart_(PlatformRestartScheduler()) {
    worker_.SetHandler(this);
}

// The worker must have finished with this object before its members go away.
ZUninstallObj::~ZUninstallObj() {
    worker_.Stop();
}

ZUninstallObj& ZUninstallObj::Instance() {
    static ZUninstallObj engine;
    return engine;
}

void ZUninstallObj::SetPostFunction(PostMessageFunction post) {
    post_ = std::move(post);
}

void ZUninstallObj::SetToolLauncher(ToolLauncher launch) {
    launchTool_ = std::move(launch);
}

void ZUninstallObj::SetRestartScheduler(RestartScheduler schedule) {
    scheduleForRestart_ = std::move(schedule);
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
    Post(window, WM_UNINSTALL_FINISHED, 0, 0);
}

void ZUninstallObj::OnFileDeleted(std::wstring) {
    ReportItemDone(notifyWindow_);
}

void ZUninstallObj::DoUninstall(const std::wstring& displayName, HWND window) {
    const std::wstring projectName = GetProjectName();
    SetOutcome(UninstallOutcome());
    projectName_.clear();
    InstalledProductRecord record;
    ReadInstalledProduct(projectName, record);
    // Two empty names would "match" with a missing configuration; then nothing is known to be ours.
    if (displayName.empty() || projectName.empty() || record.displayName != displayName) {
        return;
    }
    installPath_ =
        IsRemovableInstallFolder(record.installPath) ? record.installPath : std::wstring();

    RemoveDriver(installPath_, launchTool_);

    itemsTotal_ = 0;
    itemsDone_ = 0;
    notifyWindow_ = window;
    if (!installPath_.empty()) {
        CountFolderFiles(installPath_, itemsTotal_);
    }
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

    InvokeUnpinVerb(L"startunpin", programsFolder);
    InvokeUnpinVerb(L"taskbarunpin", pinnedLink);

    if (!installPath_.empty()) {
        DeleteFolderNotify(installPath_, this);
    }
    DeleteLink(desktopLink);
    ReportItemDone(window);
    if (!programsFolder.empty()) {
        DeleteFolderNotify(programsFolder, this);
    }
    DeleteLink(pinnedLink);
    ReportItemDone(window);

    RemoveInstalledProgramsEntry(projectName);

    RunLeftoverPass();
}

// Sweeps the two folders the run removed, tries the two links once more and looks for the
// product's keys; nothing when no run has passed the product check. Items an earlier pass
// scheduled are not scheduled twice, and only items new to the outcome are logged.
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
    if (log_ == nullptr) {
        return;
    }
    for (const std::wstring& item : current.scheduledForRestart) {
        if (!Holds(previous.scheduledForRestart, item)) {
            log_->Write(L"Scheduled for removal at the next restart: " + item);
        }
    }
    for (const std::wstring& item : current.remaining) {
        if (!Holds(previous.remaining, item)) {
            log_->Write(L"Could not be removed: " + item);
        }
    }
}

void ZUninstallObj::ReportItemDone(HWND window) {
    itemsDone_ += 1;
    Post(window, WM_UNINSTALL_PROGRESS, static_cast<WPARAM>(itemsDone_),
         static_cast<LPARAM>(itemsTotal_));
}

void ZUninstallObj::Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A null window would post into the worker's own queue, where nobody reads.
    if (window != nullptr) {
        PostUntilQueued(post_, window, message, wParam, lParam);
    }
}
