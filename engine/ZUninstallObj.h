#pragma once

#include "CLeftoverSweep.h"
#include "CPackHandle.h"
#include "CPackWorker.h"
#include "CriticalSection.h"
#include "DriverRemoval.h"
#include "IDeleteFileNotify.h"
#include "IUninstallLog.h"
#include "MessagePosting.h"
#include "PendingFileRenames.h"
#include "ProgressThrottle.h"
#include "UninstallMessages.h"
#include "UninstallOutcome.h"
#include "UninstallSettings.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// ZUninstallObj is the uninstall engine. The window's thread hands it the one uninstall request;
// its worker thread checks that the installed product is the configured one and removes it in a
// fixed order, posting WM_UNINSTALL_PROGRESS as items are removed (at most once per frame, and
// always for the last item) and WM_UNINSTALL_FINISHED after the last progress message. It never
// waits for the window. After its own deletion the run makes a last pass over what is left in the
// installation and start-menu folders (CLeftoverSweep) and keeps what is still there in an
// UninstallOutcome.
//
// Threads: the settings, the post call and the launcher are written before the worker starts and
// only read afterwards. The progress counters, the notify window and the install path belong to
// the worker while a request runs; the window's thread reads InstallPath only after
// WM_UNINSTALL_FINISHED. The worker never changes process-wide state (working folder, environment):
// each tool gets its working folder through the start call.

// Takes the restart deletions of items that are gone now back out of the system's list.
using RestartWithdrawal = std::function<void(const std::vector<std::wstring>& paths)>;

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

    // Window's thread: lets the request that runs end and stops the worker. Everything the worker
    // writes to (the log among it) must stay alive until this has returned.
    void StopWorker();

    // What the last run (or the last SweepLeftovers) left behind. Any thread; complete once
    // WM_UNINSTALL_FINISHED has been received.
    UninstallOutcome Outcome() const;

    // Window's thread, after WM_UNINSTALL_FINISHED: the last pass once more over the folders the
    // run removed (the finish step calls it, when a program that held a file may have ended).
    // Returns the new outcome, which Outcome() gives from then on.
    UninstallOutcome SweepLeftovers();

    // Receives a line for every item scheduled or left; may be null. Call before StartUninstall;
    // the log must outlive the engine's work.
    void SetLog(IUninstallLog* log);
    IUninstallLog* LogSink() const { return log_; }

    // Replace the platform's post call, tool launcher and restart scheduling (for tests); call
    // before StartUninstall. A replaced launcher comes with its own wait for the tools it started
    // (none by default).
    void SetPostFunction(PostMessageFunction post);
    void SetToolLauncher(ToolLauncher launch, ToolWait waitForTools = nullptr);
    void SetRestartScheduler(RestartScheduler schedule,
                             RestartWithdrawal withdraw = WithdrawRestartRemovals);
    // Progress is posted at most once per intervalMs (one frame by default) and always for the
    // last item; 0 posts every item. Window's thread, before the first StartUninstall.
    void SetProgressInterval(std::uint64_t intervalMs);

    // CPackHandle, worker thread.
    void HandlePack(CReqPack* pack) override;

    // IDeleteFileNotify, worker thread.
    void OnFileDeleted(const std::wstring& path) override;
    // Writes the item and the reason to the log.
    void OnDeleteFailed(const std::wstring& path, DWORD error) override;

private:
    void DoUninstall(const std::wstring& displayName, HWND window);
    UninstallOutcome RunLeftoverPass();
    void ReportItemDone(HWND window);
    void PostProgress(HWND window);
    void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void SetOutcome(UninstallOutcome outcome);
    void WriteNewItems(const UninstallOutcome& previous, const UninstallOutcome& current);
    void Log(const std::wstring& line);
    // launchTool_, writing each start (command line, working folder, result) to the log.
    ToolLauncher LoggingLauncher();

    const UninstallSettings settings_;
    CPackWorker worker_;
    std::int32_t itemsTotal_ = 0;
    std::int32_t itemsDone_ = 0;
    HWND notifyWindow_ = nullptr;
    ProgressThrottle progressThrottle_;
    std::wstring installPath_;
    // The start-menu folder, the two links and the project name of the last run that passed the
    // product check; written by the worker during a run, read by the window's thread after it.
    std::wstring programsFolder_;
    std::wstring desktopLink_;
    std::wstring pinnedLink_;
    std::wstring projectName_;
    PostMessageFunction post_;
    ToolLauncher launchTool_;
    ToolWait waitForTools_;
    RestartScheduler scheduleForRestart_;
    RestartWithdrawal withdrawRestartRemovals_;
    IUninstallLog* log_ = nullptr;
    // outcome_ is written by the worker at the end of a run and by SweepLeftovers, and read from
    // any thread: always under outcomeLock_.
    mutable CriticalSection outcomeLock_;
    UninstallOutcome outcome_;
};
