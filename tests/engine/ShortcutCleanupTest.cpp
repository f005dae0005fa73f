#include "ShortcutCleanup.h"

#include "ScopedComInit.h"

#include "SpecialFolders.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <string>

namespace {

constexpr wchar_t kUninstallList[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

TEST(BuildItemPathTest, AppendsThePlainNameToAFolder) {
    EXPECT_EQ(BuildItemPath(L"C:\\Users\\u\\Desktop", L"Tablet", L".lnk"),
              L"C:\\Users\\u\\Desktop\\Tablet.lnk");
    EXPECT_EQ(BuildItemPath(L"C:\\Users\\u\\Desktop\\", L"Tablet", L".lnk"),
              L"C:\\Users\\u\\Desktop\\Tablet.lnk");
    EXPECT_EQ(BuildItemPath(L"C:\\ProgramData\\Programs", L"平板 驱动", L""),
              L"C:\\ProgramData\\Programs\\平板 驱动");
    EXPECT_EQ(BuildItemPath(L"\\\\server\\share\\Desktop", L"Tablet", L".lnk"),
              L"\\\\server\\share\\Desktop\\Tablet.lnk");
}

TEST(BuildItemPathTest, NeverLandsAtARootOrOutsideTheFolder) {
    EXPECT_EQ(BuildItemPath(L"", L"Tablet", L".lnk"), L"");
    EXPECT_EQ(BuildItemPath(L"C:\\", L"Tablet", L".lnk"), L"");
    EXPECT_EQ(BuildItemPath(L"C:", L"Tablet", L".lnk"), L"");
    EXPECT_EQ(BuildItemPath(L"\\", L"Tablet", L".lnk"), L"");
    EXPECT_EQ(BuildItemPath(L"Desktop", L"Tablet", L".lnk"), L"");
    EXPECT_EQ(BuildItemPath(L"\\\\server\\share", L"Tablet", L".lnk"), L"");
    EXPECT_EQ(BuildItemPath(L"\\\\?\\C:\\Desktop", L"Tablet", L".lnk"), L"");
}

TEST(BuildItemPathTest, RefusesNamesThatAreNoPlainName) {
    const std::wstring folder = L"C:\\ProgramData\\Programs";
    EXPECT_EQ(BuildItemPath(folder, L"", L""), L"");
    EXPECT_EQ(BuildItemPath(folder, L".", L""), L"");
    EXPECT_EQ(BuildItemPath(folder, L"..", L""), L"");
    EXPECT_EQ(BuildItemPath(folder, L"..\\..", L""), L"");
    EXPECT_EQ(BuildItemPath(folder, L"a/b", L""), L"");
    EXPECT_EQ(BuildItemPath(folder, L"  ", L""), L"");
    EXPECT_EQ(BuildItemPath(folder, L"Tablet:stream", L""), L"");
    EXPECT_EQ(BuildItemPath(folder, L"", L".lnk"), L"");
}

std::wstring Special(int csidl, const wchar_t* suffix = L"") {
    std::wstring path;
    EXPECT_TRUE(GetSpecialFolder(csidl, suffix, path));
    return path;
}

TEST(ShortcutPathsTest, AreBuiltFromTheDisplayNameInTheShellsFolders) {
    EXPECT_EQ(DesktopLinkPath(L"Tablet"), Special(CSIDL_DESKTOP) + L"\\Tablet.lnk");
    EXPECT_EQ(ProgramsFolderPath(L"Tablet"), Special(CSIDL_COMMON_PROGRAMS) + L"\\Tablet");
    EXPECT_EQ(
        PinnedLinkPath(L"Tablet"),
        Special(CSIDL_APPDATA) +
            L"\\Microsoft\\Internet Explorer\\Quick Launch\\User Pinned\\TaskBar\\Tablet.lnk");
}

TEST(ShortcutPathsTest, AnEmptyDisplayNameNamesNothing) {
    EXPECT_EQ(DesktopLinkPath(L""), L"");
    // Without a name the programs folder itself would be deleted.
    EXPECT_EQ(ProgramsFolderPath(L""), L"");
    EXPECT_EQ(PinnedLinkPath(L""), L"");
}

int CountProcesses(const wchar_t* exeName) {
    ScopedFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more;
         more = ::Process32NextW(snapshot.Get(), &entry)) {
        count += ::CompareStringOrdinal(entry.szExeFile, -1, exeName, -1, TRUE) == CSTR_EQUAL;
    }
    return count;
}

TEST(InvokeUnpinVerbTest, AVerbTheShellDoesNotOfferOpensNothing) {
    // The worker thread that unpins runs in a multithreaded apartment.
    const ScopedComInit com(COINIT_MULTITHREADED);
    ASSERT_TRUE(com.Succeeded());
    test::ScratchFolder folder(L"unpin");
    test::WriteFile(folder / L"Tablet.lnk", "link");
    const int explorersBefore = CountProcesses(L"explorer.exe");

    InvokeUnpinVerb(L"startunpin", folder.Path());
    InvokeUnpinVerb(L"taskbarunpin", folder / L"Tablet.lnk");
    InvokeUnpinVerb(L"startunpin", folder / L"missing");
    InvokeUnpinVerb(L"taskbarunpin", L"");
    ::Sleep(1000);

    EXPECT_LE(CountProcesses(L"explorer.exe"), explorersBefore);
    EXPECT_TRUE(test::FileExists(folder / L"Tablet.lnk"));
}

class InstalledProgramsEntryTest : public ::testing::Test {
protected:
    std::wstring Entry(const std::wstring& name) {
        return std::wstring(kUninstallList) + L"\\" + name;
    }

    test::ScratchRegKey entry_{HKEY_LOCAL_MACHINE, Entry(L"UninstallerTestsEntry")};
    test::ScratchRegKey sibling_{HKEY_LOCAL_MACHINE, Entry(L"UninstallerTestsEntrySibling")};
};

TEST_F(InstalledProgramsEntryTest, DeletesTheEntryWithItsSubkeysAndLeavesSiblings) {
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, Entry(L"UninstallerTestsEntry\\A\\B")));
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, Entry(L"UninstallerTestsEntry\\C")));
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, Entry(L"UninstallerTestsEntrySibling")));

    RemoveInstalledProgramsEntry(L"UninstallerTestsEntry");

    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, Entry(L"UninstallerTestsEntry")));
    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, Entry(L"UninstallerTestsEntrySibling")));
}

TEST_F(InstalledProgramsEntryTest, AnEmptyOrCompoundNameDeletesNothing) {
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, Entry(L"UninstallerTestsEntry\\A")));
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, Entry(L"UninstallerTestsEntrySibling")));

    RemoveInstalledProgramsEntry(L"");
    RemoveInstalledProgramsEntry(L"UninstallerTestsEntry\\A");

    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, Entry(L"UninstallerTestsEntry\\A")));
    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, Entry(L"UninstallerTestsEntrySibling")));
}

}  // namespace
