#include "ColorAdjust.h"

#include <algorithm>
#include <cmath>

namespace DuiLib {

namespace {

HslSetting g_hslSetting;

struct Hsl {
    double hue;  // 0..360
    double saturation;
    double lightness;  // 0..1
};

Hsl RgbToHsl(double r, double g, double b) {
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    Hsl hsl{0.0, 0.0, (high + low) / 2.0};
    const double range = high - low;
    if (range <= 0.0) {
        return hsl;
    }
    hsl.saturation = hsl.lightness > 0.5 ? range / (2.0 - high - low) : range / (high + low);
    if (high == r) {
        hsl.hue = (g - b) / range + (g < b ? 6.0 : 0.0);
    } else if (high == g) {
        hsl.hue = (b - r) / range + 2.0;
    } else {
        hsl.hue = (r - g) / range + 4.0;
    }
    hsl.hue *= 60.0;
    return hsl;
}

double HueToChannel(double p, double q, double t) {
    if (t < 0.0) {
        t += 1.0;
    }
    if (t > 1.0) {
        t -= 1.0;
    }
    if (t < 1.0 / 6.0) {
        return p + (q - p) * 6.0 * t;
    }
    if (t < 0.5) {
        return q;
    }
    if (t < 2.0 / 3.0) {
        return p + (q - p) * (2.0 / 3.0 - t) * 6.0;
    }
    return p;
}

DWORD ToByte(double channel) {
    return static_cast<DWORD>(std::lround(std::clamp(channel, 0.0, 1.0) * 255.0));
}

}  // namespace

void SetHslSetting(HslSetting setting) {
    g_hslSetting = setting;
}

HslSetting GetHslSetting() {
    return g_hslSetting;
}

DWORD AdjustColor(DWORD color, HslSetting setting) {
    if (setting.hue == 180 && setting.saturation == 100 && setting.lightness == 100) {
        return color;
    }
    Hsl hsl = RgbToHsl(((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                       (color & 0xFF) / 255.0);
    hsl.hue = std::fmod(hsl.hue + (setting.hue - 180), 360.0);
    if (hsl.hue < 0.0) {
        hsl.hue += 360.0;
    }
    hsl.saturation = std::clamp(hsl.saturation * setting.saturation / 100.0, 0.0, 1.0);
    hsl.lightness = std::clamp(hsl.lightness * setting.lightness / 100.0, 0.0, 1.0);

    double r = hsl.lightness;
    double g = hsl.lightness;
    double b = hsl.lightness;
    if (hsl.saturation > 0.0) {
        const double q = hsl.lightness < 0.5
                             ? hsl.lightness * (1.0 + hsl.saturation)
                             : hsl.lightness + hsl.saturation - hsl.lightness * hsl.saturation;
        const double p = 2.0 * hsl.lightness - q;
        const double h = hsl.hue / 360.0;
        r = HueToChannel(p, q, h + 1.0 / 3.0);
        g = HueToChannel(p, q, h);
        b = HueToChannel(p, q, h - 1.0 / 3.0);
    }
    return (color & 0xFF000000) | (ToByte(r) << 16) | (ToByte(g) << 8) | ToByte(b);
}

}  // namespace DuiLib
