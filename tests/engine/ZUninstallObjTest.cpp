#include "ZUninstallObj.h"

#include "MessageWindow.h"
#include "PathUtil.h"
#include "PendingRenames.h"
#include "RemovalFixtures.h"
#include "RunningPrograms.h"
#include "SpecialFolders.h"
#include "TestFiles.h"
#include "TextConvert.h"
#include "TestRegistry.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kUninstallList[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr wchar_t kProductKey[] = L"Software\\TavrelTablet";

struct Message {
    UINT id;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Message& other) const {
        return id == other.id && wParam == other.wParam && lParam == other.lParam;
    }
};

// A hidden top-level window of the test thread that keeps the engine's messages in order.
class MessageRecorder {
public:
    MessageRecorder()
        : window_([this](UINT id, WPARAM wParam, LPARAM lParam) {
              if (id != WM_UNINSTALL_PROGRESS && id != WM_UNINSTALL_FINISHED) {
                  return false;
              }
              messages_.push_back({id, wParam, lParam});
              return true;
          }) {}
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    HWND Window() const { return window_.Window(); }
    const std::vector<Message>& Messages() const { return messages_; }

    // Pumps until the finished message came (or 60 s passed), then a little longer so that a
    // message posted after it would be seen too.
    void PumpUntilFinished() {
        const ULONGLONG deadline = ::GetTickCount64() + 60000;
        while (!Finished() && ::GetTickCount64() < deadline) {
            PumpFor(50);
        }
        PumpFor(300);
    }

    // The expected record of a run: progress 1..done, all with lParam total, then finished.
    static std::vector<Message> Run(int done, int total) {
        std::vector<Message> expected;
        for (int i = 1; i <= done; ++i) {
            expected.push_back({WM_UNINSTALL_PROGRESS, static_cast<WPARAM>(i), total});
        }
        expected.push_back({WM_UNINSTALL_FINISHED, 0, 0});
        return expected;
    }

private:
    bool Finished() const {
        return std::any_of(messages_.begin(), messages_.end(),
                           [](const Message& m) { return m.id == WM_UNINSTALL_FINISHED; });
    }

    void PumpFor(DWORD ms) {
        const ULONGLONG until = ::GetTickCount64() + ms;
        do {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                ::DispatchMessageW(&message);
            }
        } while (::GetTickCount64() < until);
    }

    std::vector<Message> messages_;
    test::MessageWindow window_;
};

std::wstring Special(int csidl, const wchar_t* suffix = L"") {
    std::wstring path;
    EXPECT_TRUE(GetSpecialFolder(csidl, suffix, path));
    return path;
}

// The product's desktop link, start-menu folder and taskbar pin, with neighbours that must stay.
class ShellItems {
public:
    ShellItems()
        : desktopLink_(Special(CSIDL_DESKTOP) + L"\\QuorvelTablet.lnk"),
          programsFolder_(Special(CSIDL_COMMON_PROGRAMS) + L"\\QuorvelTablet"),
          taskBarFolder_(
              Special(CSIDL_APPDATA, L"\\Microsoft\\Internet Explorer\\Quick Launch\\User Pinned") +
              L"\\TaskBar"),
          pinnedLink_(taskBarFolder_ + L"\\QuorvelTablet.lnk") {
        RememberMissingFolders(taskBarFolder_);
        test::MakeFolders(taskBarFolder_);
        test::WriteFile(Neighbours()[0], "keep");
        test::WriteFile(Neighbours()[1], "keep");
        test::WriteFile(Neighbours()[2], "keep");
    }
    ~ShellItems() {
        ::DeleteFileW(desktopLink_.c_str());
        ::DeleteFileW(pinnedLink_.c_str());
        test::RemoveTree(programsFolder_);
        for (const std::wstring& path : Neighbours()) {
            ::DeleteFileW(path.c_str());
        }
        test::RemoveTree(PathFolder(Neighbours()[1]));
        for (auto folder = createdFolders_.rbegin(); folder != createdFolders_.rend(); ++folder) {
            ::RemoveDirectoryW(folder->c_str());
        }
    }
    ShellItems(const ShellItems&) = delete;
    ShellItems& operator=(const ShellItems&) = delete;

    void WriteLinks() {
        test::WriteFile(desktopLink_, "link");
        test::WriteFile(pinnedLink_, "link");
    }
    // Returns the number of files in the start-menu folder.
    int WriteProgramsFolder() {
        test::WriteFile(programsFolder_ + L"\\QuorvelTablet.lnk", "link");
        test::WriteFile(programsFolder_ + L"\\Help\\Manual.lnk", "link");
        return 2;
    }

    bool AnyLeft() const {
        return test::FileExists(desktopLink_) || test::FileExists(pinnedLink_) ||
               test::FolderExists(programsFolder_);
    }
    bool AllLeft() const {
        return test::FileExists(desktopLink_) && test::FileExists(pinnedLink_) &&
               test::FileExists(programsFolder_ + L"\\Help\\Manual.lnk");
    }
    bool NeighboursStay() const {
        const std::vector<std::wstring> neighbours = Neighbours();
        return std::all_of(neighbours.begin(), neighbours.end(),
                           [](const std::wstring& path) { return test::FileExists(path); });
    }

private:
    std::vector<std::wstring> Neighbours() const {
        return {Special(CSIDL_DESKTOP) + L"\\QuorvelTablet Other.lnk",
                Special(CSIDL_COMMON_PROGRAMS) + L"\\QuorvelTabletOther\\keep.lnk",
                taskBarFolder_ + L"\\Other.lnk"};
    }

    void RememberMissingFolders(const std::wstring& folder) {
        for (std::wstring path = folder; !path.empty() && !test::FolderExists(path);
             path = PathFolder(path)) {
            createdFolders_.insert(createdFolders_.begin(), path);
        }
    }

    std::wstring desktopLink_;
    std::wstring programsFolder_;
    std::wstring taskBarFolder_;
    std::wstring pinnedLink_;
    std::vector<std::wstring> createdFolders_;
};

class ZUninstallObjTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, Entry() + L"\\Components"));
        ASSERT_TRUE(test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"DisplayName",
                                         test::ProductSettings().displayName));
        ASSERT_TRUE(
            test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"InstallPath", install_.Path()));
        ASSERT_TRUE(
            test::SetStringValue(HKEY_LOCAL_MACHINE, SiblingEntry(), L"DisplayName", L"Other"));
        ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, std::wstring(kProductKey) + L"\\A\\B"));
        ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, std::wstring(kProductKey) + L"\\C"));

        test::WriteFile(install_ / L"Tablet.exe", "program");
        test::WriteFile(install_ / L"readme.txt", "text");
        test::WriteFile(install_ / L"skin\\theme.png", "image");
        installFiles_ = 3 + test::WriteDriverPackage(install_.Path());
        test::WriteFile(neighbour_ / L"keep.txt", "keep");

        // Most cases follow every item's report; the throttled run has its own case.
        engine_.SetProgressInterval(0);
        engine_.SetToolLauncher([this](const std::wstring& file, const std::wstring& parameters,
                                       const std::wstring& workingFolder, ScopedHandle*) {
            ++launches_;
            return LaunchElevatedAndWait(file, parameters, workingFolder);
        });
    }

    static std::wstring Entry() { return std::wstring(kUninstallList) + L"\\QuorvelTablet"; }
    static std::wstring SiblingEntry() {
        return std::wstring(kUninstallList) + L"\\QuorvelTabletSibling";
    }

    // Starts like the real launch (elevated, hidden) but waits for the tool, so that it no longer
    // holds its files when the installation folder is deleted right after.
    static bool LaunchElevatedAndWait(const std::wstring& file, const std::wstring& parameters,
                                      const std::wstring& workingFolder) {
        SHELLEXECUTEINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
        info.lpVerb = L"runas";
        info.lpFile = file.c_str();
        info.lpParameters = parameters.c_str();
        info.lpDirectory = workingFolder.empty() ? nullptr : workingFolder.c_str();
        info.nShow = SW_HIDE;
        if (!::ShellExecuteExW(&info) || info.hProcess == nullptr) {
            return false;
        }
        ScopedHandle process(info.hProcess);
        ::WaitForSingleObject(process.Get(), 30000);
        return true;
    }

    void RunUninstall() {
        engine_.StartUninstall(test::ProductSettings().displayName, recorder_.Window());
        recorder_.PumpUntilFinished();
    }

    void ExpectProductKeysAndLibrariesGone() {
        EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, Entry()));
        EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kProductKey));
        EXPECT_FALSE(test::FileExists(libraries_.NativePath()));
        EXPECT_FALSE(test::FileExists(libraries_.Wow64Path()));
    }

    void ExpectNeighboursStay() {
        EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, SiblingEntry()));
        EXPECT_TRUE(test::FileExists(neighbour_ / L"keep.txt"));
        EXPECT_TRUE(shellItems_.NeighboursStay());
    }

    test::ScratchRegKey entry_{HKEY_LOCAL_MACHINE, Entry()};
    test::ScratchRegKey siblingEntry_{HKEY_LOCAL_MACHINE, SiblingEntry()};
    test::ScratchRegKey productKey_{HKEY_LOCAL_MACHINE, kProductKey};
    test::Wintab32StandIns libraries_;
    test::ToolRecords records_;
    test::ScratchFolder install_{L"Quorvel Tablet"};
    test::ScratchFolder neighbour_{L"Quorvel Tablet neighbour"};
    ShellItems shellItems_;
    int installFiles_ = 0;
    int launches_ = 0;
    MessageRecorder recorder_;
    ZUninstallObj engine_{test::ProductSettings()};
};

TEST_F(ZUninstallObjTest, RemovesTheProductAndReportsEveryItem) {
    shellItems_.WriteLinks();
    const int total = installFiles_ + 1 + shellItems_.WriteProgramsFolder() + 1;

    RunUninstall();

    EXPECT_EQ(recorder_.Messages(), MessageRecorder::Run(total, total));
    EXPECT_FALSE(test::FolderExists(install_.Path()));
    EXPECT_FALSE(shellItems_.AnyLeft());
    ExpectProductKeysAndLibrariesGone();
    ExpectNeighboursStay();
    EXPECT_EQ(engine_.InstallPath(), install_.Path());

    const std::string hid = WideToUtf8(test::HidToolFolder(install_.Path()));
    EXPECT_EQ(records_.Lines(L"bat"), std::vector<std::string>{"args=[]"});
    EXPECT_EQ(records_.Lines(L"devcon"),
              (std::vector<std::string>{hid + "\\devcon.exe", hid, "remove", "tavrel\\tablethid"}));
    EXPECT_EQ(records_.Lines(L"DIFxCmd"),
              (std::vector<std::string>{hid + "\\DIFxCmd.exe", hid, "/u", hid + "\\vmulti.inf",
                                        "DRIVER_PACKAGE_FORCE", "DRIVER_PACKAGE_LEGACY_MODE",
                                        "DRIVER_PACKAGE_SILENT"}));
}

// The real run's launcher does not wait for a tool; the engine does, before it deletes the folder
// the tools run from, so that nothing is left for a restart only because a tool still ran.
TEST_F(ZUninstallObjTest, ToolsStillRunningAreWaitedForBeforeTheirFolderIsDeleted) {
    test::PendingRenamesCleanup pendingCleanup(install_.Path());
    const ToolLauncher launch = ElevatedToolLauncher();
    engine_.SetToolLauncher(
        [this, launch](const std::wstring& file, const std::wstring& parameters,
                       const std::wstring& workingFolder, ScopedHandle* process) {
            ++launches_;
            return launch(file, parameters, workingFolder, process);
        },
        [](const std::wstring& installPath, unsigned long limitMs) {
            WaitForProgramsRunningFrom(installPath, limitMs);
        });

    RunUninstall();

    EXPECT_EQ(launches_, 3);
    EXPECT_TRUE(records_.Has(L"devcon"));
    EXPECT_TRUE(records_.Has(L"DIFxCmd"));
    EXPECT_FALSE(test::FolderExists(install_.Path()));
    const UninstallOutcome outcome = engine_.Outcome();
    EXPECT_EQ(outcome.scheduledForRestart, std::vector<std::wstring>());
    EXPECT_EQ(outcome.remaining, std::vector<std::wstring>());
}

TEST_F(ZUninstallObjTest, MissingLinksStillCountAndReportOneItemEach) {
    const int total = installFiles_ + 1 + 1;

    RunUninstall();

    EXPECT_EQ(recorder_.Messages(), MessageRecorder::Run(total, total));
    EXPECT_FALSE(test::FolderExists(install_.Path()));
    ExpectProductKeysAndLibrariesGone();
    ExpectNeighboursStay();
}

TEST_F(ZUninstallObjTest, AnotherDisplayNameTouchesNothingAndOnlyFinishes) {
    ASSERT_TRUE(test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"DisplayName",
                                     test::ProductSettings().displayName + L" Pro"));
    shellItems_.WriteLinks();
    shellItems_.WriteProgramsFolder();

    RunUninstall();

    EXPECT_EQ(recorder_.Messages(), MessageRecorder::Run(0, 0));
    EXPECT_EQ(engine_.Outcome().verdict, RemovalVerdict::kNotInstalled);
    EXPECT_EQ(launches_, 0);
    EXPECT_TRUE(test::FileExists(install_ / L"skin\\theme.png"));
    EXPECT_TRUE(shellItems_.AllLeft());
    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, Entry() + L"\\Components"));
    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, std::wstring(kProductKey) + L"\\A\\B"));
    EXPECT_TRUE(test::FileExists(libraries_.NativePath()));
    EXPECT_TRUE(test::FileExists(libraries_.Wow64Path()));
    EXPECT_EQ(engine_.InstallPath(), L"");
}

TEST_F(ZUninstallObjTest, AFileInUseIsSkippedAndTheRunStillFinishes) {
    shellItems_.WriteLinks();
    const int total = installFiles_ + 1 + 1;
    ScopedFileHandle held(::CreateFileW((install_ / L"skin\\theme.png").c_str(), GENERIC_READ,
                                        FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    // The last pass would schedule the file for the restart; this run keeps the system's list
    // untouched.
    std::vector<std::wstring> asked;
    engine_.SetRestartScheduler([&asked](const std::wstring& path) {
        asked.push_back(path);
        return false;
    });

    RunUninstall();

    EXPECT_EQ(recorder_.Messages(), MessageRecorder::Run(total - 1, total));
    EXPECT_EQ(asked, std::vector<std::wstring>{install_ / L"skin\\theme.png"});
    EXPECT_TRUE(test::FileExists(install_ / L"skin\\theme.png"));
    EXPECT_FALSE(test::FileExists(install_ / L"readme.txt"));
    EXPECT_FALSE(shellItems_.AnyLeft());
    ExpectProductKeysAndLibrariesGone();
}

TEST_F(ZUninstallObjTest, ProgressIsPostedAtMostOncePerFrameAndTheLastCountBeforeTheEnd) {
    engine_.SetProgressInterval(ProgressThrottle::kFrameIntervalMs);
    constexpr int kDataFiles = 400;
    for (int i = 0; i < kDataFiles; ++i) {
        test::WriteFile(install_ / (L"data\\file" + std::to_wstring(i) + L".bin"), "data");
    }
    shellItems_.WriteLinks();
    // A file in use keeps the count short of the total, so the end has to post the last count.
    ScopedFileHandle held(::CreateFileW((install_ / L"readme.txt").c_str(), GENERIC_READ,
                                        FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    const int total = installFiles_ + kDataFiles + 1 + 1;

    RunUninstall();

    const std::vector<Message>& messages = recorder_.Messages();
    ASSERT_GE(messages.size(), 3u);
    EXPECT_LT(messages.size(), static_cast<size_t>(total) / 2);
    EXPECT_EQ(messages.back(), (Message{WM_UNINSTALL_FINISHED, 0, 0}));
    EXPECT_EQ(messages[messages.size() - 2],
              (Message{WM_UNINSTALL_PROGRESS, static_cast<WPARAM>(total - 1), total}));
    EXPECT_EQ(messages.front(), (Message{WM_UNINSTALL_PROGRESS, 1, total}));
    for (size_t i = 1; i + 1 < messages.size(); ++i) {
        EXPECT_EQ(messages[i].id, static_cast<UINT>(WM_UNINSTALL_PROGRESS));
        EXPECT_GT(messages[i].wParam, messages[i - 1].wParam);
        EXPECT_EQ(messages[i].lParam, total);
    }
    EXPECT_FALSE(test::FileExists(install_ / L"Tablet.exe"));
}

TEST_F(ZUninstallObjTest, AFullQueueLosesNoMessage) {
    int calls = 0;
    engine_.SetPostFunction([&calls](HWND window, UINT id, WPARAM wParam, LPARAM lParam) {
        // Every other post finds the queue full.
        if (++calls % 2 == 1) {
            ::SetLastError(ERROR_NOT_ENOUGH_QUOTA);
            return FALSE;
        }
        return ::PostMessageW(window, id, wParam, lParam);
    });
    shellItems_.WriteLinks();
    const int total = installFiles_ + 1 + shellItems_.WriteProgramsFolder() + 1;

    RunUninstall();

    EXPECT_EQ(recorder_.Messages(), MessageRecorder::Run(total, total));
    EXPECT_EQ(calls, 2 * (total + 1));
}

// A folder that may not be removed stops the run before anything is touched: the entry and the
// keys stay, so that the product can still be removed once the entry is mended.
TEST_F(ZUninstallObjTest, ARefusedInstallFolderKeepsEverythingAndIsWhatIsLeft) {
    // Names the installation folder through "..": the text doesn't show which folder it is.
    const std::wstring indirect = neighbour_.Path() + L"\\..\\" +
                                  install_.Path().substr(PathFolder(install_.Path()).size() + 1);
    std::wstring appData;
    ASSERT_TRUE(GetSpecialFolder(CSIDL_APPDATA, L"", appData));
    shellItems_.WriteLinks();
    shellItems_.WriteProgramsFolder();
    for (const std::wstring& installPath :
         {indirect, std::wstring(L"C:\\"), GetWindowsFolder(), PathFolder(appData)}) {
        SCOPED_TRACE(WideToUtf8(installPath));
        ASSERT_TRUE(test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"InstallPath", installPath));
        MessageRecorder recorder;
        ZUninstallObj engine(test::ProductSettings());
        engine.SetToolLauncher(
            [this](const std::wstring&, const std::wstring&, const std::wstring&, ScopedHandle*) {
                ++launches_;
                return true;
            });

        engine.StartUninstall(test::ProductSettings().displayName, recorder.Window());
        recorder.PumpUntilFinished();

        EXPECT_EQ(recorder.Messages(), MessageRecorder::Run(0, 0));
        EXPECT_EQ(launches_, 0);
        const UninstallOutcome outcome = engine.Outcome();
        EXPECT_EQ(outcome.verdict, RemovalVerdict::kFolderRefused);
        EXPECT_EQ(outcome.remaining, std::vector<std::wstring>{installPath});
        EXPECT_TRUE(test::FileExists(install_ / L"skin\\theme.png"));
        EXPECT_TRUE(shellItems_.AllLeft());
        EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, Entry()));
        EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, std::wstring(kProductKey) + L"\\A\\B"));
        EXPECT_TRUE(test::FileExists(libraries_.NativePath()));
    }
}

// A folder an earlier run removed already leaves the rest of the product to remove.
TEST_F(ZUninstallObjTest, AGoneOrMissingFolderStillRemovesTheRest) {
    for (const std::wstring& installPath : {std::wstring(), install_.Path() + L" gone"}) {
        SCOPED_TRACE(WideToUtf8(installPath));
        ASSERT_TRUE(test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"DisplayName",
                                         test::ProductSettings().displayName));
        ASSERT_TRUE(test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"InstallPath", installPath));
        shellItems_.WriteLinks();
        const int total = 1 + shellItems_.WriteProgramsFolder() + 1;
        MessageRecorder recorder;
        ZUninstallObj engine(test::ProductSettings());
        engine.SetProgressInterval(0);
        engine.SetToolLauncher(
            [this](const std::wstring&, const std::wstring&, const std::wstring&, ScopedHandle*) {
                ++launches_;
                return true;
            });

        engine.StartUninstall(test::ProductSettings().displayName, recorder.Window());
        recorder.PumpUntilFinished();

        EXPECT_EQ(recorder.Messages(), MessageRecorder::Run(total, total));
        EXPECT_EQ(launches_, 0);
        EXPECT_EQ(engine.Outcome().verdict, RemovalVerdict::kRan);
        EXPECT_TRUE(test::FileExists(install_ / L"skin\\theme.png"));
        EXPECT_FALSE(shellItems_.AnyLeft());
        ExpectProductKeysAndLibrariesGone();
    }
}

TEST_F(ZUninstallObjTest, TwoEmptyDisplayNamesDoNotMatch) {
    ASSERT_TRUE(test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"DisplayName", L""));

    engine_.StartUninstall(L"", recorder_.Window());
    recorder_.PumpUntilFinished();

    EXPECT_EQ(recorder_.Messages(), MessageRecorder::Run(0, 0));
    EXPECT_EQ(launches_, 0);
    EXPECT_TRUE(test::FileExists(install_ / L"readme.txt"));
    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, std::wstring(kProductKey) + L"\\C"));
    EXPECT_TRUE(test::FileExists(libraries_.NativePath()));
}

}  // namespace
