#pragma once

#include <windows.h>

#include <vector>

namespace DuiLib {

class CControlUI;

// One control timer: the control's own identifier and the one given to the platform timer.
struct TimerEntry {
    CControlUI* control = nullptr;
    UINT localId = 0;
    HWND window = nullptr;
    UINT_PTR nativeId = 0;
    bool killed = false;
};

// The platform timer identifier after counter: (counter + 1) modulo 255.
UINT NextTimerId(UINT counter);

// The control timers of one window, started as platform timers of that window. Identifiers come
// from a counter starting at 4096, skipping the identifiers its entries still hold so that two
// controls never share a platform timer.
class CTimerTable {
public:
    CTimerTable() = default;
    ~CTimerTable();
    CTimerTable(const CTimerTable&) = delete;
    CTimerTable& operator=(const CTimerTable&) = delete;

    void SetWindow(HWND window) { window_ = window; }

    // False when the timer runs already; a stopped one restarts with its platform timer.
    bool Start(CControlUI* control, UINT localId, UINT elapse);
    // Marks the timer stopped; false when no running timer matches.
    bool Stop(CControlUI* control, UINT localId);
    // Stops and removes every timer of the control.
    void StopAll(CControlUI* control);
    // The running entry of the window's platform timer nativeId, or nullptr.
    const TimerEntry* Expired(UINT_PTR nativeId) const;

    size_t Count() const { return entries_.size(); }

private:
    TimerEntry* FindEntry(CControlUI* control, UINT localId);
    bool IdInUse(UINT_PTR nativeId) const;
    void KillPlatformTimer(const TimerEntry& entry) const;

    HWND window_ = nullptr;
    UINT counter_ = 4096;
    std::vector<TimerEntry> entries_;
};

}  // namespace DuiLib
