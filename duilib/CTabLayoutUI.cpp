#include "CTabLayoutUI.h"

#include "AttributeParsing.h"

namespace DuiLib {

bool CTabLayoutUI::Select(int index) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    if (index == currentSel_) {
        return true;
    }
    const int previous = currentSel_;
    currentSel_ = index;
    for (int i = 0; i < Count(); ++i) {
        CControlUI* page = ItemAt(i);
        if (i == index) {
            page->SetVisible(true);
            page->TakeFocus();
            SetBounds(Bounds());
        } else {
            page->SetVisible(false);
        }
    }
    MarkParentLayoutDirty();
    if (Manager() != nullptr) {
        Manager()->SendNotification(this, NotifyType::kTabSelect, static_cast<WPARAM>(index),
                                    static_cast<LPARAM>(previous), NotifyDelivery::kNow);
    }
    return true;
}

bool CTabLayoutUI::Select(CControlUI* page) {
    return Select(IndexOf(page));
}

// The page's own visibility decides, not IsVisible(): pages added while the tab layout itself is
// hidden must still become current.
bool CTabLayoutUI::Append(CControlUI* control) {
    if (!CContainerUI::Append(control)) {
        return false;
    }
    if (currentSel_ == -1 && control->IsOwnVisible()) {
        currentSel_ = IndexOf(control);
    } else {
        control->SetVisible(false);
    }
    return true;
}

bool CTabLayoutUI::InsertAt(CControlUI* control, int index) {
    if (!CContainerUI::InsertAt(control, index)) {
        return false;
    }
    if (currentSel_ == -1 && control->IsOwnVisible()) {
        currentSel_ = index;
        return true;
    }
    if (currentSel_ != -1 && index <= currentSel_) {
        // The current page moved up by one.
        ++currentSel_;
    }
    // Only the current page is ever shown.
    control->SetVisible(false);
    return true;
}

bool CTabLayoutUI::Remove(CControlUI* control) {
    const int index = IndexOf(control);
    if (!CContainerUI::Remove(control)) {
        return false;
    }
    if (index == currentSel_) {
        if (Count() > 0) {
            currentSel_ = 0;
            ItemAt(0)->SetVisible(true);
        } else {
            currentSel_ = -1;
        }
        MarkParentLayoutDirty();
    } else if (index < currentSel_) {
        --currentSel_;
    }
    return true;
}

void CTabLayoutUI::Clear() {
    currentSel_ = -1;
    CContainerUI::Clear();
    MarkParentLayoutDirty();
}

const wchar_t* CTabLayoutUI::ClassName() const {
    return L"TabLayoutUI";
}

void* CTabLayoutUI::AsInterface(std::wstring_view name) {
    if (name == L"TabLayout") {
        return this;
    }
    return CContainerUI::AsInterface(name);
}

void CTabLayoutUI::SetBounds(const RECT& rect) {
    CControlUI::SetBounds(rect);
    const RECT inner = InnerRect();
    const std::vector<LayoutChild> children = LayoutChildren();
    for (int i = 0; i < Count(); ++i) {
        const LayoutChild& child = children[static_cast<size_t>(i)];
        if (!child.visible) {
            continue;
        }
        if (child.isFloat) {
            PlaceFloat(i);
        } else if (i == currentSel_) {
            const RECT area = DeflateRect(inner, child.padding);
            const SIZE measured =
                ItemAt(i)->MeasureSize(SIZE{area.right - area.left, area.bottom - area.top});
            ItemAt(i)->SetBounds(ComputeTabPageBounds(inner, child, measured));
        }
    }
}

void CTabLayoutUI::ApplyAttribute(std::wstring_view name, std::wstring_view value) {
    if (name == L"selectedid") {
        Select(ParseInteger(value));
    }
    CContainerUI::ApplyAttribute(name, value);
}

}  // namespace DuiLib
