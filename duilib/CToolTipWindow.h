#pragma once

#include "UniqueHandle.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace DuiLib {

// The platform tooltip of one window, created on first use and shown for one control at a time.
class CToolTipWindow {
public:
    CToolTipWindow() = default;
    CToolTipWindow(const CToolTipWindow&) = delete;
    CToolTipWindow& operator=(const CToolTipWindow&) = delete;

    // Shows text over rect (client coordinates of owner), wrapped at maxWidth pixels.
    void Show(HWND owner, const RECT& rect, const std::wstring& text, int maxWidth);
    void Hide();
    // The delay before hovering counts, in milliseconds; fallback while there is no tooltip.
    DWORD HoverTime(DWORD fallback) const;

private:
    ScopedWindow window_;
    TOOLINFOW tool_ = {};
    std::wstring text_;
};

}  // namespace DuiLib
