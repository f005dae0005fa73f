#pragma once

#include <windows.h>

#include <string_view>

namespace DuiLib {

class CControlUI;

// The manager's walks over a control tree, built on CControlUI::Search.

// The top-most visible, mouse-enabled control whose rectangle holds point.
CControlUI* ControlAtPoint(CControlUI* root, POINT point);
// The first control of the subtree with this name, compared ignoring case.
CControlUI* FindByNameIgnoringCase(CControlUI* root, std::wstring_view name);
enum class TabDirection { kForward, kBackward };

// The tab stop (visible, enabled, each container before its children) after current going
// forward, before it going backward; wraps to the first (forward) or last (backward) tab stop
// when there is none. current may be nullptr. nullptr when the tree has no tab stop.
CControlUI* NextTabStop(CControlUI* root, CControlUI* current, TabDirection direction);
// The tab stop met last before control in the same walk (nullptr when none).
CControlUI* TabStopBefore(CControlUI* root, CControlUI* control);
// The first visible control (enabled, containers first, children from last to first) whose
// shortcut matches ch ignoring case. A label never takes the shortcut but hands it to the next
// control found.
CControlUI* FindShortcut(CControlUI* root, wchar_t ch);
// A visible control waiting for layout, containers before their children; nullptr when none.
CControlUI* NextDirtyControl(CControlUI* root);

}  // namespace DuiLib
