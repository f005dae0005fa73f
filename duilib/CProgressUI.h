#pragma once

#include "CLabelUI.h"

namespace DuiLib {

// A bar whose fore image covers the part of the control given by its value between min and max:
// from the left when horizontal, from the bottom otherwise.
class CProgressUI : public CLabelUI {
public:
    CProgressUI();

    // --- CControlUI ---
    const wchar_t* ClassName() const override;
    void* AsInterface(std::wstring_view name) override;
    void ApplyAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintStateImage(HDC dc) override;

    bool IsHorizontal() const { return horizontal_; }
    void SetHorizontal(bool horizontal);
    bool IsStretchForeImage() const { return stretchForeImage_; }
    void SetStretchForeImage(bool stretch);
    int Min() const { return min_; }
    void SetMin(int minimum);
    int Max() const { return max_; }
    void SetMax(int maximum);
    int Value() const { return value_; }
    void SetValue(int value);
    // The bar's own fore image (the base control's fore image is not drawn by a progress bar).
    // The bar's own image; it hides the base control's fore image, which a bar does not draw.
    const std::wstring& ForeImage() const { return foreImage_; }
    void SetForeImage(std::wstring_view image);

private:
    bool horizontal_ = true;
    bool stretchForeImage_ = true;
    int max_ = 100;
    int min_ = 0;
    int value_ = 0;
    std::wstring foreImage_;
};

}  // namespace DuiLib
