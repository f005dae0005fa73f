#pragma once

#include <windows.h>

namespace DuiLib {

class CControlUI;

// Kinds of events the manager derives from window messages and hands to controls.
enum UIEventKind : int {
    kEventKeyDown = 3,
    kEventKeyUp = 4,
    kEventChar = 5,
    kEventSysKey = 6,
    kEventMouseMove = 9,
    kEventMouseLeave = 10,
    kEventMouseEnter = 11,
    kEventMouseHover = 12,
    kEventButtonDown = 13,
    kEventButtonUp = 14,
    kEventRButtonDown = 15,
    kEventDblClick = 16,
    kEventContextMenu = 17,
    kEventScrollWheel = 18,
    kEventKillFocus = 20,
    kEventSetFocus = 21,
    kEventWindowSize = 22,
    kEventSetCursor = 23,
    kEventTimer = 24,
};

inline bool IsMouseEvent(int kind) {
    return kind >= kEventMouseMove && kind <= kEventScrollWheel;
}

// Key-state bits, the same as the mouse messages' flags.
enum UIKeyState : WORD {
    kKeyStateLButton = 0x01,
    kKeyStateRButton = 0x02,
    kKeyStateShift = 0x04,
    kKeyStateControl = 0x08,
    kKeyStateAlt = 0x20,
};

// One event for one control.
struct UIEvent {
    int kind = 0;
    CControlUI* sender = nullptr;
    DWORD timestamp = 0;
    POINT mouse = {0, 0};
    wchar_t key = 0;
    WORD keyState = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

}  // namespace DuiLib
