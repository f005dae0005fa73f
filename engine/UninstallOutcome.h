#pragma once

#include <string>
#include <vector>

// What a finished uninstall left behind: items scheduled for removal at the next restart and items
// that could be neither removed nor scheduled. Both empty means the product is gone.
struct UninstallOutcome {
    std::vector<std::wstring> scheduledForRestart;
    std::vector<std::wstring> remaining;
};
