#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The main window's decisions over plain values: its window style, what a click or a key on the
// first page does. The window applies them (ZMainFrame).

// The created window's style made into a pop-up without caption, sizing frame and minimise or
// maximise box, clipping its siblings and children. The system menu stays.
LONG MainFramePopupStyle(LONG createdStyle);

// What the main window does for a click on a control with the given name.
enum class FrameClickAction {
    kNone,
    kQuit,              // the close and cancel buttons
    kShowLocationPage,  // the confirm button of the first page
    kBeginUninstall,    // the start button of the second page
};
FrameClickAction ActionForClick(std::wstring_view senderName);

// What a key pressed while currentPage (0-based) is shown does: 'Y' and 'N' answer the
// confirmation question on the first page; everywhere else keys do nothing here.
enum class FrameKeyAction { kNone, kShowLocationPage, kQuit };
FrameKeyAction ActionForKey(int currentPage, WPARAM key);

// The pages of the page area, in their order.
enum FramePage : int { kConfirmPage = 0, kLocationPage = 1, kProgressPage = 2 };

// The main window's title: the product's display name followed by "卸载程序" (not translated).
std::wstring MainWindowTitle(const std::wstring& displayName);
