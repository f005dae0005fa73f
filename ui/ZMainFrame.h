#pragma once

#include "CShadowWindow.h"
#include "CUIManager.h"
#include "InstalledProductRecord.h"
#include "WindowImplBase.h"

#include <memory>
#include <string>

// ZMainFrame is the uninstaller's only top-level window: borderless, skinned, fixed at 600 x 400,
// with a title row holding the close button, a dark decorative upper area and the three wizard
// pages below it (confirm, location and start, progress and finish). It builds its control tree
// in code, takes its images from the skin archive embedded in the program, attaches a drop
// shadow once it has been painted for the first time, quits at once when the installed product is
// not the configured one, handles the clicks of the first two pages, starts the removal and hands
// the engine's messages to the progress page. The whole window drags except over buttons; it can't
// be maximised.
//
// It runs its controls on a manager of its own; the one the window base embeds stays unused.
class ZMainFrame : public DuiLib::WindowImplBase {
public:
    ZMainFrame();
    ~ZMainFrame() override;

    // --- INotifyUI ---
    void Notify(DuiLib::UINotify& notification) override;

    // The frame's own manager (tests look controls up through it).
    DuiLib::CUIManager& FrameManager() { return manager_; }

protected:
    // --- CWindowWnd ---
    const wchar_t* WindowClassName() const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // --- WindowImplBase ---
    void OnWindowCreated() override;
    std::wstring SkinFolder() override;
    std::wstring SkinFile() override;
    DuiLib::SkinResourceType ResourceType() const override;
    std::wstring SkinResourceId() const override;
    LRESULT NonClientHitTest(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    void OnCreateFrame();
    void ApplyWindowSettings();
    std::unique_ptr<DuiLib::CControlUI> BuildControlTree();
    LRESULT OnPaintFrame(WPARAM wParam, LPARAM lParam);
    void AttachShadow();
    void SelectPage(int page);
    int CurrentPage() const;
    void BeginUninstall();
    void RequestClose();
    void PostQuit();

    DuiLib::CUIManager manager_;
    InstalledProductRecord record_;
    CShadowWindow shadow_;
    bool shadowScheduled_ = false;
    bool removalStarted_ = false;
    bool removalFinished_ = false;
    bool closeAsked_ = false;
};
