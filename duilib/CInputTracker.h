#pragma once

#include "CToolTipWindow.h"
#include "ControlSearch.h"
#include "InputTranslation.h"

#include <windows.h>

namespace DuiLib {

class CControlUI;
class CUIManager;

// The controls of one window that input is aimed at: the focus, the hot control under the mouse,
// the control holding the mouse capture and the one that received the last key down. Delivers
// input events to them, moves the keyboard focus (by request and in tab order) and tracks the
// mouse entering, hovering over and leaving controls, with their tooltips.
class CInputTracker {
public:
    explicit CInputTracker(CUIManager& manager) : manager_(manager) {}
    CInputTracker(const CInputTracker&) = delete;
    CInputTracker& operator=(const CInputTracker&) = delete;

    CControlUI* Focus() const { return focus_; }
    CControlUI* Hot() const { return hot_; }
    CControlUI* Capture() const { return capture_; }
    POINT LastMousePos() const { return lastMousePos_; }
    bool IsMouseCaptured() const { return mouseCapture_; }

    // A new tree: no focus, hot, capture or key target, and focus the first tab stop once laid out.
    void Reset();
    // Drops every reference to a control that goes away.
    void Forget(CControlUI* control);

    void SetFocusControl(CControlUI* control);
    void RequestFocus(CControlUI* control);
    void MoveTabFocus(TabDirection direction);
    // Moves the focus forward when a new tree or RequestFocus asked for it (after layout).
    void MoveFocusIfNeeded();
    void CaptureMouse();
    void ReleaseMouse();

    void Deliver(const InputRoute& route);
    void OnMouseMove(POINT point, WPARAM wParam, LPARAM lParam);
    void OnMouseHover(POINT point, WPARAM wParam, LPARAM lParam);
    void OnMouseLeave();
    // True when the cursor shape was decided (by the capture or by the control under it).
    bool OnSetCursor(WPARAM wParam);
    void OnWindowSize();
    void OnClose();

private:
    void KillFocus(CControlUI* next);
    void Dispatch(CControlUI* target, int kind, POINT point, WORD keyState = 0, WPARAM wParam = 0,
                  LPARAM lParam = 0);
    CControlUI* OwnControlAt(POINT point) const;
    HWND Window() const;

    CUIManager& manager_;
    CControlUI* focus_ = nullptr;
    CControlUI* hot_ = nullptr;
    CControlUI* capture_ = nullptr;
    CControlUI* keyTarget_ = nullptr;
    POINT lastMousePos_ = {-1, -1};
    bool focusNeeded_ = false;
    bool mouseTracking_ = false;
    bool mouseCapture_ = false;
    CToolTipWindow toolTip_;
};

// UIKeyState bits of the mouse buttons and modifier keys now.
WORD KeyboardState();

}  // namespace DuiLib
