#pragma once

#include "CLabelUI.h"
#include "ControlState.h"

namespace DuiLib {

// A label that can be pressed: it shows a state image for its normal, hot, pushed, focused and
// disabled looks and sends "click" when released over itself, or on space or return while it has
// the keyboard focus.
class CButtonUI : public CLabelUI {
public:
    CButtonUI();

    // --- CControlUI ---
    const wchar_t* ClassName() const override;
    void* AsInterface(std::wstring_view name) override;
    UINT ControlFlags() const override;
    bool Trigger() override;
    void SetEnabled(bool enabled) override;
    void HandleEvent(UIEvent& event) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;
    SIZE MeasureSize(SIZE available) override;
    void PaintStateImage(HDC dc) override;
    void PaintTextLayer(HDC dc) override;

    // ControlStateBits.
    UINT State() const { return state_; }

    // --- State images and colours ---
    const std::wstring& NormalImage() const { return normalImage_; }
    void SetNormalImage(std::wstring_view image);
    const std::wstring& HotImage() const { return hotImage_; }
    void SetHotImage(std::wstring_view image);
    const std::wstring& HotForeImage() const { return hotForeImage_; }
    void SetHotForeImage(std::wstring_view image);
    const std::wstring& PushedImage() const { return pushedImage_; }
    void SetPushedImage(std::wstring_view image);
    const std::wstring& FocusedImage() const { return focusedImage_; }
    void SetFocusedImage(std::wstring_view image);
    const std::wstring& DisabledImage() const { return disabledImage_; }
    void SetDisabledImage(std::wstring_view image);
    DWORD HotBkColor() const { return hotBkColor_; }
    void SetHotBkColor(DWORD color);
    DWORD HotTextColor() const { return hotTextColor_; }
    void SetHotTextColor(DWORD color);
    DWORD PushedTextColor() const { return pushedTextColor_; }
    void SetPushedTextColor(DWORD color);
    DWORD FocusedTextColor() const { return focusedTextColor_; }
    void SetFocusedTextColor(DWORD color);

protected:
    void SetStateBits(UINT bits) { state_ |= bits; }
    void ClearStateBits(UINT bits) { state_ &= ~bits; }
    // Draws a set image description over the control: false when it is empty. A description the
    // manager cannot draw at all is cleared and still counts as drawn.
    bool DrawStateImage(HDC dc, std::wstring& image);

private:
    UINT state_ = 0;
    DWORD hotBkColor_ = 0;
    DWORD hotTextColor_ = 0;
    DWORD pushedTextColor_ = 0;
    DWORD focusedTextColor_ = 0;
    std::wstring normalImage_;
    std::wstring hotImage_;
    std::wstring hotForeImage_;
    std::wstring pushedImage_;
    std::wstring focusedImage_;
    std::wstring disabledImage_;
};

}  // namespace DuiLib
