#include "SpecialFolders.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace {

TEST(SpecialFoldersTest, FoldersAreFoundUnderWine) {
    std::wstring desktop;
    EXPECT_TRUE(GetDesktopFolder(desktop));
    EXPECT_TRUE(test::FolderExists(desktop)) << desktop;

    std::wstring programs;
    EXPECT_TRUE(GetCommonProgramsFolder(programs));
    EXPECT_TRUE(test::FolderExists(programs));

    std::wstring quickLaunch;
    EXPECT_TRUE(GetQuickLaunchFolder(quickLaunch));
    const std::wstring suffix = L"\\Microsoft\\Internet Explorer\\Quick Launch";
    ASSERT_GT(quickLaunch.size(), suffix.size());
    EXPECT_EQ(quickLaunch.substr(quickLaunch.size() - suffix.size()), suffix);
    EXPECT_TRUE(test::FolderExists(quickLaunch.substr(0, quickLaunch.size() - suffix.size())));

    const std::wstring windows = GetWindowsFolder();
    EXPECT_EQ(::CompareStringOrdinal(windows.c_str(), -1, L"C:\\windows", -1, TRUE), CSTR_EQUAL)
        << windows;
}

TEST(SpecialFoldersTest, FailedLookupLeavesTheStringAsItWas) {
    std::wstring path = L"unchanged";
    EXPECT_FALSE(GetSpecialFolder(0x7F, L"\\suffix", path)) << "no such folder";
    EXPECT_EQ(path, L"unchanged");
    EXPECT_FALSE(GetSpecialFolder(CSIDL_CONTROLS, L"\\suffix", path)) << "a folder without a path";
    EXPECT_EQ(path, L"unchanged");
}

}  // namespace
