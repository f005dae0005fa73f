#include "ShellUtilities.h"

#include "PathUtil.h"
#include "UniqueHandle.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <utility>
#include <vector>

namespace {

// The command interpreter by its full path: the program runs from the temporary folder, where a
// bare "cmd.exe" could be a planted program found beside it.
std::wstring CommandInterpreterPath() {
    const UINT length = ::GetSystemDirectoryW(nullptr, 0);
    std::vector<wchar_t> buffer(length + 1);
    const UINT copied = ::GetSystemDirectoryW(buffer.data(), length + 1);
    if (copied == 0 || copied > length) {
        return std::wstring();
    }
    return std::wstring(buffer.data(), copied) + L"\\cmd.exe";
}

bool IsProcessElevated() {
    ScopedHandle token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.Receive())) {
        return false;
    }
    TOKEN_ELEVATION elevation = {};
    DWORD size = 0;
    return ::GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof elevation,
                                 &size) &&
           elevation.TokenIsElevated != 0;
}

}  // namespace

bool StartInFolder(int showCommand, const std::wstring& file, const std::wstring& parameters,
                   const std::wstring& workingFolder, ScopedHandle* startedProcess) {
    std::wstring commandLine = L"\"" + file + L"\"";
    if (!parameters.empty()) {
        commandLine += L" " + parameters;
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION started = {};
    if (!::CreateProcessW(file.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          workingFolder.c_str(), &startup, &started)) {
        return false;
    }
    ScopedHandle process(started.hProcess);
    ScopedHandle thread(started.hThread);
    if (startedProcess != nullptr) {
        *startedProcess = std::move(process);
    }
    return true;
}

std::wstring SelfDeleteParameters(const std::wstring& path, const std::wstring& emptyFolder) {
    std::wstring parameters = L"/c del /q \"" + path + L"\"";
    if (!emptyFolder.empty()) {
        parameters += L" & rd \"" + emptyFolder + L"\"";
    }
    return parameters;
}

void SelfDelete(UINT exitCode, const std::wstring& emptyFolder) {
    // The interpreter must find the file closed; ending fast at high priority makes that likely.
    ::SetPriorityClass(::GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    const std::wstring self = GetModulePath();
    ::SHChangeNotify(SHCNE_DELETE, SHCNF_PATHW, self.c_str(), nullptr);
    const std::wstring interpreter = CommandInterpreterPath();
    if (!interpreter.empty()) {
        ::ShellExecuteW(nullptr, L"open", interpreter.c_str(),
                        SelfDeleteParameters(self, emptyFolder).c_str(), nullptr, SW_HIDE);
    }
    ::ExitProcess(exitCode);
}

bool StartElevated(int showCommand, const std::wstring& file, const std::wstring& parameters,
                   const std::wstring& workingFolder, ScopedHandle* process) {
    if (!workingFolder.empty() && IsProcessElevated()) {
        return StartInFolder(showCommand, file, parameters, workingFolder, process);
    }
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    // No error box: the caller runs on the worker thread without a visible window, and a box
    // would stop the removal until someone closes it.
    info.fMask = SEE_MASK_FLAG_NO_UI | (process != nullptr ? SEE_MASK_NOCLOSEPROCESS : 0);
    info.lpVerb = L"runas";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = workingFolder.empty() ? nullptr : workingFolder.c_str();
    info.nShow = showCommand;
    if (!::ShellExecuteExW(&info)) {
        return false;
    }
    if (process != nullptr) {
        *process = ScopedHandle(info.hProcess);
    }
    return true;
}

bool RunElevated(int showCommand, const std::wstring& file, const std::wstring& parameters,
                 const std::wstring& workingFolder) {
    if (StartElevated(showCommand, file, parameters, workingFolder)) {
        return true;
    }
    const DWORD error = ::GetLastError();
    return error != ERROR_CANCELLED && error != ERROR_FILE_NOT_FOUND;
}
