#pragma once

#include <windows.h>

#include <string>

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

    virtual CControlUI* FocusControl() const = 0;
    // nullptr clears the focus.
    virtual void SetFocusControl(CControlUI* control) = 0;

    // Called by a control that is being destroyed: drop every reference to it.
    virtual void ForgetControl(CControlUI* control) = 0;
    // Attaches a newly added control (and its subtree) to this manager under parent, initialises
    // it and registers its name.
    virtual void AdoptControls(CControlUI* control, CControlUI* parent) = 0;
    // Takes ownership of a removed control and deletes it once the current message is handled.
    virtual void DeleteLater(CControlUI* control) = 0;

    virtual void SendNotification(CControlUI* sender, const wchar_t* type, WPARAM wParam,
                                  LPARAM lParam, bool async) = 0;
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
