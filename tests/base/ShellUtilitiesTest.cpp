#include "ShellUtilities.h"

#include "TestFiles.h"
#include "TestProcess.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

std::wstring ProbePath() {
    return test::TestProgramFolder() + L"\\ShellProbe.exe";
}

TEST(ShellUtilitiesTest, DeleteCommandQuotesThePath) {
    EXPECT_EQ(SelfDeleteParameters(L"C:\\Users\\Ann Lee\\Temp\\Uninstall.exe"),
              L"/c del /q \"C:\\Users\\Ann Lee\\Temp\\Uninstall.exe\"");
}

TEST(ShellUtilitiesTest, SelfDeleteRemovesTheProgramFromAFolderWithABlank) {
    test::ScratchFolder scratch(L"self-delete");
    const std::wstring folder = scratch / L"with blank 临时";
    const std::wstring copy = folder + L"\\Uninstall.exe";
    test::MakeFolders(folder);
    ASSERT_TRUE(::CopyFileW(ProbePath().c_str(), copy.c_str(), FALSE));
    // What an unquoted path would delete instead: the part before the blank.
    test::WriteFile(scratch / L"with", "decoy");
    // A planted interpreter beside the program must not be the one that runs.
    ASSERT_TRUE(::CopyFileW(ProbePath().c_str(), (folder + L"\\cmd.exe").c_str(), FALSE));

    const std::optional<DWORD> exitCode = test::RunProgram(L"\"" + copy + L"\" selfdelete", folder);
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_TRUE(test::WaitUntil([&] { return !test::FileExists(copy); }, 15000))
        << "the interpreter deletes the program's file after it ended";
    EXPECT_TRUE(test::FileExists(scratch / L"with"));
    EXPECT_FALSE(test::FileExists(folder + L"\\planted-ran.txt"));
}

TEST(ShellUtilitiesTest, RunElevatedReturnsWhileTheProgramRunsOn) {
    test::ScratchFolder scratch(L"run-elevated");
    const std::wstring folder = scratch / L"signal 文件夹";
    test::MakeFolders(folder);
    EXPECT_TRUE(RunElevated(SW_HIDE, ProbePath(), L"linger \"" + folder + L"\""));
    ASSERT_TRUE(test::WaitUntil([&] { return test::FileExists(folder + L"\\started.txt"); }));
    EXPECT_FALSE(test::FileExists(folder + L"\\ended.txt")) << "still running, not waited for";
    test::WriteFile(folder + L"\\release.txt", "go");
    EXPECT_TRUE(test::WaitUntil([&] { return test::FileExists(folder + L"\\ended.txt"); }));
    ::Sleep(200);  // let the probe close its file before the folder is removed
}

TEST(ShellUtilitiesTest, RunElevatedOfAMissingFileIsFalseWithoutAnErrorBox) {
    test::ScratchFolder scratch(L"run-missing");
    EXPECT_FALSE(RunElevated(SW_HIDE, scratch / L"devcon.exe", L"remove *"));
}

}  // namespace
