#pragma once

#include <windows.h>

#include <string>

namespace DuiLib {

// How a font is drawn besides its face and size; the bits combine.
enum FontStyle : UINT {
    kFontRegular = 0,
    kFontBold = 0x1,
    kFontUnderline = 0x2,
    kFontItalic = 0x4,
};

// One font of a manager and what it looks like. The metrics are measured on first use: a
// metrics height of 0 means the font has not been measured yet.
struct FontInfo {
    HFONT font = nullptr;  // owned by the manager's font table
    std::wstring faceName;
    int size = 0;  // pixel height
    bool bold = false;
    bool underline = false;
    bool italic = false;
    TEXTMETRICW metrics = {};
};

// The style bits a font was made with.
inline UINT StyleOf(const FontInfo& info) {
    return (info.bold ? kFontBold : 0u) | (info.underline ? kFontUnderline : 0u) |
           (info.italic ? kFontItalic : 0u);
}

}  // namespace DuiLib
