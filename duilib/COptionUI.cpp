#include "COptionUI.h"

#include "AttributeParsing.h"
#include "AttributeTable.h"
#include "ControlGeometry.h"
#include "RenderPrimitives.h"

namespace DuiLib {

namespace {

const AttributeRow<COptionUI> kOptionAttributes[] = {
    {L"group", [](COptionUI& o, std::wstring_view v) { o.SetGroup(v); }},
    {L"selected", [](COptionUI& o, std::wstring_view v) { o.SetSelected(ParseBool(v)); }},
    {L"selectedimage", [](COptionUI& o, std::wstring_view v) { o.SetSelectedImage(v); }},
    {L"selectedhotimage", [](COptionUI& o, std::wstring_view v) { o.SetSelectedHotImage(v); }},
    {L"foreimage", [](COptionUI& o, std::wstring_view v) { o.SetSelectedForeImage(v); }},
    {L"selectedbkcolor",
     [](COptionUI& o, std::wstring_view v) { o.SetSelectedBkColor(ParseColor(v)); }},
    {L"selectedtextcolor",
     [](COptionUI& o, std::wstring_view v) { o.SetSelectedTextColor(ParseColor(v)); }},
};

}  // namespace

COptionUI::~COptionUI() {
    if (!group_.empty() && Manager() != nullptr) {
        Manager()->LeaveGroup(group_, this);
    }
}

const wchar_t* COptionUI::ClassName() const {
    return L"OptionUI";
}

void* COptionUI::AsInterface(std::wstring_view name) {
    return name == L"Option" ? this : CButtonUI::AsInterface(name);
}

bool COptionUI::Trigger() {
    if (!CButtonUI::Trigger()) {
        return false;
    }
    SetSelected(group_.empty() ? !selected_ : true);
    return true;
}

void COptionUI::AttachManager(IControlHost* manager, CControlUI* parent, AttachMode mode) {
    CButtonUI::AttachManager(manager, parent, mode);
    if (mode == AttachMode::kInitialize && !group_.empty() && Manager() != nullptr) {
        Manager()->JoinGroup(group_, this);
    }
}

void COptionUI::SetEnabled(bool enabled) {
    CLabelUI::SetEnabled(enabled);
    if (!IsEnabled()) {
        ClearStateBits(~static_cast<UINT>(kStateSelected));
    }
}

void COptionUI::SetSelected(bool selected) {
    if (selected == selected_) {
        return;
    }
    selected_ = selected;
    if (selected_) {
        SetStateBits(kStateSelected);
    } else {
        ClearStateBits(kStateSelected);
    }
    if (Manager() != nullptr && !group_.empty()) {
        if (!selected_) {
            // Deselected by a group member (or by code): the member that was selected speaks.
            Invalidate();
            return;
        }
        if (const std::vector<CControlUI*>* members = Manager()->GroupMembers(group_)) {
            // A copy: a member's handler may change the group.
            const std::vector<CControlUI*> others = *members;
            for (CControlUI* member : others) {
                auto* option = static_cast<COptionUI*>(member->AsInterface(L"Option"));
                if (option != nullptr && option != this) {
                    option->SetSelected(false);
                }
            }
        }
    }
    if (Manager() != nullptr && notifySelectChange_) {
        SendNotification(NotifyType::kSelectChanged);
    }
    Invalidate();
}

void COptionUI::SetGroup(std::wstring_view group) {
    if (group == group_) {
        return;
    }
    if (!group_.empty() && Manager() != nullptr) {
        Manager()->LeaveGroup(group_, this);
    }
    group_ = group;
    if (!group_.empty() && Manager() != nullptr) {
        Manager()->JoinGroup(group_, this);
    }
    SetSelected(selected_);
}

void COptionUI::ApplyAttribute(std::wstring_view name, std::wstring_view value) {
    if (!ApplyFromTable(kOptionAttributes, *this, name, value)) {
        CButtonUI::ApplyAttribute(name, value);
    }
}

bool COptionUI::PaintSelectedImage(HDC dc) {
    std::wstring& image = (State() & kStateHot) != 0 && !selectedHotImage_.empty()
                              ? selectedHotImage_
                              : selectedImage_;
    // An image the manager cannot draw at all is cleared: the button's look takes over.
    if (DrawOwnImage(dc, image) != ImageResult::kDrawn) {
        return false;
    }
    DrawOwnImage(dc, selectedForeImage_);
    return true;
}

void COptionUI::PaintStateImage(HDC dc) {
    ClearStateBits(kStatePushed);
    if (selected_) {
        if (PaintSelectedImage(dc)) {
            return;
        }
        if (selectedImage_.empty() && selectedBkColor_ != 0) {
            FillColor(dc, PaintRect(), AdjustedColor(selectedBkColor_));
            return;
        }
    }
    CButtonUI::PaintStateImage(dc);
}

void COptionUI::PaintTextLayer(HDC dc) {
    if (!selected_) {
        CButtonUI::PaintTextLayer(dc);
        return;
    }
    FillDefaultColors();
    const std::wstring text = GetText();
    if (text.empty()) {
        return;
    }
    const DWORD enabledColor = selectedTextColor_ != 0 ? selectedTextColor_ : TextColor();
    DrawLabelText(dc, TextRect(), text, IsEnabled() ? enabledColor : DisabledTextColor(),
                  TextStyle() | kTextSingleLine);
}

void COptionUI::SetSelectedImage(std::wstring_view image) {
    selectedImage_ = image;
    Invalidate();
}

void COptionUI::SetSelectedHotImage(std::wstring_view image) {
    selectedHotImage_ = image;
    Invalidate();
}

void COptionUI::SetSelectedForeImage(std::wstring_view image) {
    selectedForeImage_ = image;
    Invalidate();
}

void COptionUI::SetSelectedBkColor(DWORD color) {
    selectedBkColor_ = color;
}

void COptionUI::SetSelectedTextColor(DWORD color) {
    selectedTextColor_ = color;
}

}  // namespace DuiLib
