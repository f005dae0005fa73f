#pragma once

#include <string>
#include <vector>

// Whether a run got to remove anything.
enum class RemovalVerdict {
    kRan,            // the product check passed and the removal ran
    kNotInstalled,   // no entry, or one of another product: nothing was touched
    kFolderRefused,  // the registered folder may not be removed: nothing was touched
};

// What a finished uninstall left behind: items scheduled for removal at the next restart and items
// that could be neither removed nor scheduled. Both empty, after a run, means the product is gone.
struct UninstallOutcome {
    std::vector<std::wstring> scheduledForRestart;
    std::vector<std::wstring> remaining;
    RemovalVerdict verdict = RemovalVerdict::kRan;
};
