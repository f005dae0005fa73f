#pragma once

#include "CContainerUI.h"

namespace DuiLib {

// Shows one child at a time (a page) over the whole layout; the other pages are hidden. The first
// visible page added becomes the current one, and removing the current page falls back to the
// first. Selecting a page sends "tabselect" with the new and the old index.
class CTabLayoutUI : public CContainerUI {
public:
    CTabLayoutUI() = default;

    // -1 when there is no page.
    int Selection() const { return currentSel_; }
    bool Select(int index);
    bool Select(CControlUI* page);

    // --- IContainerUI ---
    bool Append(CControlUI* control) override;
    bool InsertAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    void Clear() override;

    // --- CControlUI ---
    const wchar_t* ClassName() const override;
    void* AsInterface(std::wstring_view name) override;
    void SetBounds(const RECT& rect) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;

private:
    int currentSel_ = -1;
};

}  // namespace DuiLib
