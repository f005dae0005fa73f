#include "CDiskObject.h"
#include "FolderWalk.h"
#include "InstallPathSafety.h"
#include "SpecialFolders.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

// A link inside the installation folder (say, to the user's documents) must go as a link, never
// be walked into. The links are Unix symbolic links prepared by make-folder-links.sh, which Wine
// shows as folders with the reparse-point attribute.

namespace {

const std::wstring kRoot = L"C:\\uninstaller-tests\\links";

class RecordingNotify : public IDeleteFileNotify {
public:
    void OnFileDeleted(const std::wstring& path) override { deleted.push_back(path); }
    std::vector<std::wstring> deleted;
};

bool IsLink(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

class LinkSafetyTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!IsLink(kRoot + L"\\notify\\link")) {
            GTEST_SKIP() << "links not prepared; run through ctest (make-folder-links.sh)";
        }
    }

    static void ExpectTargetUntouched() {
        EXPECT_TRUE(test::FileExists(kRoot + L"\\target\\keep1.txt"));
        EXPECT_TRUE(test::FileExists(kRoot + L"\\target\\deep\\keep2.txt"));
    }

    // Windows removes a link to a folder; Wine 8 can't remove a Unix link from the Windows side.
    // Either way the walk's result must say whether the folder holding it went away.
    static void ExpectFolderGoneExactlyWhenLinkGone(const std::wstring& folder, bool removed) {
        EXPECT_EQ(removed, !test::FolderExists(folder));
        if (test::FolderExists(folder + L"\\link")) {
            EXPECT_TRUE(IsLink(folder + L"\\link"));
        } else {
            EXPECT_FALSE(test::FolderExists(folder));
        }
    }
};

TEST_F(LinkSafetyTest, CountDoesNotDescendIntoLinks) {
    int counter = 0;
    EXPECT_TRUE(CountFolderFiles(kRoot + L"\\count", counter));
    EXPECT_EQ(counter, 1);
    counter = 0;
    ASSERT_TRUE(IsLink(kRoot + L"\\top-notify"));
    EXPECT_TRUE(CountFolderFiles(kRoot + L"\\top-notify", counter));
    EXPECT_EQ(counter, 0) << "a folder that is itself a link is not walked";
}

TEST_F(LinkSafetyTest, DeleteFolderNotifyRemovesLinkButNotWhatItPointsTo) {
    RecordingNotify notify;
    const bool removed = DeleteFolderNotify(kRoot + L"\\notify", &notify);
    EXPECT_EQ(notify.deleted, std::vector<std::wstring>{kRoot + L"\\notify\\a.txt"});
    ExpectTargetUntouched();
    ExpectFolderGoneExactlyWhenLinkGone(kRoot + L"\\notify", removed);
}

TEST_F(LinkSafetyTest, DeleteFolderTreeRemovesLinkButNotWhatItPointsTo) {
    const bool removed = CDiskObject().DeleteFolderTree(kRoot + L"\\tree");
    EXPECT_FALSE(test::FileExists(kRoot + L"\\tree\\a.txt"));
    ExpectTargetUntouched();
    ExpectFolderGoneExactlyWhenLinkGone(kRoot + L"\\tree", removed);
}

TEST_F(LinkSafetyTest, TopFolderThatIsALinkIsNotWalked) {
    RecordingNotify notify;
    const bool notifyRemoved = DeleteFolderNotify(kRoot + L"\\top-notify", &notify);
    EXPECT_TRUE(notify.deleted.empty());
    EXPECT_EQ(notifyRemoved, !IsLink(kRoot + L"\\top-notify"));
    const bool treeRemoved = CDiskObject().DeleteFolderTree(kRoot + L"\\top-tree\\");
    EXPECT_EQ(treeRemoved, !IsLink(kRoot + L"\\top-tree"));
    ExpectTargetUntouched();
}

// The text of a folder below a linked parent names no protected folder; the folder the system
// resolves for it is the Windows folder's, which is refused.
TEST_F(LinkSafetyTest, AFolderReachedThroughALinkedParentIsJudgedWhereItLeads) {
    const std::wstring throughLink = kRoot + L"\\windows-link\\system32";
    ASSERT_TRUE(test::FolderExists(throughLink));
    EXPECT_EQ(JudgeInstallPath(throughLink, LookUpProtectedFolders()),
              InstallPathVerdict::kAccepted);
    const std::wstring refusal = InstallFolderRefusal(throughLink);
    EXPECT_NE(refusal.find(L"system32"), std::wstring::npos) << testing::PrintToString(refusal);
    EXPECT_TRUE(test::FileExists(GetWindowsFolder() + L"\\system32\\kernel32.dll"));

    test::MakeFolders(kRoot + L"\\target\\product");
    EXPECT_EQ(InstallFolderRefusal(kRoot + L"\\target\\product"), L"");
    ::RemoveDirectoryW((kRoot + L"\\target\\product").c_str());
}

}  // namespace
