#include "InstallPathSafety.h"

#include "PathUtil.h"
#include "SpecialFolders.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Verdict = InstallPathVerdict;

const std::vector<ProtectedFolder> kSampleFolders = {
    {L"C:\\Windows", ProtectedScope::WholeTree},
    {L"C:\\Program Files", ProtectedScope::FolderOnly},
    {L"C:\\Users", ProtectedScope::EachSubfolder},
    {L"C:\\Users\\bob\\Desktop", ProtectedScope::FolderOnly},
    {L"D:\\Temp\\", ProtectedScope::FolderOnly},
    {L"", ProtectedScope::WholeTree},
};

Verdict Judge(const std::wstring& path) {
    return JudgeInstallPath(path, kSampleFolders);
}

TEST(JudgeInstallPathTest, RefusesEmptyRootsAndPathsThatAreNotLocalAndAbsolute) {
    EXPECT_EQ(Judge(L""), Verdict::Empty);
    EXPECT_EQ(Judge(L"C:\\"), Verdict::DriveRoot);
    EXPECT_EQ(Judge(L"c:/"), Verdict::DriveRoot);
    EXPECT_EQ(Judge(L"E:\\\\"), Verdict::DriveRoot);
    EXPECT_EQ(Judge(L"C:"), Verdict::NotLocalAbsolute);
    EXPECT_EQ(Judge(L"C:Quorvel"), Verdict::NotLocalAbsolute);
    EXPECT_EQ(Judge(L"Quorvel\\Tablet"), Verdict::NotLocalAbsolute);
    EXPECT_EQ(Judge(L"\\Quorvel"), Verdict::NotLocalAbsolute);
    EXPECT_EQ(Judge(L"\\\\server\\share\\Quorvel"), Verdict::NotLocalAbsolute);
    EXPECT_EQ(Judge(L"\\\\?\\C:\\Quorvel"), Verdict::NotLocalAbsolute);
    EXPECT_EQ(Judge(L"1:\\Quorvel"), Verdict::NotLocalAbsolute);
    EXPECT_EQ(Judge(L"C:\\" + std::wstring(MAX_PATH, L'a')), Verdict::TooLong);
}

TEST(JudgeInstallPathTest, RefusesPartsThatWindowsWouldReadDifferently) {
    EXPECT_EQ(Judge(L"C:\\Program Files\\..\\Windows"), Verdict::BadComponent);
    EXPECT_EQ(Judge(L"C:\\Program Files\\.\\Quorvel"), Verdict::BadComponent);
    EXPECT_EQ(Judge(L"C:\\Windows."), Verdict::BadComponent);
    EXPECT_EQ(Judge(L"C:\\Windows \\x"), Verdict::BadComponent);
    EXPECT_EQ(Judge(L"C:\\Program Files\\\\Quorvel"), Verdict::BadComponent);
    EXPECT_EQ(Judge(L"C:\\Program Files\\Quor*"), Verdict::BadComponent);
    EXPECT_EQ(Judge(L"C:\\Program Files\\x:y"), Verdict::BadComponent);
    EXPECT_EQ(Judge(L"C:\\Quorvel\\nul"), Verdict::BadComponent);
    EXPECT_EQ(Judge(L"C:\\Quorvel\\COM1.txt"), Verdict::BadComponent);
}

TEST(JudgeInstallPathTest, RefusesTheWindowsFolderAndEverythingInIt) {
    EXPECT_EQ(Judge(L"C:\\Windows"), Verdict::Protected);
    EXPECT_EQ(Judge(L"c:\\WINDOWS\\"), Verdict::Protected);
    EXPECT_EQ(Judge(L"C:/Windows/System32"), Verdict::Protected);
    EXPECT_EQ(Judge(L"C:\\Windows\\System32\\drivers\\Quorvel"), Verdict::Protected);
    EXPECT_EQ(Judge(L"C:\\WindowsApps\\Quorvel"), Verdict::Accepted);
}

TEST(JudgeInstallPathTest, RefusesSpecialFoldersAndFoldersAboveThemButNotBelow) {
    EXPECT_EQ(Judge(L"C:\\Program Files"), Verdict::Protected);
    EXPECT_EQ(Judge(L"C:\\program files\\"), Verdict::Protected);
    EXPECT_EQ(Judge(L"C:\\Program Files\\Quorvel"), Verdict::Accepted);
    EXPECT_EQ(Judge(L"C:\\Program Filesx"), Verdict::Accepted);
    EXPECT_EQ(Judge(L"C:\\Users\\bob\\Desktop"), Verdict::Protected);
    EXPECT_EQ(Judge(L"C:\\Users\\bob\\Desktop\\Quorvel"), Verdict::Accepted);
    EXPECT_EQ(Judge(L"D:\\Temp"), Verdict::Protected);
    EXPECT_EQ(Judge(L"D:\\Temp\\Quorvel"), Verdict::Accepted);
}

TEST(JudgeInstallPathTest, RefusesTheProfilesFolderAndEachProfileRoot) {
    EXPECT_EQ(Judge(L"C:\\Users"), Verdict::Protected);
    EXPECT_EQ(Judge(L"C:\\Users\\alice"), Verdict::Protected);
    EXPECT_EQ(Judge(L"C:\\Users\\bob"), Verdict::Protected);
    EXPECT_EQ(Judge(L"C:\\Users\\alice\\Tools\\Quorvel"), Verdict::Accepted);
    EXPECT_EQ(Judge(L"D:\\Quorvel"), Verdict::Accepted);
}

TEST(JudgeInstallPathTest, WithoutProtectedFoldersOnlyTheTextIsJudged) {
    EXPECT_EQ(JudgeInstallPath(L"C:\\Windows", {}), Verdict::Accepted);
    EXPECT_EQ(JudgeInstallPath(L"C:\\", {}), Verdict::DriveRoot);
}

bool Lists(const std::vector<ProtectedFolder>& folders, const std::wstring& path) {
    return std::any_of(folders.begin(), folders.end(), [&](const ProtectedFolder& folder) {
        return ::CompareStringOrdinal(folder.path.c_str(), -1, path.c_str(), -1, TRUE) ==
               CSTR_EQUAL;
    });
}

std::wstring Special(int csidl) {
    std::wstring path;
    EXPECT_TRUE(GetSpecialFolder(csidl, L"", path));
    return path;
}

TEST(ProtectedFoldersTest, ListTheSystemsOwnFolders) {
    const std::vector<ProtectedFolder> folders = LookUpProtectedFolders();
    EXPECT_TRUE(Lists(folders, GetWindowsFolder()));
    EXPECT_TRUE(Lists(folders, GetTempFolder()));
    EXPECT_TRUE(Lists(folders, Special(CSIDL_PROGRAM_FILES)));
    EXPECT_TRUE(Lists(folders, Special(CSIDL_DESKTOPDIRECTORY)));
    EXPECT_TRUE(Lists(folders, Special(CSIDL_COMMON_PROGRAMS)));
    EXPECT_TRUE(Lists(folders, PathFolder(Special(CSIDL_PROFILE))));
}

TEST(IsRemovableInstallFolderTest, AcceptsAnOrdinaryExistingFolder) {
    test::ScratchFolder install(L"install path");
    EXPECT_TRUE(IsRemovableInstallFolder(install.Path()));
    EXPECT_TRUE(IsRemovableInstallFolder(install.Path() + L"\\"));
}

TEST(IsRemovableInstallFolderTest, RefusesWhatIsMissingOrNoFolder) {
    test::ScratchFolder scratch(L"install path");
    test::WriteFile(scratch / L"file.txt", "x");
    EXPECT_FALSE(IsRemovableInstallFolder(scratch / L"missing"));
    EXPECT_FALSE(IsRemovableInstallFolder(scratch / L"file.txt"));
    EXPECT_FALSE(IsRemovableInstallFolder(L""));
}

TEST(IsRemovableInstallFolderTest, RefusesTheSystemsOwnFolders) {
    EXPECT_FALSE(IsRemovableInstallFolder(L"C:\\"));
    EXPECT_FALSE(IsRemovableInstallFolder(GetWindowsFolder()));
    EXPECT_FALSE(IsRemovableInstallFolder(GetWindowsFolder() + L"\\system32"));
    EXPECT_FALSE(IsRemovableInstallFolder(GetTempFolder()));
    EXPECT_FALSE(IsRemovableInstallFolder(Special(CSIDL_PROGRAM_FILES)));
    EXPECT_FALSE(IsRemovableInstallFolder(Special(CSIDL_DESKTOPDIRECTORY)));
    EXPECT_FALSE(IsRemovableInstallFolder(Special(CSIDL_COMMON_PROGRAMS)));
    EXPECT_FALSE(IsRemovableInstallFolder(Special(CSIDL_PROFILE)));
    EXPECT_FALSE(IsRemovableInstallFolder(Special(CSIDL_APPDATA)));
}

TEST(IsRemovableInstallFolderTest, RefusesTheShortNameOfAProtectedFolder) {
    wchar_t shortName[MAX_PATH] = {};
    const std::wstring programFiles = Special(CSIDL_PROGRAM_FILES);
    ASSERT_GT(::GetShortPathNameW(programFiles.c_str(), shortName, MAX_PATH), 0u);
    EXPECT_FALSE(IsRemovableInstallFolder(shortName));
}

}  // namespace
