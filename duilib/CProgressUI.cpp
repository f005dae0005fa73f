#include "CProgressUI.h"

#include "AttributeParsing.h"
#include "AttributeTable.h"
#include "ControlGeometry.h"

namespace DuiLib {

namespace {

const AttributeRow<CProgressUI> kProgressAttributes[] = {
    {L"foreimage", [](CProgressUI& p, std::wstring_view v) { p.SetForeImage(v); }},
    {L"hor", [](CProgressUI& p, std::wstring_view v) { p.SetHorizontal(ParseBool(v)); }},
    {L"min", [](CProgressUI& p, std::wstring_view v) { p.SetMin(ParseInteger(v)); }},
    {L"max", [](CProgressUI& p, std::wstring_view v) { p.SetMax(ParseInteger(v)); }},
    {L"value", [](CProgressUI& p, std::wstring_view v) { p.SetValue(ParseInteger(v)); }},
    {L"isstretchfore",
     [](CProgressUI& p, std::wstring_view v) { p.SetStretchForeImage(ParseBool(v)); }},
};

}  // namespace

CProgressUI::CProgressUI() {
    SetTextStyle(kTextCenter | kTextSingleLine);
    SetFixedHeight(12);
}

const wchar_t* CProgressUI::ClassName() const {
    return L"ProgressUI";
}

void* CProgressUI::AsInterface(std::wstring_view name) {
    return name == L"Progress" ? this : CLabelUI::AsInterface(name);
}

void CProgressUI::ApplyAttribute(std::wstring_view name, std::wstring_view value) {
    if (!ApplyFromTable(kProgressAttributes, *this, name, value)) {
        CLabelUI::ApplyAttribute(name, value);
    }
}

void CProgressUI::PaintStateImage(HDC dc) {
    if (foreImage_.empty()) {
        return;
    }
    const SIZE size = {Width(), Height()};
    const RECT forePart = ProgressForePart(size, min_, max_, value_, horizontal_);
    if (!DrawImage(dc, foreImage_, ProgressModifier(forePart, stretchForeImage_))) {
        foreImage_.clear();
    }
}

void CProgressUI::SetHorizontal(bool horizontal) {
    if (horizontal == horizontal_) {
        return;
    }
    horizontal_ = horizontal;
    Invalidate();
}

void CProgressUI::SetStretchForeImage(bool stretch) {
    if (stretch == stretchForeImage_) {
        return;
    }
    stretchForeImage_ = stretch;
    Invalidate();
}

void CProgressUI::SetMin(int minimum) {
    min_ = minimum;
    Invalidate();
}

void CProgressUI::SetMax(int maximum) {
    max_ = maximum;
    Invalidate();
}

void CProgressUI::SetValue(int value) {
    value_ = value;
    Invalidate();
}

void CProgressUI::SetForeImage(std::wstring_view image) {
    if (image == foreImage_) {
        return;
    }
    foreImage_ = image;
    Invalidate();
}

}  // namespace DuiLib
