#pragma once

#include <windows.h>

#include <string>

namespace DuiLib {

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

}  // namespace DuiLib
