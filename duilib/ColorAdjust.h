#pragma once

#include <windows.h>

namespace DuiLib {

// Colours are 0xAARRGGBB; 0 means no colour.
inline BYTE AlphaOf(DWORD color) {
    return static_cast<BYTE>(color >> 24);
}

// The platform's colour value (0x00BBGGRR), alpha dropped.
inline COLORREF ToColorRef(DWORD color) {
    return RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
}

// The process-wide hue/saturation/lightness shift applied to controls that ask for it: hue in
// degrees around 180, saturation and lightness in percent. The neutral setting changes nothing.
struct HslSetting {
    short hue = 180;
    short saturation = 100;
    short lightness = 100;
};

void SetHslSetting(HslSetting setting);
HslSetting GetHslSetting();

// Shifts the hue by (hue - 180) degrees, scales saturation and lightness by the percentages and
// keeps the alpha.
DWORD AdjustColor(DWORD color, HslSetting setting);

}  // namespace DuiLib
