#include "DriverRemoval.h"

#include "CDiskObject.h"
#include "PathUtil.h"
#include "RegistryHelpers.h"
#include "ShellUtilities.h"
#include "SpecialFolders.h"

#include <windows.h>

namespace {

constexpr wchar_t kDriverPackageFlags[] =
    L" DRIVER_PACKAGE_FORCE DRIVER_PACKAGE_LEGACY_MODE DRIVER_PACKAGE_SILENT";

bool FileExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A parameter with blanks must reach the tool as one argument.
std::wstring QuotedIfBlank(const std::wstring& argument) {
    if (argument.find_first_of(L" \t") == std::wstring::npos) {
        return argument;
    }
    return L"\"" + argument + L"\"";
}

void DeleteSystemLibrary(const std::wstring& path) {
    CDiskObject disk;
    disk.DeleteSingleFile(path);
}

// Starts the tool from its own folder. The tool keeps that folder as its working folder; this
// process leaves it again, so that it doesn't hold the folder that is deleted next. When the
// previous working folder can't be entered again, the program's own folder is taken.
void LaunchInFolder(const ToolLaunch& tool, const ToolLauncher& launch) {
    if (!FileExists(tool.file)) {
        return;
    }
    wchar_t previousFolder[MAX_PATH] = {};
    const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, previousFolder);
    if (!::SetCurrentDirectoryW(tool.workingFolder.c_str())) {
        return;
    }
    launch(tool.file, tool.parameters);
    if (length == 0 || length >= MAX_PATH || !::SetCurrentDirectoryW(previousFolder)) {
        ::SetCurrentDirectoryW(GetModuleFolder().c_str());
    }
}

}  // namespace

ToolLauncher ElevatedToolLauncher() {
    return [](const std::wstring& file, const std::wstring& parameters) {
        return StartElevated(SW_HIDE, file, parameters);
    };
}

DriverRemovalPlan PlanDriverRemoval(const std::wstring& installPath, bool is64BitSystem) {
    const std::wstring arch = is64BitSystem ? L"amd64" : L"i386";
    const std::wstring hidFolder = installPath + L"\\driver\\HID\\" + arch;
    DriverRemovalPlan plan;
    plan.batchFile =
        installPath + L"\\driver\\TabletDriver\\" + arch + L"\\tabetdriveruninstall.bat";
    plan.deviceConsole = {hidFolder + L"\\devcon.exe", L"remove tavrel\\tablethid", hidFolder};
    plan.driverPackageTool = {
        hidFolder + L"\\DIFxCmd.exe",
        L"/u " + QuotedIfBlank(hidFolder + L"\\vmulti.inf") + kDriverPackageFlags, hidFolder};
    return plan;
}

bool Is64BitSystem() {
    using GetNativeSystemInfoFunction = void(WINAPI*)(LPSYSTEM_INFO);
    SYSTEM_INFO info = {};
    const auto getNative = reinterpret_cast<GetNativeSystemInfoFunction>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GetNativeSystemInfo")));
    if (getNative != nullptr) {
        getNative(&info);
    } else {
        ::GetSystemInfo(&info);
    }
    return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
           info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
}

std::wstring ShortPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

void RemoveDriver(const std::wstring& installPath, const ToolLauncher& launch) {
    const DriverRemovalPlan plan = PlanDriverRemoval(installPath, Is64BitSystem());
    if (!installPath.empty()) {
        const std::wstring batchFile = ShortPath(plan.batchFile);
        if (!batchFile.empty()) {
            launch(batchFile, std::wstring());
        }
    }

    const std::wstring windowsFolder = GetWindowsFolder();
    if (!windowsFolder.empty()) {
        DeleteSystemLibrary(windowsFolder + L"\\SysWOW64\\wintab32.dll");
        // From a 32-bit process on 64-bit Windows, System32 names the native folder only with
        // redirection off; the switch affects this thread only.
        void* redirection = nullptr;
        const BOOL redirectionOff = ::Wow64DisableWow64FsRedirection(&redirection);
        DeleteSystemLibrary(windowsFolder + L"\\System32\\wintab32.dll");
        if (redirectionOff) {
            ::Wow64RevertWow64FsRedirection(redirection);
        }
    }

    DeleteKeyTreeNative(HKEY_LOCAL_MACHINE, kProductKeyPath);

    if (!installPath.empty()) {
        LaunchInFolder(plan.deviceConsole, launch);
        LaunchInFolder(plan.driverPackageTool, launch);
    }
}
