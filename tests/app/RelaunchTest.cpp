#include "PathUtil.h"
#include "ProcessTreeRecorder.h"
#include "Relaunch.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(PlanRelaunchTest, CopiesToTheTemporaryFolderUnlessAlreadyThere) {
    const RelaunchPlan plan =
        PlanRelaunch(L"C:\\Program Files\\Quorvel\\Uninstall.exe", L"C:\\Users\\u\\Temp");
    EXPECT_TRUE(plan.relaunch);
    EXPECT_EQ(plan.copyPath, L"C:\\Users\\u\\Temp\\Uninstall.exe");
    EXPECT_EQ(plan.parameters, L"AppPath=C:\\Program Files\\Quorvel");

    EXPECT_FALSE(
        PlanRelaunch(L"C:\\Users\\u\\Temp\\Uninstall.exe", L"C:\\Users\\u\\Temp").relaunch);
    EXPECT_FALSE(PlanRelaunch(L"C:\\Program Files\\Quorvel\\Uninstall.exe", L"").relaunch);
    // Paths that differ only in letter case count as different folders.
    EXPECT_TRUE(PlanRelaunch(L"C:\\Users\\u\\TEMP\\Uninstall.exe", L"C:\\Users\\u\\Temp").relaunch);
}

// The program is started the way a user starts it, with the temporary folder pointed at a
// scratch folder, and every process it starts is watched from outside.
class RelaunchTest : public ::testing::Test {
protected:
    std::vector<test::RecordedProcess> Run(const std::wstring& program,
                                           const std::wstring& tempFolder) {
        test::MakeFolders(tempFolder);
        return test::RecordProcessTree(L"\"" + program + L"\"", PathFolder(program),
                                       {{L"TMP", tempFolder}, {L"TEMP", tempFolder}});
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

TEST_F(RelaunchTest, FromTheInstallationFolderStartsExactlyOneCopyFromTemp) {
    // The installed program has the same name as the copy, so a copy started by bare name from
    // the installation folder would start itself over and over.
    const std::wstring installFolder = scratch_ / L"Program Files\\QuorvelTablet";
    const std::wstring tempFolder = scratch_ / L"User Temp";
    InstallProgramAs(installFolder + L"\\Uninstall.exe");

    const auto processes = Run(installFolder + L"\\Uninstall.exe", tempFolder);

    ASSERT_EQ(processes.size(), 2u);
    EXPECT_EQ(processes[0].imagePath, installFolder + L"\\Uninstall.exe");
    EXPECT_EQ(processes[0].exitCode, 0u);
    EXPECT_EQ(processes[1].imagePath, tempFolder + L"\\Uninstall.exe");
    EXPECT_TRUE(EndsWith(processes[1].commandLine, L" AppPath=" + installFolder))
        << "command line: " << testing::PrintToString(processes[1].commandLine);
    EXPECT_EQ(processes[1].exitCode, 0u);
    EXPECT_EQ(test::ReadFile(tempFolder + L"\\Uninstall.exe"), test::ReadFile(builtProgram_));
}

TEST_F(RelaunchTest, FromTheTemporaryFolderRunsInPlaceWithoutCopying) {
    const std::wstring tempFolder = scratch_ / L"Temp";
    InstallProgramAs(tempFolder + L"\\Setup Helper.exe");

    const auto processes = Run(tempFolder + L"\\Setup Helper.exe", tempFolder);

    ASSERT_EQ(processes.size(), 1u);
    EXPECT_EQ(processes[0].exitCode, 0u);
    EXPECT_FALSE(test::FileExists(tempFolder + L"\\Uninstall.exe"));
}

TEST_F(RelaunchTest, TempFolderDifferingOnlyInCaseTriesToCopyOntoItselfAndRunsInPlace) {
    const std::wstring program = scratch_ / L"tempdir\\Uninstall.exe";
    InstallProgramAs(program);

    const auto processes = Run(program, scratch_ / L"TEMPDIR");

    ASSERT_EQ(processes.size(), 1u);
    EXPECT_EQ(processes[0].exitCode, 0u);
    EXPECT_EQ(test::ReadFile(program), test::ReadFile(builtProgram_)) << "the program is intact";
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
