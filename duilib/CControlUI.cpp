#include "CControlUI.h"

#include "AttributeParsing.h"
#include "ColorAdjust.h"
#include "ScopedClip.h"
#include "UniqueHandle.h"
#include "RenderPrimitives.h"

namespace DuiLib {

namespace {

using AttributeHandler = void (*)(CControlUI& control, std::wstring_view value);

struct AttributeEntry {
    std::wstring_view name;
    AttributeHandler apply;
};

void ApplyPos(CControlUI& control, std::wstring_view value) {
    const RECT pos = ParseRect(value);
    control.SetFixedXY(
        SIZE{pos.left >= 0 ? pos.left : pos.right, pos.top >= 0 ? pos.top : pos.bottom});
    control.SetFixedWidth(pos.right - pos.left);
    control.SetFixedHeight(pos.bottom - pos.top);
}

void ApplyBorderSize(CControlUI& control, std::wstring_view value) {
    if (value.find(L',') == std::wstring_view::npos) {
        control.SetBorderSize(ParseInteger(value));
        control.SetSideBorderSize(RECT{0, 0, 0, 0});
    } else {
        control.SetSideBorderSize(ParseRect(value));
    }
}

const AttributeEntry kControlAttributes[] = {
    {L"pos", ApplyPos},
    {L"relativepos",
     [](CControlUI& c, std::wstring_view v) {
         const RECT r = ParseRect(v);
         c.SetRelativePos(r.left, r.top, r.right, r.bottom);
     }},
    {L"padding", [](CControlUI& c, std::wstring_view v) { c.SetPadding(ParseRect(v)); }},
    {L"bkcolor", [](CControlUI& c, std::wstring_view v) { c.SetBkColor(ParseBackgroundColor(v)); }},
    {L"bkcolor1",
     [](CControlUI& c, std::wstring_view v) { c.SetBkColor(ParseBackgroundColor(v)); }},
    {L"bkcolor2",
     [](CControlUI& c, std::wstring_view v) { c.SetBkColor2(ParseBackgroundColor(v)); }},
    {L"bkcolor3",
     [](CControlUI& c, std::wstring_view v) { c.SetBkColor3(ParseBackgroundColor(v)); }},
    {L"bordercolor", [](CControlUI& c, std::wstring_view v) { c.SetBorderColor(ParseColor(v)); }},
    {L"focusbordercolor",
     [](CControlUI& c, std::wstring_view v) { c.SetFocusBorderColor(ParseColor(v)); }},
    {L"colorhsl", [](CControlUI& c, std::wstring_view v) { c.SetColorHsl(ParseBool(v)); }},
    {L"bordersize", ApplyBorderSize},
    {L"leftbordersize",
     [](CControlUI& c, std::wstring_view v) { c.SetLeftBorderSize(ParseInteger(v)); }},
    {L"topbordersize",
     [](CControlUI& c, std::wstring_view v) { c.SetTopBorderSize(ParseInteger(v)); }},
    {L"rightbordersize",
     [](CControlUI& c, std::wstring_view v) { c.SetRightBorderSize(ParseInteger(v)); }},
    {L"bottombordersize",
     [](CControlUI& c, std::wstring_view v) { c.SetBottomBorderSize(ParseInteger(v)); }},
    {L"borderstyle", [](CControlUI& c, std::wstring_view v) { c.SetBorderStyle(ParseInteger(v)); }},
    {L"borderround", [](CControlUI& c, std::wstring_view v) { c.SetBorderRound(ParseSize(v)); }},
    {L"bkimage", [](CControlUI& c, std::wstring_view v) { c.SetBkImage(v); }},
    {L"width", [](CControlUI& c, std::wstring_view v) { c.SetFixedWidth(ParseInteger(v)); }},
    {L"height", [](CControlUI& c, std::wstring_view v) { c.SetFixedHeight(ParseInteger(v)); }},
    {L"minwidth", [](CControlUI& c, std::wstring_view v) { c.SetMinWidth(ParseInteger(v)); }},
    {L"minheight", [](CControlUI& c, std::wstring_view v) { c.SetMinHeight(ParseInteger(v)); }},
    {L"maxwidth", [](CControlUI& c, std::wstring_view v) { c.SetMaxWidth(ParseInteger(v)); }},
    {L"maxheight", [](CControlUI& c, std::wstring_view v) { c.SetMaxHeight(ParseInteger(v)); }},
    {L"name", [](CControlUI& c, std::wstring_view v) { c.SetName(v); }},
    {L"text", [](CControlUI& c, std::wstring_view v) { c.SetText(v); }},
    {L"tooltip", [](CControlUI& c, std::wstring_view v) { c.SetToolTip(v); }},
    {L"userdata", [](CControlUI& c, std::wstring_view v) { c.SetUserData(v); }},
    {L"enabled", [](CControlUI& c, std::wstring_view v) { c.SetEnabled(ParseBool(v)); }},
    {L"mouse", [](CControlUI& c, std::wstring_view v) { c.SetMouseEnabled(ParseBool(v)); }},
    {L"keyboard", [](CControlUI& c, std::wstring_view v) { c.SetKeyboardEnabled(ParseBool(v)); }},
    {L"visible", [](CControlUI& c, std::wstring_view v) { c.SetVisible(ParseBool(v)); }},
    {L"float", [](CControlUI& c, std::wstring_view v) { c.SetFloat(ParseBool(v)); }},
    {L"shortcut",
     [](CControlUI& c, std::wstring_view v) { c.SetShortcut(v.empty() ? L'\0' : v.front()); }},
    {L"menu", [](CControlUI& c, std::wstring_view v) { c.SetUsesMenu(ParseBool(v)); }},
    {L"virtualwnd", [](CControlUI& c, std::wstring_view v) { c.SetVirtualWindow(v); }},
};

bool IsRectEmptyOrInverted(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

}  // namespace

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
    destroyListeners_.Invoke(this);
    if (manager_ != nullptr) {
        manager_->ForgetControl(this);
    }
}

// --- Identity -------------------------------------------------------------------------------

std::wstring CControlUI::GetName() const {
    return name_;
}

void CControlUI::SetName(std::wstring_view name) {
    name_ = name;
}

const wchar_t* CControlUI::ClassName() const {
    return L"ControlUI";
}

void* CControlUI::AsInterface(std::wstring_view name) {
    return name == L"Control" ? this : nullptr;
}

UINT CControlUI::ControlFlags() const {
    return 0;
}

bool CControlUI::Trigger() {
    return IsVisible() && IsEnabled();
}

IControlHost* CControlUI::Manager() const {
    return manager_;
}

void CControlUI::AttachManager(IControlHost* manager, CControlUI* parent, AttachMode mode) {
    manager_ = manager;
    parent_ = parent;
    // A name given before the control had a manager still has to reach it.
    if (manager_ != nullptr && !virtualWindow_.empty()) {
        manager_->UseVirtualWindows();
    }
    if (mode == AttachMode::kInitialize && parent_ != nullptr) {
        Initialize();
    }
}

CControlUI* CControlUI::Parent() const {
    return parent_;
}

std::wstring CControlUI::GetText() const {
    return text_;
}

void CControlUI::SetText(std::wstring_view text) {
    if (text_ == text) {
        return;
    }
    text_ = text;
    Invalidate();
}

// --- Geometry -------------------------------------------------------------------------------

RECT CControlUI::Bounds() const {
    return itemRect_;
}

void CControlUI::SetBounds(const RECT& rect) {
    RECT bounds = rect;
    if (bounds.right < bounds.left) {
        bounds.right = bounds.left;
    }
    if (bounds.bottom < bounds.top) {
        bounds.bottom = bounds.top;
    }
    RECT invalid = IsRectEmptyOrInverted(itemRect_) ? bounds : itemRect_;
    itemRect_ = bounds;
    if (manager_ == nullptr) {
        return;
    }
    if (!sizeCallbackActive_) {
        sizeCallbackActive_ = true;
        sizeListeners_.Invoke(this);
        sizeCallbackActive_ = false;
    }
    if (float_ && parent_ != nullptr) {
        // Remember the placement so that the next layout of the parent keeps it.
        const RECT parentRect = parent_->Bounds();
        fixedXY_.cx = fixedXY_.cx >= 0 ? itemRect_.left - parentRect.left
                                       : itemRect_.right - parentRect.right;
        fixedXY_.cy = fixedXY_.cy >= 0 ? itemRect_.top - parentRect.top
                                       : itemRect_.bottom - parentRect.bottom;
        fixedSize_ = {itemRect_.right - itemRect_.left, itemRect_.bottom - itemRect_.top};
    }
    layoutDirty_ = false;
    ::UnionRect(&invalid, &invalid, &itemRect_);
    if (ClipToAncestors(invalid)) {
        manager_->Invalidate(invalid);
    }
}

int CControlUI::Width() const {
    return itemRect_.right - itemRect_.left;
}

int CControlUI::Height() const {
    return itemRect_.bottom - itemRect_.top;
}

int CControlUI::Left() const {
    return itemRect_.left;
}

int CControlUI::Top() const {
    return itemRect_.top;
}

RECT CControlUI::Padding() const {
    return padding_;
}

void CControlUI::SetPadding(const RECT& padding) {
    padding_ = padding;
    MarkParentLayoutDirty();
}

SIZE CControlUI::FixedXY() const {
    return fixedXY_;
}

void CControlUI::SetFixedXY(SIZE xy) {
    fixedXY_ = xy;
    MarkSizeHintDirty();
}

int CControlUI::FixedWidth() const {
    return fixedSize_.cx;
}

void CControlUI::SetFixedWidth(int cx) {
    if (cx < 0) {
        return;
    }
    fixedSize_.cx = cx;
    MarkSizeHintDirty();
}

int CControlUI::FixedHeight() const {
    return fixedSize_.cy;
}

void CControlUI::SetFixedHeight(int cy) {
    if (cy < 0) {
        return;
    }
    fixedSize_.cy = cy;
    MarkSizeHintDirty();
}

int CControlUI::MinWidth() const {
    return minSize_.cx;
}

void CControlUI::SetMinWidth(int cx) {
    if (cx < 0 || cx == minSize_.cx) {
        return;
    }
    minSize_.cx = cx;
    MarkSizeHintDirty();
}

int CControlUI::MaxWidth() const {
    return maxSize_.cx;
}

void CControlUI::SetMaxWidth(int cx) {
    if (cx < 0 || cx == maxSize_.cx) {
        return;
    }
    maxSize_.cx = cx;
    MarkSizeHintDirty();
}

int CControlUI::MinHeight() const {
    return minSize_.cy;
}

void CControlUI::SetMinHeight(int cy) {
    if (cy < 0 || cy == minSize_.cy) {
        return;
    }
    minSize_.cy = cy;
    MarkSizeHintDirty();
}

int CControlUI::MaxHeight() const {
    return maxSize_.cy;
}

void CControlUI::SetMaxHeight(int cy) {
    if (cy < 0 || cy == maxSize_.cy) {
        return;
    }
    maxSize_.cy = cy;
    MarkSizeHintDirty();
}

void CControlUI::MarkSizeHintDirty() {
    // A float control places itself; any other control is placed by its parent's layout.
    if (float_) {
        MarkLayoutDirty();
    } else {
        MarkParentLayoutDirty();
    }
}

void CControlUI::SetRelativePos(int moveX, int moveY, int zoomX, int zoomY) {
    relativePos_.moveXPercent = moveX;
    relativePos_.moveYPercent = moveY;
    relativePos_.zoomXPercent = zoomX;
    relativePos_.zoomYPercent = zoomY;
    relativePos_.relative = true;
}

void CControlUI::SetRelativeParentSize(SIZE size) {
    relativePos_.parentSize = size;
}

RelativePos CControlUI::GetRelativePos() const {
    return relativePos_;
}

bool CControlUI::IsRelativePos() const {
    return relativePos_.relative;
}

// --- Text and data --------------------------------------------------------------------------

std::wstring CControlUI::ToolTip() const {
    return toolTip_;
}

void CControlUI::SetToolTip(std::wstring_view text) {
    toolTip_ = ExpandToolTip(text);
}

void CControlUI::SetToolTipWidth(int width) {
    toolTipWidth_ = width;
}

int CControlUI::ToolTipWidth() const {
    return toolTipWidth_;
}

wchar_t CControlUI::Shortcut() const {
    return shortcut_;
}

void CControlUI::SetShortcut(wchar_t ch) {
    shortcut_ = ch;
}

bool CControlUI::UsesMenu() const {
    return contextMenuUsed_;
}

void CControlUI::SetUsesMenu(bool uses) {
    contextMenuUsed_ = uses;
}

const std::wstring& CControlUI::UserData() const {
    return userData_;
}

void CControlUI::SetUserData(std::wstring_view text) {
    userData_ = text;
}

uint64_t CControlUI::Tag() const {
    return tag_;
}

void CControlUI::SetTag(uint64_t tag) {
    tag_ = tag;
}

// --- State ----------------------------------------------------------------------------------

bool CControlUI::IsVisible() const {
    return visible_ && parentVisible_;
}

bool CControlUI::IsOwnVisible() const {
    return visible_;
}

void CControlUI::SetVisible(bool visible) {
    if (visible == visible_) {
        return;
    }
    const bool wasVisible = IsVisible();
    visible_ = visible;
    focused_ = false;
    if (!visible && manager_ != nullptr && manager_->FocusControl() == this) {
        manager_->SetFocusControl(nullptr);
    }
    if (IsVisible() != wasVisible) {
        MarkParentLayoutDirty();
    }
}

void CControlUI::SetParentVisible(bool visible) {
    parentVisible_ = visible;
    if (!visible && manager_ != nullptr && manager_->FocusControl() == this) {
        manager_->SetFocusControl(nullptr);
    }
}

bool CControlUI::IsEnabled() const {
    return enabled_;
}

void CControlUI::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    Invalidate();
}

bool CControlUI::IsMouseEnabled() const {
    return mouseEnabled_;
}

void CControlUI::SetMouseEnabled(bool enabled) {
    mouseEnabled_ = enabled;
}

bool CControlUI::IsKeyboardEnabled() const {
    return keyboardEnabled_;
}

void CControlUI::SetKeyboardEnabled(bool enabled) {
    keyboardEnabled_ = enabled;
}

bool CControlUI::HasFocus() const {
    return focused_;
}

void CControlUI::TakeFocus() {
    if (manager_ != nullptr) {
        manager_->SetFocusControl(this);
    }
}

bool CControlUI::IsFloat() const {
    return float_;
}

void CControlUI::SetFloat(bool isFloat) {
    if (isFloat == float_) {
        return;
    }
    float_ = isFloat;
    MarkParentLayoutDirty();
}

void CControlUI::SetEllipseBkImage(bool ellipse) {
    ellipseBkImage_ = ellipse;
}

bool CControlUI::IsEllipseBkImage() const {
    return ellipseBkImage_;
}

// --- Search and events ----------------------------------------------------------------------

CControlUI* CControlUI::Search(FindControlProc proc, void* data, UINT flags) {
    if ((flags & kFindVisible) != 0 && !IsVisible()) {
        return nullptr;
    }
    if ((flags & kFindEnabled) != 0 && !IsEnabled()) {
        return nullptr;
    }
    if ((flags & kFindHitTest) != 0 &&
        (!mouseEnabled_ || !::PtInRect(&itemRect_, *static_cast<const POINT*>(data)))) {
        return nullptr;
    }
    return proc(this, data);
}

void CControlUI::Initialize() {
    OnInit();
    initListeners_.Invoke(this);
}

void CControlUI::OnInit() {}

void CControlUI::DispatchEvent(UIEvent& event) {
    if (eventListeners_.Invoke(event)) {
        HandleEvent(event);
    }
}

void CControlUI::HandleEvent(UIEvent& event) {
    switch (event.kind) {
        case kEventSetCursor:
            ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
            return;
        case kEventSetFocus:
        case kEventKillFocus:
            focused_ = event.kind == kEventSetFocus;
            Invalidate();
            return;
        case kEventTimer:
            SendNotification(NotifyType::kTimer, event.wParam, event.lParam);
            return;
        case kEventContextMenu:
            if (contextMenuUsed_) {
                SendNotification(NotifyType::kMenu, event.wParam, event.lParam);
            }
            return;
        case kEventDblClick:
            SendNotification(NotifyType::kDbClick, event.wParam, event.lParam);
            break;
        default:
            break;
    }
    if (parent_ != nullptr) {
        parent_->HandleEvent(event);
    }
}

void CControlUI::ApplyAttribute(std::wstring_view name, std::wstring_view value) {
    for (const AttributeEntry& entry : kControlAttributes) {
        if (entry.name == name) {
            entry.apply(*this, value);
            return;
        }
    }
}

SIZE CControlUI::MeasureSize(SIZE /*available*/) {
    return fixedSize_;
}

// --- Painting -------------------------------------------------------------------------------

void CControlUI::Paint(HDC dc, const RECT& paintRect) {
    if (!::IntersectRect(&paintRect_, &paintRect, &itemRect_)) {
        return;
    }
    auto paintSequence = [&] {
        PaintBackColor(dc);
        PaintBackImage(dc);
        PaintStateImage(dc);
        PaintTextLayer(dc);
        PaintFrame(dc);
    };
    if (borderRound_.cx > 0 || borderRound_.cy > 0) {
        ScopedClip clip(dc);
        clip.Intersect(paintRect_);
        clip.IntersectRoundRect(
            RECT{itemRect_.left, itemRect_.top, itemRect_.right + 1, itemRect_.bottom + 1},
            borderRound_);
        paintSequence();
    } else {
        paintSequence();
    }
}

void CControlUI::PaintBackColor(HDC dc) {
    if (bkColor_ == 0) {
        return;
    }
    if (bkColor2_ == 0) {
        // A translucent fill covers the whole control so that a partial repaint blends the same.
        FillColor(dc, AlphaOf(bkColor_) < 0xFF ? itemRect_ : paintRect_, AdjustedColor(bkColor_));
    } else if (bkColor3_ != 0) {
        const int middle = (itemRect_.top + itemRect_.bottom) / 2;
        const RECT upper = {itemRect_.left, itemRect_.top, itemRect_.right, middle};
        const RECT lower = {itemRect_.left, middle, itemRect_.right, itemRect_.bottom};
        FillGradient(dc, upper, AdjustedColor(bkColor_), AdjustedColor(bkColor2_),
                     GradientDirection::kVertical, 8);
        FillGradient(dc, lower, AdjustedColor(bkColor2_), AdjustedColor(bkColor3_),
                     GradientDirection::kVertical, 8);
    } else {
        FillGradient(dc, itemRect_, AdjustedColor(bkColor_), AdjustedColor(bkColor2_),
                     GradientDirection::kVertical, 16);
    }
}

void CControlUI::PaintBackImage(HDC dc) {
    if (bkImage_.empty()) {
        return;
    }
    if (ellipseBkImage_) {
        if (manager_ != nullptr) {
            manager_->DrawEllipseImage(dc, itemRect_, bkImage_);
        }
        return;
    }
    if (!DrawImage(dc, bkImage_)) {
        bkImage_.clear();
    }
}

void CControlUI::PaintStateImage(HDC /*dc*/) {}

void CControlUI::PaintTextLayer(HDC /*dc*/) {}

void CControlUI::PaintFrame(HDC dc) {
    if (borderColor_ == 0 && focusBorderColor_ == 0) {
        return;
    }
    const bool showFocus = focused_ && focusBorderColor_ != 0;
    if (borderSize_ > 0 && (borderRound_.cx > 0 || borderRound_.cy > 0)) {
        DrawRoundFrame(dc, itemRect_, borderSize_, borderRound_.cx, borderRound_.cy,
                       AdjustedColor(showFocus ? focusBorderColor_ : borderColor_));
    } else if (showFocus && borderSize_ > 0) {
        DrawFrameRect(dc, itemRect_, borderSize_, AdjustedColor(focusBorderColor_));
    } else if (sideBorderSize_.left <= 0 && sideBorderSize_.top <= 0 &&
               sideBorderSize_.right <= 0 && sideBorderSize_.bottom <= 0) {
        if (borderSize_ > 0) {
            DrawFrameRect(dc, itemRect_, borderSize_, AdjustedColor(borderColor_));
        }
    } else {
        for (const BorderLine& side : SideBorderLines(itemRect_, sideBorderSize_)) {
            StrokeLine(dc, side.line, side.width, AdjustedColor(borderColor_), borderStyle_);
        }
    }
}

void CControlUI::PaintOverlay(HDC /*dc*/, const RECT& /*paintRect*/) {}

// --- Invalidation and layout ----------------------------------------------------------------

bool CControlUI::ClipToAncestors(RECT& rect) const {
    if (IsRectEmptyOrInverted(rect)) {
        return false;
    }
    for (const CControlUI* ancestor = parent_; ancestor != nullptr; ancestor = ancestor->parent_) {
        if (!::IntersectRect(&rect, &rect, &ancestor->itemRect_)) {
            return false;
        }
    }
    return true;
}

void CControlUI::Invalidate() {
    if (!IsVisible()) {
        return;
    }
    RECT invalid = itemRect_;
    if (manager_ != nullptr && ClipToAncestors(invalid)) {
        manager_->Invalidate(invalid);
    }
}

void CControlUI::MarkLayoutDirty() {
    if (!IsVisible()) {
        return;
    }
    layoutDirty_ = true;
    Invalidate();
    if (manager_ != nullptr) {
        manager_->NeedLayout();
    }
}

void CControlUI::MarkParentLayoutDirty() {
    if (parent_ != nullptr) {
        parent_->MarkLayoutDirty();
        parent_->Invalidate();
    } else {
        MarkLayoutDirty();
    }
    if (manager_ != nullptr) {
        manager_->NeedLayout();
    }
}

std::wstring CControlUI::VirtualWindow() const {
    if (!virtualWindow_.empty() || parent_ == nullptr) {
        return virtualWindow_;
    }
    return parent_->VirtualWindow();
}

void CControlUI::SetVirtualWindow(std::wstring_view name) {
    virtualWindow_ = name;
    if (manager_ != nullptr) {
        manager_->UseVirtualWindows();
    }
}

void CControlUI::ApplyAttributeList(std::wstring_view list) {
    for (const auto& [name, value] : ParseAttributeList(list)) {
        ApplyAttribute(name, value);
    }
}

bool CControlUI::DrawImage(HDC dc, const std::wstring& description, const std::wstring& modifier) {
    return manager_ != nullptr &&
           manager_->DrawImage(dc, itemRect_, paintRect_, description, modifier);
}

void CControlUI::SendNotification(const wchar_t* type, WPARAM wParam, LPARAM lParam) {
    if (manager_ != nullptr) {
        manager_->SendNotification(this, type, wParam, lParam, NotifyDelivery::kNow);
    }
}

DWORD CControlUI::AdjustedColor(DWORD color) const {
    return colorHsl_ ? AdjustColor(color, GetHslSetting()) : color;
}

// --- Colours, images and border -------------------------------------------------------------

void CControlUI::SetBkColor(DWORD color) {
    if (color == bkColor_) {
        return;
    }
    bkColor_ = color;
    Invalidate();
}

void CControlUI::SetBkColor2(DWORD color) {
    if (color == bkColor2_) {
        return;
    }
    bkColor2_ = color;
    Invalidate();
}

void CControlUI::SetBkColor3(DWORD color) {
    if (color == bkColor3_) {
        return;
    }
    bkColor3_ = color;
    Invalidate();
}

void CControlUI::SetBkImage(std::wstring_view image) {
    if (image == bkImage_) {
        return;
    }
    bkImage_ = image;
    Invalidate();
}

void CControlUI::SetForeImage(std::wstring_view image) {
    if (image == foreImage_) {
        return;
    }
    foreImage_ = image;
    Invalidate();
}

void CControlUI::SetBorderColor(DWORD color) {
    if (color == borderColor_) {
        return;
    }
    borderColor_ = color;
    Invalidate();
}

void CControlUI::SetFocusBorderColor(DWORD color) {
    if (color == focusBorderColor_) {
        return;
    }
    focusBorderColor_ = color;
    Invalidate();
}

void CControlUI::SetColorHsl(bool colorHsl) {
    if (colorHsl == colorHsl_) {
        return;
    }
    colorHsl_ = colorHsl;
    Invalidate();
}

void CControlUI::SetBorderSize(int size) {
    if (size == borderSize_) {
        return;
    }
    borderSize_ = size;
    Invalidate();
}

void CControlUI::SetSideBorderSize(const RECT& sides) {
    sideBorderSize_ = sides;
    Invalidate();
}

void CControlUI::SetLeftBorderSize(int size) {
    sideBorderSize_.left = size;
    Invalidate();
}

void CControlUI::SetTopBorderSize(int size) {
    sideBorderSize_.top = size;
    Invalidate();
}

void CControlUI::SetRightBorderSize(int size) {
    sideBorderSize_.right = size;
    Invalidate();
}

void CControlUI::SetBottomBorderSize(int size) {
    sideBorderSize_.bottom = size;
    Invalidate();
}

void CControlUI::SetBorderStyle(int penStyle) {
    borderStyle_ = penStyle;
    Invalidate();
}

void CControlUI::SetBorderRound(SIZE round) {
    borderRound_ = round;
    Invalidate();
}

}  // namespace DuiLib
