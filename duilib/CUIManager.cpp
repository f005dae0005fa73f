#include "CUIManager.h"

#include "BlendLibrary.h"
#include "CControlUI.h"
#include "CImageCache.h"
#include "ControlSearch.h"
#include "ImageDrawing.h"
#include "InputTranslation.h"
#include "PlatformImage.h"
#include "RenderPrimitives.h"
#include "ResourceSettings.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace DuiLib {

namespace {

// Posted to the window to delete the controls handed to DeleteLater.
constexpr UINT kDelayedCleanupMessage = 0x8001;

// The managers of the process, in the order they were attached to their windows.
std::vector<CUIManager*>& LiveManagers() {
    static std::vector<CUIManager*> managers;
    return managers;
}

// The blending library, once per process. The common controls wait for the first tooltip
// (CToolTipWindow).
void PrepareProcessOnce() {
    GetBlendLibrary();
}

template <typename T>
bool AddUnique(std::vector<T*>& list, T* item) {
    if (item == nullptr || std::find(list.begin(), list.end(), item) != list.end()) {
        return false;
    }
    list.push_back(item);
    return true;
}

template <typename T>
bool RemoveFirst(std::vector<T*>& list, T* item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end()) {
        return false;
    }
    list.erase(it);
    return true;
}

CControlUI* RegisterName(CControlUI* control, void* names) {
    const std::wstring name = control->GetName();
    if (!name.empty()) {
        static_cast<CNameMap<CControlUI*>*>(names)->Set(name, control);
    }
    return nullptr;
}

}  // namespace

CUIManager::CUIManager() : images_(std::make_unique<CImageCache>()) {
    PrepareProcessOnce();
}

CUIManager::~CUIManager() {
    RunDelayedCleanup();
    asyncNotifications_.clear();
    nameMap_.Clear();
    // Taken out first: controls being destroyed call back.
    std::unique_ptr<CControlUI> root = std::move(root_);
    root.reset();
    RemoveFirst(LiveManagers(), this);
}

// --- Window and tree ---

void CUIManager::AttachWindow(HWND window) {
    if (window_ != nullptr) {
        return;
    }
    window_ = window;
    paintDc_.emplace(window);
    timers_.SetWindow(window);
    fonts_.SetMeasureDc(paintDc_->Get());
    AddUnique(LiveManagers(), this);
}

bool CUIManager::AttachRoot(std::unique_ptr<CControlUI> root) {
    if (root == nullptr) {
        return false;
    }
    input_.Reset();
    if (root_ != nullptr) {
        postPaintControls_.clear();
        DeleteLater(std::move(root_));
    }
    root_ = std::move(root);
    firstLayout_ = true;
    layoutNeeded_ = true;
    AdoptControls(root_.get(), nullptr);
    return true;
}

bool CUIManager::AttachRoot(CControlUI* root) {
    return AttachRoot(std::unique_ptr<CControlUI>(root));
}

void CUIManager::AdoptControls(CControlUI* control, CControlUI* parent) {
    if (control == nullptr) {
        return;
    }
    control->AttachManager(this, parent != nullptr ? parent : control->Parent(),
                           AttachMode::kInitialize);
    // Children register before their container, so a later control replaces an earlier one.
    control->Search(RegisterName, &nameMap_, kFindAll);
}

CControlUI* CUIManager::ControlByName(const std::wstring& name) const {
    CControlUI* const* found = nameMap_.Find(name);
    return found != nullptr ? *found : nullptr;
}

CControlUI* CUIManager::ControlAt(POINT point) const {
    return ControlAtPoint(root_.get(), point);
}

CControlUI* CUIManager::FindByName(CControlUI* parent, std::wstring_view name) const {
    return FindByNameIgnoringCase(parent != nullptr ? parent : root_.get(), name);
}

void CUIManager::ForgetControl(CControlUI* control) {
    if (control == nullptr) {
        return;
    }
    input_.Forget(control);
    timers_.StopAll(control);
    // By value, not by name: a control renamed after it joined the table is found as well.
    nameMap_.Filter([control](const std::wstring&, CControlUI* value) { return value != control; });
    optionGroups_.Filter([control](const std::wstring&, std::vector<CControlUI*>& members) {
        RemoveFirst(members, control);
        return !members.empty();
    });
    RemoveFirst(postPaintControls_, control);
    for (UINotify& notification : asyncNotifications_) {
        if (notification.sender == control) {
            notification.sender = nullptr;
        }
    }
}

void CUIManager::DeleteLater(std::unique_ptr<CControlUI> control) {
    if (control == nullptr) {
        return;
    }
    control->AttachManager(this, nullptr, AttachMode::kAttachOnly);
    delayedCleanup_.push_back(std::move(control));
    if (window_ != nullptr) {
        ::PostMessageW(window_, kDelayedCleanupMessage, 0, 0);
    }
}

void CUIManager::RunDelayedCleanup() {
    // Taken out first: a control being destroyed may hand over more controls.
    std::vector<std::unique_ptr<CControlUI>> doomed;
    doomed.swap(delayedCleanup_);
}

// --- Focus, hot tracking and capture ---

void CUIManager::SetFocusControl(CControlUI* control) {
    input_.SetFocusControl(control);
}

void CUIManager::RequestFocus(CControlUI* control) {
    input_.RequestFocus(control);
}

void CUIManager::MoveTabFocus(TabDirection direction) {
    input_.MoveTabFocus(direction);
}

void CUIManager::CaptureMouse() {
    input_.CaptureMouse();
}

void CUIManager::ReleaseMouse() {
    input_.ReleaseMouse();
}

// --- Timers ---

bool CUIManager::StartTimer(CControlUI* control, UINT localId, UINT elapse) {
    return window_ != nullptr && timers_.Start(control, localId, elapse);
}

bool CUIManager::StopTimer(CControlUI* control, UINT localId) {
    return timers_.Stop(control, localId);
}

void CUIManager::StopTimers(CControlUI* control) {
    timers_.StopAll(control);
}

// --- Painting ---

void CUIManager::Invalidate(const RECT& rect) {
    if (window_ != nullptr) {
        ::InvalidateRect(window_, &rect, FALSE);
    }
}

void CUIManager::AddOverlayControl(CControlUI* control) {
    AddUnique(postPaintControls_, control);
}

void CUIManager::RemoveOverlayControl(CControlUI* control) {
    RemoveFirst(postPaintControls_, control);
}

void CUIManager::OnPaint() {
    RECT update = {};
    if (!::GetUpdateRect(window_, &update, FALSE)) {
        return;
    }
    if (root_ == nullptr) {
        // Nothing to draw: validating the area is all a paint does.
        const ScopedPaintDC paint(window_);
        return;
    }
    if (layoutNeeded_) {
        layoutNeeded_ = false;
        RECT client = {};
        ::GetClientRect(window_, &client);
        if (!::IsRectEmpty(&client)) {
            if (LayOutTree(root_.get(), client)) {
                painter_.DropSurfaces();
            }
            if (firstLayout_) {
                firstLayout_ = false;
                SendNotification(root_.get(), NotifyType::kWindowInit, 0, 0, NotifyDelivery::kNow);
            }
        }
    }
    input_.MoveFocusIfNeeded();
    painter_.Paint(window_, root_.get(), postPaintControls_);
    if (layoutNeeded_) {
        ::InvalidateRect(window_, nullptr, FALSE);
    }
}

void CUIManager::OnPrintClient(HDC dc, LPARAM flags) {
    RECT client = {};
    ::GetClientRect(window_, &client);
    CWindowPainter::PaintInto(dc, client, root_.get());
    if ((flags & PRF_CHILDREN) == 0) {
        return;
    }
    for (HWND child = ::GetWindow(window_, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT bounds = {};
        ::GetWindowRect(child, &bounds);
        ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&bounds), 2);
        POINT previous = {};
        ::OffsetWindowOrgEx(dc, -bounds.left, -bounds.top, &previous);
        ::SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc),
                       PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
        ::SetWindowOrgEx(dc, previous.x, previous.y, nullptr);
    }
}

// --- Notifications and filters ---

void CUIManager::SendNotification(CControlUI* sender, const wchar_t* type, WPARAM wParam,
                                  LPARAM lParam, NotifyDelivery delivery) {
    UINotify notification;
    notification.type = type != nullptr ? type : L"";
    notification.sender = sender;
    notification.wParam = wParam;
    notification.lParam = lParam;
    SendNotification(notification, delivery);
}

void CUIManager::SendNotification(UINotify& notification, NotifyDelivery delivery) {
    notification.timestamp = ::GetTickCount();
    notification.mouse = input_.LastMousePos();
    if (virtualWindowsUsed_ && notification.sender != nullptr) {
        notification.virtualWindow = notification.sender->VirtualWindow();
    }
    if (delivery == NotifyDelivery::kAtNextMessage) {
        asyncNotifications_.push_back(notification);
    } else {
        Deliver(notification);
    }
}

void CUIManager::Deliver(UINotify& notification) {
    if (notification.sender != nullptr && !notification.sender->NotifyListeners().IsEmpty()) {
        notification.sender->NotifyListeners().Invoke(notification);
    }
    // By index: a target may add or remove targets while it is notified.
    for (size_t i = 0; i < notifiers_.size(); ++i) {
        notifiers_[i]->Notify(notification);
    }
}

void CUIManager::DrainAsyncNotifications() {
    while (!asyncNotifications_.empty()) {
        UINotify notification = std::move(asyncNotifications_.front());
        asyncNotifications_.pop_front();
        Deliver(notification);
    }
}

bool CUIManager::AddNotifyTarget(INotifyUI* target) {
    return AddUnique(notifiers_, target);
}
bool CUIManager::RemoveNotifyTarget(INotifyUI* target) {
    return RemoveFirst(notifiers_, target);
}
bool CUIManager::AddPreFilter(IMessageFilterUI* filter) {
    return AddUnique(preMessageFilters_, filter);
}
bool CUIManager::RemovePreFilter(IMessageFilterUI* filter) {
    return RemoveFirst(preMessageFilters_, filter);
}
bool CUIManager::AddFilter(IMessageFilterUI* filter) {
    return AddUnique(messageFilters_, filter);
}
bool CUIManager::RemoveFilter(IMessageFilterUI* filter) {
    return RemoveFirst(messageFilters_, filter);
}
bool CUIManager::AddAccelerator(ITranslateAccelerator* accelerator) {
    return AddUnique(translateAccelerators_, accelerator);
}
bool CUIManager::RemoveAccelerator(ITranslateAccelerator* accelerator) {
    return RemoveFirst(translateAccelerators_, accelerator);
}

// --- Messages ---

bool CUIManager::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (window_ == nullptr) {
        return false;
    }
    DrainAsyncNotifications();
    for (size_t i = 0; i < messageFilters_.size(); ++i) {
        bool handled = false;
        const LRESULT filtered =
            messageFilters_[i]->FilterMessage(message, wParam, lParam, handled);
        if (handled) {
            result = filtered;
            return true;
        }
    }
    const bool handled = HandleWindowMessage(message, wParam, lParam, result);
    DrainAsyncNotifications();
    return handled;
}

bool CUIManager::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (std::optional<UINT> reflected = ReflectedMessage(message)) {
        HWND child = nullptr;
        if (message == WM_NOTIFY) {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            child = header != nullptr ? header->hwndFrom : nullptr;
        } else {
            child = reinterpret_cast<HWND>(lParam);
        }
        if (child == nullptr) {
            return false;
        }
        result = ::SendMessageW(child, *reflected, wParam, lParam);
        return true;
    }
    if (std::optional<InputRoute> route = RouteInput(message, wParam, lParam)) {
        input_.Deliver(*route);
        return false;
    }
    switch (message) {
        case WM_SIZE:
            input_.OnWindowSize();
            if (root_ != nullptr) {
                root_->MarkLayoutDirty();
            }
            result = 0;
            return true;
        case WM_PAINT:
            OnPaint();
            result = 0;
            return true;
        case WM_CLOSE:
            input_.OnClose();
            return false;
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT || !input_.OnSetCursor(wParam)) {
                return false;
            }
            result = TRUE;
            return true;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            if (minTrackSize_.cx > 0)
                info->ptMinTrackSize.x = minTrackSize_.cx;
            if (minTrackSize_.cy > 0)
                info->ptMinTrackSize.y = minTrackSize_.cy;
            if (maxTrackSize_.cx > 0)
                info->ptMaxTrackSize.x = maxTrackSize_.cx;
            if (maxTrackSize_.cy > 0)
                info->ptMaxTrackSize.y = maxTrackSize_.cy;
            return false;
        }
        case WM_TIMER:
            if (const TimerEntry* entry = timers_.Expired(wParam)) {
                // Copied out: the control may stop its timers while handling the event.
                UIEvent event;
                event.kind = kEventTimer;
                event.sender = entry->control;
                event.timestamp = ::GetTickCount();
                event.mouse = input_.LastMousePos();
                event.wParam = entry->localId;
                event.sender->DispatchEvent(event);
            }
            return false;
        case WM_MOUSEMOVE:
            input_.OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam, lParam);
            return false;
        case WM_MOUSEHOVER:
            input_.OnMouseHover(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam, lParam);
            result = 0;
            return true;
        case WM_MOUSELEAVE:
            input_.OnMouseLeave();
            return false;
        case WM_PRINTCLIENT:
            OnPrintClient(reinterpret_cast<HDC>(wParam), lParam);
            return false;
        case kDelayedCleanupMessage:
            RunDelayedCleanup();
            return false;
        default:
            return false;
    }
}

bool CUIManager::PreHandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    for (size_t i = 0; i < preMessageFilters_.size(); ++i) {
        bool handled = false;
        const LRESULT filtered =
            preMessageFilters_[i]->FilterMessage(message, wParam, lParam, handled);
        if (handled) {
            result = filtered;
            return true;
        }
    }
    switch (message) {
        case WM_KEYDOWN:
            if (wParam != VK_TAB) {
                return false;
            }
            MoveTabFocus(::GetKeyState(VK_SHIFT) < 0 ? TabDirection::kBackward
                                                     : TabDirection::kForward);
            return true;
        case WM_SYSCHAR:
            if (CControlUI* control = FindShortcut(root_.get(), static_cast<wchar_t>(wParam))) {
                control->TakeFocus();
                control->Trigger();
                return true;
            }
            return false;
        case WM_SYSKEYDOWN:
            if (std::optional<InputRoute> route = RouteInput(message, wParam, lParam)) {
                input_.Deliver(*route);
            }
            return false;
        default:
            return false;
    }
}

bool CUIManager::PreTranslateFor(MSG* message, bool reportHandled) {
    for (size_t i = 0; i < translateAccelerators_.size(); ++i) {
        if (translateAccelerators_[i]->TranslateAccelerator(message) == 0) {
            return true;
        }
    }
    LRESULT ignored = 0;
    const bool handled =
        PreHandleMessage(message->message, message->wParam, message->lParam, ignored);
    return reportHandled && handled;
}

bool CUIManager::PreTranslate(MSG* message) {
    if (message == nullptr || message->hwnd == nullptr) {
        return false;
    }
    const HWND target = message->hwnd;
    // A copy: a manager may go away while a message is offered.
    const std::vector<CUIManager*> managers = LiveManagers();
    if ((::GetWindowLongPtrW(target, GWL_STYLE) & WS_CHILD) != 0) {
        for (auto it = managers.rbegin(); it != managers.rend(); ++it) {
            CUIManager* manager = *it;
            for (HWND ancestor = ::GetParent(target); ancestor != nullptr;
                 ancestor = ::GetParent(ancestor)) {
                if (manager->window_ == target || manager->window_ == ancestor) {
                    if (manager->PreTranslateFor(message, false)) {
                        return true;
                    }
                    break;
                }
            }
        }
        return false;
    }
    for (CUIManager* manager : managers) {
        if (manager->window_ == target) {
            return manager->PreTranslateFor(message, true);
        }
    }
    return false;
}

// --- Option groups and class attributes ---

bool CUIManager::JoinGroup(const std::wstring& group, CControlUI* option) {
    std::vector<CControlUI*>* members = optionGroups_.Find(group);
    if (members == nullptr) {
        std::vector<CControlUI*> fresh;
        fresh.reserve(6);
        optionGroups_.Insert(group, std::move(fresh));
        members = optionGroups_.Find(group);
    }
    return AddUnique(*members, option);
}

const std::vector<CControlUI*>* CUIManager::GroupMembers(const std::wstring& group) const {
    return optionGroups_.Find(group);
}

void CUIManager::LeaveGroup(const std::wstring& group, CControlUI* option) {
    std::vector<CControlUI*>* members = optionGroups_.Find(group);
    if (members != nullptr && RemoveFirst(*members, option) && members->empty()) {
        optionGroups_.Remove(group);
    }
}

void CUIManager::SetClassAttributes(const std::wstring& className, const std::wstring& list) {
    classAttributes_.Insert(className, list);
}

std::wstring CUIManager::ClassAttributes(const std::wstring& className) const {
    if (const std::wstring* list = classAttributes_.Find(className)) {
        return *list;
    }
    return parentResources_ != nullptr ? parentResources_->ClassAttributes(className)
                                       : std::wstring();
}

// --- Fonts and colours ---

HFONT CUIManager::CreateFontEntry(const std::wstring& face, int size, UINT style) {
    return fonts_.Create(face, size, style);
}

bool CUIManager::SetDefaultFontEntry(const std::wstring& face, int size, UINT style) {
    return fonts_.SetDefault(face, size, style);
}

HFONT CUIManager::FontAt(int index) {
    return fonts_.At(index);
}

const FontInfo& CUIManager::FontInfoAt(int index) {
    return fonts_.InfoAt(index);
}

HFONT CUIManager::FindFontEntry(const std::wstring& face, int size, UINT style) {
    const int index = fonts_.Find(face, size, style);
    if (index >= 0) {
        return fonts_.At(index);
    }
    return parentResources_ != nullptr ? parentResources_->FindFontEntry(face, size, style)
                                       : nullptr;
}

void CUIManager::DrawPlainText(HDC dc, const RECT& rect, const std::wstring& text, DWORD colour,
                               int fontIndex, UINT style) {
    DuiLib::DrawPlainText(dc, FontAt(fontIndex), rect, text, colour, style);
}

template <typename Member>
DWORD CUIManager::InheritedColour(Member member) const {
    const CUIManager* manager = this;
    while (manager->parentResources_ != nullptr) {
        manager = manager->parentResources_;
    }
    return manager->colours_.*member;
}

DWORD CUIManager::DefaultDisabledColor() const {
    return InheritedColour(&DefaultColours::disabled);
}
DWORD CUIManager::DefaultFontColor() const {
    return InheritedColour(&DefaultColours::text);
}
DWORD CUIManager::DefaultLinkFontColor() const {
    return InheritedColour(&DefaultColours::link);
}
DWORD CUIManager::DefaultLinkHoverFontColor() const {
    return InheritedColour(&DefaultColours::linkHover);
}
DWORD CUIManager::DefaultSelectedBkColor() const {
    return InheritedColour(&DefaultColours::selectedBk);
}

// --- Window geometry ---

void CUIManager::SetInitialSize(int cx, int cy) {
    initSize_ = {cx, cy};
    if (root_ == nullptr && window_ != nullptr) {
        ::SetWindowPos(window_, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    }
}

void CUIManager::SetWindowAlpha(int alpha) {
    opacity_ = std::clamp(alpha, 0, 255);
    if (window_ == nullptr) {
        return;
    }
    const bool layered = alpha >= 0 && alpha <= 255;
    LONG_PTR style = ::GetWindowLongPtrW(window_, GWL_EXSTYLE);
    style = layered ? (style | WS_EX_LAYERED) : (style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    ::SetWindowLongPtrW(window_, GWL_EXSTYLE, style);
    ::SetLayeredWindowAttributes(window_, 0, static_cast<BYTE>(opacity_), LWA_ALPHA);
}

// --- Images ---

bool CUIManager::DrawImage(HDC dc, const RECT& itemRect, const RECT& paintRect,
                           const std::wstring& description, const std::wstring& modifier) {
    return DrawImageDescription(dc, images_.get(), itemRect, paintRect, description, modifier);
}

void CUIManager::DrawEllipseImage(HDC dc, const RECT& itemRect, const std::wstring& file) {
    if (std::unique_ptr<PlatformImage> image = LoadPlatformImage(file)) {
        image->FillEllipse(dc, itemRect);
    }
}

std::wstring CUIManager::ModuleDirectory() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(ModuleInstance(), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    std::wstring directory(path, length);
    const size_t slash = directory.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : directory.substr(0, slash + 1);
}

}  // namespace DuiLib
