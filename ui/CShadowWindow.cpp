#include "CShadowWindow.h"

#include "UniqueHandle.h"
#include "MemoryCanvas.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace {

using UpdateLayeredWindowFunction = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF,
                                                  BLENDFUNCTION*, DWORD);

constexpr wchar_t kShadowClassName[] = L"Harrowfen.ShadowWindow.Class";

// Process-wide, main thread only: the layered-window function (none until Initialize), the
// instance the windows belong to and the shadow of every parent that has one.
UpdateLayeredWindowFunction updateLayeredWindow = nullptr;
HINSTANCE shadowInstance = nullptr;
std::map<HWND, CShadowWindow*> shadowMap;

CShadowWindow* ShadowOf(HWND parent) {
    const auto found = shadowMap.find(parent);
    return found == shadowMap.end() ? nullptr : found->second;
}

// Per parent row, the columns covered by the parent's window region (its whole rectangle when it
// has none); rows the region misses get an empty span (0, 0).
std::vector<ShadowSpan> ParentRowSpans(HWND parent, int width, int height) {
    ScopedRegion region(::CreateRectRgn(0, 0, width, height));
    ::GetWindowRgn(parent, region.Get());
    std::vector<ShadowSpan> rows(height);
    for (int row = 0; row < height; ++row) {
        int start = 0;
        while (start < width && !::PtInRegion(region.Get(), start, row)) {
            ++start;
        }
        if (start == width) {
            continue;
        }
        int last = width - 1;
        while (last > start && !::PtInRegion(region.Get(), last, row)) {
            --last;
        }
        rows[row] = ShadowSpan{start, last + 1};
    }
    return rows;
}

}  // namespace

CShadowWindow::~CShadowWindow() {
    Detach();
}

bool CShadowWindow::Initialize(HINSTANCE instance) {
    if (updateLayeredWindow != nullptr) {
        return false;
    }
    // user32 is a static import of every program here, so it is already loaded from the system.
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) {
        return false;
    }
    auto function = reinterpret_cast<UpdateLayeredWindowFunction>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "UpdateLayeredWindow")));
    if (function == nullptr) {
        return false;
    }
    updateLayeredWindow = function;
    shadowInstance = instance;

    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kShadowClassName;
    ::RegisterClassExW(&windowClass);
    return true;
}

size_t CShadowWindow::AttachedCount() {
    return shadowMap.size();
}

void CShadowWindow::Create(HWND parent) {
    if (updateLayeredWindow == nullptr || parent == nullptr || IsEnabled()) {
        return;
    }
    // A second Create would put the subclass procedure in front of itself.
    if (ShadowOf(parent) != nullptr) {
        return;
    }
    shadowMap[parent] = this;
    parent_ = parent;
    window_.Reset(::CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, kShadowClassName, nullptr,
                                    WS_POPUPWINDOW, CW_USEDEFAULT, 0, 0, 0, parent, nullptr,
                                    shadowInstance, nullptr));
    status_ = kEnabled;
    Show(parent);
    oldWndProc_ = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(parent, GWLP_WNDPROC));
    ::SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ParentSubclassProc));
}

void CShadowWindow::Show(HWND parent) {
    ShowForStyle(parent, ::GetWindowLongPtrW(parent, GWL_STYLE));
}

void CShadowWindow::ShowForStyle(HWND parent, LONG_PTR parentStyle) {
    status_ &= kEnabled;
    if (IsEnabled() && (parentStyle & WS_VISIBLE) != 0) {
        status_ |= kParentVisible;
        if ((parentStyle & (WS_MAXIMIZE | WS_MINIMIZE)) == 0) {
            status_ |= kVisible;
        }
    }
    if (IsVisible()) {
        ::ShowWindow(window_.Get(), SW_SHOWNA);
        Update(parent);
    } else {
        ::ShowWindow(window_.Get(), SW_HIDE);
    }
}

void CShadowWindow::Update(HWND parent) {
    if (updateLayeredWindow == nullptr || !window_) {
        return;
    }
    RECT parentRect = {};
    ::GetWindowRect(parent, &parentRect);
    const int parentWidth = parentRect.right - parentRect.left;
    const int parentHeight = parentRect.bottom - parentRect.top;
    SIZE size = ShadowWindowSize(parentWidth, parentHeight, settings_.size);
    if (size.cx <= 0 || size.cy <= 0) {
        return;
    }
    // A failed bitmap skips this update; the next one tries again.
    DuiLib::MemoryCanvas canvas(nullptr, size.cx, size.cy);
    if (!canvas.IsValid()) {
        return;
    }
    const size_t pixelCount = static_cast<size_t>(size.cx) * size.cy;
    std::memset(canvas.Pixels(), 0, pixelCount * sizeof(DWORD));
    if (image_ != nullptr) {
        image_->DrawScaled(canvas.Dc(), RECT{0, 0, size.cx, size.cy});
    } else {
        const std::vector<uint32_t> pixels = ComputeShadow(parent);
        std::copy_n(pixels.begin(), std::min(pixels.size(), pixelCount), canvas.Pixels());
    }
    ::GdiFlush();

    POINT origin = ShadowWindowOrigin(parentRect.left, parentRect.top, settings_);
    ::MoveWindow(window_.Get(), origin.x, origin.y, size.cx, size.cy, FALSE);
    POINT source = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    updateLayeredWindow(window_.Get(), nullptr, &origin, &size, canvas.Dc(), &source, 0, &blend,
                        ULW_ALPHA);
}

std::vector<uint32_t> CShadowWindow::ComputeShadow(HWND parent) const {
    RECT parentRect = {};
    ::GetWindowRect(parent, &parentRect);
    const int width = parentRect.right - parentRect.left;
    const int height = parentRect.bottom - parentRect.top;
    return ComputeShadowPixels(ParentRowSpans(parent, width, height), width, settings_);
}

void CShadowWindow::MoveToParent(HWND parent) {
    RECT parentRect = {};
    ::GetWindowRect(parent, &parentRect);
    const POINT origin = ShadowWindowOrigin(parentRect.left, parentRect.top, settings_);
    ::SetWindowPos(window_.Get(), nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void CShadowWindow::OnParentSize(HWND parent, WPARAM wParam, LPARAM lParam) {
    if (wParam == SIZE_MAXIMIZED || wParam == SIZE_MINIMIZED) {
        ::ShowWindow(window_.Get(), SW_HIDE);
        status_ &= ~kVisible;
    } else if ((::GetWindowLongPtrW(parent, GWL_STYLE) & WS_VISIBLE) != 0) {
        status_ |= kParentVisible;
        if (!IsVisible()) {
            status_ |= kVisible;
            Update(parent);
            ::ShowWindow(window_.Get(), SW_SHOWNA);
            updatePending_ = true;
        } else if (LOWORD(lParam) > LOWORD(lastSize_) || HIWORD(lParam) > HIWORD(lastSize_)) {
            // Growing: the newly uncovered area is painted first, the shadow follows at WM_PAINT.
            updatePending_ = true;
        } else {
            Update(parent);
        }
    }
    lastSize_ = lParam;
}

LRESULT CShadowWindow::OnParentShowWindow(HWND parent, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ::CallWindowProcW(oldWndProc_, parent, WM_SHOWWINDOW, wParam, lParam);
    if (!wParam) {
        ::ShowWindow(window_.Get(), SW_HIDE);
        status_ &= ~(kVisible | kParentVisible);
    } else {
        // The parent only becomes visible after this message: judge it as shown, or the shadow
        // would stay hidden when a hidden parent is shown again (no WM_SIZE follows then).
        updatePending_ = true;
        ShowForStyle(parent, ::GetWindowLongPtrW(parent, GWL_STYLE) | WS_VISIBLE);
    }
    return result;
}

void CShadowWindow::BeforeParent(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            window_.Reset();
            status_ = 0;
            break;
        case WM_MOVE:
            if (IsVisible()) {
                MoveToParent(parent);
            }
            break;
        case WM_SIZE:
            if (IsEnabled()) {
                OnParentSize(parent, wParam, lParam);
            }
            break;
        case WM_PAINT:
            if (updatePending_) {
                Update(parent);
                updatePending_ = false;
            }
            break;
        case WM_EXITSIZEMOVE:
            if (IsVisible()) {
                Update(parent);
            }
            break;
        case WM_DWMCOMPOSITIONCHANGED:
            Show(parent);
            break;
        default:
            break;
    }
}

LRESULT CALLBACK CShadowWindow::ParentSubclassProc(HWND parent, UINT message, WPARAM wParam,
                                                   LPARAM lParam) {
    CShadowWindow* shadow = ShadowOf(parent);
    if (shadow == nullptr) {
        return ::DefWindowProcW(parent, message, wParam, lParam);
    }
    // Read first: WM_NCDESTROY removes the entry but must still reach the parent's procedure.
    const WNDPROC oldWndProc = shadow->oldWndProc_;
    if (message == WM_SHOWWINDOW && shadow->IsEnabled()) {
        return shadow->OnParentShowWindow(parent, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        shadowMap.erase(parent);
        shadow->parent_ = nullptr;
        shadow->oldWndProc_ = nullptr;
    } else {
        shadow->BeforeParent(parent, message, wParam, lParam);
    }
    return ::CallWindowProcW(oldWndProc, parent, message, wParam, lParam);
}

void CShadowWindow::Detach() {
    // The owner goes away before its parent window: give the parent its own procedure back so
    // no message reaches a shadow that no longer exists.
    if (parent_ != nullptr && ShadowOf(parent_) == this) {
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(parent_, GWLP_WNDPROC)) ==
            &ParentSubclassProc) {
            ::SetWindowLongPtrW(parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldWndProc_));
        }
        shadowMap.erase(parent_);
    }
    window_.Reset();
    parent_ = nullptr;
    status_ = 0;
}
