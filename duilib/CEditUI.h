#pragma once

#include "CLabelUI.h"
#include "ControlState.h"

namespace DuiLib {

class CEditWnd;

// A single-line text entry. Idle, it is a windowless label that paints its text (or one password
// character per character) in the disabled text colour over its state image. When it gets the
// focus or is clicked, a native edit window (CEditWnd) opens exactly over its text area and takes
// the keyboard; every change of the native text is copied back and announced with
// "textchanged", the return key with "return". The native window closes itself when it loses
// the focus.
class CEditUI : public CLabelUI {
public:
    CEditUI();
    ~CEditUI() override;

    // --- CControlUI ---
    const wchar_t* ClassName() const override;
    void* AsInterface(std::wstring_view name) override;
    UINT ControlFlags() const override;
    void SetText(std::wstring_view text) override;
    void SetBounds(const RECT& rect) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void HandleEvent(UIEvent& event) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;
    SIZE MeasureSize(SIZE available) override;
    void PaintStateImage(HDC dc) override;
    void PaintTextLayer(HDC dc) override;

    // Consulted for every message of the native window before it handles it; true with result
    // set stops the message there. Lets everything through.
    virtual bool FilterNativeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // --- Editing ---
    int MaxChar() const { return maxChar_; }
    void SetMaxChar(int maxChar);
    bool IsReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    bool IsPasswordMode() const { return passwordMode_; }
    void SetPasswordMode(bool passwordMode);
    wchar_t PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(wchar_t passwordChar);
    bool IsNumberOnly() const { return (extraStyle_ & ES_NUMBER) != 0; }
    void SetNumberOnly(bool numberOnly);
    // Style bits added to the native window.
    DWORD ExtraStyle() const { return extraStyle_; }
    // 0xFFFFFFFF: the native window keeps the platform's background.
    DWORD NativeBkColor() const { return nativeBkColor_; }
    void SetNativeBkColor(DWORD color);
    // Selects characters [start, end) in the open native window.
    void SelectRange(int start, int end);
    // The open native window, or nullptr.
    HWND NativeWindow() const;
    // Where the native window goes: the text area, cut to the font's height.
    RECT NativeRect() const;

    // --- State images ---
    void SetNormalImage(std::wstring_view image);
    void SetHotImage(std::wstring_view image);
    void SetFocusedImage(std::wstring_view image);
    void SetDisabledImage(std::wstring_view image);

private:
    friend class CEditWnd;

    void OpenNativeWindow();
    // A press opens the native window, or is passed on to the open one.
    void OnButtonDown(const UIEvent& event);
    // Called by the native window when it is gone.
    void OnNativeWindowGone() { editWindow_ = nullptr; }
    // Called by the native window when its text changed.
    void OnNativeTextChanged(const std::wstring& text);

    CEditWnd* editWindow_ = nullptr;  // owns itself
    int maxChar_ = 255;
    bool readOnly_ = false;
    bool passwordMode_ = false;
    wchar_t passwordChar_ = L'*';
    UINT state_ = 0;  // kStateFocused, kStateDisabled, kStateHot
    std::wstring normalImage_;
    std::wstring hotImage_;
    std::wstring focusedImage_;
    std::wstring disabledImage_;
    DWORD nativeBkColor_ = 0xFFFFFFFF;
    DWORD extraStyle_ = 0;
};

}  // namespace DuiLib
