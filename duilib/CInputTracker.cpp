#include "CInputTracker.h"

#include "CControlUI.h"
#include "CUIManager.h"
#include "ControlSearch.h"

namespace DuiLib {

namespace {

constexpr DWORD kDefaultHoverTime = 400;

}  // namespace

WORD KeyboardState() {
    return KeyStateOf(::GetKeyState(VK_LBUTTON) < 0, ::GetKeyState(VK_RBUTTON) < 0,
                      ::GetKeyState(VK_SHIFT) < 0, ::GetKeyState(VK_CONTROL) < 0,
                      ::GetKeyState(VK_MENU) < 0);
}

HWND CInputTracker::Window() const {
    return manager_.PaintWindow();
}

void CInputTracker::Reset() {
    SetFocusControl(nullptr);
    keyTarget_ = nullptr;
    hot_ = nullptr;
    capture_ = nullptr;
    focusNeeded_ = true;
}

void CInputTracker::Forget(CControlUI* control) {
    focus_ = focus_ == control ? nullptr : focus_;
    hot_ = hot_ == control ? nullptr : hot_;
    capture_ = capture_ == control ? nullptr : capture_;
    keyTarget_ = keyTarget_ == control ? nullptr : keyTarget_;
}

void CInputTracker::Dispatch(CControlUI* target, int kind, POINT point, WORD keyState,
                             WPARAM wParam, LPARAM lParam) {
    UIEvent event;
    event.kind = kind;
    event.sender = target;
    event.timestamp = ::GetTickCount();
    event.mouse = point;
    event.keyState = keyState;
    event.wParam = wParam;
    event.lParam = lParam;
    target->DispatchEvent(event);
}

// --- Focus ---

void CInputTracker::SetFocusControl(CControlUI* control) {
    const HWND window = Window();
    if (window != nullptr && ::GetFocus() != window) {
        if (control == focus_) {
            return;
        }
        ::SetFocus(window);
    }
    if (control == focus_) {
        return;
    }
    KillFocus(control);
    if (control == nullptr || control->Manager() != &manager_ || !control->IsVisible() ||
        !control->IsEnabled()) {
        return;
    }
    focus_ = control;
    Dispatch(control, kEventSetFocus, lastMousePos_);
    if (focus_ == control) {
        manager_.SendNotification(control, NotifyType::kSetFocus, 0, 0, NotifyDelivery::kNow);
    }
}

void CInputTracker::KillFocus(CControlUI* next) {
    CControlUI* const old = focus_;
    if (old == nullptr) {
        return;
    }
    UIEvent event;
    event.kind = kEventKillFocus;
    event.sender = next;  // the control the focus moves to
    event.timestamp = ::GetTickCount();
    event.mouse = lastMousePos_;
    old->DispatchEvent(event);
    // The control may have gone away while handling its event.
    if (focus_ == old) {
        manager_.SendNotification(old, NotifyType::kKillFocus, 0, 0, NotifyDelivery::kNow);
    }
    focus_ = nullptr;
}

void CInputTracker::RequestFocus(CControlUI* control) {
    if (Window() != nullptr) {
        ::SetFocus(Window());
    }
    if (control == nullptr) {
        return;
    }
    KillFocus(control);
    // The next paint moves the focus forward from here, which lands on control.
    focus_ = TabStopBefore(manager_.Root(), control);
    focusNeeded_ = true;
    if (manager_.Root() != nullptr) {
        manager_.Root()->MarkLayoutDirty();
    }
}

void CInputTracker::MoveTabFocus(TabDirection direction) {
    if (manager_.IsLayoutNeeded() && direction == TabDirection::kForward) {
        focusNeeded_ = true;
        if (Window() != nullptr) {
            ::InvalidateRect(Window(), nullptr, FALSE);
        }
        return;
    }
    if (CControlUI* next = NextTabStop(manager_.Root(), focus_, direction)) {
        SetFocusControl(next);
    }
    focusNeeded_ = false;
}

void CInputTracker::MoveFocusIfNeeded() {
    if (focusNeeded_) {
        MoveTabFocus(TabDirection::kForward);
    }
}

void CInputTracker::CaptureMouse() {
    ::SetCapture(Window());
    mouseCapture_ = true;
}

void CInputTracker::ReleaseMouse() {
    ::ReleaseCapture();
    mouseCapture_ = false;
}

// --- Input events ---

CControlUI* CInputTracker::OwnControlAt(POINT point) const {
    CControlUI* control = manager_.ControlAt(point);
    return control != nullptr && control->Manager() == &manager_ ? control : nullptr;
}

void CInputTracker::Deliver(const InputRoute& route) {
    POINT point = route.point;
    if (route.screenPoint) {
        ::ScreenToClient(Window(), &point);
    }
    if (route.hasPoint) {
        lastMousePos_ = point;
    } else {
        point = lastMousePos_;
    }
    if (route.focusWindow) {
        ::SetFocus(Window());
    }
    CControlUI* target = nullptr;
    switch (route.target) {
        case EventTarget::kFocus:
            target = focus_;
            break;
        case EventTarget::kKeyTarget:
            target = keyTarget_;
            break;
        case EventTarget::kCapture:
            target = capture_;
            break;
        case EventTarget::kPointed:
            target = OwnControlAt(point);
            break;
    }
    if (target == nullptr) {
        return;
    }
    if (route.beginCapture) {
        capture_ = target;
    }
    if (route.takeFocus) {
        target->TakeFocus();
    }
    if (route.beginCapture) {
        CaptureMouse();
    }
    if (route.endCapture) {
        ReleaseMouse();
    }
    UIEvent event;
    event.kind = route.kind;
    event.sender = target;
    event.timestamp = ::GetTickCount();
    event.mouse = point;
    event.key = route.key;
    event.keyState = route.keyboardKeyState ? KeyboardState() : route.keyState;
    event.wParam = route.wParam;
    // The context menu names the control it was opened over.
    event.lParam =
        route.kind == kEventContextMenu ? reinterpret_cast<LPARAM>(target) : route.lParam;
    target->DispatchEvent(event);
    if (route.endCapture) {
        capture_ = nullptr;
    }
    // Only while the target is still the focus (and so still alive).
    if (route.becomeKeyTarget && focus_ == target) {
        keyTarget_ = target;
    }
    if (route.endKeyTarget) {
        keyTarget_ = nullptr;
    }
    if (route.followWithMouseMove) {
        ::SendMessageW(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(lastMousePos_.x, lastMousePos_.y));
    }
}

void CInputTracker::OnMouseMove(POINT point, WPARAM wParam, LPARAM lParam) {
    if (!mouseTracking_) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, Window(),
                                 toolTip_.HoverTime(kDefaultHoverTime)};
        ::TrackMouseEvent(&track);
        mouseTracking_ = true;
    }
    lastMousePos_ = point;
    CControlUI* found = manager_.ControlAt(point);
    if (found != nullptr && found->Manager() != &manager_) {
        return;
    }
    const WORD keyState = static_cast<WORD>(wParam);
    if (found != hot_ && hot_ != nullptr) {
        Dispatch(hot_, kEventMouseLeave, point, keyState);
        hot_ = nullptr;
        toolTip_.Hide();
    }
    if (found != hot_ && found != nullptr) {
        Dispatch(found, kEventMouseEnter, point, keyState);
        hot_ = found;
    }
    if (CControlUI* target = capture_ != nullptr ? capture_ : found) {
        Dispatch(target, kEventMouseMove, point, keyState, wParam, lParam);
    }
}

void CInputTracker::OnMouseHover(POINT point, WPARAM wParam, LPARAM lParam) {
    mouseTracking_ = false;
    CControlUI* found = manager_.ControlAt(point);
    if (found == nullptr) {
        return;
    }
    if (hot_ != nullptr) {
        Dispatch(hot_, kEventMouseHover, point, static_cast<WORD>(wParam), wParam, lParam);
    }
    if (found->Manager() == &manager_ && !found->ToolTip().empty()) {
        toolTip_.Show(Window(), found->Bounds(), found->ToolTip(), found->ToolTipWidth());
    }
}

void CInputTracker::OnMouseLeave() {
    toolTip_.Hide();
    if (mouseTracking_) {
        ::SendMessageW(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(-1, -1));
    }
    mouseTracking_ = false;
}

bool CInputTracker::OnSetCursor(WPARAM wParam) {
    if (mouseCapture_) {
        return true;
    }
    POINT point = {};
    ::GetCursorPos(&point);
    ::ScreenToClient(Window(), &point);
    CControlUI* control = manager_.ControlAt(point);
    if (control == nullptr || (control->ControlFlags() & kControlSetCursor) == 0) {
        return false;
    }
    Dispatch(control, kEventSetCursor, point, KeyboardState(), wParam);
    return true;
}

void CInputTracker::OnWindowSize() {
    if (focus_ != nullptr) {
        Dispatch(focus_, kEventWindowSize, lastMousePos_);
    }
}

void CInputTracker::OnClose() {
    if (hot_ != nullptr) {
        Dispatch(hot_, kEventMouseLeave, lastMousePos_);
    }
    if (capture_ != nullptr) {
        Dispatch(capture_, kEventButtonUp, lastMousePos_);
    }
    SetFocusControl(nullptr);
    if (HWND owner = ::GetWindow(Window(), GW_OWNER)) {
        ::SetFocus(owner);
    }
}

}  // namespace DuiLib
