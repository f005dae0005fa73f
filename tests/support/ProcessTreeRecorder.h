#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace test {

// One process seen while recording: where it was started from, its command line and how it
// ended (nothing when it was still running at the time limit and had to be ended).
struct RecordedProcess {
    DWORD id = 0;
    std::wstring imagePath;
    std::wstring commandLine;
    std::optional<DWORD> exitCode;
    // Position among the recorded processes' ends (0 = ended first); -1 while running.
    int exitOrder = -1;
    // Every thread the process ran, the first one included.
    std::vector<DWORD> threadIds;
};

// Called while a recorded process ends, before it is let go.
using ProcessEndHandler = std::function<void(const RecordedProcess&)>;

struct EnvironmentOverride {
    std::wstring name;
    std::wstring value;
};

// Runs commandLine as its debugger, so that every process it starts (and they start) is seen
// from outside, and waits until all of them have ended or timeoutMs passed. Processes are listed
// in the order they started. The environment is this process's, with the overrides applied.
std::vector<RecordedProcess> RecordProcessTree(const std::wstring& commandLine,
                                               const std::wstring& workingFolder,
                                               const std::vector<EnvironmentOverride>& environment,
                                               DWORD timeoutMs = 30000,
                                               const ProcessEndHandler& onEnd = {});

}  // namespace test
