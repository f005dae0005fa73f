#pragma once

#include "CLabelUI.h"

namespace DuiLib {

// Multi-line text broken at words, as tall as its text needs when no fixed height is given.
class CTextUI : public CLabelUI {
public:
    CTextUI();

    // --- CControlUI ---
    const wchar_t* ClassName() const override;
    void* AsInterface(std::wstring_view name) override;
    SIZE MeasureSize(SIZE available) override;
    void PaintTextLayer(HDC dc) override;
};

}  // namespace DuiLib
