#include "RunningPrograms.h"

#include "PathUtil.h"

#include "UniqueHandle.h"

#include <tlhelp32.h>

#include <vector>

namespace {

std::wstring ProgramPathOf(HANDLE process) {
    wchar_t path[MAX_PATH * 2];
    DWORD length = static_cast<DWORD>(std::size(path));
    return ::QueryFullProcessImageNameW(process, 0, path, &length) ? std::wstring(path, length)
                                                                   : std::wstring();
}

DWORD ParentProcessId() {
    const ScopedFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = snapshot && ::Process32FirstW(snapshot.Get(), &entry); more;
         more = ::Process32NextW(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == ::GetCurrentProcessId()) {
            return entry.th32ParentProcessID;
        }
    }
    return 0;
}

// The processes running a program below folder or started by this process, opened for waiting;
// parent (the process that started this one) is never among them.
std::vector<ScopedHandle> ProcessesRunningFrom(const std::wstring& folder, DWORD parent) {
    std::vector<ScopedHandle> found;
    const ScopedFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return found;
    }
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more;
         more = ::Process32NextW(snapshot.Get(), &entry)) {
        const DWORD id = entry.th32ProcessID;
        if (id == parent || id == 0 || id == ::GetCurrentProcessId()) {
            continue;
        }
        ScopedHandle process(
            ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
        // A program started by this process (the command interpreter running the package's batch
        // file, say) may hold a file or its working folder there without running from it.
        const bool startedHere = entry.th32ParentProcessID == ::GetCurrentProcessId();
        if (process && (startedHere || IsBelow(ProgramPathOf(process.Get()), folder))) {
            found.push_back(std::move(process));
        }
    }
    return found;
}

}  // namespace

void WaitForProgramsRunningFrom(const std::wstring& folder, DWORD limitMs) {
    if (folder.empty()) {
        return;
    }
    const ULONGLONG deadline = ::GetTickCount64() + limitMs;
    const DWORD parent = ParentProcessId();
    // A tool may start another one from the same folder, so look again after each wait.
    for (std::vector<ScopedHandle> running = ProcessesRunningFrom(folder, parent); !running.empty();
         running = ProcessesRunningFrom(folder, parent)) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) {
            return;
        }
        ::WaitForSingleObject(running.front().Get(), static_cast<DWORD>(deadline - now));
    }
}

std::wstring ParentProgramPath() {
    const DWORD parent = ParentProcessId();
    const ScopedHandle process(
        parent != 0 ? ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, parent) : nullptr);
    return process ? ProgramPathOf(process.Get()) : std::wstring();
}
