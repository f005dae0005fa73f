#include "RemovalFixtures.h"

#include "PathUtil.h"
#include "SpecialFolders.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace test {

UninstallSettings ProductSettings() {
    UninstallSettings settings;
    settings.projectName = L"QuorvelTablet";
    settings.displayName = L"QuorvelTablet";
    settings.windowMarkName = L"QuorvelWndMark";
    settings.brandName = L"Quorvel";
    settings.runningProgramNames = {L"QuorvelTablet.exe"};
    return settings;
}

namespace {

constexpr wchar_t kRecordVariable[] = L"UNINSTALLER_TEST_RECORD";

constexpr char kBatchFile[] =
    "@echo off\r\n"
    "echo args=[%*]> \"%UNINSTALLER_TEST_RECORD%\\bat.part\"\r\n"
    "move /y \"%UNINSTALLER_TEST_RECORD%\\bat.part\" \"%UNINSTALLER_TEST_RECORD%\\bat.txt\" "
    ">nul\r\n";

}  // namespace

Wintab32StandIns::Wintab32StandIns() {
    const std::wstring windows = GetWindowsFolder();
    nativePath_ = windows + L"\\System32\\wintab32.dll";
    wow64Path_ = windows + L"\\SysWOW64\\wintab32.dll";
    if (!FolderExists(PathFolder(wow64Path_))) {
        createdWow64Folder_ = ::CreateDirectoryW(PathFolder(wow64Path_).c_str(), nullptr) != 0;
    }
    for (const std::wstring* path : {&nativePath_, &wow64Path_}) {
        Saved saved;
        saved.path = *path;
        saved.existed = FileExists(*path);
        if (saved.existed) {
            saved.content = ReadFile(*path);
        }
        saved_.push_back(saved);
        WriteFile(*path, "wintab32 stand-in");
    }
}

Wintab32StandIns::~Wintab32StandIns() {
    for (const Saved& saved : saved_) {
        ::DeleteFileW(saved.path.c_str());
        if (saved.existed) {
            WriteFile(saved.path, saved.content);
        }
    }
    if (createdWow64Folder_) {
        ::RemoveDirectoryW(PathFolder(wow64Path_).c_str());
    }
}

ToolRecords::ToolRecords() {
    ::SetEnvironmentVariableW(kRecordVariable, folder_.Path().c_str());
}

ToolRecords::~ToolRecords() {
    ::SetEnvironmentVariableW(kRecordVariable, nullptr);
}

std::vector<std::string> ToolRecords::Lines(const std::wstring& name) const {
    const std::string text = ReadFile(folder_ / (name + L".txt"));
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool ToolRecords::Has(const std::wstring& name) const {
    return FileExists(folder_ / (name + L".txt"));
}

std::wstring HidToolFolder(const std::wstring& installPath) {
    return installPath + L"\\driver\\HID\\amd64";
}

int WriteDriverPackage(const std::wstring& installPath) {
    WriteFile(installPath + L"\\driver\\TabletDriver\\amd64\\tabetdriveruninstall.bat", kBatchFile);
    const std::wstring hid = HidToolFolder(installPath);
    MakeFolders(hid);
    for (const wchar_t* tool : {L"\\devcon.exe", L"\\DIFxCmd.exe"}) {
        EXPECT_TRUE(::CopyFileW((TestProgramFolder() + tool).c_str(), (hid + tool).c_str(), FALSE));
    }
    WriteFile(hid + L"\\vmulti.inf", "; information file stand-in");
    return 4;
}

}  // namespace test
