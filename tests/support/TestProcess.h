#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace test {

// Starts commandLine (working folder optional) and waits up to timeoutMs for it to end.
// Returns its exit code, or nothing when it could not start or did not end in time (it is then
// terminated).
std::optional<DWORD> RunProgram(const std::wstring& commandLine,
                                const std::wstring& workingFolder = std::wstring(),
                                DWORD timeoutMs = 30000);

// Polls condition every 20 ms until it holds or timeoutMs passed; returns its last value.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 10000) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (::GetTickCount64() >= deadline) {
            return condition();
        }
        ::Sleep(20);
    }
    return true;
}

}  // namespace test
