#pragma once

#include <windows.h>

#include <string>

namespace DuiLib {

class CControlUI;

// A notification ("click", "tabselect", ...) sent by a control to the window's listeners.
struct UINotify {
    std::wstring type;
    std::wstring virtualWindow;
    CControlUI* sender = nullptr;
    DWORD timestamp = 0;
    POINT mouse = {0, 0};
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

}  // namespace DuiLib
