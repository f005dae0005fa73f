#include "ProgressThrottle.h"

void ProgressThrottle::Reset() {
    anyPassed_ = false;
    lastPassMs_ = 0;
    heldBack_ = false;
}

bool ProgressThrottle::Pass(std::int32_t done, std::int32_t total, std::uint64_t nowMs) {
    const bool completes = done >= total;
    const bool intervalOver = !anyPassed_ || nowMs - lastPassMs_ >= intervalMs_;
    if (!completes && !intervalOver) {
        heldBack_ = true;
        return false;
    }
    anyPassed_ = true;
    lastPassMs_ = nowMs;
    heldBack_ = false;
    return true;
}

bool ProgressThrottle::TakeHeldBack() {
    const bool heldBack = heldBack_;
    heldBack_ = false;
    return heldBack;
}
