#include "TestProcess.h"

#include "UniqueHandle.h"

namespace test {

std::optional<DWORD> RunProgram(const std::wstring& commandLine, const std::wstring& workingFolder,
                                DWORD timeoutMs) {
    std::wstring mutableLine = commandLine;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup,
                          &info)) {
        return std::nullopt;
    }
    ScopedHandle process(info.hProcess);
    ScopedHandle thread(info.hThread);
    if (::WaitForSingleObject(process.Get(), timeoutMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.Get(), 1);
        ::WaitForSingleObject(process.Get(), 5000);
        return std::nullopt;
    }
    DWORD exitCode = 0;
    ::GetExitCodeProcess(process.Get(), &exitCode);
    return exitCode;
}

}  // namespace test
