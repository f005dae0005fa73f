#include "CLeftoverSweep.h"

#include "FileHolderProcess.h"
#include "FinishLine.h"
#include "PendingFileRenames.h"
#include "PendingRenames.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

TEST(WritableAttributesTest, DropsWhatProtectsAnItemAndKeepsTheRest) {
    const struct {
        DWORD attributes;
        DWORD writable;
        bool protecting;
    } cases[] = {
        {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_NORMAL, true},
        {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, FILE_ATTRIBUTE_NORMAL, true},
        {FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_ARCHIVE, true},
        {FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_NORMAL, true},
        {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY,
         FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY, false},
        {FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_NORMAL, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        EXPECT_EQ(WritableAttributes(c.attributes), c.writable);
        EXPECT_EQ(HasProtectingAttributes(c.attributes), c.protecting);
    }
}

TEST(FinishLineTest, NamesTheOutermostItemLeftOrAsksForARestart) {
    const std::wstring root = L"C:\\Program Files\\Tablet";
    const struct {
        UninstallOutcome outcome;
        std::wstring line;
    } cases[] = {
        {{}, L""},
        {{{root + L"\\a.dll", root}, {}}, L"restart"},
        {{{}, {root + L"\\sub\\a.dll", root + L"\\sub", root}}, L"left " + root},
        {{{root + L"\\b.dll", root}, {root + L"\\sub\\a.dll", root + L"\\sub"}},
         L"left " + root + L"\\sub"},
        // Letter case doesn't make another folder; a longer name beside it is another one.
        {{{}, {root + L"\\x.dll", L"c:\\program files\\TABLET"}},
         L"left c:\\program files\\TABLET"},
        {{{}, {root + L"2\\x.dll", root}}, L"left " + root + L"2\\x.dll"},
        {{{}, {L"HKEY_LOCAL_MACHINE\\Software\\TavrelTablet"}},
         L"left HKEY_LOCAL_MACHINE\\Software\\TavrelTablet"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseFinishLine(c.outcome, L"restart", L"left @"), c.line);
    }
    EXPECT_EQ(ChooseFinishLine({{}, {root}}, L"r", L"@ (@)"), root + L" (" + root + L")");
}

// The bytes of a value's characters (terminators included), and an odd last byte when oddByte is
// not zero.
template <std::size_t N>
std::vector<BYTE> ValueBytes(const wchar_t (&text)[N], BYTE oddByte = 0) {
    const std::wstring characters = test::WithNuls(text);
    const BYTE* begin = reinterpret_cast<const BYTE*>(characters.data());
    std::vector<BYTE> bytes(begin, begin + characters.size() * sizeof(wchar_t));
    if (oddByte != 0) {
        bytes.push_back(oddByte);
    }
    return bytes;
}

TEST(PendingRenamesTest, PairsAreReadPastEmptyTargetsAndTheRestIsKeptByteForByte) {
    const PendingRename deleteA = {L"\\??\\C:\\a.dll", L""};
    const PendingRename renameB = {L"\\??\\C:\\b.tmp", L"!\\??\\C:\\b.dll"};
    const struct {
        const char* what;
        std::vector<BYTE> bytes;
        std::vector<PendingRename> renames;
        std::vector<BYTE> tail;
    } cases[] = {
        {"closed list",
         ValueBytes(L"\\??\\C:\\a.dll\0\0\\??\\C:\\b.tmp\0!\\??\\C:\\b.dll\0\0"),
         {deleteA, renameB},
         ValueBytes(L"\0")},
        {"no closing terminator",
         ValueBytes(L"\\??\\C:\\b.tmp\0!\\??\\C:\\b.dll\0\\??\\C:\\a.dll\0\0"),
         {renameB, deleteA},
         {}},
        {"odd string count",
         ValueBytes(L"\\??\\C:\\a.dll\0\0\\??\\C:\\half\0"),
         {deleteA},
         ValueBytes(L"\\??\\C:\\half\0")},
        {"unterminated last string",
         ValueBytes(L"\\??\\C:\\a.dll\0\0\\??\\C:\\cut"),
         {deleteA},
         ValueBytes(L"\\??\\C:\\cut")},
        {"odd byte count",
         ValueBytes(L"\\??\\C:\\a.dll\0\0\0", 0x41),
         {deleteA},
         ValueBytes(L"\0", 0x41)},
        {"entries after the terminator",
         ValueBytes(L"\\??\\C:\\a.dll\0\0\0x\0\0\0"),
         {deleteA},
         ValueBytes(L"\0x\0\0\0")},
        {"empty value", {}, {}, {}},
        {"a single odd byte", {0x41}, {}, {0x41}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PendingRenameList list = ParsePendingRenames(c.bytes);
        EXPECT_EQ(list.renames, c.renames);
        EXPECT_EQ(list.tail, c.tail);
        EXPECT_EQ(PendingRenamesBytes(list), c.bytes);

        // Ours goes after the others' pairs, before their tail, and comes out again exactly.
        const PendingRenameList added = WithDeletionOf(list, L"C:\\Tablet\\held.dll");
        std::vector<PendingRename> expected = c.renames;
        expected.push_back({L"\\??\\C:\\Tablet\\held.dll", L""});
        EXPECT_EQ(added.renames, expected);
        EXPECT_EQ(ParsePendingRenames(PendingRenamesBytes(added)).renames, expected);
        const PendingRenameList withdrawn = WithoutDeletionsOf(added, {L"c:\\tablet\\HELD.dll"});
        EXPECT_EQ(PendingRenamesBytes(withdrawn), c.bytes.empty() ? ValueBytes(L"\0") : c.bytes);
    }
}

TEST(PendingRenamesTest, OnlyTheGivenDeletionsAreWithdrawn) {
    const PendingRenameList list = {{{L"\\??\\C:\\a.dll", L""},
                                     {L"\\??\\C:\\b.tmp", L"!\\??\\C:\\b.dll"},
                                     {L"\\??\\C:\\d", L""}},
                                    ValueBytes(L"\0")};
    // A rename away from a withdrawn path is not a deletion and stays.
    EXPECT_EQ(WithoutDeletionsOf(list, {L"c:\\A.DLL", L"C:\\b.tmp", L"C:\\other"}),
              (PendingRenameList{{list.renames[1], list.renames[2]}, list.tail}));
    EXPECT_EQ(WithoutDeletionsOf(list, {}), list);
}

// A sweep whose restart requests are recorded and granted without reaching the system.
class RecordedSweepTest : public ::testing::Test {
protected:
    RestartScheduler Recorder() {
        return [this](const std::wstring& path) {
            asked_.push_back(path);
            return true;
        };
    }

    test::ScratchFolder root_{L"Leftover sweep"};
    std::vector<std::wstring> asked_;
};

TEST_F(RecordedSweepTest, AMissingRootIsNothingLeft) {
    CLeftoverSweep sweep(Recorder());
    sweep.Sweep(root_ / L"missing");
    sweep.Sweep(L"");
    EXPECT_TRUE(sweep.Outcome().scheduledForRestart.empty());
    EXPECT_TRUE(sweep.Outcome().remaining.empty());
    EXPECT_TRUE(asked_.empty());
}

TEST_F(RecordedSweepTest, AnItemScheduledBeforeIsNotAskedForAgain) {
    test::WriteFile(root_ / L"one\\held.dat", "held");
    test::WriteFile(root_ / L"two\\free.txt", "free");
    test::FileHolderProcess holder(root_ / L"one\\held.dat");
    ASSERT_TRUE(holder.Holding());
    const std::vector<std::wstring> chain = {root_ / L"one\\held.dat", root_ / L"one",
                                             root_.Path()};

    CLeftoverSweep first(Recorder());
    first.Sweep(root_.Path() + L"\\");
    EXPECT_EQ(first.Outcome().scheduledForRestart, chain);
    EXPECT_EQ(asked_, chain);
    EXPECT_FALSE(test::FolderExists(root_ / L"two"));

    CLeftoverSweep again(Recorder(), first.Outcome().scheduledForRestart);
    again.Sweep(root_.Path());
    EXPECT_EQ(again.Outcome().scheduledForRestart, chain);
    EXPECT_EQ(asked_.size(), chain.size());

    ASSERT_EQ(holder.Release(), 0);
    CLeftoverSweep released(Recorder(), chain);
    released.Sweep(root_.Path());
    EXPECT_TRUE(released.Outcome().scheduledForRestart.empty());
    EXPECT_TRUE(released.Outcome().remaining.empty());
    EXPECT_FALSE(test::FolderExists(root_.Path()));
}

// The links are made before the run by make-leftover-links.sh.
TEST(LeftoverLinkTest, ALinkIsRemovedAndItsReadOnlyTargetKeepsEverything) {
    const std::wstring root = L"C:\\uninstaller-tests\\leftover-links";
    const std::wstring install = root + L"\\install";
    const std::wstring outside = root + L"\\outside";
    ASSERT_TRUE(test::FileExists(install + L"\\sub\\own.txt")) << "links fixture missing";
    const std::vector<std::wstring> targets = {outside + L"\\keep.txt", outside + L"\\locked",
                                               outside + L"\\locked\\inner.txt"};
    for (const std::wstring& target : targets) {
        ASSERT_TRUE(::GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_READONLY);
    }
    std::vector<std::wstring> asked;

    CLeftoverSweep sweep([&asked](const std::wstring& path) {
        asked.push_back(path);
        return true;
    });
    sweep.Sweep(install);

    for (const std::wstring& target : targets) {
        SCOPED_TRACE(std::string(target.begin(), target.end()));
        const DWORD attributes = ::GetFileAttributesW(target.c_str());
        ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
        EXPECT_TRUE(attributes & FILE_ATTRIBUTE_READONLY);
    }
    EXPECT_FALSE(test::FileExists(install + L"\\sub\\own.txt"));
    EXPECT_EQ(asked, std::vector<std::wstring>());
    EXPECT_EQ(sweep.Outcome().scheduledForRestart, std::vector<std::wstring>());
    // Windows removes a link to a folder; Wine 8 can't remove a Unix link from the Windows side,
    // and then the link and the folder holding it are what is left.
    const std::wstring link = install + L"\\folder-link";
    const bool linkLeft = test::FolderExists(link);
    EXPECT_EQ(test::FolderExists(install), linkLeft);
    const std::vector<std::wstring> left =
        linkLeft ? std::vector<std::wstring>{link, install} : std::vector<std::wstring>();
    EXPECT_EQ(sweep.Outcome().remaining, left);
    EXPECT_TRUE(test::PendingDeletionsBelow(root).empty());
}

}  // namespace
