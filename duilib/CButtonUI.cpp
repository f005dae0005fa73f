#include "CButtonUI.h"

#include "AttributeParsing.h"
#include "AttributeTable.h"
#include "RenderPrimitives.h"

namespace DuiLib {

namespace {

const AttributeRow<CButtonUI> kButtonAttributes[] = {
    {L"normalimage", [](CButtonUI& b, std::wstring_view v) { b.SetNormalImage(v); }},
    {L"hotimage", [](CButtonUI& b, std::wstring_view v) { b.SetHotImage(v); }},
    {L"pushedimage", [](CButtonUI& b, std::wstring_view v) { b.SetPushedImage(v); }},
    {L"focusedimage", [](CButtonUI& b, std::wstring_view v) { b.SetFocusedImage(v); }},
    {L"disabledimage", [](CButtonUI& b, std::wstring_view v) { b.SetDisabledImage(v); }},
    {L"hotforeimage", [](CButtonUI& b, std::wstring_view v) { b.SetHotForeImage(v); }},
    {L"foreimage", [](CButtonUI& b, std::wstring_view v) { b.SetForeImage(v); }},
    {L"hotbkcolor", [](CButtonUI& b, std::wstring_view v) { b.SetHotBkColor(ParseColor(v)); }},
    {L"hottextcolor", [](CButtonUI& b, std::wstring_view v) { b.SetHotTextColor(ParseColor(v)); }},
    {L"pushedtextcolor",
     [](CButtonUI& b, std::wstring_view v) { b.SetPushedTextColor(ParseColor(v)); }},
    {L"focusedtextcolor",
     [](CButtonUI& b, std::wstring_view v) { b.SetFocusedTextColor(ParseColor(v)); }},
};

void StoreImage(CControlUI& control, std::wstring& field, std::wstring_view image) {
    field = image;
    control.Invalidate();
}

}  // namespace

CButtonUI::CButtonUI() {
    SetTextStyle(0x25);
}

const wchar_t* CButtonUI::ClassName() const {
    return L"ButtonUI";
}

void* CButtonUI::AsInterface(std::wstring_view name) {
    return name == L"Button" ? this : CLabelUI::AsInterface(name);
}

UINT CButtonUI::ControlFlags() const {
    UINT flags = 0;
    if (IsKeyboardEnabled()) {
        flags |= kControlTabStop;
    }
    if (IsEnabled()) {
        flags |= kControlSetCursor;
    }
    return flags;
}

bool CButtonUI::Trigger() {
    if (!CLabelUI::Trigger()) {
        return false;
    }
    SendNotification(NotifyType::kClick);
    return true;
}

void CButtonUI::SetEnabled(bool enabled) {
    CLabelUI::SetEnabled(enabled);
    if (!IsEnabled()) {
        state_ = 0;
    }
}

void CButtonUI::HandleEvent(UIEvent& event) {
    if (PassOnMouseEvent(event)) {
        return;
    }
    const RECT item = Bounds();
    const bool inside = ::PtInRect(&item, event.mouse) != FALSE;
    switch (event.kind) {
        case kEventSetFocus:
        case kEventKillFocus:
            Invalidate();
            break;
        case kEventKeyDown:
            if (IsKeyboardEnabled() && (event.key == VK_SPACE || event.key == VK_RETURN)) {
                Trigger();
                return;
            }
            break;
        case kEventButtonDown:
            if (inside && IsEnabled()) {
                state_ |= kStatePushed | kStateCaptured;
                Invalidate();
            }
            return;
        case kEventMouseMove:
            if ((state_ & kStateCaptured) != 0) {
                state_ = WithStateBit(state_, kStatePushed, inside);
                Invalidate();
            }
            return;
        case kEventButtonUp:
            if ((state_ & kStateCaptured) != 0) {
                // Released over the button: the press counts.
                if (inside) {
                    Trigger();
                }
                state_ &= ~(kStatePushed | kStateCaptured);
                Invalidate();
            }
            return;
        case kEventContextMenu:
            if (UsesMenu()) {
                SendNotification(NotifyType::kMenu, event.wParam, event.lParam);
            }
            return;
        case kEventMouseEnter:
        case kEventMouseLeave:
            if (FollowMouseHover(state_, event, IsEnabled())) {
                Invalidate();
            }
            break;
        case kEventSetCursor:
            ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
            return;
        default:
            break;
    }
    CLabelUI::HandleEvent(event);
}

void CButtonUI::ApplyAttribute(std::wstring_view name, std::wstring_view value) {
    if (!ApplyFromTable(kButtonAttributes, *this, name, value)) {
        CLabelUI::ApplyAttribute(name, value);
    }
}

SIZE CButtonUI::MeasureSize(SIZE /*available*/) {
    return SizeForFont(8);
}

bool CButtonUI::DrawStateImage(HDC dc, std::wstring& image) {
    return DrawOwnImage(dc, image) != ImageResult::kEmpty;
}

void CButtonUI::PaintStateImage(HDC dc) {
    state_ = WithStateBit(state_, kStateFocused, HasFocus());
    state_ = WithStateBit(state_, kStateDisabled, !IsEnabled());

    // The first look that applies and has an image wins; the fore image goes over it.
    auto drawLook = [&]() -> bool {
        if ((state_ & kStateDisabled) != 0 && DrawStateImage(dc, disabledImage_)) {
            return true;
        }
        if ((state_ & kStatePushed) != 0) {
            if (DrawStateImage(dc, pushedImage_)) {
                return true;
            }
        } else if ((state_ & kStateHot) != 0) {
            if (hotBkColor_ != 0) {
                FillColor(dc, PaintRect(), AdjustedColor(hotBkColor_));
            }
            if (DrawStateImage(dc, hotImage_)) {
                // A hot fore image replaces the fore image.
                return !DrawStateImage(dc, hotForeImage_);
            }
        } else if ((state_ & kStateFocused) != 0 && DrawStateImage(dc, focusedImage_)) {
            return true;
        }
        DrawStateImage(dc, normalImage_);
        return true;
    };
    if (drawLook() && !ForeImage().empty() && !DrawImage(dc, ForeImage())) {
        SetForeImage(L"");
    }
}

void CButtonUI::PaintTextLayer(HDC dc) {
    FillDefaultColors();
    const std::wstring text = GetText();
    if (text.empty()) {
        return;
    }
    DWORD color = IsEnabled() ? TextColor() : DisabledTextColor();
    if ((state_ & kStatePushed) != 0 && pushedTextColor_ != 0) {
        color = pushedTextColor_;
    } else if ((state_ & kStateHot) != 0 && hotTextColor_ != 0) {
        color = hotTextColor_;
    } else if ((state_ & kStateFocused) != 0 && focusedTextColor_ != 0) {
        color = focusedTextColor_;
    }
    DrawLabelText(dc, TextRect(), text, color, TextStyle());
}

void CButtonUI::SetNormalImage(std::wstring_view image) {
    StoreImage(*this, normalImage_, image);
}

void CButtonUI::SetHotImage(std::wstring_view image) {
    StoreImage(*this, hotImage_, image);
}

void CButtonUI::SetHotForeImage(std::wstring_view image) {
    StoreImage(*this, hotForeImage_, image);
}

void CButtonUI::SetPushedImage(std::wstring_view image) {
    StoreImage(*this, pushedImage_, image);
}

void CButtonUI::SetFocusedImage(std::wstring_view image) {
    StoreImage(*this, focusedImage_, image);
}

void CButtonUI::SetDisabledImage(std::wstring_view image) {
    StoreImage(*this, disabledImage_, image);
}

void CButtonUI::SetHotBkColor(DWORD color) {
    hotBkColor_ = color;
}

void CButtonUI::SetHotTextColor(DWORD color) {
    hotTextColor_ = color;
}

void CButtonUI::SetPushedTextColor(DWORD color) {
    pushedTextColor_ = color;
}

void CButtonUI::SetFocusedTextColor(DWORD color) {
    focusedTextColor_ = color;
}

}  // namespace DuiLib
