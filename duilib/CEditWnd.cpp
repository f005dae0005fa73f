#include "CEditWnd.h"

#include "CEditUI.h"
#include "ColorAdjust.h"

#include <windowsx.h>

#include <memory>
#include <vector>

namespace DuiLib {

namespace {

// Messages the manager reflects back to the child window that sent them.
constexpr UINT kReflectBase = 0x2000;

std::wstring WindowText(HWND window) {
    std::vector<wchar_t> buffer(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1);
    const int length = ::GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::wstring(buffer.data(), static_cast<size_t>(length > 0 ? length : 0));
}

}  // namespace

CEditWnd* CEditWnd::Open(CEditUI* owner) {
    auto window = std::unique_ptr<CEditWnd>(new CEditWnd(owner));
    if (!window->Initialize()) {
        return nullptr;
    }
    // From here the window owns itself; OnWindowGone deletes it.
    return window.release();
}

bool CEditWnd::Initialize() {
    IControlHost* manager = owner_->Manager();
    if (manager == nullptr || manager->PaintWindow() == nullptr) {
        return false;
    }
    DWORD style = WS_CHILD | ES_AUTOHSCROLL;
    if (owner_->IsPasswordMode()) {
        style |= ES_PASSWORD;
    }
    if (Create(manager->PaintWindow(), nullptr, style, 0, owner_->NativeRect()) == nullptr) {
        return false;
    }
    const HWND edit = GetHWND();
    SetWindowFont(edit, manager->FontAt(owner_->Font()), FALSE);
    Edit_LimitText(edit, owner_->MaxChar());
    if (owner_->IsPasswordMode()) {
        Edit_SetPasswordChar(edit, owner_->PasswordChar());
    }
    const std::wstring text = owner_->GetText();
    ::SetWindowTextW(edit, text.c_str());
    Edit_SetModify(edit, FALSE);
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
    Edit_Enable(edit, owner_->IsEnabled());
    Edit_SetReadOnly(edit, owner_->IsReadOnly());
    ::SetWindowLongW(edit, GWL_STYLE,
                     static_cast<LONG>(::GetWindowLongW(edit, GWL_STYLE) | owner_->ExtraStyle()));
    ::ShowWindow(edit, SW_SHOWNOACTIVATE);
    ::SetFocus(edit);
    initialized_ = true;
    return true;
}

const wchar_t* CEditWnd::WindowClassName() const {
    return L"EditWnd";
}

const wchar_t* CEditWnd::SuperClassName() const {
    return L"Edit";
}

LRESULT CEditWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (owner_->FilterNativeMessage(message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
        case WM_KILLFOCUS:
            result = CallPreviousProc(message, wParam, lParam);
            // Editing ends with the focus; the control paints its text itself again.
            PostMessage(WM_CLOSE);
            return result;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) {
                owner_->Manager()->SendNotification(owner_, NotifyType::kReturn, 0, 0,
                                                    NotifyDelivery::kNow);
                return 0;
            }
            break;
        case kReflectBase + WM_COMMAND:
            return OnReflectedCommand(wParam);
        case kReflectBase + WM_CTLCOLOREDIT:
        case kReflectBase + WM_CTLCOLORSTATIC:
            return OnReflectedColor(message - kReflectBase, reinterpret_cast<HDC>(wParam));
        default:
            break;
    }
    return CallPreviousProc(message, wParam, lParam);
}

LRESULT CEditWnd::OnReflectedCommand(WPARAM wParam) {
    switch (HIWORD(wParam)) {
        case EN_CHANGE:
            // The text set while opening is the control's own already.
            if (initialized_) {
                owner_->OnNativeTextChanged(WindowText(GetHWND()));
            }
            break;
        case EN_UPDATE:
            ::InvalidateRect(GetHWND(), nullptr, FALSE);
            break;
        default:
            break;
    }
    return 0;
}

LRESULT CEditWnd::OnReflectedColor(UINT message, HDC dc) {
    const DWORD background = owner_->NativeBkColor();
    if (background == 0xFFFFFFFF) {
        // The platform's own colours: without a brush the edit would paint nothing at all.
        return ::DefWindowProcW(::GetParent(GetHWND()), message, reinterpret_cast<WPARAM>(dc),
                                reinterpret_cast<LPARAM>(GetHWND()));
    }
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ToColorRef(owner_->TextColor()));
    if (!background_) {
        background_.Reset(::CreateSolidBrush(ToColorRef(background)));
    }
    return reinterpret_cast<LRESULT>(background_.Get());
}

void CEditWnd::OnWindowGone(HWND /*window*/) {
    owner_->Invalidate();
    owner_->OnNativeWindowGone();
    // The window owned its object (see Open).
    delete this;
}

}  // namespace DuiLib
