#include "CTimerTable.h"

#include <algorithm>

namespace DuiLib {

UINT NextTimerId(UINT counter) {
    return (counter + 1) % 255;
}

CTimerTable::~CTimerTable() {
    for (const TimerEntry& entry : entries_) {
        if (!entry.killed) {
            KillPlatformTimer(entry);
        }
    }
}

bool CTimerTable::Start(CControlUI* control, UINT localId, UINT elapse) {
    if (TimerEntry* entry = FindEntry(control, localId)) {
        if (!entry->killed) {
            return false;
        }
        if (::SetTimer(entry->window, entry->nativeId, elapse, nullptr) == 0) {
            return false;
        }
        entry->killed = false;
        return true;
    }
    // The counter wraps at 255: skip numbers a live entry holds, so one platform timer never
    // serves two controls. With all 255 taken, no timer can start.
    UINT id = counter_;
    bool found = false;
    for (int tries = 0; tries < 255 && !found; ++tries) {
        id = NextTimerId(id);
        found = !IdInUse(id);
    }
    if (!found) {
        return false;
    }
    counter_ = id;
    if (::SetTimer(window_, id, elapse, nullptr) == 0) {
        return false;
    }
    entries_.push_back(TimerEntry{control, localId, window_, id, false});
    return true;
}

bool CTimerTable::Stop(CControlUI* control, UINT localId) {
    TimerEntry* entry = FindEntry(control, localId);
    if (entry == nullptr || entry->killed) {
        return false;
    }
    KillPlatformTimer(*entry);
    entry->killed = true;
    return true;
}

void CTimerTable::StopAll(CControlUI* control) {
    auto first =
        std::stable_partition(entries_.begin(), entries_.end(),
                              [control](const TimerEntry& e) { return e.control != control; });
    for (auto it = first; it != entries_.end(); ++it) {
        if (!it->killed) {
            KillPlatformTimer(*it);
        }
    }
    entries_.erase(first, entries_.end());
}

const TimerEntry* CTimerTable::Expired(UINT_PTR nativeId) const {
    for (const TimerEntry& entry : entries_) {
        if (entry.window == window_ && entry.nativeId == nativeId && !entry.killed) {
            return &entry;
        }
    }
    return nullptr;
}

TimerEntry* CTimerTable::FindEntry(CControlUI* control, UINT localId) {
    for (TimerEntry& entry : entries_) {
        if (entry.control == control && entry.window == window_ && entry.localId == localId) {
            return &entry;
        }
    }
    return nullptr;
}

bool CTimerTable::IdInUse(UINT_PTR nativeId) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [nativeId](const TimerEntry& e) { return e.nativeId == nativeId; });
}

void CTimerTable::KillPlatformTimer(const TimerEntry& entry) const {
    if (entry.window != nullptr && ::IsWindow(entry.window)) {
        ::KillTimer(entry.window, entry.nativeId);
    }
}

}  // namespace DuiLib
