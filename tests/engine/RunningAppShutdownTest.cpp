#include "RunningAppShutdown.h"

#include "RemovalFixtures.h"
#include "StandInProcess.h"
#include "TestFiles.h"
#include "TestProcess.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

namespace {

constexpr DWORD kKilledExitCode = 1981;

class RunningAppShutdownTest : public ::testing::Test {
protected:
    // Starts the stand-in program as exePath with the given window mark ("-" for none) and waits
    // until its window exists.
    std::unique_ptr<test::StandInProcess> Start(const std::wstring& exePath,
                                                const std::wstring& mark,
                                                const std::wstring& record) {
        auto process = std::make_unique<test::StandInProcess>(
            test::Quoted(exePath) + L" " + test::Quoted(mark) + L" " + test::Quoted(record));
        EXPECT_TRUE(process->Started());
        EXPECT_TRUE(test::WaitUntil([&] { return test::ReadFile(record).find("ready") == 0; }));
        return process;
    }

    // The stand-in under a file name of the test's choosing.
    std::wstring CopyOfStandIn(const std::wstring& fileName) {
        const std::wstring path = scratch_ / fileName;
        EXPECT_TRUE(::CopyFileW(StandInPath().c_str(), path.c_str(), FALSE));
        return path;
    }

    static std::wstring StandInPath() { return test::TestProgramFolder() + L"\\QuorvelTablet.exe"; }

    static bool AskedToClose(const std::wstring& record) {
        return test::ReadFile(record).find("WM_CLOSE") != std::string::npos;
    }

    test::ScratchFolder scratch_{L"running-app"};
};

TEST_F(RunningAppShutdownTest, MarkedWindowIsAskedToCloseAndItsProcessEnded) {
    const std::wstring record = scratch_ / L"app.txt";
    auto app = Start(StandInPath(), test::ProductSettings().windowMarkName, record);

    CloseRunningApp(test::ProductSettings());

    EXPECT_EQ(app->WaitForExitCode(5000), kKilledExitCode);
    EXPECT_TRUE(AskedToClose(record));
}

TEST_F(RunningAppShutdownTest, EveryProcessOfTheExecutableIsEndedButOnlyOneWindowAsked) {
    const std::wstring firstRecord = scratch_ / L"first.txt";
    const std::wstring secondRecord = scratch_ / L"second.txt";
    auto first = Start(StandInPath(), test::ProductSettings().windowMarkName, firstRecord);
    auto second = Start(StandInPath(), test::ProductSettings().windowMarkName, secondRecord);

    CloseRunningApp(test::ProductSettings());

    EXPECT_EQ(first->WaitForExitCode(5000), kKilledExitCode);
    EXPECT_EQ(second->WaitForExitCode(5000), kKilledExitCode);
    EXPECT_NE(AskedToClose(firstRecord), AskedToClose(secondRecord));
}

TEST_F(RunningAppShutdownTest, ExecutableNameMatchesInAnyLetterCase) {
    const std::wstring record = scratch_ / L"app.txt";
    auto app = Start(CopyOfStandIn(L"quorvelTABLET.EXE"), L"-", record);

    CloseRunningApp(test::ProductSettings());

    EXPECT_EQ(app->WaitForExitCode(5000), kKilledExitCode);
    EXPECT_FALSE(AskedToClose(record));
}

TEST_F(RunningAppShutdownTest, MarkedWindowOfAnotherProgramIsOnlyAskedToClose) {
    const std::wstring record = scratch_ / L"other.txt";
    auto other =
        Start(CopyOfStandIn(L"QuorvelTablet2.exe"), test::ProductSettings().windowMarkName, record);

    CloseRunningApp(test::ProductSettings());

    EXPECT_TRUE(AskedToClose(record));
    EXPECT_EQ(other->WaitForExitCode(0), STILL_ACTIVE);
}

TEST_F(RunningAppShutdownTest, WithNothingToCloseItOnlyPauses) {
    const std::wstring record = scratch_ / L"unrelated.txt";
    auto unrelated = Start(CopyOfStandIn(L"Unrelated.exe"), L"-", record);

    const ULONGLONG start = ::GetTickCount64();
    CloseRunningApp(test::ProductSettings());
    const ULONGLONG elapsed = ::GetTickCount64() - start;

    EXPECT_GE(elapsed, 950u);
    EXPECT_EQ(unrelated->WaitForExitCode(0), STILL_ACTIVE);
    EXPECT_FALSE(AskedToClose(record));
}

TEST_F(RunningAppShutdownTest, KillByNameLeavesOtherNamesAlone) {
    const std::wstring keptRecord = scratch_ / L"kept.txt";
    const std::wstring endedRecord = scratch_ / L"ended.txt";
    auto kept = Start(CopyOfStandIn(L"QuorvelTablet.exe.bak.exe"), L"-", keptRecord);
    auto ended = Start(CopyOfStandIn(L"Driver Helper.exe"), L"-", endedRecord);

    KillProcessesByName(L"driver helper.exe");

    EXPECT_EQ(ended->WaitForExitCode(5000), kKilledExitCode);
    EXPECT_EQ(kept->WaitForExitCode(0), STILL_ACTIVE);
}

}  // namespace
