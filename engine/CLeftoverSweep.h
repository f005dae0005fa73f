#pragma once

#include "UninstallOutcome.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Asks for path to be deleted at the next restart; true when the request was recorded.
using RestartScheduler = std::function<bool(const std::wstring& path)>;

// The platform's request: a deletion added to the system's list of pending renames, which needs
// administrator rights. The list is edited by this program rather than by MoveFileExW, which
// takes the value's last character for its terminator and so can cut another program's entry.
RestartScheduler PlatformRestartScheduler();

// attributes without read-only, hidden and system, reduced to the ones a program may set; the
// normal attribute when nothing is left.
DWORD WritableAttributes(DWORD attributes);

// Whether attributes hold read-only, hidden or system, which keep an item from being deleted.
bool HasProtectingAttributes(DWORD attributes);

// CLeftoverSweep is the last pass over what the removal walk left in a folder tree. It clears
// the read-only, hidden and system attributes of each file and folder left and deletes them;
// what is still in use is scheduled for deletion at the next restart, followed by the folders
// above it up to and including the swept folder, deepest first, so that the restart removes them
// in order. Links are deleted as links, never followed and never scheduled, so that nothing
// outside the swept folder is changed. Everything happens on the calling thread.
class CLeftoverSweep {
public:
    // alreadyScheduled: items an earlier pass scheduled; they are not asked for again.
    explicit CLeftoverSweep(RestartScheduler schedule,
                            std::vector<std::wstring> alreadyScheduled = {});

    // Sweeps root and what is below it; a missing root is nothing left.
    void Sweep(const std::wstring& root);

    // Items scheduled and items left by every Sweep so far, each list deepest first.
    const UninstallOutcome& Outcome() const { return outcome_; }

private:
    enum class Left { kNothing, kScheduled, kRemaining };

    Left SweepFolder(const std::wstring& folder, DWORD attributes);
    Left SweepFile(const std::wstring& file, DWORD attributes);
    Left SweepLink(const std::wstring& link, DWORD attributes);
    // The item could not be deleted: schedule it, or keep it as remaining.
    Left ScheduleOrKeep(const std::wstring& path);
    Left Keep(const std::wstring& path);

    RestartScheduler schedule_;
    std::vector<std::wstring> alreadyScheduled_;
    UninstallOutcome outcome_;
};
