#pragma once

#include <windows.h>

namespace DuiLib {

// One native window driven by an object: registers its window class (or a superclass of an
// existing class such as the system's edit class), creates the window with a pointer back to the
// object and routes every message to HandleMessage. Offers the modal message loop, centring on
// the owner and closing by a posted close message. The object must outlive its window.
class CWindowWnd {
public:
    CWindowWnd() = default;
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;
    // Destroys a window still open, so that no message reaches a dead object.
    virtual ~CWindowWnd();

    HWND GetHWND() const { return window_; }

    // Registers the class when needed and creates the window; nullptr on failure.
    HWND Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle, int x, int y,
                int width, int height, HMENU menu = nullptr);
    HWND Create(HWND parent, const wchar_t* name, DWORD style, DWORD exStyle, const RECT& rect,
                HMENU menu = nullptr);

    // Hides, or shows normally (takeFocus) or without activating.
    void ShowWindow(bool show = true, bool takeFocus = true);
    // Shows the window, disables its owner and runs messages until the window is gone; returns
    // the wParam of the close message that ended it.
    UINT RunModal();
    // Posts the close message carrying result.
    void Close(UINT result = IDOK);
    void CenterOnOwner();
    // Sets the large and the small window icon from an icon resource of the module.
    void SetIcon(UINT resourceId);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

protected:
    // --- Virtual operations, in the framework's slot order ---
    virtual const wchar_t* WindowClassName() const = 0;
    // The existing class to superclass, or nullptr for a class of its own.
    virtual const wchar_t* SuperClassName() const;
    virtual UINT ClassStyle() const;
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window has been destroyed (the handle is already cleared).
    virtual void OnWindowGone(HWND window);
    // The modal loop also dispatches messages that pre-translation handled when DispatchAnyway
    // agrees.
    virtual void SetDispatchFiltered(bool dispatch);
    virtual bool DispatchAnyway(UINT message);

    // The window procedure the class had before (the default procedure, or the superclassed
    // class's own).
    LRESULT CallPreviousProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    bool RegisterWindowClass();
    bool RegisterSuperclass();
    // Routes a message to the object found through the window's user data (own classes) or its
    // "WndX" property (superclasses).
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT Route(CWindowWnd* self, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    WNDPROC previousProc_ = ::DefWindowProcW;
    bool dispatchFiltered_ = false;
};

}  // namespace DuiLib
