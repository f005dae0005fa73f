#pragma once

#include <cstdint>

// Decides which progress reports of a run reach the window. Under Wine every posted message is a
// round trip to the server, and a window repainting its bar for each of thousands of files falls
// behind; a person can't see more than one change per frame anyway. So a report is passed on
// when a frame interval has gone by since the last one passed, and always when it completes the
// count. A report held back is remembered so that the run can pass it on before it ends, and the
// window always sees the final count.
class ProgressThrottle {
public:
    // About one frame at 60 Hz.
    static constexpr std::uint64_t kFrameIntervalMs = 15;

    explicit ProgressThrottle(std::uint64_t intervalMs = kFrameIntervalMs)
        : intervalMs_(intervalMs) {}

    // Starts a new run: the next report passes.
    void Reset();

    // A report of done items out of total at time nowMs (a steady millisecond clock); true when
    // it is to be posted now.
    bool Pass(std::int32_t done, std::int32_t total, std::uint64_t nowMs);

    // True when the latest report was held back and is still to be posted; the run posts it
    // before it ends. Forgets it, so that it is posted once.
    bool TakeHeldBack();

private:
    std::uint64_t intervalMs_;
    bool anyPassed_ = false;
    std::uint64_t lastPassMs_ = 0;
    bool heldBack_ = false;
};
