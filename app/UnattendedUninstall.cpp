#include "UnattendedUninstall.h"

#include "CDiskObject.h"
#include "CRunExitCode.h"
#include "IUninstallLog.h"
#include "InstalledProductRecord.h"
#include "PathUtil.h"
#include "RemovalFinish.h"
#include "RunFolder.h"
#include "RunningAppShutdown.h"
#include "ShellUtilities.h"
#include "UninstallMessages.h"
#include "UniqueHandle.h"
#include "ZUninstallObj.h"

#include <windows.h>

namespace {

constexpr wchar_t kSinkClassName[] = L"UninstallEngineSink";

// A message-only window that receives the engine's messages. It is never shown, is not a
// top-level window and appears in no window list.
class EngineMessageSink {
public:
    EngineMessageSink() {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kSinkClassName;
        ::RegisterClassExW(&windowClass);
        window_.Reset(::CreateWindowExW(0, kSinkClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                        nullptr, windowClass.hInstance, this));
    }
    EngineMessageSink(const EngineMessageSink&) = delete;
    EngineMessageSink& operator=(const EngineMessageSink&) = delete;

    HWND Window() const { return window_.Get(); }

    // Runs this thread's message loop until the engine's finished message arrived.
    void WaitForFinished() {
        MSG message;
        while (!finished_ && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            ::SetWindowLongPtrW(window, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* sink =
            reinterpret_cast<EngineMessageSink*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (sink != nullptr && message == WM_UNINSTALL_PROGRESS) {
            return 0;
        }
        if (sink != nullptr && message == WM_UNINSTALL_FINISHED) {
            sink->finished_ = true;
            return 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    ScopedWindow window_;
    bool finished_ = false;
};

[[noreturn]] void EndNotInstalled(IUninstallLog& log) {
    CRunExitCode::Instance().ReportNotInstalled();
    const UINT code = CRunExitCode::Instance().Code();
    log.Write(L"Exit code " + std::to_wstring(code));
    // The copy in the temporary folder goes in any case; a program run in place stays.
    if (const std::wstring self = GetModulePath();
        PathFolder(self) == GetTempFolder() || RunsFromRunFolder(self)) {
        SelfDelete(code);
    }
    ::ExitProcess(code);
}

}  // namespace

void RunUnattendedUninstall(ZUninstallObj& engine, const UninstallSettings& settings,
                            IUninstallLog& log) {
    const std::wstring& projectName = settings.projectName;
    const std::wstring& displayName = settings.displayName;
    log.Write(L"Step: checking the installed product");
    InstalledProductRecord record;
    if (!ReadInstalledProduct(projectName, record)) {
        log.Write(L"The product is not installed: no installed-programs entry \"" + projectName +
                  L"\".");
        EndNotInstalled(log);
    }
    log.Write(L"Installed product: DisplayName \"" + record.displayName + L"\", InstallPath \"" +
              record.installPath + L"\"");
    if (displayName.empty() || record.displayName != displayName) {
        log.Write(L"The installed display name is not the configured \"" + displayName + L"\".");
        EndNotInstalled(log);
    }

    log.Write(L"Step: closing the driver's running program");
    CloseRunningApp(settings);

    EngineMessageSink sink;
    CRunExitCode::Instance().ReportRemovalStarted();
    if (sink.Window() == nullptr) {
        // Without it the engine's end could never be heard; nothing has been removed yet.
        log.Write(L"No message window for the removal: " + SystemErrorText(::GetLastError()));
        log.Write(L"Exit code " + std::to_wstring(CRunExitCode::Instance().Code()));
        ::ExitProcess(CRunExitCode::Instance().Code());
    }
    engine.SetLog(&log);
    log.Write(L"Step: starting the removal");
    engine.StartUninstall(displayName, sink.Window());
    sink.WaitForFinished();
    if (engine.Outcome().verdict == RemovalVerdict::kNotInstalled) {
        EndNotInstalled(log);
    }

    log.Write(L"Step: deleting what is left");
    FinishRemovalAndExit(engine.InstallPath(), engine.SweepLeftovers(), &log);
}
