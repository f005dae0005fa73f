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
    {L"C:\\Windows", ProtectedScope::kWholeTree},
    {L"C:\\Program Files", ProtectedScope::kFolderOnly},
    {L"C:\\Users", ProtectedScope::kEachSubfolder},
    {L"C:\\Users\\bob\\Desktop", ProtectedScope::kFolderOnly},
    {L"D:\\Temp\\", ProtectedScope::kFolderOnly},
    {L"", ProtectedScope::kWholeTree},
};

Verdict Judge(const std::wstring& path) {
    return JudgeInstallPath(path, kSampleFolders);
}

TEST(JudgeInstallPathTest, RefusesEmptyRootsAndPathsThatAreNotLocalAndAbsolute) {
    EXPECT_EQ(Judge(L""), Verdict::kEmpty);
    EXPECT_EQ(Judge(L"C:\\"), Verdict::kDriveRoot);
    EXPECT_EQ(Judge(L"c:/"), Verdict::kDriveRoot);
    EXPECT_EQ(Judge(L"E:\\\\"), Verdict::kDriveRoot);
    EXPECT_EQ(Judge(L"C:"), Verdict::kNotLocalAbsolute);
    EXPECT_EQ(Judge(L"C:Quorvel"), Verdict::kNotLocalAbsolute);
    EXPECT_EQ(Judge(L"Quorvel\\Tablet"), Verdict::kNotLocalAbsolute);
    EXPECT_EQ(Judge(L"\\Quorvel"), Verdict::kNotLocalAbsolute);
    EXPECT_EQ(Judge(L"\\\\server\\share\\Quorvel"), Verdict::kNotLocalAbsolute);
    EXPECT_EQ(Judge(L"\\\\?\\C:\\Quorvel"), Verdict::kNotLocalAbsolute);
    EXPECT_EQ(Judge(L"1:\\Quorvel"), Verdict::kNotLocalAbsolute);
    EXPECT_EQ(Judge(L"C:\\" + std::wstring(MAX_PATH, L'a')), Verdict::kTooLong);
}

TEST(JudgeInstallPathTest, RefusesPartsThatWindowsWouldReadDifferently) {
    EXPECT_EQ(Judge(L"C:\\Program Files\\..\\Windows"), Verdict::kBadComponent);
    EXPECT_EQ(Judge(L"C:\\Program Files\\.\\Quorvel"), Verdict::kBadComponent);
    EXPECT_EQ(Judge(L"C:\\Windows."), Verdict::kBadComponent);
    EXPECT_EQ(Judge(L"C:\\Windows \\x"), Verdict::kBadComponent);
    EXPECT_EQ(Judge(L"C:\\Program Files\\\\Quorvel"), Verdict::kBadComponent);
    EXPECT_EQ(Judge(L"C:\\Program Files\\Quor*"), Verdict::kBadComponent);
    EXPECT_EQ(Judge(L"C:\\Program Files\\x:y"), Verdict::kBadComponent);
    EXPECT_EQ(Judge(L"C:\\Quorvel\\nul"), Verdict::kBadComponent);
    EXPECT_EQ(Judge(L"C:\\Quorvel\\COM1.txt"), Verdict::kBadComponent);
}

TEST(JudgeInstallPathTest, RefusesTheWindowsFolderAndEverythingInIt) {
    EXPECT_EQ(Judge(L"C:\\Windows"), Verdict::kProtected);
    EXPECT_EQ(Judge(L"c:\\WINDOWS\\"), Verdict::kProtected);
    EXPECT_EQ(Judge(L"C:/Windows/System32"), Verdict::kProtected);
    EXPECT_EQ(Judge(L"C:\\Windows\\System32\\drivers\\Quorvel"), Verdict::kProtected);
    EXPECT_EQ(Judge(L"C:\\WindowsApps\\Quorvel"), Verdict::kAccepted);
}

TEST(JudgeInstallPathTest, RefusesSpecialFoldersAndFoldersAboveThemButNotBelow) {
    EXPECT_EQ(Judge(L"C:\\Program Files"), Verdict::kProtected);
    EXPECT_EQ(Judge(L"C:\\program files\\"), Verdict::kProtected);
    EXPECT_EQ(Judge(L"C:\\Program Files\\Quorvel"), Verdict::kAccepted);
    EXPECT_EQ(Judge(L"C:\\Program Filesx"), Verdict::kAccepted);
    EXPECT_EQ(Judge(L"C:\\Users\\bob\\Desktop"), Verdict::kProtected);
    EXPECT_EQ(Judge(L"C:\\Users\\bob\\Desktop\\Quorvel"), Verdict::kAccepted);
    EXPECT_EQ(Judge(L"D:\\Temp"), Verdict::kProtected);
    EXPECT_EQ(Judge(L"D:\\Temp\\Quorvel"), Verdict::kAccepted);
}

TEST(JudgeInstallPathTest, RefusesTheProfilesFolderAndEachProfileRoot) {
    EXPECT_EQ(Judge(L"C:\\Users"), Verdict::kProtected);
    EXPECT_EQ(Judge(L"C:\\Users\\alice"), Verdict::kProtected);
    EXPECT_EQ(Judge(L"C:\\Users\\bob"), Verdict::kProtected);
    EXPECT_EQ(Judge(L"C:\\Users\\alice\\Tools\\Quorvel"), Verdict::kAccepted);
    EXPECT_EQ(Judge(L"D:\\Quorvel"), Verdict::kAccepted);
}

TEST(JudgeInstallPathTest, WithoutProtectedFoldersOnlyTheTextIsJudged) {
    EXPECT_EQ(JudgeInstallPath(L"C:\\Windows", {}), Verdict::kAccepted);
    EXPECT_EQ(JudgeInstallPath(L"C:\\", {}), Verdict::kDriveRoot);
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
