#pragma once

#include "CContainerUI.h"

namespace DuiLib {

// Places its children top to bottom, each as wide as the layout unless it has a fixed
// width; children without a fixed height share the space the others leave.
class CVerticalLayoutUI : public CContainerUI {
public:
    CVerticalLayoutUI() = default;

    const wchar_t* ClassName() const override;
    void* AsInterface(std::wstring_view name) override;
    void SetBounds(const RECT& rect) override;
};

}  // namespace DuiLib
