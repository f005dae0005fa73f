#pragma once

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

}  // namespace DuiLib
