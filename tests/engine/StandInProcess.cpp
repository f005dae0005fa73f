#include "StandInProcess.h"

namespace test {

StandInProcess::StandInProcess(const std::wstring& commandLine) {
    std::wstring mutableLine = commandLine;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                         nullptr, nullptr, &startup, &info)) {
        process_.Reset(info.hProcess);
        ScopedHandle(info.hThread).Reset();
    }
}

StandInProcess::~StandInProcess() {
    if (process_ && ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(process_.Get(), 1);
        ::WaitForSingleObject(process_.Get(), 5000);
    }
}

DWORD StandInProcess::WaitForExitCode(DWORD timeoutMs) {
    DWORD exitCode = STILL_ACTIVE;
    if (process_ && ::WaitForSingleObject(process_.Get(), timeoutMs) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(process_.Get(), &exitCode);
    }
    return exitCode;
}

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

}  // namespace test
