#include "PageControls.h"

#include "UniqueHandle.h"

namespace {

constexpr int kButtonTextMargin = 20;

template <typename Control>
std::unique_ptr<Control> MakeTextControl(std::wstring name, std::wstring text, DWORD textColour,
                                         int fontIndex, int width, int height) {
    auto control = std::make_unique<Control>();
    control->SetName(name);
    control->SetText(text);
    control->SetTextColor(textColour);
    control->SetFont(fontIndex);
    control->SetTextStyle(kPageTextStyle);
    if (width > 0) {
        control->SetFixedWidth(width);
    }
    if (height > 0) {
        control->SetFixedHeight(height);
    }
    return control;
}

int MeasureTextWidth(HWND window, HFONT font, const std::wstring& text) {
    if (text.empty()) {
        return 0;
    }
    ScopedWindowDC dc(window);
    if (dc.Get() == nullptr) {
        return 0;
    }
    ::SetBkMode(dc.Get(), TRANSPARENT);
    ScopedSelectObject selected(dc.Get(), font);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

std::unique_ptr<DuiLib::CLabelUI> MakeLabel(std::wstring name, std::wstring text, DWORD textColour,
                                            int fontIndex, int width, int height) {
    return MakeTextControl<DuiLib::CLabelUI>(std::move(name), std::move(text), textColour,
                                             fontIndex, width, height);
}

std::unique_ptr<DuiLib::CButtonUI> MakeButton(std::wstring name, std::wstring text,
                                              DWORD textColour, int fontIndex, int width,
                                              int height) {
    return MakeTextControl<DuiLib::CButtonUI>(std::move(name), std::move(text), textColour,
                                              fontIndex, width, height);
}

int FittedButtonWidth(int textWidth) {
    return textWidth + 2 * kButtonTextMargin;
}

void FitButtonWidth(DuiLib::CControlUI* page, DuiLib::CButtonUI* button) {
    DuiLib::IControlHost* manager = page->Manager();
    if (manager == nullptr) {
        return;
    }
    const std::wstring text = button->GetText();
    const int textWidth =
        MeasureTextWidth(manager->PaintWindow(), manager->FontAt(button->Font()), text);
    button->SetFixedWidth(FittedButtonWidth(textWidth));
}

void SetBlueButtonImages(DuiLib::CButtonUI* button, PushedLook pushed) {
    constexpr wchar_t kNormal[] = L"file='btn_bkg_3.png' source='0,0,50,25' corner='10,10,10,10'";
    constexpr wchar_t kHot[] = L"file='btn_bkg_3.png' source='0,25,50,50' corner='10,10,10,10'";
    constexpr wchar_t kPressed[] = L"file='btn_bkg_3.png' source='0,50,50,75' corner='10,10,10,10'";
    button->SetNormalImage(kNormal);
    button->SetHotImage(kHot);
    button->SetPushedImage(pushed == PushedLook::kHot ? kHot : kPressed);
}

std::unique_ptr<DuiLib::CControlUI> MakeSpacer(int width, int height) {
    auto spacer = std::make_unique<DuiLib::CControlUI>();
    if (width > 0) {
        spacer->SetFixedWidth(width);
    }
    if (height > 0) {
        spacer->SetFixedHeight(height);
    }
    return spacer;
}

DuiLib::CControlUI* FindDescendant(DuiLib::CControlUI* root, const std::wstring& name) {
    if (root == nullptr) {
        return nullptr;
    }
    auto sameName = [](DuiLib::CControlUI* control, void* data) -> DuiLib::CControlUI* {
        return control->GetName() == *static_cast<const std::wstring*>(data) ? control : nullptr;
    };
    return root->Search(sameName, const_cast<std::wstring*>(&name),
                        DuiLib::kFindAll | DuiLib::kFindMeFirst);
}
