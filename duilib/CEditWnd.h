#pragma once

#include "CWindowWnd.h"
#include "UniqueHandle.h"

namespace DuiLib {

class CEditUI;

// The native edit window a CEditUI opens over its text area while it is being edited: a
// superclass of the platform's "Edit" class, a child of the manager's window. It owns itself:
// Open creates it, and it deletes itself when its window is destroyed, which happens as soon as
// it loses the focus.
class CEditWnd : public CWindowWnd {
public:
    // Creates the window over owner's text area with owner's settings and gives it the focus;
    // nullptr when the window cannot be created.
    static CEditWnd* Open(CEditUI* owner);
    ~CEditWnd() override = default;

protected:
    // --- CWindowWnd ---
    const wchar_t* WindowClassName() const override;
    const wchar_t* SuperClassName() const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone(HWND window) override;

private:
    explicit CEditWnd(CEditUI* owner) : owner_(owner) {}

    bool Initialize();
    LRESULT OnReflectedCommand(WPARAM wParam);
    // The brush for a colour request (WM_CTLCOLOREDIT or WM_CTLCOLORSTATIC) reflected back.
    LRESULT OnReflectedColor(UINT message, HDC dc);

    CEditUI* owner_;
    ScopedBrush background_;
    bool initialized_ = false;
};

}  // namespace DuiLib
