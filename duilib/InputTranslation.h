#pragma once

#include "UIEvent.h"

#include <windows.h>

#include <optional>

namespace DuiLib {

// Which control an input event goes to.
enum class EventTarget {
    kFocus,      // the focus control
    kKeyTarget,  // the control that received the last key down
    kCapture,    // the control holding the mouse capture
    kPointed,    // the control under the event's point (when it belongs to this manager)
};

// How one input message of the window becomes one control event, and what the manager does
// around delivering it.
struct InputRoute {
    UIEventKind kind = kEventMouseMove;
    EventTarget target = EventTarget::kFocus;
    POINT point = {0, 0};
    bool hasPoint = false;     // point becomes the last mouse position
    bool screenPoint = false;  // point is in screen coordinates, to be made client ones
    wchar_t key = 0;
    WORD keyState = 0;
    bool keyboardKeyState = false;  // keyState is to be read from the keyboard at delivery
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool focusWindow = false;      // the window takes the platform focus first
    bool takeFocus = false;        // the target takes the focus
    bool beginCapture = false;     // the target becomes the capture control
    bool endCapture = false;       // the capture ends after delivery
    bool becomeKeyTarget = false;  // the target receives the matching key up
    bool endKeyTarget = false;
    bool followWithMouseMove = false;  // hot tracking follows (after the wheel)
};

// The route of key, character, button, context-menu and wheel messages; nothing for other
// messages.
std::optional<InputRoute> RouteInput(UINT message, WPARAM wParam, LPARAM lParam);

// UIKeyState bits from the state of the buttons and modifier keys.
WORD KeyStateOf(bool leftButton, bool rightButton, bool shift, bool control, bool alt);

// The message number a notification, command or colour request is reflected to its child
// window with, or nothing for other messages.
std::optional<UINT> ReflectedMessage(UINT message);

}  // namespace DuiLib
