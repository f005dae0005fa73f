#include "CEditUI.h"

#include "AttributeParsing.h"
#include "AttributeTable.h"
#include "CEditWnd.h"
#include "ControlGeometry.h"

#include <windowsx.h>

namespace DuiLib {

namespace {

const AttributeRow<CEditUI> kEditAttributes[] = {
    {L"readonly", [](CEditUI& e, std::wstring_view v) { e.SetReadOnly(ParseBool(v)); }},
    {L"numberonly", [](CEditUI& e, std::wstring_view v) { e.SetNumberOnly(ParseBool(v)); }},
    {L"password", [](CEditUI& e, std::wstring_view v) { e.SetPasswordMode(ParseBool(v)); }},
    {L"maxchar", [](CEditUI& e, std::wstring_view v) { e.SetMaxChar(ParseInteger(v)); }},
    {L"normalimage", [](CEditUI& e, std::wstring_view v) { e.SetNormalImage(v); }},
    {L"hotimage", [](CEditUI& e, std::wstring_view v) { e.SetHotImage(v); }},
    {L"focusedimage", [](CEditUI& e, std::wstring_view v) { e.SetFocusedImage(v); }},
    {L"disabledimage", [](CEditUI& e, std::wstring_view v) { e.SetDisabledImage(v); }},
    {L"nativebkcolor", [](CEditUI& e, std::wstring_view v) { e.SetNativeBkColor(ParseColor(v)); }},
};

}  // namespace

CEditUI::CEditUI() {
    SetTextPadding(RECT{4, 3, 4, 3});
    SetBkColor(0xFFFFFFFF);
}

CEditUI::~CEditUI() {
    // Sent, not posted: the native window must not outlive the control it reports to.
    if (editWindow_ != nullptr) {
        ::SendMessageW(editWindow_->GetHWND(), WM_CLOSE, 0, 0);
    }
}

const wchar_t* CEditUI::ClassName() const {
    return L"EditUI";
}

void* CEditUI::AsInterface(std::wstring_view name) {
    return name == L"Edit" ? this : CLabelUI::AsInterface(name);
}

UINT CEditUI::ControlFlags() const {
    return IsEnabled() ? static_cast<UINT>(kControlTabStop | kControlSetCursor) : 0u;
}

void CEditUI::SetText(std::wstring_view text) {
    // The native window first: its change notification stores the text and announces it.
    if (editWindow_ != nullptr) {
        const std::wstring copy(text);
        ::SetWindowTextW(editWindow_->GetHWND(), copy.c_str());
    }
    CLabelUI::SetText(text);
}

void CEditUI::OnNativeTextChanged(const std::wstring& text) {
    // Some edit implementations report a change for a key they refused (a full edit, a
    // read-only one); only a text that really changed is announced.
    if (text == GetText()) {
        return;
    }
    CLabelUI::SetText(text);
    SendNotification(NotifyType::kTextChanged);
}

void CEditUI::SetBounds(const RECT& rect) {
    CLabelUI::SetBounds(rect);
    if (editWindow_ != nullptr) {
        const RECT native = NativeRect();
        ::SetWindowPos(editWindow_->GetHWND(), nullptr, native.left, native.top,
                       native.right - native.left, native.bottom - native.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CEditUI::SetVisible(bool visible) {
    CLabelUI::SetVisible(visible);
    // Dropping the focus closes the native window through its kill-focus path.
    if (!IsVisible() && editWindow_ != nullptr && Manager() != nullptr) {
        Manager()->SetFocusControl(nullptr);
    }
}

void CEditUI::SetEnabled(bool enabled) {
    CLabelUI::SetEnabled(enabled);
    if (!IsEnabled()) {
        state_ = 0;
    }
}

void CEditUI::OpenNativeWindow() {
    editWindow_ = CEditWnd::Open(this);
}

void CEditUI::HandleEvent(UIEvent& event) {
    if (PassOnMouseEvent(event)) {
        return;
    }
    switch (event.kind) {
        case kEventSetCursor:
            if (IsEnabled()) {
                ::SetCursor(::LoadCursor(nullptr, IDC_IBEAM));
                return;
            }
            break;
        case kEventWindowSize:
            // Placed again once the next layout has run.
            if (editWindow_ != nullptr && Manager() != nullptr) {
                Manager()->RequestFocus(this);
                return;
            }
            break;
        case kEventScrollWheel:
            if (editWindow_ != nullptr) {
                return;
            }
            break;
        case kEventSetFocus:
            if (IsEnabled() && editWindow_ == nullptr) {
                OpenNativeWindow();
                Invalidate();
            }
            break;
        case kEventKillFocus:
            if (IsEnabled()) {
                Invalidate();
            }
            break;
        case kEventButtonDown:
        case kEventDblClick:
        case kEventRButtonDown:
            if (IsEnabled()) {
                OnButtonDown(event);
                return;
            }
            break;
        case kEventMouseMove:
        case kEventButtonUp:
        case kEventContextMenu:
            return;
        case kEventMouseEnter:
        case kEventMouseLeave:
            if (FollowMouseHover(state_, event, IsEnabled())) {
                Invalidate();
                return;
            }
            break;
        default:
            break;
    }
    CLabelUI::HandleEvent(event);
}

void CEditUI::OnButtonDown(const UIEvent& event) {
    if (Manager() != nullptr) {
        Manager()->ReleaseMouse();
    }
    if (HasFocus() && editWindow_ == nullptr) {
        OpenNativeWindow();
        const RECT item = Bounds();
        if (editWindow_ != nullptr && ::PtInRect(&item, event.mouse)) {
            const int length = static_cast<int>(GetText().size());
            const int caret = length > 0 ? length : 1;
            Edit_SetSel(editWindow_->GetHWND(), caret, caret);
        }
    } else if (editWindow_ != nullptr) {
        // The press places the native window's caret where the user clicked.
        const RECT item = Bounds();
        const RECT padding = TextPadding();
        const int x = event.mouse.x - item.left - padding.left;
        const int y = event.mouse.y - item.top - padding.top;
        ::SendMessageW(editWindow_->GetHWND(), WM_LBUTTONDOWN, event.wParam, MAKELPARAM(x, y));
    }
}

void CEditUI::ApplyAttribute(std::wstring_view name, std::wstring_view value) {
    if (!ApplyFromTable(kEditAttributes, *this, name, value)) {
        CLabelUI::ApplyAttribute(name, value);
    }
}

SIZE CEditUI::MeasureSize(SIZE /*available*/) {
    return SizeForFont(6);
}

void CEditUI::PaintStateImage(HDC dc) {
    state_ = WithStateBit(state_, kStateFocused, HasFocus());
    state_ = WithStateBit(state_, kStateDisabled, !IsEnabled());
    std::wstring* stateImage = nullptr;
    if ((state_ & kStateDisabled) != 0) {
        stateImage = &disabledImage_;
    } else if ((state_ & kStateFocused) != 0) {
        stateImage = &focusedImage_;
    } else if ((state_ & kStateHot) != 0) {
        stateImage = &hotImage_;
    }
    // A state image that cannot be drawn gives way to the normal one.
    if (stateImage != nullptr && DrawOwnImage(dc, *stateImage) == ImageResult::kDrawn) {
        return;
    }
    DrawOwnImage(dc, normalImage_);
}

void CEditUI::PaintTextLayer(HDC dc) {
    FillDefaultColors();
    const std::wstring text = GetText();
    if (text.empty()) {
        return;
    }
    const std::wstring shown = passwordMode_ ? MaskedText(text, passwordChar_) : text;
    // Only the edit being edited shows the normal colour; its native window covers it then.
    const bool editing = IsEnabled() && Manager() != nullptr && Manager()->FocusControl() == this;
    DrawLabelText(dc, TextRect(), shown, editing ? TextColor() : DisabledTextColor(),
                  TextStyle() | kTextSingleLine);
}

bool CEditUI::FilterNativeMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                  LRESULT& /*result*/) {
    return false;
}

void CEditUI::SetMaxChar(int maxChar) {
    maxChar_ = maxChar;
    if (editWindow_ != nullptr) {
        Edit_LimitText(editWindow_->GetHWND(), maxChar_);
    }
}

void CEditUI::SetReadOnly(bool readOnly) {
    if (readOnly == readOnly_) {
        return;
    }
    readOnly_ = readOnly;
    if (editWindow_ != nullptr) {
        Edit_SetReadOnly(editWindow_->GetHWND(), readOnly_);
    }
    Invalidate();
}

void CEditUI::SetPasswordMode(bool passwordMode) {
    if (passwordMode == passwordMode_) {
        return;
    }
    passwordMode_ = passwordMode;
    Invalidate();
}

void CEditUI::SetPasswordChar(wchar_t passwordChar) {
    if (passwordChar == passwordChar_) {
        return;
    }
    passwordChar_ = passwordChar;
    if (editWindow_ != nullptr) {
        Edit_SetPasswordChar(editWindow_->GetHWND(), passwordChar_);
    }
    Invalidate();
}

void CEditUI::SetNumberOnly(bool numberOnly) {
    extraStyle_ =
        numberOnly ? extraStyle_ | ES_NUMBER : extraStyle_ & ~static_cast<DWORD>(ES_NUMBER);
}

void CEditUI::SetNativeBkColor(DWORD color) {
    nativeBkColor_ = color;
}

void CEditUI::SelectRange(int start, int end) {
    if (editWindow_ != nullptr) {
        Edit_SetSel(editWindow_->GetHWND(), start, end);
    }
}

HWND CEditUI::NativeWindow() const {
    return editWindow_ != nullptr ? editWindow_->GetHWND() : nullptr;
}

RECT CEditUI::NativeRect() const {
    return EditTextRect(Bounds(), TextPadding(), FontHeight());
}

void CEditUI::SetNormalImage(std::wstring_view image) {
    normalImage_ = image;
    Invalidate();
}

void CEditUI::SetHotImage(std::wstring_view image) {
    hotImage_ = image;
    Invalidate();
}

void CEditUI::SetFocusedImage(std::wstring_view image) {
    focusedImage_ = image;
    Invalidate();
}

void CEditUI::SetDisabledImage(std::wstring_view image) {
    disabledImage_ = image;
    Invalidate();
}

}  // namespace DuiLib
