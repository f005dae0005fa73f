#include "InputTranslation.h"

#include <windowsx.h>

#include <algorithm>
#include <iterator>

namespace DuiLib {

namespace {

// What the manager does around delivering an event, as bits of a rule.
enum RouteStep : unsigned {
    kFocusWindow = 0x1,
    kTakeFocus = 0x2,
    kBeginCapture = 0x4,
    kEndCapture = 0x8,
    kBecomeKeyTarget = 0x10,
    kEndKeyTarget = 0x20,
};

// Where a message keeps its point and its key state.
enum class MessageShape {
    kKey,     // wParam is the key; the key state comes from the keyboard
    kButton,  // lParam is the client point; wParam holds the button flags (the key state)
    kMenu,    // lParam is the screen point; wParam becomes the key state
    kWheel,   // lParam is the screen point; the key state comes from the keyboard
};

struct RouteRule {
    UINT message;
    UIEventKind kind;
    EventTarget target;
    MessageShape shape;
    unsigned steps;
};

constexpr RouteRule kRules[] = {
    {WM_KEYDOWN, kEventKeyDown, EventTarget::kFocus, MessageShape::kKey, kBecomeKeyTarget},
    {WM_KEYUP, kEventKeyUp, EventTarget::kKeyTarget, MessageShape::kKey, kEndKeyTarget},
    {WM_CHAR, kEventChar, EventTarget::kFocus, MessageShape::kKey, 0},
    {WM_SYSKEYDOWN, kEventSysKey, EventTarget::kFocus, MessageShape::kKey, 0},
    {WM_LBUTTONDOWN, kEventButtonDown, EventTarget::kPointed, MessageShape::kButton,
     kFocusWindow | kTakeFocus | kBeginCapture},
    {WM_LBUTTONUP, kEventButtonUp, EventTarget::kCapture, MessageShape::kButton, kEndCapture},
    {WM_LBUTTONDBLCLK, kEventDblClick, EventTarget::kPointed, MessageShape::kButton,
     kFocusWindow | kBeginCapture},
    {WM_RBUTTONDOWN, kEventRButtonDown, EventTarget::kPointed, MessageShape::kButton,
     kFocusWindow | kTakeFocus | kBeginCapture},
    // The right button down captured the control; the menu goes to it.
    {WM_CONTEXTMENU, kEventContextMenu, EventTarget::kCapture, MessageShape::kMenu, kEndCapture},
    {WM_MOUSEWHEEL, kEventScrollWheel, EventTarget::kPointed, MessageShape::kWheel, 0},
};

}  // namespace

std::optional<InputRoute> RouteInput(UINT message, WPARAM wParam, LPARAM lParam) {
    const RouteRule* rule =
        std::find_if(std::begin(kRules), std::end(kRules),
                     [message](const RouteRule& r) { return r.message == message; });
    if (rule == std::end(kRules)) {
        return std::nullopt;
    }
    InputRoute route;
    route.kind = rule->kind;
    route.target = rule->target;
    route.focusWindow = (rule->steps & kFocusWindow) != 0;
    route.takeFocus = (rule->steps & kTakeFocus) != 0;
    route.beginCapture = (rule->steps & kBeginCapture) != 0;
    route.endCapture = (rule->steps & kEndCapture) != 0;
    route.becomeKeyTarget = (rule->steps & kBecomeKeyTarget) != 0;
    route.endKeyTarget = (rule->steps & kEndKeyTarget) != 0;
    route.wParam = wParam;
    route.lParam = lParam;
    if (rule->shape == MessageShape::kKey) {
        route.key = static_cast<wchar_t>(wParam);
        route.keyboardKeyState = true;
        return route;
    }
    route.point = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    route.hasPoint = true;
    route.screenPoint = rule->shape != MessageShape::kButton;
    switch (rule->shape) {
        case MessageShape::kButton:
            route.keyState = static_cast<WORD>(wParam);
            break;
        case MessageShape::kMenu:
            route.keyState = static_cast<WORD>(wParam);
            route.wParam = 0;
            route.lParam = 0;
            break;
        default:
            route.keyboardKeyState = true;
            // 1 when the wheel turned towards the user; hot tracking follows the new view.
            route.wParam = GET_WHEEL_DELTA_WPARAM(wParam) < 0 ? 1 : 0;
            route.followWithMouseMove = true;
            break;
    }
    return route;
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
