#pragma once

#include "CContainerUI.h"
#include "INotifyUI.h"

#include <windows.h>

#include <string>

// The progress and finish page: a status line, a progress line and the progress bar while the
// engine works; the completion text and the finish button once it is done. The engine's two
// messages reach it through the main frame (OnUninstallMessage); the finish button removes what
// is left of the installation folder and ends the program.
class ZPage3 : public DuiLib::CContainerUI, public DuiLib::INotifyUI {
public:
    ZPage3() = default;
    ~ZPage3() override;

    // Listens to the manager's notifications and builds the page.
    void OnInit() override;
    // The finish button's click ends the program (FinishAndExit).
    void Notify(DuiLib::UINotify& notification) override;

    // WM_UNINSTALL_PROGRESS (wParam items done, lParam items total) moves the bar and rewrites
    // the progress line; WM_UNINSTALL_FINISHED shows the completion text and the finish button.
    // Other messages are ignored.
    void OnUninstallMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Has the engine remove what is left of the product once more (what is still in use stays
    // scheduled for the restart), then finishes the run: logs what is left, deletes the program's
    // own file and ends the process with the run's exit code.
    [[noreturn]] static void FinishAndExit();
    // The same for a given installation folder (empty: nothing to delete). The folder is deleted
    // only when it is still a removable installation folder, without following links.
    [[noreturn]] static void FinishAndExit(const std::wstring& installPath);

private:
    void OnProgress(WPARAM wParam, LPARAM lParam);
    void OnFinished();
    void SetChildVisible(const wchar_t* name, bool visible);
};
