#pragma once

#include <windows.h>

#include <string>

namespace DuiLib {

class CControlUI;

// When a notification reaches the listeners and notify targets.
enum class NotifyDelivery {
    kNow,            // before SendNotification returns
    kAtNextMessage,  // queued, delivered when the window handles its next message
};

// Notification types sent by the framework's controls.
namespace NotifyType {
inline constexpr wchar_t kWindowInit[] = L"windowinit";
inline constexpr wchar_t kSetFocus[] = L"setfocus";
inline constexpr wchar_t kKillFocus[] = L"killfocus";
inline constexpr wchar_t kTimer[] = L"timer";
inline constexpr wchar_t kMenu[] = L"menu";
inline constexpr wchar_t kDbClick[] = L"dbclick";
inline constexpr wchar_t kClick[] = L"click";
inline constexpr wchar_t kSelectChanged[] = L"selectchanged";
inline constexpr wchar_t kTabSelect[] = L"tabselect";
inline constexpr wchar_t kTextChanged[] = L"textchanged";
inline constexpr wchar_t kReturn[] = L"return";
inline constexpr wchar_t kLink[] = L"link";
}  // namespace NotifyType

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
