#pragma once

#include <windows.h>

#include <string>
#include <variant>
#include <vector>

namespace DuiLib {

// The image description language: key='value' pairs naming an image and how to draw it, such as
// "file='btn.png' source='0,0,50,25' corner='4,4,4,4'". Parsed once into typed attributes, which
// are then applied in order to build the images to draw.

enum class ImageKey {
    kFile,     // name; starts a new image
    kRes,      // name, without starting a new image
    kResType,  // resource type; starts a new image
    kDest,     // rectangle relative to the control
    kSource,   // part of the bitmap; all zeros: the whole bitmap
    kCorner,   // fixed border widths for nine-part drawing
    kMask,     // colour made transparent when loading
    kFade,     // constant alpha 0..255
    kHole,     // leave the middle part out
    kXTiled,   // tile the middle part horizontally
    kYTiled,   // tile the middle part vertically
};

struct ImageAttribute {
    ImageKey key;
    std::variant<std::wstring, RECT, DWORD, bool> value;
};

// The attributes of a description in order. Unknown keys are skipped; a malformed pair ends the
// description, keeping what came before it. A description without any "=" is one file name.
std::vector<ImageAttribute> ParseImageDescription(const std::wstring& description);

// Everything needed to draw one image of a description.
struct ImageDrawSettings {
    std::wstring name;
    std::wstring resourceType;
    bool hasDest = false;
    RECT dest = {};  // relative to the control, when hasDest
    RECT source = {};
    RECT corner = {};
    DWORD mask = 0;
    BYTE fade = 255;
    bool hole = false;
    bool xTiled = false;
    bool yTiled = false;
};

// The images a description and its modifier (applied after it, settings carried over) draw, in
// drawing order. A "file" or "restype" after the first image's start closes the image described
// so far; the last image is always included, even without a name.
std::vector<ImageDrawSettings> ResolveImages(const std::vector<ImageAttribute>& description,
                                             const std::vector<ImageAttribute>& modifier);

// Where an image goes: settings.dest relative to itemRect, its right and bottom kept inside it;
// itemRect when the settings have no destination.
RECT ImageDestination(const ImageDrawSettings& settings, const RECT& itemRect);

// The part of a width x height bitmap to draw: source with right and bottom clamped to the
// bitmap, or the whole bitmap when source is all zeros.
RECT ClampImageSource(const RECT& source, int width, int height);

}  // namespace DuiLib
