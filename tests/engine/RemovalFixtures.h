#pragma once

#include "TestFiles.h"
#include "UninstallSettings.h"

#include <string>
#include <vector>

namespace test {

// The settings of the product the tests install: what the program's embedded configuration names.
UninstallSettings ProductSettings();

// Stand-in copies of the tablet interface library in both system folders; the files that were
// there before (and a SysWOW64 folder that wasn't) are put back afterwards.
class Wintab32StandIns {
public:
    Wintab32StandIns();
    ~Wintab32StandIns();
    Wintab32StandIns(const Wintab32StandIns&) = delete;
    Wintab32StandIns& operator=(const Wintab32StandIns&) = delete;

    const std::wstring& NativePath() const { return nativePath_; }
    const std::wstring& Wow64Path() const { return wow64Path_; }

private:
    struct Saved {
        std::wstring path;
        bool existed = false;
        std::string content;
    };
    std::wstring nativePath_;
    std::wstring wow64Path_;
    bool createdWow64Folder_ = false;
    std::vector<Saved> saved_;
};

// A folder that the stand-in tools write their records into, named to them through the variable
// UNINSTALLER_TEST_RECORD of this process (which the programs it starts inherit).
class ToolRecords {
public:
    ToolRecords();
    ~ToolRecords();
    ToolRecords(const ToolRecords&) = delete;
    ToolRecords& operator=(const ToolRecords&) = delete;

    // The lines of <name>.txt ("devcon", "DIFxCmd", "bat"); empty when it isn't there (yet).
    std::vector<std::string> Lines(const std::wstring& name) const;
    bool Has(const std::wstring& name) const;

private:
    ScratchFolder folder_{L"tool records"};
};

// Lays out the driver package below installPath for this (64-bit) system: the uninstall batch
// file, the stand-in devcon.exe and DIFxCmd.exe and the information file. Returns the number of
// files written.
int WriteDriverPackage(const std::wstring& installPath);

// The folder the device tools live in below installPath on this system.
std::wstring HidToolFolder(const std::wstring& installPath);

}  // namespace test
