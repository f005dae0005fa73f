#include "DriverRemoval.h"

#include "RemovalFixtures.h"
#include "TestFiles.h"
#include "TextConvert.h"
#include "TestProcess.h"
#include "TestRegistry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr wchar_t kProductKey[] = L"Software\\TavrelTablet";
constexpr wchar_t kFlags[] =
    L" DRIVER_PACKAGE_FORCE DRIVER_PACKAGE_LEGACY_MODE DRIVER_PACKAGE_SILENT";

TEST(PlanDriverRemovalTest, UsesTheAmd64FoldersOnA64BitSystem) {
    const DriverRemovalPlan plan = PlanDriverRemoval(L"C:\\Tablet", true);
    EXPECT_EQ(plan.batchFile, L"C:\\Tablet\\driver\\TabletDriver\\amd64\\tabetdriveruninstall.bat");
    EXPECT_EQ(plan.deviceConsole.file, L"C:\\Tablet\\driver\\HID\\amd64\\devcon.exe");
    EXPECT_EQ(plan.deviceConsole.parameters, L"remove tavrel\\tablethid");
    EXPECT_EQ(plan.deviceConsole.workingFolder, L"C:\\Tablet\\driver\\HID\\amd64");
    EXPECT_EQ(plan.driverPackageTool.file, L"C:\\Tablet\\driver\\HID\\amd64\\DIFxCmd.exe");
    EXPECT_EQ(plan.driverPackageTool.parameters,
              std::wstring(L"/u C:\\Tablet\\driver\\HID\\amd64\\vmulti.inf") + kFlags);
    EXPECT_EQ(plan.driverPackageTool.workingFolder, L"C:\\Tablet\\driver\\HID\\amd64");
}

TEST(PlanDriverRemovalTest, UsesTheI386FoldersOtherwise) {
    const DriverRemovalPlan plan = PlanDriverRemoval(L"D:\\T", false);
    EXPECT_EQ(plan.batchFile, L"D:\\T\\driver\\TabletDriver\\i386\\tabetdriveruninstall.bat");
    EXPECT_EQ(plan.deviceConsole.file, L"D:\\T\\driver\\HID\\i386\\devcon.exe");
    EXPECT_EQ(plan.driverPackageTool.parameters,
              std::wstring(L"/u D:\\T\\driver\\HID\\i386\\vmulti.inf") + kFlags);
    EXPECT_EQ(plan.driverPackageTool.workingFolder, L"D:\\T\\driver\\HID\\i386");
}

TEST(PlanDriverRemovalTest, QuotesAnInformationFilePathWithBlanks) {
    const DriverRemovalPlan plan = PlanDriverRemoval(L"C:\\Program Files\\Tablet", true);
    EXPECT_EQ(
        plan.driverPackageTool.parameters,
        std::wstring(L"/u \"C:\\Program Files\\Tablet\\driver\\HID\\amd64\\vmulti.inf\"") + kFlags);
    EXPECT_EQ(plan.driverPackageTool.workingFolder,
              L"C:\\Program Files\\Tablet\\driver\\HID\\amd64");
}

TEST(ShortPathTest, GivesTheShortFormOfExistingPathsOnly) {
    test::ScratchFolder scratch(L"short path");
    test::WriteFile(scratch / L"a long file name.txt", "x");
    const std::wstring shortForm = ShortPath(scratch / L"a long file name.txt");
    ASSERT_FALSE(shortForm.empty());
    EXPECT_EQ(shortForm.find(L' '), std::wstring::npos);
    EXPECT_EQ(test::ReadFile(shortForm), "x");
    EXPECT_EQ(ShortPath(scratch / L"missing.txt"), L"");
}

TEST(Is64BitSystemTest, SeesTheNativeArchitecture) {
    // The tests run in a 64-bit process, so the system is a 64-bit one.
    EXPECT_TRUE(Is64BitSystem());
}

// Launches seen by a recording launcher: the working folder given to the start and the process's
// own working folder at the time.
struct Launch {
    std::wstring file;
    std::wstring parameters;
    std::wstring workingFolder;
    std::wstring processFolder;
    bool processWanted;
};

std::wstring ProcessWorkingFolder() {
    wchar_t folder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    return folder;
}

// Reads the process's working folder over and over on a thread of its own while it lives, and
// keeps every value that differs from the one at its start.
class WorkingFolderWatch {
public:
    WorkingFolderWatch()
        : start_(ProcessWorkingFolder()), thread_([this] {
              while (!done_) {
                  const std::wstring now = ProcessWorkingFolder();
                  if (now != start_) {
                      std::lock_guard<std::mutex> guard(mutex_);
                      seen_.push_back(now);
                  }
                  ++reads_;
              }
          }) {}
    ~WorkingFolderWatch() { Finish(); }

    // Ends the watch; the other folders seen while it ran.
    std::vector<std::wstring> Finish() {
        done_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        std::lock_guard<std::mutex> guard(mutex_);
        return seen_;
    }
    int Reads() const { return reads_; }

private:
    const std::wstring start_;
    std::atomic<bool> done_{false};
    std::atomic<int> reads_{0};
    std::mutex mutex_;
    std::vector<std::wstring> seen_;
    std::thread thread_;
};

class DriverRemovalTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, std::wstring(kProductKey) + L"\\A\\B"));
        ASSERT_TRUE(test::SetStringValue(HKEY_LOCAL_MACHINE, std::wstring(kProductKey) + L"\\A",
                                         L"Value", L"data"));
        ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, kSiblingKey));
        ::GetCurrentDirectoryW(MAX_PATH, workingFolderBefore_);
    }

    ToolLauncher RecordingLauncher() {
        return [this](const std::wstring& file, const std::wstring& parameters,
                      const std::wstring& workingFolder, ScopedHandle* process) {
            launches_.push_back(
                {file, parameters, workingFolder, ProcessWorkingFolder(), process != nullptr});
            // Long enough for the watching thread to look while the tool "starts".
            ::Sleep(50);
            return true;
        };
    }

    void ExpectLibrariesAndKeyGone() {
        EXPECT_FALSE(test::FileExists(libraries_.NativePath()));
        EXPECT_FALSE(test::FileExists(libraries_.Wow64Path()));
        EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kProductKey));
        EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, kSiblingKey));
    }

    void ExpectWorkingFolderUnchanged() {
        wchar_t now[MAX_PATH] = {};
        ::GetCurrentDirectoryW(MAX_PATH, now);
        EXPECT_STREQ(now, workingFolderBefore_);
        for (const Launch& launch : launches_) {
            EXPECT_EQ(launch.processFolder, workingFolderBefore_) << WideToUtf8(launch.file);
        }
    }

    static constexpr wchar_t kSiblingKey[] = L"Software\\TavrelTabletSibling";
    test::ScratchRegKey productKey_{HKEY_LOCAL_MACHINE, kProductKey};
    test::ScratchRegKey siblingKey_{HKEY_LOCAL_MACHINE, kSiblingKey};
    test::Wintab32StandIns libraries_;
    test::ScratchFolder install_{L"driver removal"};
    std::vector<Launch> launches_;
    wchar_t workingFolderBefore_[MAX_PATH] = {};
};

TEST_F(DriverRemovalTest, StartsTheThreeToolsInOrderFromTheirFolders) {
    test::WriteDriverPackage(install_.Path());
    const std::wstring hid = test::HidToolFolder(install_.Path());

    RemoveDriver(install_.Path(), RecordingLauncher());

    ASSERT_EQ(launches_.size(), 3u);
    EXPECT_EQ(launches_[0].file,
              ShortPath(install_ / L"driver\\TabletDriver\\amd64\\tabetdriveruninstall.bat"));
    EXPECT_EQ(launches_[0].parameters, L"");
    EXPECT_TRUE(launches_[0].processWanted) << "the batch file's run is waited for";
    EXPECT_FALSE(launches_[1].processWanted);
    EXPECT_FALSE(launches_[2].processWanted);
    EXPECT_EQ(launches_[1].file, hid + L"\\devcon.exe");
    EXPECT_EQ(launches_[1].parameters, L"remove tavrel\\tablethid");
    EXPECT_EQ(launches_[1].workingFolder, hid);
    EXPECT_EQ(launches_[2].file, hid + L"\\DIFxCmd.exe");
    EXPECT_EQ(launches_[2].parameters, L"/u \"" + hid + L"\\vmulti.inf\"" + kFlags);
    EXPECT_EQ(launches_[2].workingFolder, hid);
    ExpectLibrariesAndKeyGone();
    ExpectWorkingFolderUnchanged();
}

TEST_F(DriverRemovalTest, TheProcessWorkingFolderStaysTheSameWhileTheToolsStart) {
    test::WriteDriverPackage(install_.Path());
    for (int run = 0; run < 5; ++run) {
        SCOPED_TRACE(run);
        launches_.clear();
        WorkingFolderWatch watch;
        RemoveDriver(install_.Path(), RecordingLauncher());
        EXPECT_EQ(watch.Finish(), std::vector<std::wstring>{}) << "seen by another thread";
        EXPECT_GT(watch.Reads(), 0);
        ASSERT_EQ(launches_.size(), 3u);
        ExpectWorkingFolderUnchanged();
    }
}

TEST_F(DriverRemovalTest, ToolsThatAreMissingAreNotStarted) {
    test::WriteDriverPackage(install_.Path());
    ASSERT_TRUE(::DeleteFileW(
        (install_ / L"driver\\TabletDriver\\amd64\\tabetdriveruninstall.bat").c_str()));
    ASSERT_TRUE(::DeleteFileW((test::HidToolFolder(install_.Path()) + L"\\devcon.exe").c_str()));

    RemoveDriver(install_.Path(), RecordingLauncher());

    ASSERT_EQ(launches_.size(), 1u);
    EXPECT_EQ(launches_[0].file, test::HidToolFolder(install_.Path()) + L"\\DIFxCmd.exe");
    ExpectLibrariesAndKeyGone();
}

TEST_F(DriverRemovalTest, WithoutAnInstallationFolderNoToolStartsButTheRestRuns) {
    RemoveDriver(L"", RecordingLauncher());

    EXPECT_TRUE(launches_.empty());
    ExpectLibrariesAndKeyGone();
    ExpectWorkingFolderUnchanged();
}

TEST_F(DriverRemovalTest, TheRealLaunchStartsTheToolsBelowTheInstallationFolder) {
    // The test program's own folder holds programs named devcon.exe and DIFxCmd.exe too: the ones
    // that must run are those below the installation folder.
    ASSERT_TRUE(test::FileExists(test::TestProgramFolder() + L"\\devcon.exe"));
    test::ToolRecords records;
    test::WriteDriverPackage(install_.Path());
    const std::string hid = WideToUtf8(test::HidToolFolder(install_.Path()));

    WorkingFolderWatch watch;
    RemoveDriver(install_.Path());
    EXPECT_EQ(watch.Finish(), std::vector<std::wstring>{}) << "seen by another thread";

    ASSERT_TRUE(test::WaitUntil(
        [&] { return records.Has(L"bat") && records.Has(L"devcon") && records.Has(L"DIFxCmd"); }));
    EXPECT_EQ(records.Lines(L"bat"), std::vector<std::string>{"args=[]"});
    EXPECT_EQ(records.Lines(L"devcon"),
              (std::vector<std::string>{hid + "\\devcon.exe", hid, "remove", "tavrel\\tablethid"}));
    EXPECT_EQ(records.Lines(L"DIFxCmd"),
              (std::vector<std::string>{hid + "\\DIFxCmd.exe", hid, "/u", hid + "\\vmulti.inf",
                                        "DRIVER_PACKAGE_FORCE", "DRIVER_PACKAGE_LEGACY_MODE",
                                        "DRIVER_PACKAGE_SILENT"}));
    ExpectLibrariesAndKeyGone();
    ExpectWorkingFolderUnchanged();
    // The tools have ended once their files can go; the scratch folder is then removed cleanly.
    const std::wstring hidFolder = test::HidToolFolder(install_.Path());
    const auto deleted = [](const std::wstring& path) {
        return ::DeleteFileW(path.c_str()) || !test::FileExists(path);
    };
    EXPECT_TRUE(test::WaitUntil([&] {
        return deleted(hidFolder + L"\\devcon.exe") && deleted(hidFolder + L"\\DIFxCmd.exe");
    }));
}

// The batch file's run under the real launch: the batch file starts the shell probe, which lingers
// until FOLDER\release.txt appears (at most 20 s), and then writes FOLDER\marker.txt.
class DriverBatchWaitTest : public DriverRemovalTest {
protected:
    void SetUp() override {
        DriverRemovalTest::SetUp();
        test::MakeFolders(signal_);
        test::WriteFile(BatchFile(), "@echo off\r\n\"" + WideToUtf8(test::TestProgramFolder()) +
                                         "\\ShellProbe.exe\" linger \"" + WideToUtf8(signal_) +
                                         "\"\r\necho done> \"" + WideToUtf8(Marker()) + "\"\r\n");
    }

    void TearDown() override {
        // Nothing may still run in the scratch folder when it is removed.
        test::WriteFile(signal_ + L"\\release.txt", "go");
        EXPECT_TRUE(test::WaitUntil([this] { return test::FileExists(Marker()); }, 25000));
    }

    std::wstring BatchFile() const {
        return install_ / L"driver\\TabletDriver\\amd64\\tabetdriveruninstall.bat";
    }
    std::wstring Marker() const { return signal_ + L"\\marker.txt"; }

    const std::wstring signal_ = install_ / L"signal";
};

TEST_F(DriverBatchWaitTest, TheBatchFileHasRunToItsEndWhenTheStepReturns) {
    // The probe is let go a moment after the step began: a step that returned without waiting
    // would find no marker.
    std::thread release([this] {
        ::Sleep(500);
        test::WriteFile(signal_ + L"\\release.txt", "go");
    });
    const bool endedInTime = RemoveDriver(install_.Path());
    const bool endedBeforeReturn = test::FileExists(Marker());
    release.join();

    EXPECT_TRUE(endedInTime);
    EXPECT_TRUE(endedBeforeReturn) << "the batch file still ran when the step returned";
    EXPECT_TRUE(test::FileExists(signal_ + L"\\started.txt"));
    ExpectLibrariesAndKeyGone();
}

TEST_F(DriverBatchWaitTest, ABatchFileThatDoesNotEndIsWaitedForOnlyUpToTheLimit) {
    // Never released here: the probe would linger for 20 s.
    EXPECT_FALSE(RemoveDriver(install_.Path(), ElevatedToolLauncher(), 300));
    EXPECT_FALSE(test::FileExists(Marker())) << "the step returned while the batch file ran on";
    ExpectLibrariesAndKeyGone();
}

}  // namespace
