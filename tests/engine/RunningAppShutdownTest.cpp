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
    // until its window exists. With closes, the stand-in ends by itself when asked to close.
    std::unique_ptr<test::StandInProcess> Start(const std::wstring& exePath,
                                                const std::wstring& mark,
                                                const std::wstring& record, bool closes = false) {
        auto process = std::make_unique<test::StandInProcess>(
            test::Quoted(exePath) + L" " + test::Quoted(mark) + L" " + test::Quoted(record) +
            (closes ? L" closes" : L""));
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

    // Milliseconds that CloseRunningApp took.
    static ULONGLONG TimedCloseRunningApp() {
        const ULONGLONG start = ::GetTickCount64();
        CloseRunningApp(test::ProductSettings());
        return ::GetTickCount64() - start;
    }

    test::ScratchFolder scratch_{L"running-app"};
};

// The pauses: the longest one lasts a second, and none outlasts what it waits for by much. The
// upper bounds leave room for a slow machine; the lower ones show that a wait happened.
constexpr ULONGLONG kLongestPauseMs = 1000;
constexpr ULONGLONG kSlackMs = 700;

TEST_F(RunningAppShutdownTest, MarkedWindowIsAskedToCloseAndItsProcessEnded) {
    const std::wstring record = scratch_ / L"app.txt";
    auto app = Start(StandInPath(), test::ProductSettings().windowMarkName, record);

    const ULONGLONG elapsed = TimedCloseRunningApp();

    // It ignored the request, so it had the whole pause before it was ended; it is gone when
    // the call returns.
    EXPECT_EQ(app->WaitForExitCode(0), kKilledExitCode);
    EXPECT_TRUE(AskedToClose(record));
    EXPECT_GE(elapsed, kLongestPauseMs - 50);
    EXPECT_LT(elapsed, 2 * kLongestPauseMs + kSlackMs);
}

TEST_F(RunningAppShutdownTest, ProgramThatClosesWhenAskedEndsOnItsOwnWithoutTheWholePause) {
    const std::wstring record = scratch_ / L"app.txt";
    auto app = Start(StandInPath(), test::ProductSettings().windowMarkName, record, true);

    const ULONGLONG elapsed = TimedCloseRunningApp();

    EXPECT_EQ(app->WaitForExitCode(0), 0u);
    EXPECT_TRUE(AskedToClose(record));
    EXPECT_LT(elapsed, kLongestPauseMs);
}

TEST_F(RunningAppShutdownTest, MatchingProcessWithoutMarkedWindowIsGoneWhenTheCallReturns) {
    const std::wstring record = scratch_ / L"app.txt";
    auto app = Start(StandInPath(), L"-", record);

    const ULONGLONG elapsed = TimedCloseRunningApp();

    EXPECT_EQ(app->WaitForExitCode(0), kKilledExitCode);
    EXPECT_FALSE(AskedToClose(record));
    EXPECT_LT(elapsed, kLongestPauseMs);
}

TEST_F(RunningAppShutdownTest, EveryProcessOfTheExecutableIsEndedButOnlyOneWindowAsked) {
    const std::wstring firstRecord = scratch_ / L"first.txt";
    const std::wstring secondRecord = scratch_ / L"second.txt";
    auto first = Start(StandInPath(), test::ProductSettings().windowMarkName, firstRecord);
    auto second = Start(StandInPath(), test::ProductSettings().windowMarkName, secondRecord);

    CloseRunningApp(test::ProductSettings());

    EXPECT_EQ(first->WaitForExitCode(0), kKilledExitCode);
    EXPECT_EQ(second->WaitForExitCode(0), kKilledExitCode);
    EXPECT_NE(AskedToClose(firstRecord), AskedToClose(secondRecord));
}

TEST_F(RunningAppShutdownTest, ExecutableNameMatchesInAnyLetterCase) {
    const std::wstring record = scratch_ / L"app.txt";
    auto app = Start(CopyOfStandIn(L"quorvelTABLET.EXE"), L"-", record);

    CloseRunningApp(test::ProductSettings());

    EXPECT_EQ(app->WaitForExitCode(0), kKilledExitCode);
    EXPECT_FALSE(AskedToClose(record));
}

TEST_F(RunningAppShutdownTest, MarkedWindowOfAnotherProgramIsOnlyAskedToClose) {
    const std::wstring record = scratch_ / L"other.txt";
    auto other =
        Start(CopyOfStandIn(L"QuorvelTablet2.exe"), test::ProductSettings().windowMarkName, record);

    const ULONGLONG elapsed = TimedCloseRunningApp();

    // One pause for the window's process; with nothing killed there is no second one.
    EXPECT_TRUE(AskedToClose(record));
    EXPECT_EQ(other->WaitForExitCode(0), STILL_ACTIVE);
    EXPECT_GE(elapsed, kLongestPauseMs - 50);
    EXPECT_LT(elapsed, kLongestPauseMs + kSlackMs);
}

TEST_F(RunningAppShutdownTest, WithNothingToCloseThereIsNoPause) {
    const std::wstring record = scratch_ / L"unrelated.txt";
    auto unrelated = Start(CopyOfStandIn(L"Unrelated.exe"), L"-", record);
    // The walk over the windows and processes alone, which a busy machine makes slow.
    const ULONGLONG start = ::GetTickCount64();
    KillProcessesByName(L"NoProgramOfThisName.exe");
    const ULONGLONG walk = ::GetTickCount64() - start;

    const ULONGLONG elapsed = TimedCloseRunningApp();

    EXPECT_LT(elapsed, walk + kLongestPauseMs / 2);
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
