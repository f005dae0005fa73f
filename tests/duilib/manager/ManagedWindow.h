#pragma once

#include "CContainerUI.h"
#include "CControlUI.h"
#include "CUIManager.h"

#include <windows.h>

#include <string>
#include <vector>

namespace test {

// A shown popup window whose every message goes through its own manager first, as a skinned
// window routes them.
class ManagedWindow {
public:
    ManagedWindow(int width, int height);
    ~ManagedWindow();
    ManagedWindow(const ManagedWindow&) = delete;
    ManagedWindow& operator=(const ManagedWindow&) = delete;

    HWND Window() const { return window_; }
    DuiLib::CUIManager& Manager() { return manager_; }

    // Invalidates the whole window and paints it now.
    void Repaint();
    // Dispatches the queued messages of this thread.
    void Pump();
    // Pumps until done() holds or timeoutMs passes; returns done().
    template <typename Done>
    bool PumpUntil(Done done, DWORD timeoutMs) {
        const DWORD start = ::GetTickCount();
        while (!done() && ::GetTickCount() - start < timeoutMs) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            Pump();
        }
        return done();
    }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    DuiLib::CUIManager manager_;
    HWND window_ = nullptr;
};

// One event as a control received it.
struct ReceivedEvent {
    int kind;
    DuiLib::CControlUI* sender;
    POINT mouse;
    WPARAM wParam;
    LPARAM lParam;
};

// A control that records its events and handles focus, timers and menus as every control does.
// Tab stops take part in keyboard focus.
class RecordingControl : public DuiLib::CControlUI {
public:
    explicit RecordingControl(bool tabStop = false) : tabStop_(tabStop) {}
    UINT ControlFlags() const override { return tabStop_ ? UINT{DuiLib::kControlTabStop} : 0u; }
    void HandleEvent(DuiLib::UIEvent& event) override;

    std::vector<int> Kinds() const;
    int Count(int kind) const;
    const ReceivedEvent* Last(int kind) const;
    void Clear() { events.clear(); }

    std::vector<ReceivedEvent> events;

private:
    bool tabStop_;
};

// Records the notifications it is given.
class RecordingNotifier : public DuiLib::INotifyUI {
public:
    void Notify(DuiLib::UINotify& notification) override { seen.push_back(notification); }
    int Count(const std::wstring& type) const;
    std::vector<DuiLib::UINotify> seen;
};

}  // namespace test
