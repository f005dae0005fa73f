#pragma once

#include "CContainerUI.h"
#include "CControlUI.h"
#include "IControlHost.h"

#include <memory>
#include <string>
#include <vector>

// Fakes shared by the framework's tests: a manager that records what controls ask of it, and
// controls that count their destruction, report a chosen size or record their events.
namespace test {

struct SentNotification {
    DuiLib::CControlUI* sender;
    std::wstring type;
    WPARAM wParam;
    LPARAM lParam;
};

// Stands in for the window's manager. Declare it before the controls it serves, so that it
// outlives them (controls tell their manager when they are destroyed).
class FakeHost : public DuiLib::IControlHost {
public:
    ~FakeHost() { FlushDeleted(); }

    void Invalidate(const RECT& rect) override { invalidated.push_back(rect); }
    void NeedLayout() override { ++layoutRequests; }
    HWND PaintWindow() const override { return nullptr; }
    void RequestFocus(DuiLib::CControlUI* control) override { focus = control; }
    POINT LastMousePos() const override { return POINT{-1, -1}; }
    void CaptureMouse() override { captured = true; }
    void ReleaseMouse() override { captured = false; }
    bool IsMouseCaptured() const override { return captured; }
    bool StartTimer(DuiLib::CControlUI*, UINT, UINT) override { return false; }
    bool StopTimer(DuiLib::CControlUI*, UINT) override { return false; }
    void StopTimers(DuiLib::CControlUI*) override {}
    HFONT FontAt(int) override { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }
    const DuiLib::FontInfo& FontInfoAt(int) override { return font; }
    void DrawPlainText(HDC, const RECT&, const std::wstring& text, DWORD, int, UINT) override {
        texts.push_back(text);
    }
    DWORD DefaultDisabledColor() const override { return 0xFFA7A6AA; }
    DWORD DefaultFontColor() const override { return 0xFF000000; }
    DWORD DefaultLinkFontColor() const override { return 0xFF0000FF; }
    DWORD DefaultLinkHoverFontColor() const override { return 0xFFD3215F; }
    DWORD DefaultSelectedBkColor() const override { return 0xFFBAE4FF; }
    bool JoinGroup(const std::wstring&, DuiLib::CControlUI*) override { return false; }
    const std::vector<DuiLib::CControlUI*>* GroupMembers(const std::wstring&) const override {
        return nullptr;
    }
    void LeaveGroup(const std::wstring&, DuiLib::CControlUI*) override {}
    std::wstring ClassAttributes(const std::wstring&) const override { return {}; }
    void AddOverlayControl(DuiLib::CControlUI*) override {}
    void RemoveOverlayControl(DuiLib::CControlUI*) override {}
    DuiLib::CControlUI* ControlByName(const std::wstring&) const override { return nullptr; }
    DuiLib::CControlUI* FocusControl() const override { return focus; }
    void SetFocusControl(DuiLib::CControlUI* control) override { focus = control; }
    void ForgetControl(DuiLib::CControlUI* control) override {
        forgotten.push_back(control);
        if (focus == control) {
            focus = nullptr;
        }
    }
    void AdoptControls(DuiLib::CControlUI* control, DuiLib::CControlUI* parent) override {
        ++adopted;
        control->AttachManager(this, parent, DuiLib::AttachMode::kInitialize);
    }
    void DeleteLater(std::unique_ptr<DuiLib::CControlUI> control) override {
        control->AttachManager(this, nullptr, DuiLib::AttachMode::kAttachOnly);
        pendingDelete.push_back(std::move(control));
    }
    void SendNotification(DuiLib::CControlUI* sender, const wchar_t* type, WPARAM wParam,
                          LPARAM lParam, DuiLib::NotifyDelivery /*delivery*/) override {
        notifications.push_back({sender, type, wParam, lParam});
    }
    void UseVirtualWindows() override { virtualWindowsUsed = true; }
    bool DrawImage(HDC /*dc*/, const RECT& itemRect, const RECT& /*paintRect*/,
                   const std::wstring& description, const std::wstring& /*modifier*/) override {
        imageRects.push_back(itemRect);
        images.push_back(description);
        return true;
    }
    void DrawEllipseImage(HDC /*dc*/, const RECT& /*itemRect*/, const std::wstring& file) override {
        ellipseImages.push_back(file);
    }

    void FlushDeleted() { pendingDelete.clear(); }

    std::vector<RECT> invalidated;
    int layoutRequests = 0;
    DuiLib::CControlUI* focus = nullptr;
    std::vector<DuiLib::CControlUI*> forgotten;
    int adopted = 0;
    std::vector<std::unique_ptr<DuiLib::CControlUI>> pendingDelete;
    std::vector<SentNotification> notifications;
    bool virtualWindowsUsed = false;
    bool captured = false;
    DuiLib::FontInfo font;
    std::vector<std::wstring> texts;
    std::vector<RECT> imageRects;
    std::vector<std::wstring> images;
    std::vector<std::wstring> ellipseImages;
};

// Counts its destructions in a counter the test owns.
class CountingControl : public DuiLib::CControlUI {
public:
    explicit CountingControl(int* destroyed) : destroyed_(destroyed) {}
    ~CountingControl() override { ++*destroyed_; }

private:
    int* destroyed_;
};

// The same for containers, to count whole subtrees.
class CountingContainer : public DuiLib::CContainerUI {
public:
    explicit CountingContainer(int* destroyed) : destroyed_(destroyed) {}
    ~CountingContainer() override { ++*destroyed_; }

private:
    int* destroyed_;
};

// Reports a fixed size estimate and remembers the space it was offered.
class SizedControl : public DuiLib::CControlUI {
public:
    explicit SizedControl(SIZE size) : size_(size) {}
    SIZE MeasureSize(SIZE available) override {
        offered.push_back(available);
        return size_;
    }
    std::vector<SIZE> offered;

private:
    SIZE size_;
};

// Records the kinds of the events it handles, then handles them as the base does.
class EventRecorder : public DuiLib::CContainerUI {
public:
    void HandleEvent(DuiLib::UIEvent& event) override {
        kinds.push_back(event.kind);
        DuiLib::CContainerUI::HandleEvent(event);
    }
    void OnInit() override { ++initialized; }
    std::vector<int> kinds;
    int initialized = 0;
};

inline RECT Rect(LONG left, LONG top, LONG right, LONG bottom) {
    return RECT{left, top, right, bottom};
}

inline bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::wstring Describe(const RECT& r) {
    return L"(" + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
           std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom) + L")";
}

}  // namespace test

#define EXPECT_RECT(actual, l, t, r, b) \
    EXPECT_PRED2(test::SameRect, (actual), test::Rect((l), (t), (r), (b)))
