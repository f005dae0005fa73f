#pragma once

#include "UIEvent.h"

#include <windows.h>

namespace DuiLib {

// The state bits of the controls that show a state image (buttons, options, edits).
enum ControlStateBits : UINT {
    kStateFocused = 0x1,
    kStateSelected = 0x2,
    kStateDisabled = 0x4,
    kStateHot = 0x8,
    kStatePushed = 0x10,
    kStateCaptured = 0x40,
};

// state with bit set when on, else cleared.
inline UINT WithStateBit(UINT state, UINT bit, bool on) {
    return on ? state | bit : state & ~bit;
}

// For a mouse entering or leaving an enabled control: its state with the hot bit following the
// mouse, and true. Otherwise false and the state untouched.
inline bool FollowMouseHover(UINT& state, const UIEvent& event, bool enabled) {
    const bool hoverEvent = event.kind == kEventMouseEnter || event.kind == kEventMouseLeave;
    if (!hoverEvent || !enabled) {
        return false;
    }
    state = WithStateBit(state, kStateHot, event.kind == kEventMouseEnter);
    return true;
}

}  // namespace DuiLib
