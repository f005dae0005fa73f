#include "PathUtil.h"
#include "ProcessTreeRecorder.h"
#include "Relaunch.h"
#include "RunFolder.h"
#include "TestProcess.h"
#include "UniqueHandle.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

namespace {

TEST(PlanRelaunchTest, CopiesUnlessRunningFromTheTemporaryFolderOrARunFolderInIt) {
    const std::wstring temp = L"C:\\Users\\u\\Temp";
    struct Row {
        std::wstring program;
        std::wstring tempFolder;
        bool relaunch;
    };
    const Row rows[] = {
        {L"C:\\Program Files\\Quorvel\\Uninstall.exe", temp, true},
        {temp + L"\\Uninstall.exe", temp, false},
        {temp + L"\\Uninstall-0123ABcd\\Uninstall.exe", temp, false},
        {temp + L"\\Uninstall-0123ABCG\\Uninstall.exe", temp, true},
        {temp + L"\\Uninstall-0123ABC\\Uninstall.exe", temp, true},
        {temp + L"\\sub\\Uninstall-0123ABCD\\Uninstall.exe", temp, true},
        {L"C:\\Program Files\\Quorvel\\Uninstall.exe", L"", false},
        // Paths that differ only in letter case count as different folders; the copy then runs
        // from its run folder, which is matched without regard to case.
        {L"C:\\Users\\u\\TEMP\\Uninstall.exe", temp, true},
        {L"C:\\Users\\u\\TEMP\\Uninstall-0123ABCD\\Uninstall.exe", temp, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.program));
        EXPECT_EQ(PlanRelaunch(row.program, row.tempFolder).relaunch, row.relaunch);
    }
    EXPECT_EQ(PlanRelaunch(rows[0].program, temp).parameters,
              L"AppPath=C:\\Program Files\\Quorvel");
}

// The program is started the way a user starts it, with the temporary folder pointed at a
// scratch folder, and every process it starts is watched from outside.
class RelaunchTest : public ::testing::Test {
protected:
    std::vector<test::RecordedProcess> Run(const std::wstring& program,
                                           const std::wstring& tempFolder) {
        test::MakeFolders(tempFolder);
        std::vector<test::RecordedProcess> processes =
            test::RecordProcessTree(L"\"" + program + L"\"", PathFolder(program),
                                    {{L"TMP", tempFolder}, {L"TEMP", tempFolder}});
        // The command interpreter that deletes the copy after its end is not one of the program's.
        processes.erase(std::remove_if(processes.begin(), processes.end(),
                                       [](const test::RecordedProcess& process) {
                                           return EndsWith(process.imagePath, L"\\cmd.exe");
                                       }),
                        processes.end());
        return processes;
    }

    void InstallProgramAs(const std::wstring& path) {
        test::MakeFolders(PathFolder(path));
        ASSERT_TRUE(::CopyFileW(builtProgram_.c_str(), path.c_str(), FALSE));
    }

    static bool EndsWith(const std::wstring& text, const std::wstring& tail) {
        return text.size() >= tail.size() &&
               text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
    }

    const std::wstring builtProgram_ = GetModuleFolder() + L"\\Uninstall.exe";
    test::ScratchFolder scratch_{L"relaunch"};
};

// A stale Uninstall.exe in the temporary folder, held open by another program, stands in nobody's
// way: the copy goes into a folder of its own, and that goes with it.
TEST_F(RelaunchTest, FromTheInstallationFolderStartsExactlyOneCopyFromARunFolder) {
    // The installed program has the same name as the copy, so a copy started by bare name from
    // the installation folder would start itself over and over.
    const std::wstring installFolder = scratch_ / L"Program Files\\QuorvelTablet";
    const std::wstring tempFolder = scratch_ / L"User Temp";
    InstallProgramAs(installFolder + L"\\Uninstall.exe");
    test::MakeFolders(tempFolder);
    test::WriteFile(tempFolder + L"\\Uninstall.exe", "stale");
    ScopedFileHandle stale(::CreateFileW((tempFolder + L"\\Uninstall.exe").c_str(), GENERIC_READ, 0,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(stale);

    const auto processes = Run(installFolder + L"\\Uninstall.exe", tempFolder);

    ASSERT_EQ(processes.size(), 2u);
    EXPECT_EQ(processes[0].imagePath, installFolder + L"\\Uninstall.exe");
    EXPECT_EQ(processes[0].exitCode, 0u);
    const std::wstring runFolder = PathFolder(processes[1].imagePath);
    EXPECT_TRUE(IsRunFolder(runFolder, tempFolder)) << testing::PrintToString(runFolder);
    EXPECT_TRUE(EndsWith(processes[1].commandLine, L" AppPath=" + installFolder))
        << "command line: " << testing::PrintToString(processes[1].commandLine);
    EXPECT_EQ(processes[1].exitCode, 0u);
    EXPECT_TRUE(test::WaitUntil([&] { return !test::FolderExists(runFolder); }, 15000))
        << "the copy takes its folder with it";
    stale.Reset();
    EXPECT_EQ(test::ReadFile(tempFolder + L"\\Uninstall.exe"), "stale");
}

TEST_F(RelaunchTest, FromTheTemporaryFolderRunsInPlaceWithoutCopying) {
    const std::wstring tempFolder = scratch_ / L"Temp";
    InstallProgramAs(tempFolder + L"\\Setup Helper.exe");

    const auto processes = Run(tempFolder + L"\\Setup Helper.exe", tempFolder);

    ASSERT_EQ(processes.size(), 1u);
    EXPECT_EQ(processes[0].exitCode, 0u);
    EXPECT_EQ(test::ReadFile(tempFolder + L"\\Setup Helper.exe"), test::ReadFile(builtProgram_));
}

TEST_F(RelaunchTest, UnknownTemporaryFolderRunsInPlace) {
    const std::wstring program = scratch_ / L"install\\Uninstall.exe";
    InstallProgramAs(program);
    const std::wstring tooLong = L"C:\\" + std::wstring(300, L't');

    const auto processes = test::RecordProcessTree(L"\"" + program + L"\"", PathFolder(program),
                                                   {{L"TMP", tooLong}, {L"TEMP", tooLong}});

    ASSERT_EQ(processes.size(), 1u);
    EXPECT_EQ(processes[0].exitCode, 0u);
}

}  // namespace
