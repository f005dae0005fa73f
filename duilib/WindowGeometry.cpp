#include "WindowGeometry.h"

#include <cwctype>

namespace DuiLib {

namespace {

LONG CenteredStart(LONG areaStart, LONG areaEnd, LONG length, LONG workStart, LONG workEnd) {
    LONG start = (areaStart + areaEnd) / 2 - length / 2;
    if (start < workStart) {
        start = workStart;
    } else if (start + length > workEnd) {
        start = workEnd - length;
    }
    return start;
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

POINT CenteredPosition(SIZE windowSize, const RECT& area, const RECT& work) {
    return POINT{CenteredStart(area.left, area.right, windowSize.cx, work.left, work.right),
                 CenteredStart(area.top, area.bottom, windowSize.cy, work.top, work.bottom)};
}

LRESULT ResizeBorderHitTest(POINT point, const RECT& client, const RECT& border) {
    const bool left = point.x < client.left + border.left;
    const bool right = point.x > client.right - border.right;
    if (point.y < client.top + border.top) {
        return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    }
    if (point.y > client.bottom - border.bottom) {
        return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    }
    return left ? HTLEFT : right ? HTRIGHT : HTNOWHERE;
}

bool IsInCaption(POINT point, const RECT& client, const RECT& caption) {
    return point.x >= client.left + caption.left && point.x < client.right - caption.right &&
           point.y >= caption.top && point.y < caption.bottom;
}

bool IsCaptionControlClass(std::wstring_view className) {
    static constexpr std::wstring_view kOwnMouseClasses[] = {
        L"ButtonUI", L"OptionUI", L"TextUI", L"ComboUI", L"ComboBoxUI", L"ZNetImgUI"};
    for (std::wstring_view own : kOwnMouseClasses) {
        if (EqualsIgnoringCase(className, own)) {
            return true;
        }
    }
    return false;
}

}  // namespace DuiLib
