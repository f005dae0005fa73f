#include "ShellUtilities.h"

#include "PathUtil.h"
#include "RunFolder.h"
#include "TextConvert.h"
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

namespace {

// A name the interpreter takes as it stands inside quotes.
bool StaysInCommand(std::wstring_view name) {
    return IsPlainFileName(name) && name.find(L'%') == std::wstring_view::npos;
}

std::wstring LastName(const std::wstring& path) {
    return path.substr(path.find_last_of(L'\\') + 1);
}

// A folder named like a variable can't be named to the interpreter: the program's file leaves it
// for the temporary folder (a running program may be renamed on its volume), and the then empty
// folder is removed here. Returns the program's new path, or nothing when it could not move.
std::optional<std::wstring> MoveOutOf(const std::wstring& programPath, const std::wstring& folder) {
    const std::wstring tempFolder = GetTempFolder();
    const std::wstring moved =
        tempFolder + L"\\Uninstall-" + std::to_wstring(::GetCurrentProcessId()) + L".exe";
    if (tempFolder.empty() ||
        !::MoveFileExW(programPath.c_str(), moved.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return std::nullopt;
    }
    ::SetCurrentDirectoryW(tempFolder.c_str());
    ::RemoveDirectoryW(folder.c_str());
    return moved;
}

}  // namespace

std::optional<SelfDeleteTarget> PlanSelfDelete(const std::wstring& programPath,
                                               const std::wstring& emptyFolder) {
    SelfDeleteTarget target;
    const std::wstring file = LastName(programPath);
    if (emptyFolder.empty()) {
        target.workingFolder = PathFolder(programPath);
        target.file = file;
    } else {
        target.folder = LastName(emptyFolder);
        target.workingFolder = PathFolder(emptyFolder);
        target.file = target.folder + L"\\" + file;
        if (!EqualsIgnoringCase(PathFolder(programPath), emptyFolder) ||
            !StaysInCommand(target.folder)) {
            return std::nullopt;
        }
    }
    if (target.workingFolder.empty() || !StaysInCommand(file)) {
        return std::nullopt;
    }
    return target;
}

std::wstring SelfDeleteParameters(const SelfDeleteTarget& target) {
    const std::wstring file = L"\"" + target.file + L"\"";
    std::wstring parameters =
        L"/D /C (for /L %N in (1,1,2000) do if exist " + file + L" del /F /Q " + file + L" 2>nul)";
    if (!target.folder.empty()) {
        parameters += L" & rd \"" + target.folder + L"\" 2>nul";
    }
    return parameters;
}

void SelfDelete(UINT exitCode, const std::wstring& emptyFolder) {
    const std::wstring self = GetModulePath();
    // The folder made for this run goes with the copy.
    std::optional<SelfDeleteTarget> target = PlanSelfDelete(
        self, emptyFolder.empty() && RunsFromRunFolder(self) ? PathFolder(self) : emptyFolder);
    if (!target && !emptyFolder.empty()) {
        if (const std::optional<std::wstring> moved = MoveOutOf(self, emptyFolder)) {
            target = PlanSelfDelete(*moved, std::wstring());
        }
    }
    const std::wstring interpreter = CommandInterpreterPath();
    if (target && !interpreter.empty()) {
        ::SHChangeNotify(SHCNE_DELETE, SHCNF_PATHW, self.c_str(), nullptr);
        StartInFolder(SW_HIDE, interpreter, SelfDeleteParameters(*target), target->workingFolder);
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
