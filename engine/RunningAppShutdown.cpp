#include "RunningAppShutdown.h"

#include "UniqueHandle.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <vector>

namespace {

// The longest each pause may last: the time the program was always given to go.
constexpr DWORD kLongestPauseMs = 1000;
constexpr UINT kKilledExitCode = 1981;

// Waits until every process in the list has ended or timeoutMs has passed, whichever is first.
// A wait call takes at most MAXIMUM_WAIT_OBJECTS handles, so longer lists wait in slices that
// share one deadline.
void WaitForProcessesToEnd(const std::vector<ScopedHandle>& processes, DWORD timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    std::vector<HANDLE> handles;
    for (const ScopedHandle& process : processes) {
        handles.push_back(process.Get());
    }
    for (size_t first = 0; first < handles.size(); first += MAXIMUM_WAIT_OBJECTS) {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
        const DWORD count =
            static_cast<DWORD>(std::min<size_t>(handles.size() - first, MAXIMUM_WAIT_OBJECTS));
        if (::WaitForMultipleObjects(count, handles.data() + first, TRUE, left) == WAIT_TIMEOUT) {
            return;
        }
    }
}

// Only the first marked window is asked: the driver program has one main window. Waits for the
// window's process to end; a process that can't be watched gets the whole pause.
void CloseFirstMarkedWindow(const std::wstring& markName) {
    for (HWND window = ::GetWindow(::GetDesktopWindow(), GW_CHILD); ::IsWindow(window);
         window = ::GetWindow(window, GW_HWNDNEXT)) {
        if (::GetPropW(window, markName.c_str()) == nullptr) {
            continue;
        }
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        std::vector<ScopedHandle> owner;
        owner.emplace_back(::OpenProcess(SYNCHRONIZE, FALSE, processId));
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        if (owner.front() && processId != ::GetCurrentProcessId()) {
            WaitForProcessesToEnd(owner, kLongestPauseMs);
        } else {
            ::Sleep(kLongestPauseMs);
        }
        return;
    }
}

// Ends the matching processes and returns handles to those it ended, to wait on.
std::vector<ScopedHandle> TerminateProcessesByName(const std::wstring& exeName) {
    std::vector<PROCESSENTRY32W> entries;
    {
        ScopedFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPALL, 0));
        if (!snapshot) {
            return {};
        }
        PROCESSENTRY32W entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more;
             more = ::Process32NextW(snapshot.Get(), &entry)) {
            entries.push_back(entry);
        }
    }
    std::vector<ScopedHandle> ended;
    const DWORD ownId = ::GetCurrentProcessId();
    for (const PROCESSENTRY32W& entry : entries) {
        if (entry.th32ProcessID == ownId ||
            ::CompareStringOrdinal(entry.szExeFile, -1, exeName.c_str(), -1, TRUE) != CSTR_EQUAL) {
            continue;
        }
        ScopedHandle process(
            ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
        if (process && ::TerminateProcess(process.Get(), kKilledExitCode)) {
            ended.push_back(std::move(process));
        }
    }
    return ended;
}

}  // namespace

void CloseRunningApp(const UninstallSettings& settings) {
    CloseFirstMarkedWindow(settings.windowMarkName);
    std::vector<ScopedHandle> ended;
    for (const std::wstring& program : settings.runningProgramNames) {
        for (ScopedHandle& process : TerminateProcessesByName(program)) {
            ended.push_back(std::move(process));
        }
    }
    WaitForProcessesToEnd(ended, kLongestPauseMs);
}

void KillProcessesByName(const std::wstring& exeName) {
    TerminateProcessesByName(exeName);
}
