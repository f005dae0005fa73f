#pragma once

#include "CriticalSection.h"
#include "UniqueHandle.h"

#include <windows.h>

#include <string>
#include <vector>

namespace test {

// Hears, through the system's window events, about every window any process creates or shows
// while it lives. The events come in on a thread of its own. One at a time.
class WindowEventWatcher {
public:
    struct Event {
        DWORD event;  // EVENT_OBJECT_CREATE or EVENT_OBJECT_SHOW
        DWORD threadId;
        // Whether the window was still there when the event was read, and was then a top-level
        // window (a message-only window is not).
        bool known;
        bool topLevel;
        std::wstring className;
    };

    WindowEventWatcher();
    ~WindowEventWatcher();
    WindowEventWatcher(const WindowEventWatcher&) = delete;
    WindowEventWatcher& operator=(const WindowEventWatcher&) = delete;

    // The events of windows made by any of threadIds.
    std::vector<Event> EventsOf(const std::vector<DWORD>& threadIds) const;

private:
    static DWORD WINAPI ThreadMain(void* self);
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                 LONG child, DWORD threadId, DWORD time);

    mutable CriticalSection lock_;  // guards events_
    std::vector<Event> events_;
    ScopedHandle ready_;
    ScopedHandle thread_;
    DWORD threadId_ = 0;
};

// Looks every 30 ms at the top-level windows of processes whose program file is named
// Uninstall.exe, notes them, and answers every message box among them with OK. Runs on a thread
// of its own while it lives.
class UninstallerWindowPoller {
public:
    struct Seen {
        DWORD processId;
        std::wstring className;
        std::wstring text;  // a message box's message text
    };

    enum class OtherWindows { kLeave, kClose };

    // kClose also asks every other window of the uninstaller to close (WM_CLOSE), as a user
    // leaving the window would.
    explicit UninstallerWindowPoller(OtherWindows others = OtherWindows::kLeave);
    ~UninstallerWindowPoller();
    UninstallerWindowPoller(const UninstallerWindowPoller&) = delete;
    UninstallerWindowPoller& operator=(const UninstallerWindowPoller&) = delete;

    std::vector<Seen> Windows() const;
    // Only the message boxes among them (Wine adds an input-method window beside each).
    std::vector<Seen> MessageBoxes() const;

private:
    static DWORD WINAPI ThreadMain(void* self);
    void Look();

    const OtherWindows others_;
    mutable CriticalSection lock_;  // guards seen_ and handled_
    std::vector<Seen> seen_;
    std::vector<HWND> handled_;
    ScopedHandle stop_;
    ScopedHandle thread_;
};

}  // namespace test
