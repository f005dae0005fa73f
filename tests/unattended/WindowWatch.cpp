#include "WindowWatch.h"

#include <algorithm>
#include <mutex>

namespace test {

namespace {

WindowEventWatcher* activeWatcher = nullptr;

std::wstring ClassNameOf(HWND window) {
    wchar_t name[256] = {};
    const int length = ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return std::wstring(name, length > 0 ? length : 0);
}

std::wstring ProgramFileName(DWORD processId) {
    const ScopedHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    wchar_t path[MAX_PATH * 2] = {};
    DWORD length = static_cast<DWORD>(std::size(path));
    if (!process || !::QueryFullProcessImageNameW(process.Get(), 0, path, &length)) {
        return std::wstring();
    }
    const std::wstring full(path, length);
    return full.substr(full.rfind(L'\\') + 1);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

WindowEventWatcher::WindowEventWatcher() : ready_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    activeWatcher = this;
    thread_.Reset(::CreateThread(nullptr, 0, ThreadMain, this, 0, &threadId_));
    ::WaitForSingleObject(ready_.Get(), 10000);
}

WindowEventWatcher::~WindowEventWatcher() {
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    ::WaitForSingleObject(thread_.Get(), 10000);
    activeWatcher = nullptr;
}

DWORD WINAPI WindowEventWatcher::ThreadMain(void* self) {
    auto* watcher = static_cast<WindowEventWatcher*>(self);
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before anyone posts
    const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, nullptr,
                                                 OnEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
    ::SetEvent(watcher->ready_.Get());
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&message);
    }
    if (hook != nullptr) {
        ::UnhookWinEvent(hook);
    }
    return 0;
}

void CALLBACK WindowEventWatcher::OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object,
                                          LONG child, DWORD threadId, DWORD) {
    if (activeWatcher == nullptr || object != OBJID_WINDOW || child != CHILDID_SELF ||
        (event != EVENT_OBJECT_CREATE && event != EVENT_OBJECT_SHOW)) {
        return;
    }
    Event seen{event, threadId, ::IsWindow(window) != FALSE, false, ClassNameOf(window)};
    seen.topLevel = seen.known && ::GetAncestor(window, GA_PARENT) == ::GetDesktopWindow();
    const std::lock_guard<CriticalSection> hold(activeWatcher->lock_);
    activeWatcher->events_.push_back(seen);
}

std::vector<WindowEventWatcher::Event> WindowEventWatcher::EventsOf(
    const std::vector<DWORD>& threadIds) const {
    const std::lock_guard<CriticalSection> hold(lock_);
    std::vector<Event> found;
    std::copy_if(
        events_.begin(), events_.end(), std::back_inserter(found), [&threadIds](const Event& e) {
            return std::find(threadIds.begin(), threadIds.end(), e.threadId) != threadIds.end();
        });
    return found;
}

UninstallerWindowPoller::UninstallerWindowPoller(OtherWindows others)
    : others_(others),
      stop_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      thread_(::CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr)) {}

UninstallerWindowPoller::~UninstallerWindowPoller() {
    ::SetEvent(stop_.Get());
    ::WaitForSingleObject(thread_.Get(), 10000);
}

std::vector<UninstallerWindowPoller::Seen> UninstallerWindowPoller::Windows() const {
    const std::lock_guard<CriticalSection> hold(lock_);
    return seen_;
}

std::vector<UninstallerWindowPoller::Seen> UninstallerWindowPoller::MessageBoxes() const {
    const std::lock_guard<CriticalSection> hold(lock_);
    std::vector<Seen> boxes;
    std::copy_if(seen_.begin(), seen_.end(), std::back_inserter(boxes),
                 [](const Seen& seen) { return seen.className == L"#32770"; });
    return boxes;
}

DWORD WINAPI UninstallerWindowPoller::ThreadMain(void* self) {
    auto* poller = static_cast<UninstallerWindowPoller*>(self);
    while (::WaitForSingleObject(poller->stop_.Get(), 30) == WAIT_TIMEOUT) {
        poller->Look();
    }
    return 0;
}

void UninstallerWindowPoller::Look() {
    std::vector<HWND> windows;
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (const HWND window : windows) {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        if (::CompareStringOrdinal(ProgramFileName(processId).c_str(), -1, L"Uninstall.exe", -1,
                                   TRUE) != CSTR_EQUAL) {
            continue;
        }
        {
            const std::lock_guard<CriticalSection> hold(lock_);
            if (std::find(handled_.begin(), handled_.end(), window) != handled_.end()) {
                continue;
            }
        }
        Seen seen{processId, ClassNameOf(window), std::wstring()};
        if (seen.className == L"#32770") {
            // The message box's text is its static control with the id 0xFFFF.
            wchar_t text[4096] = {};
            ::GetDlgItemTextW(window, 0xFFFF, text, static_cast<int>(std::size(text)));
            if (text[0] == L'\0') {
                continue;  // not filled in yet; look again next time
            }
            seen.text = text;
            ::PostMessageW(window, WM_COMMAND, IDOK, 0);
        } else if (others_ == OtherWindows::kClose && seen.className != L"IME") {
            ::PostMessageW(window, WM_CLOSE, 0, 0);
        }
        const std::lock_guard<CriticalSection> hold(lock_);
        handled_.push_back(window);
        seen_.push_back(seen);
    }
}

}  // namespace test
