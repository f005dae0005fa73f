#pragma once

#include "FontInfo.h"
#include "UINotify.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace DuiLib {

class CControlUI;

// What a control needs from the manager of the window it lives in. Controls hold a pointer to
// this view of their manager and work without one (then they only keep their own state), which is
// what lets the control tree be built, configured, laid out and painted on its own.
class IControlHost {
public:
    // Marks a part of the window for repainting (without erasing).
    virtual void Invalidate(const RECT& rect) = 0;
    // Asks for a layout pass before the next paint.
    virtual void NeedLayout() = 0;
    // The native window the controls paint into (nullptr before a window is attached).
    virtual HWND PaintWindow() const = 0;

    virtual CControlUI* FocusControl() const = 0;
    // nullptr clears the focus.
    virtual void SetFocusControl(CControlUI* control) = 0;
    // Kills the current focus and moves it onto control at the next paint, after the layout pass
    // has placed everything (a control that owns a native child window uses it to be placed anew).
    virtual void RequestFocus(CControlUI* control) = 0;

    // The last mouse position seen in the window's client coordinates, (-1, -1) when none.
    virtual POINT LastMousePos() const = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    virtual bool IsMouseCaptured() const = 0;

    // Control timers: localId is the control's own identifier. StartTimer is false when the timer
    // runs already; a stopped timer restarts with the same platform timer.
    virtual bool StartTimer(CControlUI* control, UINT localId, UINT elapse) = 0;
    virtual bool StopTimer(CControlUI* control, UINT localId) = 0;
    virtual void StopTimers(CControlUI* control) = 0;

    // Fonts by index into the manager's custom fonts; an index outside them (-1 included) gives
    // the default font. FontInfoAt measures the font on first use.
    virtual HFONT FontAt(int index) = 0;
    virtual const FontInfo& FontInfoAt(int index) = 0;
    // Plain single-font text in one colour (0xAARRGGBB) with DrawText style bits.
    virtual void DrawPlainText(HDC dc, const RECT& rect, const std::wstring& text, DWORD colour,
                               int fontIndex, UINT style) = 0;

    // Default colours (0xAARRGGBB) of controls that set none of their own.
    virtual DWORD DefaultDisabledColor() const = 0;
    virtual DWORD DefaultFontColor() const = 0;
    virtual DWORD DefaultLinkFontColor() const = 0;
    virtual DWORD DefaultLinkHoverFontColor() const = 0;
    virtual DWORD DefaultSelectedBkColor() const = 0;

    // Option groups: ordered members by group name. JoinGroup is false when already a member;
    // GroupMembers is nullptr for an unknown group; leaving the last member removes the group.
    virtual bool JoinGroup(const std::wstring& group, CControlUI* option) = 0;
    virtual const std::vector<CControlUI*>* GroupMembers(const std::wstring& group) const = 0;
    virtual void LeaveGroup(const std::wstring& group, CControlUI* option) = 0;

    // The attribute list registered for a class name ("VScrollBar", ...), empty when none.
    virtual std::wstring ClassAttributes(const std::wstring& className) const = 0;
    // Controls painted again over the whole tree after every paint (PaintOverlay).
    virtual void AddOverlayControl(CControlUI* control) = 0;
    virtual void RemoveOverlayControl(CControlUI* control) = 0;

    // Called by a control that is being destroyed: drop every reference to it.
    virtual void ForgetControl(CControlUI* control) = 0;
    // Attaches a newly added control (and its subtree) to this manager under parent, initialises
    // it and registers its name.
    virtual void AdoptControls(CControlUI* control, CControlUI* parent) = 0;
    // Takes ownership of a removed control and deletes it once the current message is handled.
    virtual void DeleteLater(std::unique_ptr<CControlUI> control) = 0;
    virtual CControlUI* ControlByName(const std::wstring& name) const = 0;

    virtual void SendNotification(CControlUI* sender, const wchar_t* type, WPARAM wParam,
                                  LPARAM lParam, NotifyDelivery delivery) = 0;
    // Notifications carry their sender's virtual window name from now on.
    virtual void UseVirtualWindows() = 0;

    // Draws an image description over itemRect, limited to paintRect. False only when the image
    // drawing cannot run at all (no device context); a missing image still counts as drawn.
    virtual bool DrawImage(HDC dc, const RECT& itemRect, const RECT& paintRect,
                           const std::wstring& description, const std::wstring& modifier) = 0;
    // Draws the image file as a smooth, tiled texture filling the ellipse inscribed in itemRect.
    virtual void DrawEllipseImage(HDC dc, const RECT& itemRect, const std::wstring& file) = 0;

protected:
    ~IControlHost() = default;
};

}  // namespace DuiLib
