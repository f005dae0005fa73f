#pragma once

#include "CPackHandle.h"
#include "CPackWorker.h"
#include "DriverRemoval.h"
#include "IDeleteFileNotify.h"
#include "IUninstallLog.h"
#include "MessagePosting.h"
#include "UninstallMessages.h"
#include "UninstallOutcome.h"
#include "UninstallSettings.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// ZUninstallObj is the uninstall engine. The window's thread hands it the one uninstall request;
// its worker thread checks that the installed product is the configured one and removes it in a
// fixed order, posting WM_UNINSTALL_PROGRESS for every removed item and WM_UNINSTALL_FINISHED at
// the end. It never waits for the window.
//
// Threads: the settings, the post call and the launcher are written before the worker starts and
// only read afterwards. The progress counters, the notify window and the install path belong to
// the worker while a request runs; the window's thread reads InstallPath only after
// WM_UNINSTALL_FINISHED. The worker never changes process-wide state (working folder, environment):
// each tool gets its working folder through the start call.
class ZUninstallObj : public CPackHandle, public IDeleteFileNotify {
public:
    // settings name the product; they stay fixed for the life of the object.
    explicit ZUninstallObj(UninstallSettings settings);
    ~ZUninstallObj() override;
    ZUninstallObj(const ZUninstallObj&) = delete;
    ZUninstallObj& operator=(const ZUninstallObj&) = delete;

    // Window's thread: starts the worker thread if needed and queues the request. Returns at once.
    void StartUninstall(const std::wstring& displayName, HWND window);

    // The installation folder the last run removed; empty before a run and when the product check
    // or the path check refused it. Read it only after WM_UNINSTALL_FINISHED.
    const std::wstring& InstallPath() const { return installPath_; }

    // What the last run left behind. Read it only after WM_UNINSTALL_FINISHED.
    const UninstallOutcome& Outcome() const { return outcome_; }

    // Where the run writes a line for each step, tool and item it could not remove (may be null;
    // must outlive the run). Window's thread, before the first StartUninstall: the worker reads it
    // without a lock.
    void SetLog(IUninstallLog* log) { log_ = log; }

    // Replaces the platform's post call and tool launcher (for tests). Window's thread, before the
    // first StartUninstall: the worker reads them without a lock.
    void SetPostFunction(PostMessageFunction post);
    void SetToolLauncher(ToolLauncher launch);

    // CPackHandle, worker thread.
    void HandlePack(CReqPack* pack) override;

    // IDeleteFileNotify, worker thread.
    void OnFileDeleted(std::wstring path) override;
    // Writes the item and the reason to the log.
    void OnDeleteFailed(const std::wstring& path, DWORD error) override;

private:
    void DoUninstall(const std::wstring& displayName, HWND window);
    void ReportItemDone(HWND window);
    void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Log(const std::wstring& line);
    // launchTool_, writing each start (command line, working folder, result) to the log.
    ToolLauncher LoggingLauncher();
    void NoteWhatIsLeft(const std::vector<std::wstring>& items, const std::wstring& entryKey);

    const UninstallSettings settings_;
    CPackWorker worker_;
    std::int32_t itemsTotal_ = 0;
    std::int32_t itemsDone_ = 0;
    HWND notifyWindow_ = nullptr;
    std::wstring installPath_;
    UninstallOutcome outcome_;
    IUninstallLog* log_ = nullptr;
    PostMessageFunction post_;
    ToolLauncher launchTool_;
};
