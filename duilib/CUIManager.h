#pragma once

#include "CFontTable.h"
#include "CInputTracker.h"
#include "CTimerTable.h"
#include "CWindowPainter.h"
#include "IControlHost.h"
#include "IMessageFilterUI.h"
#include "INotifyUI.h"
#include "ITranslateAccelerator.h"
#include "NameMap.h"
#include "UIEvent.h"
#include "UINotify.h"

#include <windows.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace DuiLib {

class CControlUI;
class CImageCache;

// The manager of one native window's controls. It owns the window's control tree, turns the
// window's messages into control events, keeps the focus, hot, capture and key-target controls,
// runs control timers, lays the tree out and paints it double-buffered, and delivers the
// controls' notifications to the window's listeners. It also holds the window's fonts, default
// colours, images and option groups. Everything runs on the window's thread.
//
// A window class embeds one manager, calls AttachWindow on creation, AttachRoot with its tree, and
// passes every message to HandleMessage (queued messages of modal loops first to PreTranslate).
class CUIManager : public IControlHost {
public:
    CUIManager();
    ~CUIManager();
    CUIManager(const CUIManager&) = delete;
    CUIManager& operator=(const CUIManager&) = delete;

    // --- Window and tree ---
    // Binds the manager to its window and joins the live managers seen by PreTranslate.
    void AttachWindow(HWND window);
    HWND PaintWindow() const override { return window_; }
    HDC PaintDC() const { return paintDc_ ? paintDc_->Get() : nullptr; }
    // Takes ownership of root (the previous root is deleted after the current message); lays it
    // out and sends "windowinit" from it at the next paint.
    bool AttachRoot(std::unique_ptr<CControlUI> root);
    // The framework's raw-pointer form: takes ownership of root as above.
    bool AttachRoot(CControlUI* root);
    CControlUI* Root() const { return root_.get(); }
    void AdoptControls(CControlUI* control, CControlUI* parent) override;
    CControlUI* ControlByName(const std::wstring& name) const override;
    CControlUI* ControlAt(POINT point) const;
    // Searches parent's subtree (the root's when nullptr), ignoring case.
    CControlUI* FindByName(CControlUI* parent, std::wstring_view name) const;
    void ForgetControl(CControlUI* control) override;
    void DeleteLater(std::unique_ptr<CControlUI> control) override;

    // --- Focus, hot tracking and capture ---
    CControlUI* FocusControl() const override { return input_.Focus(); }
    CControlUI* HotControl() const { return input_.Hot(); }
    CControlUI* CaptureControl() const { return input_.Capture(); }
    void SetFocusControl(CControlUI* control) override;
    void RequestFocus(CControlUI* control) override;
    void MoveTabFocus(TabDirection direction);
    POINT LastMousePos() const override { return input_.LastMousePos(); }
    void CaptureMouse() override;
    void ReleaseMouse() override;
    bool IsMouseCaptured() const override { return input_.IsMouseCaptured(); }

    // --- Timers ---
    bool StartTimer(CControlUI* control, UINT localId, UINT elapse) override;
    bool StopTimer(CControlUI* control, UINT localId) override;
    void StopTimers(CControlUI* control) override;

    // --- Painting and layout ---
    void Invalidate(const RECT& rect) override;
    void NeedLayout() override { layoutNeeded_ = true; }
    bool IsLayoutNeeded() const { return layoutNeeded_; }
    void SetShowRepaints(bool show) { painter_.SetShowRepaints(show); }
    bool ShowRepaints() const { return painter_.ShowRepaints(); }
    void SetKeepBackground(bool keep) { painter_.SetKeepBackground(keep); }
    void AddOverlayControl(CControlUI* control) override;
    void RemoveOverlayControl(CControlUI* control) override;

    // --- Notifications and filters ---
    void SendNotification(CControlUI* sender, const wchar_t* type, WPARAM wParam, LPARAM lParam,
                          NotifyDelivery delivery) override;
    void SendNotification(UINotify& notification, NotifyDelivery delivery);
    void UseVirtualWindows() override { virtualWindowsUsed_ = true; }
    // Each list keeps the order of adding; removal takes the first equal entry. Not owned.
    bool AddNotifyTarget(INotifyUI* target);
    bool RemoveNotifyTarget(INotifyUI* target);
    bool AddPreFilter(IMessageFilterUI* filter);
    bool RemovePreFilter(IMessageFilterUI* filter);
    bool AddFilter(IMessageFilterUI* filter);
    bool RemoveFilter(IMessageFilterUI* filter);
    bool AddAccelerator(ITranslateAccelerator* accelerator);
    bool RemoveAccelerator(ITranslateAccelerator* accelerator);

    // --- Messages ---
    // True when the message was handled; result then holds its result.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The pre-translation of a queued message: pre-filters, tab focus, shortcuts, system keys.
    bool PreHandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Offers a queued message to the live managers of its window (and of its ancestors when it
    // is for a child window); true when it must be neither translated nor dispatched.
    static bool PreTranslate(MSG* message);

    // --- Option groups and class attributes ---
    bool JoinGroup(const std::wstring& group, CControlUI* option) override;
    const std::vector<CControlUI*>* GroupMembers(const std::wstring& group) const override;
    void LeaveGroup(const std::wstring& group, CControlUI* option) override;
    // Keeps the first list given for a class name.
    void SetClassAttributes(const std::wstring& className, const std::wstring& list);
    // This manager's list, else its parent resource manager's.
    std::wstring ClassAttributes(const std::wstring& className) const override;
    // A manager whose fonts, colours and class attributes serve where this one has none.
    void SetParentResourceManager(CUIManager* parent) { parentResources_ = parent; }

    // --- Fonts (style: FontStyle bits) ---
    HFONT CreateFontEntry(const std::wstring& face, int size, UINT style);
    bool SetDefaultFontEntry(const std::wstring& face, int size, UINT style);
    HFONT FontAt(int index) override;
    const FontInfo& FontInfoAt(int index) override;
    // A font with these properties from this manager or its parent resource managers.
    HFONT FindFontEntry(const std::wstring& face, int size, UINT style);
    void DrawPlainText(HDC dc, const RECT& rect, const std::wstring& text, DWORD colour,
                       int fontIndex, UINT style) override;

    // --- Default colours (0xAARRGGBB); getters follow the parent resource managers ---
    DWORD DefaultDisabledColor() const override;
    DWORD DefaultFontColor() const override;
    DWORD DefaultLinkFontColor() const override;
    DWORD DefaultLinkHoverFontColor() const override;
    DWORD DefaultSelectedBkColor() const override;
    void SetDefaultDisabledColor(DWORD colour) { colours_.disabled = colour; }
    void SetDefaultFontColor(DWORD colour) { colours_.text = colour; }
    void SetDefaultLinkFontColor(DWORD colour) { colours_.link = colour; }
    void SetDefaultLinkHoverFontColor(DWORD colour) { colours_.linkHover = colour; }
    void SetDefaultSelectedBkColor(DWORD colour) { colours_.selectedBk = colour; }

    // --- Window geometry ---
    void SetMinTrackSize(int cx, int cy) { minTrackSize_ = {cx, cy}; }
    SIZE MinTrackSize() const { return minTrackSize_; }
    void SetMaxTrackSize(int cx, int cy) { maxTrackSize_ = {cx, cy}; }
    SIZE MaxTrackSize() const { return maxTrackSize_; }
    void SetCornerRound(int cx, int cy) { roundCorner_ = {cx, cy}; }
    SIZE CornerRound() const { return roundCorner_; }
    // Widths of the band along each edge that resizes the window.
    void SetResizeBorder(const RECT& border) { resizeBorder_ = border; }
    RECT ResizeBorder() const { return resizeBorder_; }
    // left/right: distances from the client edges; top/bottom: client coordinates.
    void SetCaptionArea(const RECT& caption) { caption_ = caption; }
    RECT CaptionArea() const { return caption_; }
    // Also resizes the window (no move, activation or z-order change) while it has no root.
    void SetInitialSize(int cx, int cy);
    SIZE InitialSize() const { return initSize_; }
    // Values in 0..255 make the window layered with that constant alpha; others turn it off.
    void SetWindowAlpha(int alpha);
    int WindowAlpha() const { return opacity_; }

    // --- Images ---
    bool DrawImage(HDC dc, const RECT& itemRect, const RECT& paintRect,
                   const std::wstring& description, const std::wstring& modifier) override;
    void DrawEllipseImage(HDC dc, const RECT& itemRect, const std::wstring& file) override;
    CImageCache& Images() { return *images_; }

    // The folder of the program's module, ending with a backslash.
    static std::wstring ModuleDirectory();

private:
    struct DefaultColours {
        DWORD disabled = 0xFFA7A6AA;
        DWORD text = 0xFF000000;
        DWORD link = 0xFF0000FF;
        DWORD linkHover = 0xFFD3215F;
        DWORD selectedBk = 0xFFBAE4FF;
    };

    void DrainAsyncNotifications();
    void Deliver(UINotify& notification);
    bool HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnPaint();
    void OnPrintClient(HDC dc, LPARAM flags);
    bool PreTranslateFor(MSG* message, bool reportHandled);
    void RunDelayedCleanup();
    template <typename Member>
    DWORD InheritedColour(Member member) const;

    HWND window_ = nullptr;
    int opacity_ = 255;
    std::optional<ScopedWindowDC> paintDc_;
    CWindowPainter painter_;

    std::unique_ptr<CControlUI> root_;
    CInputTracker input_{*this};

    SIZE minTrackSize_ = {0, 0};
    SIZE maxTrackSize_ = {0, 0};
    SIZE roundCorner_ = {0, 0};
    RECT resizeBorder_ = {0, 0, 0, 0};
    SIZE initSize_ = {0, 0};
    RECT caption_ = {0, 0, 0, 0};

    CTimerTable timers_;

    bool firstLayout_ = true;
    bool layoutNeeded_ = false;
    bool virtualWindowsUsed_ = false;

    std::vector<INotifyUI*> notifiers_;
    std::vector<IMessageFilterUI*> preMessageFilters_;
    std::vector<IMessageFilterUI*> messageFilters_;
    std::vector<CControlUI*> postPaintControls_;
    std::vector<std::unique_ptr<CControlUI>> delayedCleanup_;
    std::deque<UINotify> asyncNotifications_;
    std::vector<ITranslateAccelerator*> translateAccelerators_;

    CNameMap<CControlUI*> nameMap_;
    CNameMap<std::vector<CControlUI*>> optionGroups_;
    CNameMap<std::wstring> classAttributes_;
    CUIManager* parentResources_ = nullptr;
    DefaultColours colours_;
    CFontTable fonts_;
    std::unique_ptr<CImageCache> images_;
};

}  // namespace DuiLib
