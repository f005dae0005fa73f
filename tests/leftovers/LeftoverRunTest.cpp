#include "ZUninstallObj.h"

#include "AppConfig.h"
#include "CriticalSection.h"
#include "DriverRemoval.h"
#include "FileHolderProcess.h"
#include "FinishLine.h"
#include "MessageWindow.h"
#include "PathUtil.h"
#include "PendingRenames.h"
#include "RemovalFixtures.h"
#include "InstalledProductRecord.h"
#include "ShortcutCleanup.h"
#include "TestFiles.h"
#include "TestProcess.h"
#include "TestRegistry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kScheduled[] = L"Scheduled for removal at the next restart: ";
constexpr wchar_t kLeft[] = L"Could not be removed: ";

// Keeps the lines about scheduled and remaining items; the run's other lines are left out.
class ItemLog final : public IUninstallLog {
public:
    void Write(const std::wstring& line) override {
        if (line.rfind(kScheduled, 0) != 0 && line.rfind(kLeft, 0) != 0) {
            return;
        }
        const std::lock_guard<CriticalSection> hold(lock_);
        lines_.push_back(line);
    }
    std::vector<std::wstring> Lines() {
        const std::lock_guard<CriticalSection> hold(lock_);
        return lines_;
    }

private:
    CriticalSection lock_;
    std::vector<std::wstring> lines_;
};

std::vector<std::wstring> Prefixed(const wchar_t* prefix, const std::vector<std::wstring>& items) {
    std::vector<std::wstring> lines;
    for (const std::wstring& item : items) {
        lines.push_back(prefix + item);
    }
    return lines;
}

// Every file and folder below folder, by full path, in the order a walk finds them.
std::vector<std::wstring> EverythingBelow(const std::wstring& folder) {
    std::vector<std::wstring> found;
    WIN32_FIND_DATAW entry;
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        return found;
    }
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        found.push_back(folder + L"\\" + name);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            const std::vector<std::wstring> below = EverythingBelow(folder + L"\\" + name);
            found.insert(found.end(), below.begin(), below.end());
        }
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
    return found;
}

void SetAttributes(const std::wstring& path, DWORD attributes) {
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), attributes));
    ASSERT_EQ(::GetFileAttributesW(path.c_str()) & attributes, attributes);
}

// The start-menu folder of the product, removed with everything in it after the test.
class ProgramsFolder {
public:
    ProgramsFolder() : path_(ProgramsFolderPath(GetDisplayName())) {}
    ~ProgramsFolder() { test::RemoveTree(path_); }
    ProgramsFolder(const ProgramsFolder&) = delete;
    ProgramsFolder& operator=(const ProgramsFolder&) = delete;
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

class LeftoverRunTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(LoadAppConfig(::GetModuleHandleW(nullptr))); }

    void SetUp() override {
        ASSERT_TRUE(
            test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"DisplayName", GetDisplayName()));
        ASSERT_TRUE(
            test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"InstallPath", install_.Path()));
        ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, kProductKeyPath));
        test::WriteFile(install_ / L"Tablet.exe", "program");
        engine_.SetToolLauncher([](const std::wstring&, const std::wstring&, const std::wstring&,
                                   ScopedHandle*) { return true; });
        engine_.SetLog(&log_);
    }

    static std::wstring Entry() {
        return std::wstring(kInstalledProgramsKey) + L"\\" + GetProjectName();
    }

    // The held file and the folders that hold it, deepest first.
    std::vector<std::wstring> HeldChain() const {
        return {install_ / L"sub\\deeper\\held.dat", install_ / L"sub\\deeper", install_ / L"sub",
                install_.Path()};
    }

    void WriteTreeAroundHeldFile() {
        test::WriteFile(install_ / L"a.txt", "a");
        test::WriteFile(install_ / L"sub\\b.txt", "b");
        test::WriteFile(install_ / L"sub\\deeper\\c.txt", "c");
        test::WriteFile(install_ / L"sub\\deeper\\held.dat", "held");
    }

    void RunUninstall() {
        bool finished = false;
        test::MessageWindow window([&finished](UINT message, WPARAM, LPARAM) {
            finished = finished || message == WM_UNINSTALL_FINISHED;
            return message == WM_UNINSTALL_FINISHED || message == WM_UNINSTALL_PROGRESS;
        });
        engine_.StartUninstall(GetDisplayName(), window.Window());
        const ULONGLONG deadline = ::GetTickCount64() + 60000;
        while (!finished && ::GetTickCount64() < deadline) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                ::DispatchMessageW(&message);
            }
        }
        ASSERT_TRUE(finished);
    }

    test::ScratchRegKey entry_{HKEY_LOCAL_MACHINE, Entry()};
    test::ScratchRegKey productKey_{HKEY_LOCAL_MACHINE, kProductKeyPath, KEY_WOW64_64KEY};
    test::Wintab32StandIns libraries_;
    test::ScratchFolder install_{L"Leftover install"};
    test::PendingRenamesCleanup pending_{install_.Path()};
    ProgramsFolder programs_;
    ItemLog log_;
    ZUninstallObj engine_{test::ProductSettings()};
};

// The installation folder with a read-only folder inside is made before the run by
// make-leftover-links.sh.
TEST_F(LeftoverRunTest, ReadOnlyHiddenAndSystemItemsAreRemoved) {
    const std::wstring install = L"C:\\uninstaller-tests\\leftover-readonly-folder";
    test::PendingRenamesCleanup pending(install);
    ASSERT_TRUE(test::FileExists(install + L"\\locked\\inner.txt")) << "fixture missing";
    ASSERT_TRUE(::GetFileAttributesW((install + L"\\locked").c_str()) & FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"InstallPath", install));
    const struct {
        std::wstring path;
        DWORD attributes;
    } files[] = {
        {install + L"\\readonly.txt", FILE_ATTRIBUTE_READONLY},
        {install + L"\\hidden-system.dat", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
        {install + L"\\all.dat",
         FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
        {programs_.Path() + L"\\Help\\hidden.lnk", FILE_ATTRIBUTE_HIDDEN},
    };
    for (const auto& file : files) {
        test::WriteFile(file.path, "kept by its attributes");
        SetAttributes(file.path, file.attributes);
    }
    SetAttributes(programs_.Path() + L"\\Help", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    RunUninstall();

    EXPECT_FALSE(test::FolderExists(install));
    EXPECT_FALSE(test::FolderExists(programs_.Path()));
    const UninstallOutcome outcome = engine_.Outcome();
    EXPECT_TRUE(outcome.scheduledForRestart.empty());
    EXPECT_TRUE(outcome.remaining.empty());
    EXPECT_TRUE(log_.Lines().empty());
    EXPECT_TRUE(test::PendingDeletionsBelow(install).empty());
}

TEST_F(LeftoverRunTest, AHeldFileAndItsFoldersGoAtTheRestart) {
    WriteTreeAroundHeldFile();
    test::FileHolderProcess holder(install_ / L"sub\\deeper\\held.dat");
    ASSERT_TRUE(holder.Holding());

    RunUninstall();

    const UninstallOutcome outcome = engine_.Outcome();
    EXPECT_EQ(outcome.scheduledForRestart, HeldChain());
    EXPECT_TRUE(outcome.remaining.empty());
    EXPECT_EQ(test::PendingDeletionsBelow(install_.Path()), HeldChain());
    // Everything else is gone already.
    EXPECT_EQ(EverythingBelow(install_.Path()),
              (std::vector<std::wstring>{install_ / L"sub", install_ / L"sub\\deeper",
                                         install_ / L"sub\\deeper\\held.dat"}));
    EXPECT_EQ(log_.Lines(), Prefixed(kScheduled, HeldChain()));
    EXPECT_EQ(ChooseFinishLine(outcome, L"restart", L"left @"), L"restart");

    ASSERT_EQ(holder.Release(), 0);
    // The simulated restart carries out the pending list as the system does at start.
    wchar_t system[MAX_PATH];
    ASSERT_GT(::GetSystemDirectoryW(system, MAX_PATH), 0u);
    const std::optional<DWORD> restart =
        test::RunProgram(L"\"" + std::wstring(system) + L"\\wineboot.exe\" -r", system, 120000);
    ASSERT_TRUE(restart.has_value());

    EXPECT_FALSE(test::FolderExists(install_.Path()));
    EXPECT_TRUE(test::PendingDeletionsBelow(install_.Path()).empty());
}

TEST_F(LeftoverRunTest, TheFinishStepSweepsAgainWithoutSchedulingTwice) {
    WriteTreeAroundHeldFile();
    test::FileHolderProcess holder(install_ / L"sub\\deeper\\held.dat");
    ASSERT_TRUE(holder.Holding());
    RunUninstall();

    const UninstallOutcome stillHeld = engine_.SweepLeftovers();

    EXPECT_EQ(stillHeld.scheduledForRestart, HeldChain());
    EXPECT_EQ(test::PendingDeletionsBelow(install_.Path()), HeldChain());
    EXPECT_EQ(log_.Lines(), Prefixed(kScheduled, HeldChain()));

    ASSERT_EQ(holder.Release(), 0);
    const UninstallOutcome released = engine_.SweepLeftovers();

    EXPECT_TRUE(released.scheduledForRestart.empty());
    EXPECT_TRUE(released.remaining.empty());
    EXPECT_TRUE(engine_.Outcome().scheduledForRestart.empty());
    EXPECT_FALSE(test::FolderExists(install_.Path()));
    // Gone now: a deletion left in the list would remove a new installation at the restart.
    EXPECT_TRUE(test::PendingDeletionsBelow(install_.Path()).empty());
    EXPECT_EQ(log_.Lines().size(), HeldChain().size());
}

TEST_F(LeftoverRunTest, AnItemThatCanNeitherGoNorBeScheduledNamesTheFolderLeft) {
    WriteTreeAroundHeldFile();
    std::vector<std::wstring> asked;
    engine_.SetRestartScheduler([&asked](const std::wstring& path) {
        asked.push_back(path);
        return false;
    });
    test::FileHolderProcess holder(install_ / L"sub\\deeper\\held.dat");
    ASSERT_TRUE(holder.Holding());

    RunUninstall();

    const UninstallOutcome outcome = engine_.Outcome();
    EXPECT_TRUE(outcome.scheduledForRestart.empty());
    EXPECT_EQ(outcome.remaining, HeldChain());
    // Only the file was worth asking for: its folders are not empty.
    EXPECT_EQ(asked, std::vector<std::wstring>{HeldChain().front()});
    EXPECT_EQ(ItemLeftToName(outcome), install_.Path());
    EXPECT_EQ(ChooseFinishLine(outcome, L"restart", L"left: @"), L"left: " + install_.Path());
    EXPECT_EQ(log_.Lines(), Prefixed(kLeft, HeldChain()));
    EXPECT_TRUE(test::PendingDeletionsBelow(install_.Path()).empty());
}

TEST_F(LeftoverRunTest, AHeldDesktopLinkIsLeftButNeverScheduled) {
    const std::wstring link = DesktopLinkPath(GetDisplayName());
    test::WriteFile(link, "link");
    test::PendingRenamesCleanup pending(PathFolder(link));
    test::FileHolderProcess holder(link);
    ASSERT_TRUE(holder.Holding());

    RunUninstall();

    const UninstallOutcome outcome = engine_.Outcome();
    EXPECT_EQ(outcome.remaining, std::vector<std::wstring>{link});
    EXPECT_TRUE(outcome.scheduledForRestart.empty());
    EXPECT_TRUE(test::PendingDeletionsBelow(PathFolder(link)).empty());
    EXPECT_FALSE(test::FolderExists(install_.Path()));
    ASSERT_EQ(holder.Release(), 0);
    EXPECT_TRUE(::DeleteFileW(link.c_str()));
}

TEST_F(LeftoverRunTest, AProductKeyThatStaysIsLeftAndNamed) {
    // A subkey name longer than the recursive delete reads keeps the product key in place.
    const std::wstring stubborn = std::wstring(kProductKeyPath) + L"\\" + std::wstring(252, L'k');
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, stubborn, KEY_WOW64_64KEY));

    RunUninstall();

    const std::wstring key = L"HKEY_LOCAL_MACHINE\\" + std::wstring(kProductKeyPath);
    const UninstallOutcome outcome = engine_.Outcome();
    EXPECT_EQ(outcome.remaining, std::vector<std::wstring>{key});
    EXPECT_TRUE(outcome.scheduledForRestart.empty());
    EXPECT_FALSE(test::FolderExists(install_.Path()));
    EXPECT_EQ(ChooseFinishLine(outcome, L"restart", L"left: @"), L"left: " + key);
    EXPECT_EQ(log_.Lines(), Prefixed(kLeft, {key}));
}

// What other programs left in the system's list of pending renames, as two texts whose
// characters (terminators included) make the value: their complete pairs, and the rest.
struct OthersEntries {
    const char* what;
    std::wstring pairs;
    std::wstring tail;
    bool oddByte;
};

void PrintTo(const OthersEntries& others, std::ostream* out) {
    *out << others.what;
}

std::string BytesOf(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::string PlantedBytes(const OthersEntries& others) {
    return BytesOf(others.pairs) + BytesOf(others.tail) + (others.oddByte ? "Z" : "");
}

// A real run schedules its held items between the others' entries, which stay exactly as they
// were, and withdraws them once they are gone.
class OthersRestartEntriesTest : public LeftoverRunTest,
                                 public ::testing::WithParamInterface<OthersEntries> {
protected:
    const test::PendingValueBackup backup_;
};

TEST_P(OthersRestartEntriesTest, SurviveTheRunByteForByte) {
    const OthersEntries& others = GetParam();
    const std::string planted = PlantedBytes(others);
    ASSERT_TRUE(test::SetPendingValueBytes(planted));
    WriteTreeAroundHeldFile();
    test::FileHolderProcess holder(install_ / L"sub\\deeper\\held.dat");
    ASSERT_TRUE(holder.Holding());

    RunUninstall();

    ASSERT_EQ(engine_.Outcome().scheduledForRestart, HeldChain());
    std::wstring ours;
    for (const std::wstring& item : HeldChain()) {
        ours += std::wstring(L"\\??\\") + item + L'\0' + L'\0';
    }
    EXPECT_EQ(test::PendingValueBytes(), BytesOf(others.pairs) + BytesOf(ours) +
                                             BytesOf(others.tail) + (others.oddByte ? "Z" : ""));

    ASSERT_EQ(holder.Release(), 0);
    EXPECT_TRUE(engine_.SweepLeftovers().scheduledForRestart.empty());
    EXPECT_EQ(test::PendingValueBytes(), planted);
}

const OthersEntries kOthersEntries[] = {
    {"closed list with a deletion",
     test::WithNuls(
         L"\\??\\C:\\Other\\old.dll\0\0\\??\\C:\\Other\\new.tmp\0!\\??\\C:\\Other\\new.dll\0"),
     test::WithNuls(L"\0"), false},
    {"no closing terminator", test::WithNuls(L"\\??\\C:\\Other\\old.dll\0\0"), L"", false},
    {"odd string count", test::WithNuls(L"\\??\\C:\\Other\\old.dll\0\0"),
     test::WithNuls(L"\\??\\C:\\Other\\half\0"), false},
    {"unterminated string and odd byte", test::WithNuls(L"\\??\\C:\\Other\\old.dll\0\0"),
     L"\\??\\C:\\Other\\cut", true},
};

INSTANTIATE_TEST_SUITE_P(Planted, OthersRestartEntriesTest, ::testing::ValuesIn(kOthersEntries),
                         [](const ::testing::TestParamInfo<OthersEntries>& info) {
                             return std::to_string(info.index);
                         });

}  // namespace
