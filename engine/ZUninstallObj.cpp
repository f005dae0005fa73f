#include "ZUninstallObj.h"

#include "Check.h"
#include "DriverRemoval.h"
#include "FolderWalk.h"
#include "InstallPathSafety.h"
#include "InstalledProductRecord.h"
#include "ShortcutCleanup.h"

#include <cstdint>
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

}  // namespace

ZUninstallObj::ZUninstallObj(UninstallSettings settings)
    : settings_(std::move(settings)),
      worker_(this),
      post_(::PostMessageW),
      launchTool_(ElevatedToolLauncher()) {}

// The worker must have finished with this object before its members go away.
ZUninstallObj::~ZUninstallObj() {
    worker_.Stop();
}

void ZUninstallObj::SetPostFunction(PostMessageFunction post) {
    UNINSTALLER_CHECK(!worker_.HasThread(), "the post call is replaced while the worker runs");
    post_ = std::move(post);
}

void ZUninstallObj::SetToolLauncher(ToolLauncher launch) {
    UNINSTALLER_CHECK(!worker_.HasThread(), "the tool launcher is replaced while the worker runs");
    launchTool_ = std::move(launch);
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
    const std::wstring& projectName = settings_.projectName;
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
