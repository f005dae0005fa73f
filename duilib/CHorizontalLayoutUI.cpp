#include "CHorizontalLayoutUI.h"

namespace DuiLib {

const wchar_t* CHorizontalLayoutUI::ClassName() const {
    return L"HorizontalLayoutUI";
}

void* CHorizontalLayoutUI::AsInterface(std::wstring_view name) {
    if (name == L"HorizontalLayout") {
        return this;
    }
    return CContainerUI::AsInterface(name);
}

void CHorizontalLayoutUI::SetBounds(const RECT& rect) {
    CControlUI::SetBounds(rect);
    if (Count() == 0) {
        return;
    }
    ApplyPlacements(ComputeHorizontalLayout(
        InnerRect(), ChildPadding(), LayoutChildren(), [this](size_t index, SIZE available) {
            return ItemAt(static_cast<int>(index))->MeasureSize(available);
        }));
}

}  // namespace DuiLib
