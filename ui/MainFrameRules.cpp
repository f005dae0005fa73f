#include "MainFrameRules.h"

#include "MainFrameNames.h"
#include "PageNames.h"

LONG MainFramePopupStyle(LONG createdStyle) {
    constexpr DWORD kRemoved = WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    constexpr DWORD kAdded = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return static_cast<LONG>((static_cast<DWORD>(createdStyle) & ~kRemoved) | kAdded);
}

FrameClickAction ActionForClick(std::wstring_view senderName) {
    if (senderName == FrameNames::kCloseCommand || senderName == FrameNames::kCloseButton ||
        senderName == PageNames::kCancelButton) {
        return FrameClickAction::kQuit;
    }
    if (senderName == PageNames::kConfirmButton) {
        return FrameClickAction::kShowLocationPage;
    }
    if (senderName == PageNames::kStartButton) {
        return FrameClickAction::kBeginUninstall;
    }
    return FrameClickAction::kNone;
}

FrameKeyAction ActionForKey(int currentPage, WPARAM key) {
    if (currentPage != kConfirmPage) {
        return FrameKeyAction::kNone;
    }
    switch (key) {
        case 'Y':
            return FrameKeyAction::kShowLocationPage;
        case 'N':
            return FrameKeyAction::kQuit;
        default:
            return FrameKeyAction::kNone;
    }
}

std::wstring MainWindowTitle(const std::wstring& displayName) {
    return displayName + L"卸载程序";
}
