#include "FileHolderProcess.h"

#include "TestFiles.h"

#include <windows.h>

#include <atomic>
#include <vector>

namespace test {

namespace {

constexpr DWORD kStartTimeout = 30000;

// Event names unique to this holder, so that test programs running side by side don't mix.
std::wstring EventName(const wchar_t* role) {
    static std::atomic<unsigned> next{0};
    return L"Local\\FileHolder." + std::to_wstring(::GetCurrentProcessId()) + L"." +
           std::to_wstring(next++) + L"." + role;
}

}  // namespace

FileHolderProcess::FileHolderProcess(const std::wstring& path) {
    const std::wstring readyName = EventName(L"ready");
    const std::wstring releaseName = EventName(L"release");
    ready_.Reset(::CreateEventW(nullptr, TRUE, FALSE, readyName.c_str()));
    release_.Reset(::CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str()));
    if (!ready_ || !release_) {
        return;
    }
    const std::wstring program = TestProgramFolder() + L"\\file_holder.exe";
    std::wstring commandLine =
        L"\"" + program + L"\" \"" + path + L"\" " + readyName + L" " + releaseName;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!::CreateProcessW(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          TestProgramFolder().c_str(), &startup, &started)) {
        return;
    }
    ::CloseHandle(started.hThread);
    process_.Reset(started.hProcess);
    const HANDLE waitFor[] = {ready_.Get(), process_.Get()};
    holding_ = ::WaitForMultipleObjects(2, waitFor, FALSE, kStartTimeout) == WAIT_OBJECT_0;
}

FileHolderProcess::~FileHolderProcess() {
    Release();
}

int FileHolderProcess::Release() {
    holding_ = false;
    if (!process_) {
        return -1;
    }
    ::SetEvent(release_.Get());
    DWORD exitCode = 0;
    const bool ended = ::WaitForSingleObject(process_.Get(), kStartTimeout) == WAIT_OBJECT_0 &&
                       ::GetExitCodeProcess(process_.Get(), &exitCode);
    if (!ended) {
        ::TerminateProcess(process_.Get(), 1);
        ::WaitForSingleObject(process_.Get(), kStartTimeout);
    }
    process_.Reset();
    return ended ? static_cast<int>(exitCode) : -1;
}

}  // namespace test
