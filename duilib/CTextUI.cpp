#include "CTextUI.h"

#include "ControlGeometry.h"
#include "UniqueHandle.h"

#include <algorithm>

namespace DuiLib {

CTextUI::CTextUI() {
    SetTextStyle(kTextWordBreak);
    SetTextPadding(RECT{2, 0, 2, 0});
}

const wchar_t* CTextUI::ClassName() const {
    return L"TextUI";
}

void* CTextUI::AsInterface(std::wstring_view name) {
    return name == L"Text" ? this : CLabelUI::AsInterface(name);
}

SIZE CTextUI::MeasureSize(SIZE available) {
    const RECT padding = TextPadding();
    const LONG horizontalPadding = padding.left + padding.right;
    const LONG verticalPadding = padding.top + padding.bottom;
    RECT measured = {0, 0, std::max<LONG>(FixedWidth(), available.cx) - horizontalPadding, 9999};
    const std::wstring text = GetText();
    if (Manager() != nullptr && !text.empty()) {
        ScopedMemoryDC dc(::CreateCompatibleDC(nullptr));
        ScopedSelectObject font(dc.Get(), Manager()->FontAt(Font()));
        ::DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &measured,
                    TextStyle() | DT_CALCRECT | DT_NOPREFIX);
    } else {
        measured.right = measured.left;
        measured.bottom = measured.top;
    }
    const LONG width = measured.right - measured.left + horizontalPadding;
    if (FixedHeight() != 0) {
        return SIZE{width, FixedHeight()};
    }
    return SIZE{width, measured.bottom - measured.top + verticalPadding};
}

void CTextUI::PaintTextLayer(HDC dc) {
    FillDefaultColors();
    const std::wstring text = GetText();
    if (text.empty()) {
        return;
    }
    // Unlike a label, the text keeps its line breaks.
    DrawLabelText(dc, TextRect(), text, IsEnabled() ? TextColor() : DisabledTextColor(),
                  TextStyle());
}

}  // namespace DuiLib
