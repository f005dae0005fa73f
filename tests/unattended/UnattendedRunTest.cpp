// The program run as a deployment tool runs it: Uninstall.exe started from a demo installation
// with switches, every process it starts watched from outside, its windows watched through the
// system's window events and by looking at the window list.
#include "PathUtil.h"
#include "ProcessTreeRecorder.h"
#include "PendingRenames.h"
#include "RemovalFixtures.h"
#include "RunFolder.h"
#include "SpecialFolders.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "TextConvert.h"
#include "UniqueHandle.h"
#include "WindowWatch.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kUninstallList[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr wchar_t kProductKey[] = L"Software\\TavrelTablet";
constexpr wchar_t kDisplayName[] = L"QuorvelTablet";

std::wstring Entry() {
    return std::wstring(kUninstallList) + L"\\QuorvelTablet";
}
std::wstring SiblingEntry() {
    return std::wstring(kUninstallList) + L"\\QuorvelTabletSibling";
}

std::wstring Special(int csidl, const wchar_t* suffix = L"") {
    std::wstring path;
    EXPECT_TRUE(GetSpecialFolder(csidl, suffix, path));
    return path;
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// An installed product as the driver package's installer leaves it, with a neighbour of each
// kind that must survive: installed-programs entry, product key, installation folder holding the
// uninstaller and the package's stand-in tools, desktop link, start-menu folder, taskbar pin and
// the tablet interface library in the system folders.
class DemoInstallation {
public:
    DemoInstallation() {
        EXPECT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, Entry() + L"\\Components"));
        EXPECT_TRUE(
            test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"DisplayName", kDisplayName));
        EXPECT_TRUE(test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"InstallPath", Install()));
        EXPECT_TRUE(
            test::SetStringValue(HKEY_LOCAL_MACHINE, SiblingEntry(), L"DisplayName", L"Other"));
        EXPECT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, std::wstring(kProductKey) + L"\\A\\B"));

        PutProgramInPlace();
        test::WriteFile(Install() + L"\\Tablet.exe", "program");
        test::WriteFile(Install() + L"\\skin\\theme.png", "image");
        test::WriteDriverPackage(Install());
        test::WriteFile(SiblingFolder() + L"\\keep.txt", "keep");
        test::MakeFolders(TempFolder());

        test::MakeFolders(PathFolder(PinnedLink()));
        for (const std::wstring& file : {DesktopLink(), PinnedLink(), ProgramsFolder() + L"\\A.lnk",
                                         ProgramsFolder() + L"\\Help\\Manual.lnk"}) {
            test::WriteFile(file, "link");
        }
        for (const std::wstring& file : Neighbours()) {
            test::WriteFile(file, "keep");
        }
    }
    ~DemoInstallation() {
        for (const std::wstring& file : {DesktopLink(), PinnedLink()}) {
            ::DeleteFileW(file.c_str());
        }
        for (const std::wstring& file : Neighbours()) {
            ::DeleteFileW(file.c_str());
        }
        test::RemoveTree(ProgramsFolder());
        test::RemoveTree(PathFolder(Neighbours()[1]));
    }
    DemoInstallation(const DemoInstallation&) = delete;
    DemoInstallation& operator=(const DemoInstallation&) = delete;

    std::wstring Install() const { return scratch_ / L"Program Files\\QuorvelTablet"; }
    std::wstring Program() const { return Install() + L"\\Uninstall.exe"; }
    std::wstring SiblingFolder() const { return scratch_ / L"Program Files\\QuorvelTablet Other"; }
    std::wstring TempFolder() const { return scratch_ / L"User Temp"; }
    // Whether a copy of the uninstaller is left in the temporary folder: in a run folder, or in the
    // temporary folder itself.
    bool CopiesLeft() const {
        WIN32_FIND_DATAW found = {};
        const ScopedFindHandle find(
            ::FindFirstFileW((TempFolder() + L"\\" + kRunFolderPrefix + L"*").c_str(), &found));
        return static_cast<bool>(find) || Exists(TempFolder() + L"\\Uninstall.exe");
    }
    // The copy among processes: the one started from a run folder of the temporary folder.
    const test::RecordedProcess* FindCopy(
        const std::vector<test::RecordedProcess>& processes) const {
        const auto found = std::find_if(
            processes.begin(), processes.end(), [this](const test::RecordedProcess& p) {
                return IsRunFolder(PathFolder(p.imagePath), TempFolder());
            });
        return found == processes.end() ? nullptr : &*found;
    }
    std::wstring Scratch(const std::wstring& relative) const { return scratch_ / relative; }

    std::wstring DesktopLink() const { return Special(CSIDL_DESKTOP) + L"\\QuorvelTablet.lnk"; }
    std::wstring ProgramsFolder() const {
        return Special(CSIDL_COMMON_PROGRAMS) + L"\\QuorvelTablet";
    }
    std::wstring PinnedLink() const {
        return Special(CSIDL_APPDATA, L"\\Microsoft\\Internet Explorer\\Quick Launch") +
               L"\\User Pinned\\TaskBar\\QuorvelTablet.lnk";
    }
    std::vector<std::wstring> Neighbours() const {
        return {Special(CSIDL_DESKTOP) + L"\\QuorvelTablet Other.lnk",
                Special(CSIDL_COMMON_PROGRAMS) + L"\\QuorvelTabletOther\\keep.lnk",
                PathFolder(PinnedLink()) + L"\\Other.lnk"};
    }

    // The uninstaller in the installation folder, also after a run removed it.
    void PutProgramInPlace() {
        test::MakeFolders(Install());
        EXPECT_TRUE(::CopyFileW((test::TestProgramFolder() + L"\\Uninstall.exe").c_str(),
                                Program().c_str(), FALSE));
    }
    void SetRegisteredDisplayName(const std::wstring& name) {
        EXPECT_TRUE(test::SetStringValue(HKEY_LOCAL_MACHINE, Entry(), L"DisplayName", name));
    }
    void Unregister() { test::DeleteTree(HKEY_LOCAL_MACHINE, Entry()); }

    // Runs the installed uninstaller with arguments from workingFolder (default: the installation
    // folder), the temporary folder pointed at the scratch one, and notes whether the copy's file
    // was still there when the first process ended.
    std::vector<test::RecordedProcess> Run(const std::wstring& arguments,
                                           std::wstring workingFolder = std::wstring()) {
        copyLeftWhenFirstEnded_ = false;
        const std::wstring firstProgram = Program();
        return test::RecordProcessTree(L"\"" + firstProgram + L"\" " + arguments,
                                       workingFolder.empty() ? Install() : workingFolder,
                                       {{L"TMP", TempFolder()}, {L"TEMP", TempFolder()}}, 120000,
                                       [this, firstProgram](const test::RecordedProcess& ended) {
                                           if (ended.imagePath == firstProgram) {
                                               copyLeftWhenFirstEnded_ = CopiesLeft();
                                           }
                                       });
    }
    bool CopyLeftWhenFirstEnded() const { return copyLeftWhenFirstEnded_; }

    bool AnythingOfTheProductLeft() const {
        return Exists(Install()) || Exists(DesktopLink()) || Exists(PinnedLink()) ||
               Exists(ProgramsFolder()) || test::KeyExists(HKEY_LOCAL_MACHINE, Entry()) ||
               test::KeyExists(HKEY_LOCAL_MACHINE, kProductKey) ||
               Exists(libraries_.NativePath()) || Exists(libraries_.Wow64Path());
    }
    bool AllOfTheProductThere() const {
        return Exists(Program()) && Exists(Install() + L"\\skin\\theme.png") &&
               Exists(DesktopLink()) && Exists(PinnedLink()) &&
               Exists(ProgramsFolder() + L"\\Help\\Manual.lnk") &&
               test::KeyExists(HKEY_LOCAL_MACHINE, std::wstring(kProductKey) + L"\\A\\B") &&
               Exists(libraries_.NativePath()) && Exists(libraries_.Wow64Path());
    }
    bool NeighboursStay() const {
        const std::vector<std::wstring> neighbours = Neighbours();
        return test::KeyExists(HKEY_LOCAL_MACHINE, SiblingEntry()) &&
               Exists(SiblingFolder() + L"\\keep.txt") &&
               std::all_of(neighbours.begin(), neighbours.end(), Exists);
    }
    const test::ToolRecords& Tools() const { return tools_; }

private:
    test::ScratchRegKey entry_{HKEY_LOCAL_MACHINE, Entry()};
    test::ScratchRegKey siblingEntry_{HKEY_LOCAL_MACHINE, SiblingEntry()};
    test::ScratchRegKey productKey_{HKEY_LOCAL_MACHINE, kProductKey};
    test::Wintab32StandIns libraries_;
    test::ToolRecords tools_;
    test::ScratchFolder scratch_{L"unattended"};
    bool copyLeftWhenFirstEnded_ = false;
};

// The processes of the uninstaller itself (Wine may start a desktop process for a message box).
std::vector<test::RecordedProcess> Uninstallers(const std::vector<test::RecordedProcess>& all) {
    std::vector<test::RecordedProcess> found;
    std::copy_if(
        all.begin(), all.end(), std::back_inserter(found), [](const test::RecordedProcess& p) {
            const std::wstring tail = L"\\Uninstall.exe";
            return p.imagePath.size() > tail.size() &&
                   p.imagePath.compare(p.imagePath.size() - tail.size(), tail.size(), tail) == 0;
        });
    return found;
}

std::vector<std::string> ReadLines(const std::wstring& path) {
    std::string text = test::ReadFile(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
    return lines;
}

// Index of the first line at or after from that contains text; lines.size() when none does.
std::size_t FindLine(const std::vector<std::string>& lines, const std::wstring& text,
                     std::size_t from = 0) {
    const std::string utf8 = WideToUtf8(text);
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (lines[i].find(utf8) != std::string::npos) {
            return i;
        }
    }
    return lines.size();
}

class UnattendedRunTest : public ::testing::Test {
protected:
    DemoInstallation demo_;
};

TEST_F(UnattendedRunTest, SilentRemovesEverythingWithoutAnyWindowAndWaitsForTheCopy) {
    test::WindowEventWatcher events;
    test::UninstallerWindowPoller poller;

    const auto processes = demo_.Run(L"/S");

    ASSERT_FALSE(processes.empty());
    const test::RecordedProcess& first = processes[0];
    const test::RecordedProcess* copy = demo_.FindCopy(processes);
    ASSERT_NE(copy, nullptr) << "the copy was started by its full path";
    EXPECT_EQ(first.imagePath, demo_.Program());
    EXPECT_EQ(first.exitCode, 0u);
    EXPECT_EQ(copy->exitCode, 0u);
    EXPECT_GT(first.exitOrder, copy->exitOrder) << "the first process ends after the copy";
    EXPECT_FALSE(demo_.CopyLeftWhenFirstEnded()) << "the copy's file is gone before";
    EXPECT_NE(copy->commandLine.find(L"/S AppPath=" + demo_.Install()), std::wstring::npos)
        << testing::PrintToString(copy->commandLine);

    EXPECT_FALSE(demo_.AnythingOfTheProductLeft());
    EXPECT_FALSE(demo_.CopiesLeft());
    EXPECT_TRUE(demo_.NeighboursStay());
    EXPECT_TRUE(demo_.Tools().Has(L"devcon"));
    EXPECT_TRUE(demo_.Tools().Has(L"DIFxCmd"));

    for (const test::RecordedProcess* process : {&first, copy}) {
        for (const auto& event : events.EventsOf(process->threadIds)) {
            EXPECT_FALSE(event.topLevel)
                << "a top-level window " << testing::PrintToString(event.className);
            EXPECT_NE(event.event, static_cast<DWORD>(EVENT_OBJECT_SHOW))
                << "a window was shown: " << testing::PrintToString(event.className);
        }
    }
    EXPECT_TRUE(poller.Windows().empty()) << "a top-level window of the uninstaller was listed";
}

TEST_F(UnattendedRunTest, SilentWithoutTheProductOrWithAnotherDisplayNameRemovesNothing) {
    struct Case {
        const char* name;
        bool registered;
        std::wstring displayName;
    };
    const Case cases[] = {{"no installed-programs entry", false, L""},
                          {"display name differing in letter case", true, L"quorveltablet"},
                          {"display name with a trailing blank", true, L"QuorvelTablet "}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.registered) {
            demo_.SetRegisteredDisplayName(c.displayName);
        } else {
            demo_.Unregister();
        }

        const auto processes = demo_.Run(L"/S");

        ASSERT_FALSE(processes.empty());
        EXPECT_EQ(processes[0].exitCode, 1605u);
        const test::RecordedProcess* copy = demo_.FindCopy(processes);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->exitCode, 1605u);
        EXPECT_TRUE(demo_.AllOfTheProductThere());
        EXPECT_FALSE(demo_.Tools().Has(L"devcon"));
        EXPECT_FALSE(demo_.CopiesLeft());
        EXPECT_TRUE(demo_.NeighboursStay());
    }
}

TEST_F(UnattendedRunTest, LogHoldsEveryStepAndToolInOrderAndIsAppendedTo) {
    const std::wstring log = demo_.Scratch(L"部署 日志\\卸载 记录.log");
    test::MakeFolders(PathFolder(log));
    const std::wstring line = L"/S \"/LOG=" + log + L"\"";

    const auto processes = demo_.Run(line);

    ASSERT_FALSE(processes.empty());
    EXPECT_EQ(processes[0].exitCode, 0u);
    EXPECT_FALSE(demo_.AnythingOfTheProductLeft());
    const std::string firstRun = test::ReadFile(log);
    ASSERT_EQ(firstRun.compare(0, 3, "\xEF\xBB\xBF"), 0) << "UTF-8 with a byte-order mark";
    std::vector<std::string> lines = ReadLines(log);
    ASSERT_FALSE(lines.empty());
    lines[0].erase(0, 3);
    const std::regex stamped(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} .*)");
    for (const std::string& text : lines) {
        EXPECT_TRUE(std::regex_match(text, stamped)) << text;
    }

    // In the order things happen, across both processes.
    const std::wstring expected[] = {
        L"Uninstaller 16.0.0.22",
        L"Command line: \"" + demo_.Program() + L"\" " + line,
        L"Configuration: BrandName \"Quorvel\", ProjectName \"QuorvelTablet\", DisplayName "
        L"\"QuorvelTablet\"",
        L"Starting the copy: \"" + demo_.TempFolder() + L"\\" + kRunFolderPrefix,
        L"Uninstaller 16.0.0.22",
        L"Step: checking the installed product",
        L"Installed product: DisplayName \"QuorvelTablet\", InstallPath \"" + demo_.Install(),
        L"Step: closing the driver's running program",
        L"Step: starting the removal",
        L"Step: driver removal",
        L"Tool: \"" + test::HidToolFolder(demo_.Install()) + L"\\devcon.exe\" remove",
        L"Tool: \"" + test::HidToolFolder(demo_.Install()) + L"\\DIFxCmd.exe\" /u",
        L"Step: counting the files to remove",
        L"Step: releasing the start-menu and taskbar pins",
        L"Step: deleting the installation folder " + demo_.Install(),
        L"Step: deleting the desktop link",
        L"Step: deleting the start-menu folder",
        L"Step: deleting the taskbar link",
        L"Step: removing the installed-programs entry QuorvelTablet",
        L"Removed ",
        L"Step: deleting what is left",
        L"Exit code 0",
        L"The copy ended with exit code 0",
        L"Exit code 0",
    };
    for (const std::string& text : lines) {
        EXPECT_EQ(text.find("Left behind"), std::string::npos) << text;
    }
    std::size_t at = 0;
    for (const std::wstring& text : expected) {
        const std::size_t found = FindLine(lines, text, at);
        EXPECT_LT(found, lines.size()) << "missing after line " << at << ": " << WideToUtf8(text);
        if (found < lines.size()) {
            at = found + 1;
        }
    }

    // A second run (the product is gone by now) appends and never truncates.
    demo_.PutProgramInPlace();
    const auto again = demo_.Run(line);
    ASSERT_FALSE(again.empty());
    EXPECT_EQ(again[0].exitCode, 1605u);
    const std::string both = test::ReadFile(log);
    EXPECT_EQ(both.compare(0, firstRun.size(), firstRun), 0);
    const std::vector<std::string> allLines = ReadLines(log);
    EXPECT_LT(FindLine(allLines, L"Exit code 1605", lines.size()), allLines.size());
    EXPECT_EQ(both.find("\xEF\xBB\xBF", 3), std::string::npos) << "one byte-order mark";
}

TEST_F(UnattendedRunTest, FileInUseIsLoggedWithTheSystemsReasonScheduledAndGives3010) {
    const std::wstring log = demo_.Scratch(L"busy.log");
    const std::wstring busy = demo_.Install() + L"\\skin\\theme.png";
    test::PendingRenamesCleanup pendingCleanup(demo_.Install());
    const ScopedFileHandle holder(::CreateFileW(busy.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.IsValid());

    const auto processes = demo_.Run(L"/S /LOG=" + log);

    ASSERT_FALSE(processes.empty());
    EXPECT_EQ(processes[0].exitCode, 3010u);
    EXPECT_TRUE(Exists(busy));
    // The file before its folders, deepest first (the program's own file, held by the waiting
    // first process, may be scheduled too).
    const std::vector<std::wstring> pending = test::PendingDeletionsBelow(demo_.Install());
    const auto place = [&pending](const std::wstring& path) {
        return std::find(pending.begin(), pending.end(), path) - pending.begin();
    };
    EXPECT_LT(place(busy), place(demo_.Install() + L"\\skin"));
    EXPECT_LT(place(demo_.Install() + L"\\skin"), place(demo_.Install()));
    EXPECT_LT(place(demo_.Install()), static_cast<std::ptrdiff_t>(pending.size()));
    EXPECT_FALSE(Exists(demo_.Install() + L"\\Tablet.exe")) << "the rest is removed";
    EXPECT_FALSE(Exists(demo_.DesktopLink()));
    const std::vector<std::string> lines = ReadLines(log);
    const std::size_t named = FindLine(lines, L"Not removed: " + busy + L": ");
    ASSERT_LT(named, lines.size());
    EXPECT_GT(lines[named].size(), WideToUtf8(L"Not removed: " + busy + L": ").size() + 30)
        << "with the system's text: " << lines[named];
    EXPECT_LT(FindLine(lines, L"Scheduled for removal at the next restart: " + busy), lines.size());
    EXPECT_LT(FindLine(lines, L"Exit code 3010"), lines.size());
}

TEST_F(UnattendedRunTest, WaitReturnsTheCopysCodeWhenTheUserLeavesBeforeTheRemoval) {
    // Whatever window the copy shows is closed as soon as it is there.
    test::UninstallerWindowPoller poller(test::UninstallerWindowPoller::OtherWindows::kClose);

    const auto processes = Uninstallers(demo_.Run(L"/WAIT"));

    ASSERT_EQ(processes.size(), 2u);
    const test::RecordedProcess* copy = demo_.FindCopy(processes);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->exitCode, 1602u);
    EXPECT_EQ(processes[0].exitCode, 1602u);
    EXPECT_GT(processes[0].exitOrder, copy->exitOrder);
    EXPECT_NE(copy->commandLine.find(L"/WAIT AppPath=" + demo_.Install()), std::wstring::npos);
    EXPECT_TRUE(demo_.AllOfTheProductThere());
}

TEST_F(UnattendedRunTest, LogThatCannotBeOpenedDoesNotStopTheRemoval) {
    const std::wstring log = demo_.Scratch(L"no such folder\\u.log");

    const auto processes = demo_.Run(L"/S /LOG=\"" + log + L"\"");

    ASSERT_FALSE(processes.empty());
    EXPECT_EQ(processes[0].exitCode, 0u);
    EXPECT_FALSE(demo_.AnythingOfTheProductLeft());
    EXPECT_TRUE(demo_.NeighboursStay());
    EXPECT_FALSE(Exists(PathFolder(log)));
}

TEST_F(UnattendedRunTest, RelativeLogPathIsTakenFromTheCallersWorkingFolder) {
    const std::wstring caller = demo_.Scratch(L"caller");
    test::MakeFolders(caller);

    const auto processes = demo_.Run(L"-s -log=remove.log", caller);

    ASSERT_FALSE(processes.empty());
    EXPECT_EQ(processes[0].exitCode, 0u);
    const std::vector<std::string> lines = ReadLines(caller + L"\\remove.log");
    EXPECT_LT(FindLine(lines, L"The copy ended with exit code 0"), lines.size());
    EXPECT_LT(FindLine(lines, L"Step: deleting the installation folder"), lines.size());
}

TEST_F(UnattendedRunTest, BadCommandLinesEndWith87AndRemoveNothing) {
    struct Case {
        const wchar_t* arguments;
        const wchar_t* named;  // the argument the message box names; nullptr: no box with /S
    };
    const Case cases[] = {
        {L"/X", L"/X"},         {L"/S /S", nullptr},        {L"/LOG=", L"/LOG="},
        {L"/S /LOG=", nullptr}, {L"/WAIT /wait", L"/wait"}, {L"/S /Quiet /X", nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.arguments));
        test::UninstallerWindowPoller poller;

        const auto processes = Uninstallers(demo_.Run(c.arguments));

        ASSERT_EQ(processes.size(), 1u) << "no copy is started";
        EXPECT_EQ(processes[0].exitCode, 87u);
        EXPECT_TRUE(demo_.AllOfTheProductThere());
        EXPECT_FALSE(demo_.CopiesLeft());
        const auto windows = poller.MessageBoxes();
        if (c.named == nullptr) {
            EXPECT_TRUE(windows.empty());
        } else {
            ASSERT_EQ(windows.size(), 1u);
            EXPECT_NE(windows[0].text.find(std::wstring(L"switch: ") + c.named), std::wstring::npos)
                << WideToUtf8(windows[0].text);
            EXPECT_NE(windows[0].text.find(L"/LOG=<file>"), std::wstring::npos) << "the usage";
        }
    }
}

TEST_F(UnattendedRunTest, HelpShowsTheUsageUnlessSilent) {
    struct Case {
        const wchar_t* arguments;
        bool shown;
    };
    for (const Case& c : {Case{L"/?", true}, Case{L"-HELP", true}, Case{L"/S /?", false}}) {
        SCOPED_TRACE(WideToUtf8(c.arguments));
        test::WindowEventWatcher events;
        test::UninstallerWindowPoller poller;

        const auto processes = Uninstallers(demo_.Run(c.arguments));

        ASSERT_EQ(processes.size(), 1u);
        EXPECT_EQ(processes[0].exitCode, 0u);
        EXPECT_TRUE(demo_.AllOfTheProductThere());
        const auto windows = poller.MessageBoxes();
        ASSERT_EQ(windows.size(), c.shown ? 1u : 0u);
        if (c.shown) {
            EXPECT_NE(windows[0].text.find(L"3010"), std::wstring::npos);
        }
        // The window events see the message box too: the no-window check above can fail.
        const auto seen = events.EventsOf(processes[0].threadIds);
        EXPECT_EQ(std::any_of(seen.begin(), seen.end(), [](const auto& e) { return e.topLevel; }),
                  c.shown);
    }
}

}  // namespace
