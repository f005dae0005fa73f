#include "CUninstallApp.h"

#include "AppConfig.h"
#include "CRunExitCode.h"
#include "CUninstallLogFile.h"
#include "CommandLineOptions.h"
#include "Localization.h"
#include "MainFrameRules.h"
#include "Relaunch.h"
#include "ResourceSettings.h"
#include "RunFolder.h"
#include "ShellUtilities.h"
#include "PathUtil.h"
#include "ScopedComInit.h"
#include "UnattendedUninstall.h"
#include "UninstallEngine.h"
#include "ZMainFrame.h"

#include <cstring>
#include <vector>

namespace {

constexpr wchar_t kProgramTitle[] = L"卸载程序";

// The file version of this program's version record, "16.0.0.22".
std::wstring ProgramVersion(HMODULE module) {
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    const HGLOBAL loaded = found != nullptr ? ::LoadResource(module, found) : nullptr;
    const auto* bytes =
        static_cast<const BYTE*>(loaded != nullptr ? ::LockResource(loaded) : nullptr);
    const DWORD size = found != nullptr ? ::SizeofResource(module, found) : 0;
    // The fixed part follows the record's header; it is found by its signature.
    for (DWORD offset = 0; bytes != nullptr && offset + sizeof(VS_FIXEDFILEINFO) <= size;
         offset += 4) {
        VS_FIXEDFILEINFO info;
        std::memcpy(&info, bytes + offset, sizeof info);
        if (info.dwSignature == VS_FFI_SIGNATURE) {
            return std::to_wstring(HIWORD(info.dwFileVersionMS)) + L"." +
                   std::to_wstring(LOWORD(info.dwFileVersionMS)) + L"." +
                   std::to_wstring(HIWORD(info.dwFileVersionLS)) + L"." +
                   std::to_wstring(LOWORD(info.dwFileVersionLS));
        }
    }
    return L"unknown";
}

std::wstring AbsolutePath(const std::wstring& path) {
    const DWORD length = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::vector<wchar_t> buffer(length + 1);
    const DWORD written = ::GetFullPathNameW(path.c_str(), length + 1, buffer.data(), nullptr);
    return written > 0 && written <= length ? std::wstring(buffer.data(), written) : path;
}

void ShowMessage(const std::wstring& text, UINT icon) {
    ::MessageBoxW(nullptr, text.c_str(), Translate(kProgramTitle).c_str(), MB_OK | icon);
}

void LogStart(HMODULE module, IUninstallLog& log) {
    log.Write(L"Uninstaller " + ProgramVersion(module) + L", process " +
              std::to_wstring(::GetCurrentProcessId()));
    log.Write(L"Command line: " + std::wstring(::GetCommandLineW()));
    log.Write(L"Configuration: BrandName \"" + GetBrandName() + L"\", ProjectName \"" +
              GetProjectName() + L"\", DisplayName \"" + GetDisplayName() + L"\", window mark \"" +
              GetWndMarkName() + L"\"");
}

}  // namespace

bool CUninstallApp::InitInstance() {
    LoadAppConfig(instance_);
    LoadLanguage(instance_);

    CommandLineOptions options = ParseCommandLine(::GetCommandLineW());
    if (options.HasSwitch()) {
        CRunExitCode::Instance().EnableCodes();
    }
    if (!options.IsValid()) {
        if (!options.silent) {
            ShowMessage(
                L"Unknown or repeated switch: " + options.badArgument + L"\n\n" + UsageText(),
                MB_ICONERROR);
        }
        ::ExitProcess(ExitCode::kBadCommandLine);
    }
    if (options.help) {
        if (!options.silent) {
            ShowMessage(UsageText(), MB_ICONINFORMATION);
        }
        ::ExitProcess(ExitCode::kRemoved);
    }

    // Relative to the folder the caller started this first process in; the copy gets it whole.
    if (options.log) {
        options.logFile = AbsolutePath(options.logFile);
    }
    CUninstallLogFile log(options.log ? options.logFile : std::wstring());
    LogStart(instance_, log);

    RelaunchFromTemp(options, log);
    if (options.silent) {
        RunUnattendedUninstall(UninstallEngine(), UninstallSettingsFromConfig(), log);
    } else {
        RunMainWindow(log);
    }
    // The window was left before the removal: the copy and the folder made for it go all the same.
    if (RunsFromRunFolder(GetModulePath())) {
        log.Write(L"Exit code " + std::to_wstring(ExitCode()));
        SelfDelete(ExitCode());
    }
    return false;
}

UINT CUninstallApp::ExitCode() const {
    return CRunExitCode::Instance().Code();
}

void CUninstallApp::RunMainWindow(CUninstallLogFile& log) {
    DuiLib::SetModuleInstance(instance_);
    UninstallEngine().SetLog(&log);
    const ScopedComInit com(COINIT_APARTMENTTHREADED);
    if (!com.Succeeded()) {
        return;
    }
    ZMainFrame frame;
    // The frame makes itself a fixed-size pop-up while it is created.
    constexpr DWORD kCreatedStyle = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    if (frame.Create(nullptr, MainWindowTitle(GetDisplayName()).c_str(), kCreatedStyle,
                     WS_EX_WINDOWEDGE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                     CW_USEDEFAULT) == nullptr) {
        return;
    }
    frame.CenterOnOwner();
    frame.RunModal();
    // The worker writes to the log, which ends with this run.
    UninstallEngine().StopWorker();
    // A quit message ends the modal run with the window still there; it must not outlive the
    // object that handles its messages.
    if (::IsWindow(frame.GetHWND())) {
        ::DestroyWindow(frame.GetHWND());
    }
}
