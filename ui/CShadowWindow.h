#pragma once

#include "PlatformImage.h"
#include "ShadowMath.h"
#include "UniqueHandle.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

// The drop shadow of a borderless window: a per-pixel-alpha layered window, owned by the parent
// (so it stays in front of it), that lets the mouse through and is transparent where it covers
// the parent. Its picture is an image stretched over it, or, without an image, a shadow computed
// from the parent's outline (ShadowMath.h).
//
// Create puts ParentSubclassProc in front of the parent's window procedure; from then on the
// shadow follows the parent's moves, size changes, showing and hiding, is destroyed with the
// parent, and leaves the registry of shadows at the parent's WM_NCDESTROY. All of it runs on the
// thread that owns the parent; the registry and the loaded function are not locked.
class CShadowWindow {
public:
    CShadowWindow() = default;
    virtual ~CShadowWindow();
    CShadowWindow(const CShadowWindow&) = delete;
    CShadowWindow& operator=(const CShadowWindow&) = delete;

    // Looks up UpdateLayeredWindow and registers the shadow's window class, once per process.
    // False when it was done before or when the system has no layered windows (then no shadow
    // is ever created).
    static bool Initialize(HINSTANCE instance);

    // The number of parents that currently have a shadow attached.
    static size_t AttachedCount();

    // Creates the shadow window for parent and starts following it. Does nothing without
    // Initialize or when this shadow is already attached.
    void Create(HWND parent);
    // Shows the shadow when the parent is visible and neither maximised nor minimised, else
    // hides it.
    void Show(HWND parent);
    // Redraws the shadow's picture and moves it around the parent.
    void Update(HWND parent);

    // The computed shadow (used when there is no image) for parent's current size and window
    // region: shadow row after shadow row from the top, premultiplied 0xAARRGGBB.
    std::vector<uint32_t> ComputeShadow(HWND parent) const;

    // Plain stores; call Update afterwards when the shadow is visible.
    void SetImage(std::unique_ptr<DuiLib::PlatformImage> image) { image_ = std::move(image); }
    void SetSize(int8_t size) { settings_.size = size; }
    void SetXOffset(int8_t offset) { settings_.xOffset = offset; }
    void SetYOffset(int8_t offset) { settings_.yOffset = offset; }
    void SetDarkness(uint8_t darkness) { settings_.darkness = darkness; }
    void SetSharpness(uint8_t sharpness) { settings_.sharpness = sharpness; }
    void SetColour(COLORREF colour) { settings_.colour = colour; }

    bool IsEnabled() const { return (status_ & kEnabled) != 0; }
    bool IsVisible() const { return (status_ & kVisible) != 0; }
    bool IsParentVisible() const { return (status_ & kParentVisible) != 0; }
    bool HasImage() const { return image_ != nullptr; }
    HWND Window() const { return window_.Get(); }
    const ShadowSettings& Settings() const { return settings_; }

private:
    enum Status : uint8_t { kEnabled = 0x01, kVisible = 0x02, kParentVisible = 0x04 };

    static LRESULT CALLBACK ParentSubclassProc(HWND parent, UINT message, WPARAM wParam,
                                               LPARAM lParam);
    // Handles message before the parent's own procedure sees it.
    void BeforeParent(HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
    // Show for a parent with this window style.
    void ShowForStyle(HWND parent, LONG_PTR parentStyle);
    void OnParentSize(HWND parent, WPARAM wParam, LPARAM lParam);
    LRESULT OnParentShowWindow(HWND parent, WPARAM wParam, LPARAM lParam);
    void MoveToParent(HWND parent);
    void Detach();

    WNDPROC oldWndProc_ = nullptr;
    uint8_t status_ = 0;
    ShadowSettings settings_;
    LPARAM lastSize_ = 0;
    bool updatePending_ = false;
    std::unique_ptr<DuiLib::PlatformImage> image_;
    ScopedWindow window_;
    HWND parent_ = nullptr;
};
