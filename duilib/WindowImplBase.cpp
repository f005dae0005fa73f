#include "WindowImplBase.h"

#include "CControlUI.h"
#include "ResourceSettings.h"
#include "WindowGeometry.h"

#include <windowsx.h>

#include <vector>

namespace DuiLib {

namespace {

// The handlers of the skinned window's messages, by message.
using MessageHandler = LRESULT (WindowImplBase::*)(UINT, WPARAM, LPARAM, bool&);

// The work area of the window's monitor, relative to the monitor's origin.
RECT WorkAreaOnMonitor(HWND window) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT work = monitor.rcWork;
    ::OffsetRect(&work, -monitor.rcMonitor.left, -monitor.rcMonitor.top);
    return work;
}

// A resource name as the platform takes it: decimal digits are a numeric identifier.
const wchar_t* ResourceName(const std::wstring& id) {
    const bool numeric =
        !id.empty() && id.size() <= 5 && id.find_first_not_of(L"0123456789") == std::wstring::npos;
    if (numeric && std::stoul(id) <= 0xFFFF) {
        return MAKEINTRESOURCEW(std::stoul(id));
    }
    return id.c_str();
}

// The skin archive copied out of the program's resources. It backs the process-wide archive
// settings, which never release it, so it lives as long as the process.
std::vector<BYTE>& SkinArchiveBuffer() {
    static std::vector<BYTE> buffer;
    return buffer;
}

}  // namespace

WindowImplBase::~WindowImplBase() {
    // While the manager still exists: the window's last messages go through it.
    if (GetHWND() != nullptr) {
        ::DestroyWindow(GetHWND());
    }
}

// --- Notifications and filters ------------------------------------------------------------------

void WindowImplBase::Notify(UINotify& notification) {
    NotifyPump(notification);
}

const NotifyMap* WindowImplBase::NotifyTable() const {
    static const NotifyMapEntry kEntries[] = {
        {NotifyType::kClick, L"", nullptr, NotifyHandler(&WindowImplBase::OnClick)},
        {nullptr, nullptr, nullptr, nullptr},
    };
    static const NotifyMap kTable = {CNotifyPump::NotifyTable(), kEntries};
    return &kTable;
}

LRESULT WindowImplBase::FilterMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/,
                                      bool& /*handled*/) {
    // The key goes on to normal handling either way.
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
        Close(1);
    }
    return 0;
}

std::unique_ptr<CControlUI> WindowImplBase::CreateControl(std::wstring_view /*name*/) {
    return nullptr;
}

void WindowImplBase::OnClick(UINotify& notification) {
    const std::wstring name =
        notification.sender != nullptr ? notification.sender->GetName() : std::wstring();
    if (name == L"closebtn") {
        Close(1);
    } else if (name == L"minbtn") {
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (name == L"maxbtn") {
        SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    } else if (name == L"restorebtn") {
        SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    }
}

// --- Message routing ------------------------------------------------------------------------

UINT WindowImplBase::ClassStyle() const {
    return CS_DBLCLKS;
}

LRESULT WindowImplBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    static const struct {
        UINT message;
        MessageHandler handler;
    } kHandlers[] = {
        {WM_CREATE, &WindowImplBase::OnCreate},
        {WM_CLOSE, &WindowImplBase::OnClose},
        {WM_DESTROY, &WindowImplBase::OnDestroy},
        {WM_SIZE, &WindowImplBase::OnSize},
        {WM_SETFOCUS, &WindowImplBase::OnSetFocus},
        {WM_KILLFOCUS, &WindowImplBase::OnKillFocus},
        {WM_GETMINMAXINFO, &WindowImplBase::OnGetMinMaxInfo},
        {WM_NCCALCSIZE, &WindowImplBase::OnNcCalcSize},
        {WM_NCHITTEST, &WindowImplBase::NonClientHitTest},
        {WM_NCPAINT, &WindowImplBase::OnNcPaint},
        {WM_NCACTIVATE, &WindowImplBase::OnNcActivate},
        {WM_KEYDOWN, &WindowImplBase::OnKeyDown},
        {WM_CHAR, &WindowImplBase::OnChar},
        {WM_SYSCOMMAND, &WindowImplBase::OnSysCommand},
        {WM_MOUSEMOVE, &WindowImplBase::OnMouseMove},
        {WM_LBUTTONDOWN, &WindowImplBase::OnLButtonDown},
        {WM_LBUTTONUP, &WindowImplBase::OnLButtonUp},
        {WM_MOUSEWHEEL, &WindowImplBase::OnMouseWheel},
        {WM_MOUSEHOVER, &WindowImplBase::OnMouseHover},
    };
    for (const auto& entry : kHandlers) {
        if (entry.message == message) {
            bool handled = true;
            const LRESULT result = (this->*entry.handler)(message, wParam, lParam, handled);
            if (handled) {
                return result;
            }
            break;
        }
    }
    bool handled = true;
    const LRESULT result = HandleOtherMessage(message, wParam, lParam, handled);
    if (handled) {
        return result;
    }
    LRESULT managerResult = 0;
    if (manager_.HandleMessage(message, wParam, lParam, managerResult)) {
        return managerResult;
    }
    return CallPreviousProc(message, wParam, lParam);
}

void WindowImplBase::OnWindowGone(HWND /*window*/) {
    manager_.RemovePreFilter(this);
    manager_.RemoveNotifyTarget(this);
    if (manager_.Root() != nullptr) {
        manager_.ForgetControl(manager_.Root());
    }
}

// --- Creation -------------------------------------------------------------------------------

LONG WindowImplBase::WindowStyle() const {
    return ::GetWindowLongW(GetHWND(), GWL_STYLE) & ~WS_CAPTION;
}

bool WindowImplBase::SelectSkinResources() {
    SetResourceDirectory(CUIManager::ModuleDirectory() + SkinFolder());
    switch (ResourceType()) {
        case SkinResourceType::kZipFile:
            SetResourceArchive(ArchiveFileName(), ArchiveOpening::kOnceNow);
            return true;
        case SkinResourceType::kZipResource: {
            std::vector<BYTE>& buffer = SkinArchiveBuffer();
            if (buffer.empty()) {
                const HINSTANCE module = ResourceInstance();
                const std::wstring id = SkinResourceId();
                const HRSRC found = ::FindResourceW(module, ResourceName(id), L"ZIPRES");
                const HGLOBAL loaded = found != nullptr ? ::LoadResource(module, found) : nullptr;
                const DWORD size = found != nullptr ? ::SizeofResource(module, found) : 0;
                const auto* bytes =
                    static_cast<const BYTE*>(loaded != nullptr ? ::LockResource(loaded) : nullptr);
                if (bytes == nullptr || size == 0) {
                    return false;
                }
                buffer.assign(bytes, bytes + size);
            }
            SetResourceArchive(buffer.data(), buffer.size());
            return true;
        }
        case SkinResourceType::kFiles:
        case SkinResourceType::kModuleResource:
            return true;
    }
    return true;
}

LRESULT WindowImplBase::OnCreate(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                 bool& /*handled*/) {
    ::SetWindowLongW(GetHWND(), GWL_STYLE, WindowStyle() | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    RECT client = {};
    ::GetClientRect(GetHWND(), &client);
    // The window keeps its place; only its frame is computed again without the caption.
    ::SetWindowPos(GetHWND(), nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    manager_.AttachWindow(GetHWND());
    manager_.AddPreFilter(this);
    if (!SelectSkinResources()) {
        return 0;
    }
    // A numeric resource name in the skin identifies a resource of type "xml" for the skin
    // reader; the name is handed on unchanged either way.
    std::unique_ptr<CControlUI> root = CreateControl(SkinFile());
    if (root == nullptr) {
        ::MessageBoxW(nullptr, L"加载资源文件失败", L"Duilib", MB_OK | MB_ICONERROR);
        ::ExitProcess(1);
    }
    manager_.AttachRoot(std::move(root));
    manager_.AddNotifyTarget(this);
    manager_.SetKeepBackground(true);
    OnWindowCreated();
    return 0;
}

void WindowImplBase::OnWindowCreated() {}

SkinResourceType WindowImplBase::ResourceType() const {
    return SkinResourceType::kFiles;
}

std::wstring WindowImplBase::ArchiveFileName() const {
    return {};
}

std::wstring WindowImplBase::SkinResourceId() const {
    return {};
}

// --- Non-client area ------------------------------------------------------------------------

LRESULT WindowImplBase::OnNcActivate(UINT /*message*/, WPARAM wParam, LPARAM /*lParam*/,
                                     bool& handled) {
    if (::IsIconic(GetHWND())) {
        handled = false;
        return 0;
    }
    // No frame to draw: deactivation goes through, activation draws nothing.
    return wParam == 0 ? TRUE : FALSE;
}

LRESULT WindowImplBase::OnNcCalcSize(UINT /*message*/, WPARAM /*wParam*/, LPARAM lParam,
                                     bool& /*handled*/) {
    if (!::IsZoomed(GetHWND())) {
        return 0;
    }
    // The first rectangle of the parameters (or the lone rectangle) becomes the proposed
    // client area: the work area's size, so a maximised window leaves the task bar free.
    RECT& proposed = *reinterpret_cast<RECT*>(lParam);
    const RECT work = WorkAreaOnMonitor(GetHWND());
    proposed.right = proposed.left + (work.right - work.left);
    proposed.bottom = proposed.top + (work.bottom - work.top);
    return WVR_REDRAW;
}

LRESULT WindowImplBase::OnNcPaint(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                  bool& /*handled*/) {
    return 0;
}

LRESULT WindowImplBase::NonClientHitTest(UINT /*message*/, WPARAM /*wParam*/, LPARAM lParam,
                                         bool& /*handled*/) {
    return HitTestWith(manager_, lParam);
}

LRESULT WindowImplBase::HitTestWith(const CUIManager& manager, LPARAM lParam) const {
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ScreenToClient(GetHWND(), &point);
    RECT client = {};
    ::GetClientRect(GetHWND(), &client);
    if (!::IsZoomed(GetHWND())) {
        const LRESULT border = ResizeBorderHitTest(point, client, manager.ResizeBorder());
        if (border != HTNOWHERE) {
            return border;
        }
    }
    if (IsInCaption(point, client, manager.CaptionArea())) {
        const CControlUI* control = manager.ControlAt(point);
        if (control != nullptr && !IsCaptionControlClass(control->ClassName())) {
            return HTCAPTION;
        }
    }
    return HTCLIENT;
}

LRESULT WindowImplBase::OnGetMinMaxInfo(UINT /*message*/, WPARAM /*wParam*/, LPARAM lParam,
                                        bool& handled) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    const RECT work = WorkAreaOnMonitor(GetHWND());
    info->ptMaxPosition = POINT{work.left, work.top};
    info->ptMaxTrackSize = POINT{work.right - work.left, work.bottom - work.top};
    const SIZE minimum = manager_.MinTrackSize();
    info->ptMinTrackSize = POINT{minimum.cx, minimum.cy};
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnSize(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                               bool& handled) {
    const SIZE corner = manager_.CornerRound();
    if (!::IsIconic(GetHWND()) && (corner.cx != 0 || corner.cy != 0)) {
        RECT window = {};
        ::GetWindowRect(GetHWND(), &window);
        ScopedRegion region(::CreateRoundRectRgn(0, 0, window.right - window.left + 1,
                                                 window.bottom - window.top + 1, corner.cx,
                                                 corner.cy));
        // A window that takes the region owns it from then on.
        if (::SetWindowRgn(GetHWND(), region.Get(), TRUE) != 0) {
            region.Release();
        }
    }
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam,
                                     bool& /*handled*/) {
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        // Through the close message, so that the window's own close handling runs.
        SendMessage(WM_CLOSE);
        return 0;
    }
    return CallPreviousProc(message, wParam, lParam);
}

// --- Handlers that leave the message to the manager -------------------------------------------

#define DUILIB_UNHANDLED(Handler)                                                           \
    LRESULT WindowImplBase::Handler(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, \
                                    bool& handled) {                                        \
        handled = false;                                                                    \
        return 0;                                                                           \
    }

DUILIB_UNHANDLED(OnClose)
DUILIB_UNHANDLED(OnDestroy)
DUILIB_UNHANDLED(OnMouseWheel)
DUILIB_UNHANDLED(OnMouseHover)
DUILIB_UNHANDLED(OnChar)
DUILIB_UNHANDLED(OnKeyDown)
DUILIB_UNHANDLED(OnKillFocus)
DUILIB_UNHANDLED(OnSetFocus)
DUILIB_UNHANDLED(OnLButtonDown)
DUILIB_UNHANDLED(OnLButtonUp)
DUILIB_UNHANDLED(OnMouseMove)
DUILIB_UNHANDLED(HandleOtherMessage)

#undef DUILIB_UNHANDLED

}  // namespace DuiLib
