#pragma once

#include "CNotifyPump.h"
#include "CUIManager.h"
#include "CWindowWnd.h"
#include "IDialogBuilderCallback.h"
#include "IMessageFilterUI.h"
#include "INotifyUI.h"

#include <memory>
#include <string>

namespace DuiLib {

// Where a skinned window's images come from.
enum class SkinResourceType : UINT {
    kFiles = 1,    // files in SkinFolder beside the program
    kZipFile = 2,  // the zip file ArchiveFileName in that folder
    kModuleResource = 3,
    // A zip archive held in the module resource SkinResourceId of type "ZIPRES". It is copied
    // once and serves every window of the process from then on.
    kZipResource = 4,
};

// The skinned, borderless top-level window: one manager for its control tree, non-client
// messages turned into client-drawn behaviour (dragging by the manager's caption area, resizing
// by its border band, rounded corners, maximising to the work area), the caption buttons
// "closebtn", "minbtn", "maxbtn" and "restorebtn" handled by name, notifications routed through
// the notification table, and Escape closing the window.
//
// Each OnX handler returns the message's result and sets handled; one that leaves handled false
// lets the message go on to HandleOtherMessage, the manager and the previous window procedure.
class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback {
public:
    WindowImplBase() = default;
    ~WindowImplBase() override;

    CUIManager& Manager() { return manager_; }

    // --- INotifyUI ---
    void Notify(UINotify& notification) override;
    // --- IMessageFilterUI ---
    LRESULT FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    // --- IDialogBuilderCallback ---
    // This program has no layout documents: OnCreate asks this for the root of the skin named by
    // SkinFile. The base creates none; windows that create their tree themselves ignore it.
    std::unique_ptr<CControlUI> CreateControl(std::wstring_view name) override;

protected:
    // --- CWindowWnd ---
    UINT ClassStyle() const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone(HWND window) override;

    // --- Operations of the skinned window, in the framework's slot order ---
    virtual void OnWindowCreated();
    virtual void OnClick(UINotify& notification);
    virtual std::wstring SkinFolder() = 0;
    virtual std::wstring SkinFile() = 0;
    virtual SkinResourceType ResourceType() const;
    virtual std::wstring ArchiveFileName() const;
    // The "ZIPRES" resource holding the skin: its name, or its numeric identifier in decimal.
    virtual std::wstring SkinResourceId() const;
    virtual LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnNcActivate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnNcCalcSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnNcPaint(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT NonClientHitTest(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnGetMinMaxInfo(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnMouseWheel(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnMouseHover(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnChar(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnKillFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnSetFocus(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnLButtonUp(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnMouseMove(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT HandleOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // The window's current style without the caption bits.
    virtual LONG WindowStyle() const;

    // --- CNotifyPump ---
    const NotifyMap* NotifyTable() const override;

    // Points the process's image look-ups at this window's skin; false when its archive
    // resource is missing or empty. For windows that handle their creation themselves.
    bool SelectSkinResources();
    // The hit-test code of a screen point (as lParam of WM_NCHITTEST) by the resize border,
    // caption area and controls of manager.
    LRESULT HitTestWith(const CUIManager& manager, LPARAM lParam) const;

private:
    CUIManager manager_;
};

}  // namespace DuiLib
