#include "RunningAppShutdown.h"

#include "UniqueHandle.h"

#include <windows.h>
#include <tlhelp32.h>

#include <vector>

namespace {

constexpr DWORD kPauseMs = 1000;
constexpr UINT kKilledExitCode = 1981;

// Only the first marked window is asked: the driver program has one main window.
void CloseFirstMarkedWindow(const std::wstring& markName) {
    for (HWND window = ::GetWindow(::GetDesktopWindow(), GW_CHILD); ::IsWindow(window);
         window = ::GetWindow(window, GW_HWNDNEXT)) {
        if (::GetPropW(window, markName.c_str()) != nullptr) {
            ::PostMessageW(window, WM_CLOSE, 0, 0);
            ::Sleep(kPauseMs);
            return;
        }
    }
}

}  // namespace

void CloseRunningApp(const UninstallSettings& settings) {
    CloseFirstMarkedWindow(settings.windowMarkName);
    for (const std::wstring& program : settings.runningProgramNames) {
        KillProcessesByName(program);
    }
    ::Sleep(kPauseMs);
}

void KillProcessesByName(const std::wstring& exeName) {
    std::vector<PROCESSENTRY32W> entries;
    {
        ScopedFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPALL, 0));
        if (!snapshot) {
            return;
        }
        PROCESSENTRY32W entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more;
             more = ::Process32NextW(snapshot.Get(), &entry)) {
            entries.push_back(entry);
        }
    }
    const DWORD ownId = ::GetCurrentProcessId();
    for (const PROCESSENTRY32W& entry : entries) {
        if (entry.th32ProcessID == ownId ||
            ::CompareStringOrdinal(entry.szExeFile, -1, exeName.c_str(), -1, TRUE) != CSTR_EQUAL) {
            continue;
        }
        ScopedHandle process(::OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID));
        if (process) {
            ::TerminateProcess(process.Get(), kKilledExitCode);
        }
    }
}
