#pragma once

#include "UniqueHandle.h"

#include <windows.h>

#include <string>

namespace test {

// A stand-in program started by a test; terminated when the object goes away if still running.
class StandInProcess {
public:
    explicit StandInProcess(const std::wstring& commandLine);
    ~StandInProcess();
    StandInProcess(const StandInProcess&) = delete;
    StandInProcess& operator=(const StandInProcess&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    // The exit code once the process has ended within timeoutMs, else STILL_ACTIVE.
    DWORD WaitForExitCode(DWORD timeoutMs);

private:
    ScopedHandle process_;
};

// "text" in double quotes, for command lines.
std::wstring Quoted(const std::wstring& text);

}  // namespace test
