#pragma once

#include "CControlUI.h"

namespace DuiLib {

// Text in a rectangle: one font of the manager, a colour for the enabled and the disabled look,
// an alignment (text style bits) and padding around the text. The base of the buttons, the text
// control, the progress bar and the edit.
class CLabelUI : public CControlUI {
public:
    CLabelUI();

    // --- CControlUI ---
    const wchar_t* ClassName() const override;
    void* AsInterface(std::wstring_view name) override;
    void HandleEvent(UIEvent& event) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;
    SIZE MeasureSize(SIZE available) override;
    void PaintTextLayer(HDC dc) override;

    // --- Text look ---
    // 0 means the manager's default colour, filled in at the first paint.
    DWORD TextColor() const { return textColor_; }
    void SetTextColor(DWORD color);
    DWORD DisabledTextColor() const { return disabledTextColor_; }
    void SetDisabledTextColor(DWORD color);
    // Index into the manager's fonts; -1 is the default font.
    int Font() const { return font_; }
    void SetFont(int index);
    UINT TextStyle() const { return textStyle_; }
    void SetTextStyle(UINT style);
    RECT TextPadding() const { return textPadding_; }
    void SetTextPadding(const RECT& padding);
    bool IsShowHtml() const { return showHtml_; }
    void SetShowHtml(bool showHtml);

protected:
    enum class ImageResult { kEmpty, kDrawn, kFailed };

    // Draws an image description of the control's own over it. A description the manager cannot
    // draw at all is cleared, so later paints skip it.
    ImageResult DrawOwnImage(HDC dc, std::wstring& image);
    // A control that takes no mouse input hands mouse events on to its parent (or the label's
    // handling without one); true when the event was such a mouse event.
    bool PassOnMouseEvent(UIEvent& event);
    // The fixed size when a fixed height is set, else the fixed width and the font's height plus
    // extra.
    SIZE SizeForFont(int extra) const;
    // Replaces unset colours by the manager's defaults.
    void FillDefaultColors();
    // The height of the label's font, 0 without a manager.
    int FontHeight() const;
    // itemRect less the text padding.
    RECT TextRect() const;
    // Plain text in the label's font; nothing without a manager.
    void DrawLabelText(HDC dc, const RECT& rect, const std::wstring& text, DWORD color, UINT style);

private:
    DWORD textColor_ = 0;
    DWORD disabledTextColor_ = 0;
    int font_ = -1;
    UINT textStyle_ = 0x4;
    RECT textPadding_ = {0, 0, 0, 0};
    bool showHtml_ = false;
};

}  // namespace DuiLib
