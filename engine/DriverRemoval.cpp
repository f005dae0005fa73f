#include "DriverRemoval.h"

#include "CDiskObject.h"
#include "FileSystem.h"
#include "RegistryHelpers.h"
#include "ShellUtilities.h"
#include "SpecialFolders.h"
#include "UniqueHandle.h"

#include <windows.h>

namespace {

constexpr wchar_t kDriverPackageFlags[] =
    L" DRIVER_PACKAGE_FORCE DRIVER_PACKAGE_LEGACY_MODE DRIVER_PACKAGE_SILENT";

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

// Starts the tool with its own folder as working folder, given to the start call; this process
// never enters the folder, so it doesn't hold the folder that is deleted next. A tool whose folder
// is missing is not started.
void LaunchInFolder(const ToolLaunch& tool, const ToolLauncher& launch) {
    if (FileExists(tool.file) && FolderExists(tool.workingFolder)) {
        launch(tool.file, tool.parameters, tool.workingFolder, nullptr);
    }
}

}  // namespace

ToolLauncher ElevatedToolLauncher() {
    return [](const std::wstring& file, const std::wstring& parameters,
              const std::wstring& workingFolder, ScopedHandle* process) {
        return StartElevated(SW_HIDE, file, parameters, workingFolder, process);
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

bool RemoveDriver(const std::wstring& installPath, const ToolLauncher& launch,
                  unsigned long batchWaitMs) {
    const DriverRemovalPlan plan = PlanDriverRemoval(installPath, Is64BitSystem());
    ScopedHandle batchRun;
    if (!installPath.empty()) {
        const std::wstring batchFile = ShortPath(plan.batchFile);
        if (!batchFile.empty()) {
            launch(batchFile, std::wstring(), std::wstring(), &batchRun);
        }
    }

    const std::wstring windowsFolder = GetWindowsFolder();
    if (!windowsFolder.empty()) {
        DeleteSystemLibrary(windowsFolder + L"\\SysWOW64\\wintab32.dll");
        // From a 32-bit process on 64-bit Windows, System32 names the native folder only with
        // redirection off; the switch affects this thread only.
        const ScopedFsRedirectionOff redirectionOff;
        DeleteSystemLibrary(windowsFolder + L"\\System32\\wintab32.dll");
    }

    DeleteKeyTreeNative(HKEY_LOCAL_MACHINE, kProductKeyPath);

    if (!installPath.empty()) {
        LaunchInFolder(plan.deviceConsole, launch);
        LaunchInFolder(plan.driverPackageTool, launch);
    }
    return !batchRun || ::WaitForSingleObject(batchRun.Get(), batchWaitMs) != WAIT_TIMEOUT;
}
