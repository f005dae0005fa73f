#include "ShellUtilities.h"

#include "TestFiles.h"
#include "TestProcess.h"
#include "TextConvert.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

namespace {

std::wstring ProbePath() {
    return test::TestProgramFolder() + L"\\ShellProbe.exe";
}

TEST(ShellUtilitiesTest, TheCommandNamesOnlyPlainNamesRelativeToItsFolder) {
    struct Row {
        const wchar_t* program;
        const wchar_t* emptyFolder;
        bool planned;
        const wchar_t* workingFolder = L"";
        const wchar_t* file = L"";
        const wchar_t* folder = L"";
    };
    const Row rows[] = {
        {L"C:\\Users\\Ann Lee\\Temp\\Uninstall.exe", L"", true, L"C:\\Users\\Ann Lee\\Temp",
         L"Uninstall.exe", L""},
        {L"C:\\Users\\%USERNAME%\\Temp\\Uninstall.exe", L"", true, L"C:\\Users\\%USERNAME%\\Temp",
         L"Uninstall.exe", L""},
        {L"C:\\Program Files\\A&B ^C !D\\Uninstall.exe", L"C:\\Program Files\\A&B ^C !D", true,
         L"C:\\Program Files", L"A&B ^C !D\\Uninstall.exe", L"A&B ^C !D"},
        {L"C:\\Program Files\\%DECOY%\\Uninstall.exe", L"C:\\Program Files\\%DECOY%", false, L"",
         L"", L""},
        {L"C:\\Temp\\100%.exe", L"", false, L"", L"", L""},
        {L"C:\\Program Files\\Q\\Uninstall.exe", L"C:\\Program Files\\Other", false, L"", L"", L""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.program);
        const std::optional<SelfDeleteTarget> target = PlanSelfDelete(row.program, row.emptyFolder);
        ASSERT_EQ(target.has_value(), row.planned);
        if (target) {
            EXPECT_EQ(target->workingFolder, row.workingFolder);
            EXPECT_EQ(target->file, row.file);
            EXPECT_EQ(target->folder, row.folder);
        }
    }
    EXPECT_EQ(SelfDeleteParameters({L"C:\\T", L"a b\\U.exe", L"a b"}),
              L"/D /C (for /L %N in (1,1,2000) do if exist \"a b\\U.exe\" del /F /Q "
              L"\"a b\\U.exe\" 2>nul) & rd \"a b\" 2>nul");
}

// A folder named like a variable must delete its own file only, not the one the variable names.
TEST(ShellUtilitiesTest, SelfDeleteRemovesExactlyTheProgramAndItsFolder) {
    test::ScratchFolder scratch(L"self-delete");
    const std::wstring decoy = scratch / L"decoy";
    test::MakeFolders(decoy);
    test::WriteFile(decoy + L"\\Uninstall.exe", "decoy");
    // What an unquoted path would delete instead: the part before the blank.
    test::WriteFile(scratch / L"with", "decoy");
    ASSERT_TRUE(::SetEnvironmentVariableW(L"DECOY", decoy.c_str()));
    struct Row {
        const wchar_t* folder;
        const wchar_t* mode;
        bool folderGoes;
    };
    for (const Row& row : {Row{L"with blank 文件", L"selfdelete", false},
                           Row{L"with blank 临时", L"selfdelete-folder", true},
                           Row{L"A&B ^C !D", L"selfdelete-folder", true},
                           Row{L"%DECOY%", L"selfdelete-folder", true}}) {
        SCOPED_TRACE(testing::Message() << row.mode << " in " << WideToUtf8(row.folder));
        const std::wstring folder = scratch / row.folder;
        const std::wstring copy = folder + L"\\Uninstall.exe";
        test::MakeFolders(folder);
        ASSERT_TRUE(::CopyFileW(ProbePath().c_str(), copy.c_str(), FALSE));
        // A planted interpreter beside the program must not be the one that runs.
        ASSERT_TRUE(::CopyFileW(ProbePath().c_str(), (folder + L"\\cmd.exe").c_str(), FALSE));
        if (row.folderGoes) {
            ::DeleteFileW((folder + L"\\cmd.exe").c_str());
        }

        const std::optional<DWORD> exitCode =
            test::RunProgram(L"\"" + copy + L"\" " + row.mode, folder);
        ASSERT_TRUE(exitCode.has_value());
        EXPECT_EQ(*exitCode, 0u);
        EXPECT_TRUE(test::WaitUntil(
            [&] { return !test::FileExists(row.folderGoes ? folder : copy); }, 15000));
        EXPECT_FALSE(test::FileExists(folder + L"\\planted-ran.txt"));
        EXPECT_TRUE(test::FileExists(decoy + L"\\Uninstall.exe"));
        EXPECT_TRUE(test::FileExists(scratch / L"with"));
    }
    ::SetEnvironmentVariableW(L"DECOY", nullptr);
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
