// Installs, inspects and removes a demo installation of the driver package inside a Wine prefix,
// and runs programs there with their whole process tree watched. Used by the demo and by the
// end-to-end test, which drive the uninstaller's window from outside.
//
// Usage:
//   demo_product install [--name DISPLAYNAME] [--files N]
//       The installed-programs entry (registered under DISPLAYNAME, the configured display name
//       by default), the product key, the installation folder with the driver folders and the
//       driver's library, the stand-in tools, the uninstaller and N data files (default 40), the
//       desktop link, the
//       start-menu folder and the pinned taskbar link; next to them a sibling entry, folder and
//       link that must survive. Records of the stand-in tools go to C:\demo-records.
//   demo_product start-app      starts the stand-in of the driver's running program
//   demo_product state          prints one "item=state" line per installed item
//   demo_product remove         removes everything install made, the temporary copy and the
//                               pending deletions at restart in the installation folder
//   demo_product run PROGRAM [ARGUMENTS...]
//                               runs PROGRAM (in its own folder) and every process it starts;
//                               prints "process exit=CODE ended=N image=PATH" for each, in start
//                               order (N: its place among the ends, 0 = ended first)
//   demo_product hold-file PATH keeps PATH (relative to the installation folder) open without
//                               delete sharing in another process; prints "holding" once it is
//                               held and lets it go when a line or the end of input arrives
//   demo_product pending        prints one "pending=PATH" line per deletion at the next restart
//                               in the installation folder, in the order the system makes them
//   demo_product hold           keeps a hidden window open until it is ended, so that Wine's
//                               desktop process lives on instead of starting (and lingering)
//                               as a child of each program run
//   demo_product syscommand maximize|close  sends WM_SYSCOMMAND to the uninstaller's window and
//                               prints the window's size afterwards
#include "AppConfig.h"
#include "FileHolderProcess.h"
#include "PathUtil.h"
#include "PendingFileRenames.h"
#include "PendingRenames.h"
#include "ProcessTreeRecorder.h"
#include "RunFolder.h"
#include "ScopedComInit.h"
#include "SpecialFolders.h"
#include "TestFiles.h"
#include "TestProcess.h"
#include "TestRegistry.h"
#include "TextConvert.h"
#include "UniqueHandle.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kUninstallList[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr wchar_t kProductKey[] = L"Software\\TavrelTablet";
constexpr wchar_t kRecordFolder[] = L"C:\\demo-records";
constexpr wchar_t kSiblingName[] = L" Sibling";
constexpr wchar_t kDriverLibrary[] = L"driver\\TabletDriver\\amd64\\TabletHook.dll";

constexpr char kBatchFile[] =
    "@echo off\r\n"
    "echo args=[%*]> \"%UNINSTALLER_TEST_RECORD%\\bat.txt\"\r\n";

std::wstring ProgramFiles() {
    std::wstring path;
    GetSpecialFolder(CSIDL_PROGRAM_FILES, L"", path);
    return path;
}

std::wstring InstallFolder() {
    return ProgramFiles() + L"\\" + GetProjectName();
}
std::wstring SiblingFolder() {
    return InstallFolder() + kSiblingName;
}
std::wstring Entry() {
    return kUninstallList + GetProjectName();
}
std::wstring SiblingEntry() {
    return Entry() + L"Sibling";
}

std::wstring Special(int csidl, const wchar_t* suffix = L"") {
    std::wstring path;
    GetSpecialFolder(csidl, suffix, path);
    return path;
}

std::wstring DesktopLink() {
    return Special(CSIDL_DESKTOP) + L"\\" + GetDisplayName() + L".lnk";
}
std::wstring SiblingLink() {
    return Special(CSIDL_DESKTOP) + L"\\" + GetDisplayName() + kSiblingName + L".lnk";
}
std::wstring ProgramsFolder() {
    return Special(CSIDL_COMMON_PROGRAMS) + L"\\" + GetDisplayName();
}
std::wstring PinnedFolder() {
    return Special(CSIDL_APPDATA, L"\\Microsoft\\Internet Explorer\\Quick Launch\\User Pinned") +
           L"\\TaskBar";
}
std::wstring PinnedLink() {
    return PinnedFolder() + L"\\" + GetDisplayName() + L".lnk";
}
// The uninstaller's copies in the temporary folder: its run folders, and a copy left in the
// temporary folder itself.
std::vector<std::wstring> TempCopies() {
    const std::wstring temp = GetTempFolder();
    std::vector<std::wstring> copies;
    WIN32_FIND_DATAW found = {};
    ScopedFindHandle find(
        ::FindFirstFileW((temp + L"\\" + kRunFolderPrefix + L"*").c_str(), &found));
    for (bool more = static_cast<bool>(find); more; more = ::FindNextFileW(find.Get(), &found)) {
        if (IsRunFolder(temp + L"\\" + found.cFileName, temp)) {
            copies.push_back(temp + L"\\" + found.cFileName);
        }
    }
    if (test::FileExists(temp + L"\\Uninstall.exe")) {
        copies.push_back(temp + L"\\Uninstall.exe");
    }
    return copies;
}

// A real shell link to target, as an installer makes it.
bool MakeLink(const std::wstring& linkPath, const std::wstring& target) {
    test::MakeFolders(PathFolder(linkPath));
    IShellLinkW* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link)))) {
        return false;
    }
    link->SetPath(target.c_str());
    link->SetWorkingDirectory(PathFolder(target).c_str());
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        saved = SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
        file->Release();
    }
    link->Release();
    return saved;
}

bool Copy(const std::wstring& from, const std::wstring& to) {
    test::MakeFolders(PathFolder(to));
    return ::CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

int Install(const std::wstring& registeredName, int dataFiles) {
    const std::wstring install = InstallFolder();
    const std::wstring bin = test::TestProgramFolder();
    const std::wstring hid = install + L"\\driver\\HID\\amd64";
    bool ok = Copy(bin + L"\\Uninstall.exe", install + L"\\Uninstall.exe") &&
              Copy(bin + L"\\QuorvelTablet.exe", install + L"\\" + GetProjectName() + L".exe") &&
              Copy(bin + L"\\devcon.exe", hid + L"\\devcon.exe") &&
              Copy(bin + L"\\DIFxCmd.exe", hid + L"\\DIFxCmd.exe");
    test::WriteFile(hid + L"\\vmulti.inf", "; device information");
    test::WriteFile(install + L"\\" + kDriverLibrary, "driver library");
    test::WriteFile(install + L"\\driver\\TabletDriver\\amd64\\tabetdriveruninstall.bat",
                    kBatchFile);
    test::WriteFile(install + L"\\" + GetProjectName() + L".ini", "[pen]\r\npressure=default\r\n");
    for (int i = 0; i < dataFiles; ++i) {
        test::WriteFile(install + L"\\data\\" + std::to_wstring(i / 500) + L"\\item" +
                            std::to_wstring(i) + L".dat",
                        "tablet data");
    }
    test::WriteFile(SiblingFolder() + L"\\keep.txt", "another program's file");
    test::MakeFolders(kRecordFolder);

    ok = test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"DisplayName", registeredName) &&
         test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"InstallPath", install) &&
         test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"UninstallString",
                              L"\"" + install + L"\\Uninstall.exe\"") &&
         test::SetStringValue(HKEY_LOCAL_MACHINE, SiblingEntry(), L"DisplayName",
                              GetDisplayName() + kSiblingName) &&
         test::SetStringValue(HKEY_LOCAL_MACHINE, kProductKey, L"InstallPath", install, REG_SZ,
                              KEY_WOW64_64KEY) &&
         ok;

    ScopedComInit com(COINIT_APARTMENTTHREADED);
    const std::wstring program = install + L"\\" + GetProjectName() + L".exe";
    ok = MakeLink(DesktopLink(), program) && MakeLink(SiblingLink(), SiblingFolder()) &&
         MakeLink(ProgramsFolder() + L"\\" + GetDisplayName() + L".lnk", program) &&
         MakeLink(ProgramsFolder() + L"\\Uninstall.lnk", install + L"\\Uninstall.exe") &&
         MakeLink(PinnedLink(), program) && ok;
    std::printf("%s\n", ok ? "installed" : "install failed");
    return ok ? 0 : 1;
}

bool ProcessRunning(const std::wstring& exeName) {
    ScopedFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = snapshot && ::Process32FirstW(snapshot.Get(), &entry); more;
         more = ::Process32NextW(snapshot.Get(), &entry)) {
        if (::CompareStringOrdinal(entry.szExeFile, -1, exeName.c_str(), -1, TRUE) == CSTR_EQUAL) {
            return true;
        }
    }
    return false;
}

int StartApp() {
    const std::wstring program = InstallFolder() + L"\\" + GetProjectName() + L".exe";
    std::wstring commandLine = L"\"" + program + L"\" " + GetWndMarkName() + L" \"" +
                               kRecordFolder + L"\\running-app.txt\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          InstallFolder().c_str(), &startup, &info)) {
        return 1;
    }
    ScopedHandle process(info.hProcess);
    ScopedHandle thread(info.hThread);
    const bool ready = test::WaitUntil([] {
        return test::ReadFile(std::wstring(kRecordFolder) + L"\\running-app.txt").find("ready") ==
               0;
    });
    std::printf("%s\n", ready ? "running program started" : "running program did not start");
    return ready ? 0 : 1;
}

void PrintState(const char* item, bool present, const char* yes = "present",
                const char* no = "gone") {
    std::printf("%s=%s\n", item, present ? yes : no);
}

int State() {
    const std::wstring records = kRecordFolder;
    PrintState("installFolder", test::FolderExists(InstallFolder()));
    PrintState("desktopLink", test::FileExists(DesktopLink()));
    PrintState("programsFolder", test::FolderExists(ProgramsFolder()));
    PrintState("pinnedLink", test::FileExists(PinnedLink()));
    PrintState("productKey", test::KeyExists(HKEY_LOCAL_MACHINE, kProductKey, KEY_WOW64_64KEY));
    PrintState("entry", test::KeyExists(HKEY_LOCAL_MACHINE, Entry()));
    PrintState("siblingEntry", test::KeyExists(HKEY_LOCAL_MACHINE, SiblingEntry()));
    PrintState("siblingFolder", test::FileExists(SiblingFolder() + L"\\keep.txt"));
    PrintState("siblingLink", test::FileExists(SiblingLink()));
    PrintState("batchFile", test::FileExists(records + L"\\bat.txt"), "ran", "not run");
    PrintState("devcon", test::FileExists(records + L"\\devcon.txt"), "ran", "not run");
    PrintState("DIFxCmd", test::FileExists(records + L"\\DIFxCmd.txt"), "ran", "not run");
    PrintState("runningApp", ProcessRunning(GetProjectName() + L".exe"), "running", "not running");
    PrintState("tempCopy", !TempCopies().empty());
    return 0;
}

int Remove() {
    for (const std::wstring& name : {GetProjectName() + L".exe", std::wstring(L"Uninstall.exe")}) {
        ScopedFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        PROCESSENTRY32W entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = snapshot && ::Process32FirstW(snapshot.Get(), &entry); more;
             more = ::Process32NextW(snapshot.Get(), &entry)) {
            if (::CompareStringOrdinal(entry.szExeFile, -1, name.c_str(), -1, TRUE) == CSTR_EQUAL) {
                ScopedHandle process(
                    ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
                if (process && ::TerminateProcess(process.Get(), 1)) {
                    ::WaitForSingleObject(process.Get(), 5000);
                }
            }
        }
    }
    test::RemoveTree(InstallFolder());
    test::RemoveTree(SiblingFolder());
    test::RemoveTree(ProgramsFolder());
    test::RemoveTree(kRecordFolder);
    for (const std::wstring& file : {DesktopLink(), SiblingLink(), PinnedLink()}) {
        ::DeleteFileW(file.c_str());
    }
    for (const std::wstring& copy : TempCopies()) {
        ::DeleteFileW(copy.c_str());
        test::RemoveTree(copy);
    }
    test::DeleteTree(HKEY_LOCAL_MACHINE, Entry());
    test::DeleteTree(HKEY_LOCAL_MACHINE, SiblingEntry());
    test::DeleteTree(HKEY_LOCAL_MACHINE, kProductKey, KEY_WOW64_64KEY);
    WithdrawRestartRemovals(test::PendingDeletionsBelow(InstallFolder()));
    std::printf("removed\n");
    return 0;
}

int Run(const std::wstring& program, const std::vector<std::wstring>& arguments) {
    std::wstring commandLine = L"\"" + program + L"\"";
    for (const std::wstring& argument : arguments) {
        commandLine += L" " + argument;
    }
    const std::vector<test::RecordedProcess> processes = test::RecordProcessTree(
        commandLine, PathFolder(program), {{L"UNINSTALLER_TEST_RECORD", kRecordFolder}}, 600000);
    for (const test::RecordedProcess& process : processes) {
        std::printf("process exit=%s ended=%d image=%s\n",
                    process.exitCode ? std::to_string(*process.exitCode).c_str() : "none",
                    process.exitOrder, WideToUtf8(process.imagePath).c_str());
    }
    return processes.empty() ? 1 : 0;
}

int HoldFile(const std::wstring& relativePath) {
    test::FileHolderProcess holder(InstallFolder() + L"\\" + relativePath);
    std::printf("%s\n", holder.Holding() ? "holding" : "not holding");
    std::fflush(stdout);
    if (!holder.Holding()) {
        return 1;
    }
    char line[16];
    std::fgets(line, sizeof line, stdin);
    const int exitCode = holder.Release();
    std::printf("released exit=%d\n", exitCode);
    return exitCode == 0 ? 0 : 1;
}

int Pending() {
    for (const std::wstring& path : test::PendingDeletionsBelow(InstallFolder())) {
        std::printf("pending=%s\n", WideToUtf8(path).c_str());
    }
    return 0;
}

int Hold() {
    const HWND window =
        ::CreateWindowExW(0, L"STATIC", L"demo desktop holder", WS_POPUP, 0, 0, 1, 1, nullptr,
                          nullptr, ::GetModuleHandleW(nullptr), nullptr);
    MSG message;
    while (window != nullptr && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&message);
    }
    return 0;
}

int SysCommand(const std::wstring& command) {
    const std::wstring title = GetDisplayName() + L"卸载程序";
    const HWND window = ::FindWindowW(nullptr, title.c_str());
    if (window == nullptr) {
        std::printf("no window\n");
        return 1;
    }
    const WPARAM code = command == L"maximize" ? SC_MAXIMIZE : SC_CLOSE;
    ::SendMessageW(window, WM_SYSCOMMAND, code, 0);
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    std::printf("size=%ldx%ld\n", rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}

}  // namespace

int main() {
    std::vector<std::wstring> args;
    int count = 0;
    if (wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        args.assign(argv, argv + count);
        ::LocalFree(argv);
    }
    LoadAppConfig(::GetModuleHandleW(nullptr));
    const std::wstring command = args.size() > 1 ? args[1] : L"";
    if (command == L"install") {
        std::wstring name = GetDisplayName();
        int files = 40;
        for (size_t i = 2; i + 1 < args.size(); i += 2) {
            if (args[i] == L"--name") {
                name = args[i + 1];
            } else if (args[i] == L"--files") {
                files = _wtoi(args[i + 1].c_str());
            }
        }
        return Install(name, files);
    }
    if (command == L"start-app") {
        return StartApp();
    }
    if (command == L"state") {
        return State();
    }
    if (command == L"remove") {
        return Remove();
    }
    if (command == L"run" && args.size() > 2) {
        return Run(args[2], std::vector<std::wstring>(args.begin() + 3, args.end()));
    }
    if (command == L"hold-file" && args.size() > 2) {
        return HoldFile(args[2]);
    }
    if (command == L"pending") {
        return Pending();
    }
    if (command == L"hold") {
        return Hold();
    }
    if (command == L"syscommand" && args.size() > 2) {
        return SysCommand(args[2]);
    }
    std::fprintf(stderr,
                 "usage: demo_product "
                 "install|start-app|state|remove|run|hold|hold-file|pending|syscommand\n");
    return 2;
}
