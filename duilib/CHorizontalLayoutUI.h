#pragma once

#include "CContainerUI.h"

namespace DuiLib {

// Places its children left to right, each as high as the layout unless it has a fixed
// height; children without a fixed width share the space the others leave.
class CHorizontalLayoutUI : public CContainerUI {
public:
    CHorizontalLayoutUI() = default;

    const wchar_t* ClassName() const override;
    void* AsInterface(std::wstring_view name) override;
    void SetBounds(const RECT& rect) override;
};

}  // namespace DuiLib
