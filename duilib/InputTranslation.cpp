#include "InputTranslation.h"

#include <windowsx.h>

namespace DuiLib {

namespace {

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

InputRoute KeyRoute(UIEventKind kind, EventTarget target, WPARAM wParam, LPARAM lParam,
                    WORD keyboardState) {
    InputRoute route;
    route.kind = kind;
    route.target = target;
    route.key = static_cast<wchar_t>(wParam);
    route.keyState = keyboardState;
    route.wParam = wParam;
    route.lParam = lParam;
    return route;
}

// Button messages carry their flags in wParam, which become the event's key state.
InputRoute ButtonRoute(UIEventKind kind, EventTarget target, WPARAM wParam, LPARAM lParam) {
    InputRoute route;
    route.kind = kind;
    route.target = target;
    route.point = PointOf(lParam);
    route.hasPoint = true;
    route.keyState = static_cast<WORD>(wParam);
    route.wParam = wParam;
    route.lParam = lParam;
    return route;
}

}  // namespace

std::optional<InputRoute> RouteInput(UINT message, WPARAM wParam, LPARAM lParam,
                                     WORD keyboardState) {
    switch (message) {
        case WM_KEYDOWN: {
            InputRoute route =
                KeyRoute(kEventKeyDown, EventTarget::kFocus, wParam, lParam, keyboardState);
            route.becomeKeyTarget = true;
            return route;
        }
        case WM_KEYUP: {
            InputRoute route =
                KeyRoute(kEventKeyUp, EventTarget::kKeyTarget, wParam, lParam, keyboardState);
            route.endKeyTarget = true;
            return route;
        }
        case WM_CHAR:
            return KeyRoute(kEventChar, EventTarget::kFocus, wParam, lParam, keyboardState);
        case WM_SYSKEYDOWN:
            return KeyRoute(kEventSysKey, EventTarget::kFocus, wParam, lParam, keyboardState);
        case WM_LBUTTONDOWN: {
            InputRoute route = ButtonRoute(kEventButtonDown, EventTarget::kPointed, wParam, lParam);
            route.focusWindow = true;
            route.takeFocus = true;
            route.beginCapture = true;
            return route;
        }
        case WM_LBUTTONUP: {
            InputRoute route = ButtonRoute(kEventButtonUp, EventTarget::kCapture, wParam, lParam);
            route.endCapture = true;
            return route;
        }
        case WM_LBUTTONDBLCLK: {
            InputRoute route = ButtonRoute(kEventDblClick, EventTarget::kPointed, wParam, lParam);
            route.focusWindow = true;
            route.beginCapture = true;
            return route;
        }
        case WM_RBUTTONDOWN: {
            InputRoute route =
                ButtonRoute(kEventRButtonDown, EventTarget::kPointed, wParam, lParam);
            route.focusWindow = true;
            route.takeFocus = true;
            route.beginCapture = true;
            return route;
        }
        case WM_CONTEXTMENU: {
            // The right button down captured the control; the menu goes to it.
            InputRoute route = ButtonRoute(kEventContextMenu, EventTarget::kCapture, 0, lParam);
            route.screenPoint = true;
            route.keyState = static_cast<WORD>(wParam);
            route.lParam = 0;
            route.endCapture = true;
            return route;
        }
        case WM_MOUSEWHEEL: {
            InputRoute route;
            route.kind = kEventScrollWheel;
            route.target = EventTarget::kPointed;
            route.point = PointOf(lParam);
            route.hasPoint = true;
            route.screenPoint = true;
            route.keyState = keyboardState;
            // 1 when the wheel turned towards the user.
            route.wParam = GET_WHEEL_DELTA_WPARAM(wParam) < 0 ? 1 : 0;
            route.lParam = lParam;
            route.followWithMouseMove = true;
            return route;
        }
        default:
            return std::nullopt;
    }
}

WORD KeyStateOf(bool leftButton, bool rightButton, bool shift, bool control, bool alt) {
    WORD state = 0;
    state |= leftButton ? kKeyStateLButton : 0;
    state |= rightButton ? kKeyStateRButton : 0;
    state |= shift ? kKeyStateShift : 0;
    state |= control ? kKeyStateControl : 0;
    state |= alt ? kKeyStateAlt : 0;
    return state;
}

std::optional<UINT> ReflectedMessage(UINT message) {
    switch (message) {
        case WM_NOTIFY:
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            return 0x2000 + message;
        default:
            return std::nullopt;
    }
}

}  // namespace DuiLib
