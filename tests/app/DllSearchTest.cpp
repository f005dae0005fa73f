#include "PathUtil.h"
#include "ProcessTreeRecorder.h"
#include "TestFiles.h"
#include "TestProcess.h"
#include "TestRegistry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

namespace {

// Libraries the system always loads from its own folder, whatever lies beside a program.
const std::set<std::string> kKnownDlls = {
    "advapi32.dll", "clbcatq.dll", "comdlg32.dll", "gdi32.dll",    "imagehlp.dll", "imm32.dll",
    "kernel32.dll", "msctf.dll",   "msvcrt.dll",   "normaliz.dll", "nsi.dll",      "ole32.dll",
    "oleaut32.dll", "psapi.dll",   "rpcrt4.dll",   "sechost.dll",  "setupapi.dll", "shell32.dll",
    "shlwapi.dll",  "user32.dll",  "ws2_32.dll",   "wldap32.dll",
};

// The DLL names in a PE file's import directory.
std::set<std::string> ImportedDlls(const std::string& image) {
    std::set<std::string> names;
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image.data() + dos->e_lfanew);
    const auto* sections = IMAGE_FIRST_SECTION(nt);
    const auto fileOffset = [&](DWORD rva) -> std::size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const auto& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData) {
                return rva - s.VirtualAddress + s.PointerToRawData;
            }
        }
        return 0;
    };
    const auto& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(
             image.data() + fileOffset(directory.VirtualAddress));
         entry->Name != 0; ++entry) {
        std::string name = image.data() + fileOffset(entry->Name);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        names.insert(name);
    }
    return names;
}

TEST(DllSearchTest, ProgramImportsOnlyKnownSystemLibraries) {
    const std::set<std::string> imports =
        ImportedDlls(test::ReadFile(GetModuleFolder() + L"\\Uninstall.exe"));
    ASSERT_FALSE(imports.empty());
    for (const std::string& dll : imports) {
        EXPECT_TRUE(kKnownDlls.count(dll)) << dll << " is not a known DLL";
    }
}

// Stand-ins named after the system libraries the program loads at run time are planted beside
// it. Wine prefers its own builtin libraries, so the programs under test are told (through
// Wine's per-program settings) to prefer native files, as Windows would take a planted file
// found first in the search.
class PlantedDllTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* name : kPlantedNames) {
            ASSERT_TRUE(::CopyFileW(StandIn().c_str(), (folder_ + L"\\" + name).c_str(), FALSE));
            const std::wstring library = std::wstring(name).substr(0, wcslen(name) - 4);
            for (const auto& settings : {&programSettings_, &probeSettings_}) {
                ASSERT_TRUE(test::SetStringValue(HKEY_CURRENT_USER,
                                                 settings->Path() + L"\\DllOverrides", library,
                                                 L"native,builtin"));
            }
        }
    }

    std::vector<std::wstring> LoadedStandIns() const {
        std::vector<std::wstring> loaded;
        for (const wchar_t* name : kPlantedNames) {
            if (test::FileExists(folder_ + L"\\" + name + L".loaded")) {
                loaded.push_back(name);
            }
        }
        return loaded;
    }

    void RemoveMarkers() const {
        for (const wchar_t* name : kPlantedNames) {
            ::DeleteFileW((folder_ + L"\\" + name + L".loaded").c_str());
        }
    }

    std::vector<test::EnvironmentOverride> Environment() const {
        return {{L"TMP", folder_}, {L"TEMP", folder_}};
    }

    static std::wstring StandIn() { return GetModuleFolder() + L"\\PlantedDll.dll"; }

    static constexpr const wchar_t* kPlantedNames[] = {L"comctl32.dll", L"msimg32.dll",
                                                       L"gdiplus.dll", L"plantonly.dll"};
    test::ScratchRegKey programSettings_{HKEY_CURRENT_USER,
                                         L"Software\\Wine\\AppDefaults\\Uninstall.exe"};
    test::ScratchRegKey probeSettings_{HKEY_CURRENT_USER,
                                       L"Software\\Wine\\AppDefaults\\DllProbe.exe"};
    test::ScratchFolder scratch_{L"planted dll"};
    const std::wstring folder_ = scratch_.Path();
};

TEST_F(PlantedDllTest, ProgramNeverLoadsALibraryPlantedBesideIt) {
    const std::wstring program = folder_ + L"\\Uninstall.exe";
    ASSERT_TRUE(
        ::CopyFileW((GetModuleFolder() + L"\\Uninstall.exe").c_str(), program.c_str(), FALSE));

    const auto processes = test::RecordProcessTree(L"\"" + program + L"\"", folder_, Environment());

    ASSERT_EQ(processes.size(), 1u) << "runs in place from the temporary folder";
    EXPECT_EQ(processes[0].exitCode, 0u);
    EXPECT_TRUE(LoadedStandIns().empty()) << testing::PrintToString(LoadedStandIns());
}

TEST_F(PlantedDllTest, PlantedLibrariesAreLoadedByAProgramThatDoesNotGuardItsSearch) {
    const std::wstring probe = folder_ + L"\\DllProbe.exe";
    ASSERT_TRUE(::CopyFileW((GetModuleFolder() + L"\\DllProbe.exe").c_str(), probe.c_str(), FALSE));
    const auto runProbe = [&](const wchar_t* mode, const wchar_t* dll) {
        const auto processes = test::RecordProcessTree(L"\"" + probe + L"\" " + mode + L" " + dll,
                                                       folder_, Environment());
        return processes.empty() ? std::optional<DWORD>() : processes[0].exitCode;
    };

    for (const wchar_t* name : kPlantedNames) {
        RemoveMarkers();
        EXPECT_EQ(runProbe(L"open", name), 0u) << testing::PrintToString(std::wstring(name));
        EXPECT_EQ(LoadedStandIns(), std::vector<std::wstring>{name});
    }

    // The same loads through the program's own guards stay in the system folder.
    RemoveMarkers();
    EXPECT_EQ(runProbe(L"restricted", L"plantonly.dll"), 1u);
    EXPECT_EQ(runProbe(L"system", L"plantonly.dll"), 1u);
    EXPECT_EQ(runProbe(L"restricted", L"msimg32.dll"), 0u);
    EXPECT_EQ(runProbe(L"system", L"gdiplus.dll"), 0u);
    EXPECT_TRUE(LoadedStandIns().empty()) << testing::PrintToString(LoadedStandIns());
}

}  // namespace
