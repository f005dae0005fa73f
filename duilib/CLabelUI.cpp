#include "CLabelUI.h"

#include "AttributeParsing.h"
#include "AttributeTable.h"
#include "ControlGeometry.h"

namespace DuiLib {

namespace {

// The label's text-effect and rich-text attributes are accepted and ignored: this program draws
// plain text only.
void IgnoreAttribute(CLabelUI& /*label*/, std::wstring_view /*value*/) {}

const AttributeRow<CLabelUI> kLabelAttributes[] = {
    {L"align",
     [](CLabelUI& l, std::wstring_view v) { l.SetTextStyle(ApplyAlignWords(l.TextStyle(), v)); }},
    {L"endellipsis",
     [](CLabelUI& l, std::wstring_view v) {
         l.SetTextStyle(ParseBool(v) ? l.TextStyle() | kTextEndEllipsis
                                     : l.TextStyle() & ~kTextEndEllipsis);
     }},
    {L"font", [](CLabelUI& l, std::wstring_view v) { l.SetFont(ParseInteger(v)); }},
    {L"textcolor", [](CLabelUI& l, std::wstring_view v) { l.SetTextColor(ParseColor(v)); }},
    {L"disabledtextcolor",
     [](CLabelUI& l, std::wstring_view v) { l.SetDisabledTextColor(ParseColor(v)); }},
    {L"textpadding", [](CLabelUI& l, std::wstring_view v) { l.SetTextPadding(ParseRect(v)); }},
    {L"showhtml", [](CLabelUI& l, std::wstring_view v) { l.SetShowHtml(ParseBool(v)); }},
    {L"enabledeffect", IgnoreAttribute},
    {L"enabledstroke", IgnoreAttribute},
    {L"enabledshadow", IgnoreAttribute},
    {L"rhaa", IgnoreAttribute},
    {L"transshadow", IgnoreAttribute},
    {L"transtext", IgnoreAttribute},
    {L"transshadow1", IgnoreAttribute},
    {L"transtext1", IgnoreAttribute},
    {L"transstroke", IgnoreAttribute},
    {L"gradientangle", IgnoreAttribute},
    {L"gradientlength", IgnoreAttribute},
    {L"shadowoffset", IgnoreAttribute},
    {L"textcolor1", IgnoreAttribute},
    {L"textshadowcolora", IgnoreAttribute},
    {L"textshadowcolorb", IgnoreAttribute},
    {L"strokecolor", IgnoreAttribute},
};

}  // namespace

CLabelUI::CLabelUI() = default;

const wchar_t* CLabelUI::ClassName() const {
    return L"LabelUI";
}

void* CLabelUI::AsInterface(std::wstring_view name) {
    return name == L"Label" ? this : CControlUI::AsInterface(name);
}

void CLabelUI::HandleEvent(UIEvent& event) {
    if (event.kind == kEventSetFocus || event.kind == kEventKillFocus) {
        SetFocusedFlag(event.kind == kEventSetFocus);
        return;
    }
    CControlUI::HandleEvent(event);
}

void CLabelUI::ApplyAttribute(std::wstring_view name, std::wstring_view value) {
    if (!ApplyFromTable(kLabelAttributes, *this, name, value)) {
        CControlUI::ApplyAttribute(name, value);
    }
}

SIZE CLabelUI::MeasureSize(SIZE /*available*/) {
    return SizeForFont(4);
}

SIZE CLabelUI::SizeForFont(int extra) const {
    if (FixedHeight() != 0) {
        return SIZE{FixedWidth(), FixedHeight()};
    }
    return SIZE{FixedWidth(), FontHeight() + extra};
}

CLabelUI::ImageResult CLabelUI::DrawOwnImage(HDC dc, std::wstring& image) {
    if (image.empty()) {
        return ImageResult::kEmpty;
    }
    if (!DrawImage(dc, image)) {
        image.clear();
        return ImageResult::kFailed;
    }
    return ImageResult::kDrawn;
}

bool CLabelUI::PassOnMouseEvent(UIEvent& event) {
    if (IsMouseEnabled() || !IsMouseEvent(event.kind)) {
        return false;
    }
    if (Parent() != nullptr) {
        Parent()->HandleEvent(event);
    } else {
        CLabelUI::HandleEvent(event);
    }
    return true;
}

void CLabelUI::PaintTextLayer(HDC dc) {
    FillDefaultColors();
    const std::wstring text = GetText();
    if (text.empty()) {
        return;
    }
    DrawLabelText(dc, TextRect(), text, IsEnabled() ? textColor_ : disabledTextColor_,
                  textStyle_ | kTextSingleLine);
}

void CLabelUI::SetTextColor(DWORD color) {
    if (textColor_ == color) {
        return;
    }
    textColor_ = color;
    Invalidate();
}

void CLabelUI::SetDisabledTextColor(DWORD color) {
    if (disabledTextColor_ == color) {
        return;
    }
    disabledTextColor_ = color;
    Invalidate();
}

void CLabelUI::SetFont(int index) {
    font_ = index;
    Invalidate();
}

void CLabelUI::SetTextStyle(UINT style) {
    textStyle_ = style;
    Invalidate();
}

void CLabelUI::SetTextPadding(const RECT& padding) {
    textPadding_ = padding;
    Invalidate();
}

void CLabelUI::SetShowHtml(bool showHtml) {
    if (showHtml == showHtml_) {
        return;
    }
    showHtml_ = showHtml;
    Invalidate();
}

void CLabelUI::FillDefaultColors() {
    if (Manager() == nullptr) {
        return;
    }
    if (textColor_ == 0) {
        textColor_ = Manager()->DefaultFontColor();
    }
    if (disabledTextColor_ == 0) {
        disabledTextColor_ = Manager()->DefaultDisabledColor();
    }
}

int CLabelUI::FontHeight() const {
    return Manager() != nullptr ? Manager()->FontInfoAt(font_).metrics.tmHeight : 0;
}

RECT CLabelUI::TextRect() const {
    const RECT item = Bounds();
    return RECT{item.left + textPadding_.left, item.top + textPadding_.top,
                item.right - textPadding_.right, item.bottom - textPadding_.bottom};
}

void CLabelUI::DrawLabelText(HDC dc, const RECT& rect, const std::wstring& text, DWORD color,
                             UINT style) {
    if (Manager() != nullptr) {
        Manager()->DrawPlainText(dc, rect, text, color, font_, style);
    }
}

}  // namespace DuiLib
