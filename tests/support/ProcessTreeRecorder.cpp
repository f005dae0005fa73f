#include "ProcessTreeRecorder.h"

#include "UniqueHandle.h"

#include <winternl.h>

#include <algorithm>
#include <map>

namespace test {

namespace {

using NtQueryInformationProcessFn = LONG(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

std::wstring ReadRemoteString(HANDLE process, const UNICODE_STRING& remote) {
    std::wstring text(remote.Length / sizeof(wchar_t), L'\0');
    if (text.empty() ||
        !::ReadProcessMemory(process, remote.Buffer, text.data(), remote.Length, nullptr)) {
        return std::wstring();
    }
    return text;
}

// Reads the image path and command line from the process's own parameter block.
bool ReadProcessParameters(HANDLE process, RecordedProcess& record) {
    static const auto query = reinterpret_cast<NtQueryInformationProcessFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic = {};
    if (query == nullptr ||
        query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
        return false;
    }
    PEB peb = {};
    RTL_USER_PROCESS_PARAMETERS parameters = {};
    if (!::ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr) ||
        peb.ProcessParameters == nullptr ||
        !::ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters,
                             nullptr)) {
        return false;
    }
    record.imagePath = ReadRemoteString(process, parameters.ImagePathName);
    record.commandLine = ReadRemoteString(process, parameters.CommandLine);
    return !record.commandLine.empty();
}

std::vector<wchar_t> BuildEnvironment(const std::vector<EnvironmentOverride>& overrides) {
    std::map<std::wstring, std::wstring> variables;
    wchar_t* block = ::GetEnvironmentStringsW();
    for (const wchar_t* entry = block; *entry != L'\0'; entry += wcslen(entry) + 1) {
        const std::wstring text = entry;
        const auto equals = text.find(L'=', 1);
        if (equals != std::wstring::npos) {
            variables[text.substr(0, equals)] = text.substr(equals + 1);
        }
    }
    ::FreeEnvironmentStringsW(block);
    for (const auto& [name, value] : overrides) {
        variables[name] = value;
    }
    std::vector<wchar_t> environment;
    for (const auto& [name, value] : variables) {
        const std::wstring entry = name + L"=" + value;
        environment.insert(environment.end(), entry.begin(), entry.end());
        environment.push_back(L'\0');
    }
    environment.push_back(L'\0');
    return environment;
}

}  // namespace

std::vector<RecordedProcess> RecordProcessTree(const std::wstring& commandLine,
                                               const std::wstring& workingFolder,
                                               const std::vector<EnvironmentOverride>& environment,
                                               DWORD timeoutMs, const ProcessEndHandler& onEnd) {
    std::vector<RecordedProcess> processes;
    std::map<DWORD, HANDLE> running;  // handles belong to the debugging system
    std::wstring mutableLine = commandLine;
    std::vector<wchar_t> environmentBlock = BuildEnvironment(environment);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE,
                          DEBUG_PROCESS | CREATE_UNICODE_ENVIRONMENT, environmentBlock.data(),
                          workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup,
                          &info)) {
        return processes;
    }
    ScopedHandle firstProcess(info.hProcess);
    ScopedHandle firstThread(info.hThread);

    const auto recordOf = [&processes](DWORD id) -> RecordedProcess* {
        const auto found = std::find_if(processes.begin(), processes.end(),
                                        [id](const RecordedProcess& p) { return p.id == id; });
        return found == processes.end() ? nullptr : &*found;
    };

    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    bool started = false;
    int endedCount = 0;
    while (!started || !running.empty()) {
        const ULONGLONG now = ::GetTickCount64();
        DEBUG_EVENT event = {};
        if (now >= deadline || !::WaitForDebugEvent(&event, static_cast<DWORD>(deadline - now))) {
            for (const auto& [id, process] : running) {
                ::TerminateProcess(process, 1);
            }
            break;
        }
        DWORD continueStatus = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
            case CREATE_PROCESS_DEBUG_EVENT: {
                started = true;
                ScopedFileHandle image(event.u.CreateProcessInfo.hFile);
                running[event.dwProcessId] = event.u.CreateProcessInfo.hProcess;
                RecordedProcess record;
                record.id = event.dwProcessId;
                record.threadIds.push_back(event.dwThreadId);
                ReadProcessParameters(event.u.CreateProcessInfo.hProcess, record);
                processes.push_back(record);
                break;
            }
            case CREATE_THREAD_DEBUG_EVENT:
                if (RecordedProcess* record = recordOf(event.dwProcessId)) {
                    record->threadIds.push_back(event.dwThreadId);
                }
                break;
            case LOAD_DLL_DEBUG_EVENT:
                ScopedFileHandle(event.u.LoadDll.hFile).Reset();
                break;
            case EXCEPTION_DEBUG_EVENT:
                if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
                    continueStatus = DBG_EXCEPTION_NOT_HANDLED;
                }
                break;
            case EXIT_PROCESS_DEBUG_EVENT:
                if (RecordedProcess* record = recordOf(event.dwProcessId)) {
                    record->exitCode = event.u.ExitProcess.dwExitCode;
                    record->exitOrder = endedCount++;
                    if (onEnd) {
                        onEnd(*record);
                    }
                }
                running.erase(event.dwProcessId);
                break;
            default:
                break;
        }
        // The parameter block may only be complete once the process has begun to run.
        if (RecordedProcess* record = recordOf(event.dwProcessId);
            record != nullptr && record->commandLine.empty() && running.count(event.dwProcessId)) {
            ReadProcessParameters(running[event.dwProcessId], *record);
        }
        ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId, continueStatus);
    }
    return processes;
}

}  // namespace test
