#include "CVerticalLayoutUI.h"

namespace DuiLib {

const wchar_t* CVerticalLayoutUI::ClassName() const {
    return L"VerticalLayoutUI";
}

void* CVerticalLayoutUI::AsInterface(std::wstring_view name) {
    if (name == L"VerticalLayout") {
        return this;
    }
    return CContainerUI::AsInterface(name);
}

void CVerticalLayoutUI::SetBounds(const RECT& rect) {
    CControlUI::SetBounds(rect);
    if (Count() == 0) {
        return;
    }
    ApplyPlacements(ComputeVerticalLayout(
        InnerRect(), ChildPadding(), LayoutChildren(), [this](size_t index, SIZE available) {
            return ItemAt(static_cast<int>(index))->MeasureSize(available);
        }));
}

}  // namespace DuiLib
