#pragma once

#include "CEventSource.h"
#include "IControlHost.h"
#include "LayoutMath.h"
#include "UIEvent.h"
#include "UINotify.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace DuiLib {

class CControlUI;

// Search flags: which controls a search visits and in what order.
enum UIFindFlags : UINT {
    kFindAll = 0,
    kFindVisible = 0x1,
    kFindEnabled = 0x2,
    kFindHitTest = 0x4,         // data points to a POINT; the control must be mouse-enabled and hit
    kFindTopFirst = 0x8,        // containers try their children from last to first
    kFindMeFirst = 0x80000000,  // containers try themselves before their children
};

// Bits of ControlFlags.
enum UIControlFlags : UINT {
    kControlTabStop = 0x1,
    kControlSetCursor = 0x2,
};

// What attaching a control to a manager does besides storing the manager and the parent.
enum class AttachMode {
    kAttachOnly,
    kInitialize,  // a control with a parent also runs its Initialize step
};

// Decides whether a visited control is the one searched for: returns it (or another control to
// report), or nullptr to go on.
using FindControlProc = CControlUI* (*)(CControlUI* control, void* data);

// The base of every windowless control: a rectangle inside one native window that paints itself
// into that window's DC and handles the events its manager derives from window messages. Holds
// the state every control shares (geometry hints for layouts, colours and border, text, tooltip,
// visibility, focus), the attribute language that configures it from name/value strings, and the
// invalidation and layout-dirty protocol with its manager. Works without a manager: it then only
// keeps its own state.
class CControlUI {
public:
    CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    // --- Virtual operations, in the framework's slot order ---
    virtual ~CControlUI();

    virtual std::wstring GetName() const;
    virtual void SetName(std::wstring_view name);
    virtual const wchar_t* ClassName() const;
    // The object viewed as the named interface ("Control", ...), or nullptr. Case-sensitive.
    virtual void* AsInterface(std::wstring_view name);
    virtual UINT ControlFlags() const;
    virtual bool Trigger();

    virtual IControlHost* Manager() const;
    virtual void AttachManager(IControlHost* manager, CControlUI* parent, AttachMode mode);
    virtual CControlUI* Parent() const;

    virtual std::wstring GetText() const;
    virtual void SetText(std::wstring_view text);

    virtual RECT Bounds() const;
    virtual void SetBounds(const RECT& rect);
    virtual int Width() const;
    virtual int Height() const;
    virtual int Left() const;
    virtual int Top() const;
    virtual RECT Padding() const;
    virtual void SetPadding(const RECT& padding);
    virtual SIZE FixedXY() const;
    virtual void SetFixedXY(SIZE xy);
    virtual int FixedWidth() const;
    virtual void SetFixedWidth(int cx);
    virtual int FixedHeight() const;
    virtual void SetFixedHeight(int cy);
    virtual int MinWidth() const;
    virtual void SetMinWidth(int cx);
    virtual int MaxWidth() const;
    virtual void SetMaxWidth(int cx);
    virtual int MinHeight() const;
    virtual void SetMinHeight(int cy);
    virtual int MaxHeight() const;
    virtual void SetMaxHeight(int cy);
    virtual void SetRelativePos(int moveX, int moveY, int zoomX, int zoomY);
    virtual void SetRelativeParentSize(SIZE size);
    virtual RelativePos GetRelativePos() const;
    virtual bool IsRelativePos() const;

    virtual std::wstring ToolTip() const;
    // Every "<n>" in text becomes a line break.
    virtual void SetToolTip(std::wstring_view text);
    virtual void SetToolTipWidth(int width);
    virtual int ToolTipWidth() const;
    virtual wchar_t Shortcut() const;
    virtual void SetShortcut(wchar_t ch);
    virtual bool UsesMenu() const;
    virtual void SetUsesMenu(bool uses);
    virtual const std::wstring& UserData() const;
    virtual void SetUserData(std::wstring_view text);
    virtual uint64_t Tag() const;
    virtual void SetTag(uint64_t tag);

    // Visible itself and no ancestor hidden.
    virtual bool IsVisible() const;
    virtual bool IsOwnVisible() const;
    virtual void SetVisible(bool visible);
    virtual void SetParentVisible(bool visible);
    virtual bool IsEnabled() const;
    virtual void SetEnabled(bool enabled);
    virtual bool IsMouseEnabled() const;
    virtual void SetMouseEnabled(bool enabled);
    virtual bool IsKeyboardEnabled() const;
    virtual void SetKeyboardEnabled(bool enabled);
    virtual bool HasFocus() const;
    virtual void TakeFocus();
    virtual bool IsFloat() const;
    virtual void SetFloat(bool isFloat);
    virtual void SetEllipseBkImage(bool ellipse);
    virtual bool IsEllipseBkImage() const;

    virtual CControlUI* Search(FindControlProc proc, void* data, UINT flags);

    virtual void Initialize();
    virtual void OnInit();
    virtual void DispatchEvent(UIEvent& event);
    virtual void HandleEvent(UIEvent& event);
    // Unknown names are ignored.
    virtual void ApplyAttribute(std::wstring_view name, std::wstring_view value);
    virtual SIZE MeasureSize(SIZE available);

    virtual void Paint(HDC dc, const RECT& paintRect);
    virtual void PaintBackColor(HDC dc);
    virtual void PaintBackImage(HDC dc);
    virtual void PaintStateImage(HDC dc);
    virtual void PaintTextLayer(HDC dc);
    virtual void PaintFrame(HDC dc);
    virtual void PaintOverlay(HDC dc, const RECT& paintRect);

    // --- Invalidation and layout ---
    void Invalidate();
    void MarkLayoutDirty();
    void MarkParentLayoutDirty();
    bool IsLayoutDirty() const { return layoutDirty_; }

    // Own virtual window name, else the nearest ancestor's.
    std::wstring VirtualWindow() const;
    void SetVirtualWindow(std::wstring_view name);

    // Applies name="value" pairs in order; stops silently where the list is malformed.
    void ApplyAttributeList(std::wstring_view list);
    // Draws an image description over the control through the manager; false without one.
    bool DrawImage(HDC dc, const std::wstring& description, const std::wstring& modifier = {});

    // --- Colours, images and border ---
    DWORD BkColor() const { return bkColor_; }
    void SetBkColor(DWORD color);
    DWORD BkColor2() const { return bkColor2_; }
    void SetBkColor2(DWORD color);
    DWORD BkColor3() const { return bkColor3_; }
    void SetBkColor3(DWORD color);
    const std::wstring& BkImage() const { return bkImage_; }
    void SetBkImage(std::wstring_view image);
    const std::wstring& ForeImage() const { return foreImage_; }
    void SetForeImage(std::wstring_view image);
    DWORD BorderColor() const { return borderColor_; }
    void SetBorderColor(DWORD color);
    DWORD FocusBorderColor() const { return focusBorderColor_; }
    void SetFocusBorderColor(DWORD color);
    bool IsColorHsl() const { return colorHsl_; }
    void SetColorHsl(bool colorHsl);
    int BorderSize() const { return borderSize_; }
    void SetBorderSize(int size);
    RECT SideBorderSize() const { return sideBorderSize_; }
    void SetSideBorderSize(const RECT& sides);
    void SetLeftBorderSize(int size);
    void SetTopBorderSize(int size);
    void SetRightBorderSize(int size);
    void SetBottomBorderSize(int size);
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int penStyle);
    SIZE BorderRound() const { return borderRound_; }
    void SetBorderRound(SIZE round);

    // --- Listeners ---
    CEventSource<CControlUI*>& InitListeners() { return initListeners_; }
    CEventSource<CControlUI*>& DestroyListeners() { return destroyListeners_; }
    CEventSource<CControlUI*>& SizeListeners() { return sizeListeners_; }
    CEventSource<UIEvent&>& EventListeners() { return eventListeners_; }
    CEventSource<UINotify&>& NotifyListeners() { return notifyListeners_; }

protected:
    // The colour as painted: passed through the process-wide adjustment when colorHsl is set.
    DWORD AdjustedColor(DWORD color) const;
    // Clips rect by every ancestor's rectangle; false when nothing is left.
    bool ClipToAncestors(RECT& rect) const;
    void SendNotification(const wchar_t* type, WPARAM wParam = 0, LPARAM lParam = 0);
    const RECT& PaintRect() const { return paintRect_; }
    // The focused flag alone, for subclasses that handle focus events without repainting.
    void SetFocusedFlag(bool focused) { focused_ = focused; }

private:
    void MarkSizeHintDirty();

    CEventSource<CControlUI*> initListeners_;
    CEventSource<CControlUI*> destroyListeners_;
    CEventSource<CControlUI*> sizeListeners_;
    CEventSource<UIEvent&> eventListeners_;
    CEventSource<UINotify&> notifyListeners_;
    IControlHost* manager_ = nullptr;
    CControlUI* parent_ = nullptr;
    std::wstring virtualWindow_;
    std::wstring name_;
    bool layoutDirty_ = true;
    bool contextMenuUsed_ = false;
    RECT itemRect_ = {0, 0, 0, 0};
    RECT padding_ = {0, 0, 0, 0};
    SIZE fixedXY_ = {0, 0};
    SIZE fixedSize_ = {0, 0};
    SIZE minSize_ = {0, 0};
    SIZE maxSize_ = {kMaxControlSize, kMaxControlSize};
    bool visible_ = true;
    bool parentVisible_ = true;
    bool enabled_ = true;
    bool mouseEnabled_ = true;
    bool keyboardEnabled_ = true;
    bool focused_ = false;
    bool float_ = false;
    bool sizeCallbackActive_ = false;
    bool ellipseBkImage_ = false;
    RelativePos relativePos_;
    std::wstring text_;
    std::wstring toolTip_;
    wchar_t shortcut_ = 0;
    std::wstring userData_;
    uint64_t tag_ = 0;
    DWORD bkColor_ = 0;
    DWORD bkColor2_ = 0;
    DWORD bkColor3_ = 0;
    std::wstring bkImage_;
    std::wstring foreImage_;
    DWORD borderColor_ = 0;
    DWORD focusBorderColor_ = 0;
    bool colorHsl_ = false;
    int borderSize_ = 0;
    int borderStyle_ = PS_SOLID;
    int toolTipWidth_ = 300;
    SIZE borderRound_ = {0, 0};
    RECT paintRect_ = {0, 0, 0, 0};
    RECT sideBorderSize_ = {0, 0, 0, 0};
};

}  // namespace DuiLib
