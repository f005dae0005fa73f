#include "CDiskObject.h"
#include "FolderWalk.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class RecordingNotify : public IDeleteFileNotify {
public:
    void OnFileDeleted(const std::wstring& path) override { deleted.push_back(path); }
    std::vector<std::wstring> deleted;
};

// a.txt and sub\b.txt below folder.
void MakeSmallTree(const std::wstring& folder) {
    test::WriteFile(folder + L"\\a.txt", "a");
    test::WriteFile(folder + L"\\sub\\b.txt", "b");
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> paths) {
    std::sort(paths.begin(), paths.end());
    return paths;
}

// A folder whose full path is at least 260 characters, with one file in it. Wine and Windows
// create it only through the "\\?\" form.
std::wstring MakeLongFolder(const test::ScratchFolder& scratch) {
    std::wstring folder = scratch.Path();
    while (folder.size() < 270) {
        folder += L"\\" + std::wstring(40, L'x');
        ::CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr);
    }
    test::WriteFile(L"\\\\?\\" + folder + L"\\inside.txt", "x");
    return folder;
}

TEST(FolderWalkTest, CountsEveryFileBelowTheFolderWithOrWithoutTrailingBackslash) {
    test::ScratchFolder scratch(L"walk-count");
    MakeSmallTree(scratch.Path());
    test::MakeFolders(scratch / L"empty\\deeper");
    int counter = 3;
    EXPECT_TRUE(CountFolderFiles(scratch.Path(), counter));
    EXPECT_EQ(counter, 5) << "adds to the counter it is given";
    counter = 0;
    EXPECT_TRUE(CountFolderFiles(scratch.Path() + L"\\", counter));
    EXPECT_EQ(counter, 2);
}

TEST(FolderWalkTest, CountOfAnEmptyOrMissingPathIsFalseAndAddsNothing) {
    test::ScratchFolder scratch(L"walk-missing");
    int counter = 7;
    EXPECT_FALSE(CountFolderFiles(L"", counter));
    EXPECT_FALSE(CountFolderFiles(scratch / L"absent", counter));
    EXPECT_EQ(counter, 7);
}

TEST(FolderWalkTest, DeleteReportsEveryDeletedFileAndRemovesTheFolders) {
    for (const wchar_t* suffix : {L"", L"\\"}) {
        test::ScratchFolder scratch(L"walk-delete");
        const std::wstring folder = scratch / L"install";
        MakeSmallTree(folder);
        RecordingNotify notify;
        EXPECT_TRUE(DeleteFolderNotify(folder + suffix, &notify));
        EXPECT_EQ(Sorted(notify.deleted),
                  (std::vector<std::wstring>{folder + L"\\a.txt", folder + L"\\sub\\b.txt"}));
        EXPECT_FALSE(test::FolderExists(folder));
        EXPECT_TRUE(test::FolderExists(scratch.Path()));
    }
}

TEST(FolderWalkTest, DeleteWithoutNotifierStillDeletes) {
    test::ScratchFolder scratch(L"walk-silent");
    const std::wstring folder = scratch / L"install";
    MakeSmallTree(folder);
    EXPECT_TRUE(DeleteFolderNotify(folder, nullptr));
    EXPECT_FALSE(test::FolderExists(folder));
}

TEST(FolderWalkTest, ReadOnlyFileIsNeitherDeletedNorReportedAndItsFoldersStay) {
    test::ScratchFolder scratch(L"walk-readonly");
    const std::wstring folder = scratch / L"install";
    MakeSmallTree(folder);
    test::WriteFile(folder + L"\\sub\\locked.txt", "r");
    ASSERT_TRUE(
        ::SetFileAttributesW((folder + L"\\sub\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    RecordingNotify notify;
    EXPECT_FALSE(DeleteFolderNotify(folder, &notify));
    EXPECT_EQ(Sorted(notify.deleted),
              (std::vector<std::wstring>{folder + L"\\a.txt", folder + L"\\sub\\b.txt"}));
    EXPECT_TRUE(test::FileExists(folder + L"\\sub\\locked.txt"));
    EXPECT_TRUE(::GetFileAttributesW((folder + L"\\sub\\locked.txt").c_str()) &
                FILE_ATTRIBUTE_READONLY)
        << "attributes are never changed";
    EXPECT_TRUE(test::FolderExists(folder + L"\\sub"));

    test::WriteFile(folder + L"\\again.txt", "a");
    EXPECT_FALSE(CDiskObject().DeleteFolderTree(folder));
    EXPECT_FALSE(test::FileExists(folder + L"\\again.txt"));
    EXPECT_TRUE(test::FileExists(folder + L"\\sub\\locked.txt"));
}

TEST(FolderWalkTest, FolderPathOf260CharactersOrMoreIsRefusedAndNothingDeleted) {
    test::ScratchFolder scratch(L"walk-long");
    const std::wstring folder = MakeLongFolder(scratch);
    ASSERT_GE(folder.size(), 260u);
    ASSERT_TRUE(test::FileExists(L"\\\\?\\" + folder + L"\\inside.txt"));
    int counter = 0;
    EXPECT_FALSE(CountFolderFiles(folder, counter));
    EXPECT_EQ(counter, 0);
    RecordingNotify notify;
    EXPECT_FALSE(DeleteFolderNotify(folder, &notify));
    EXPECT_TRUE(notify.deleted.empty());
    EXPECT_FALSE(CDiskObject().DeleteFolderTree(folder));
    EXPECT_TRUE(test::FileExists(L"\\\\?\\" + folder + L"\\inside.txt"));
}

TEST(FolderWalkTest, NamesWithBlanksAndChineseCharacters) {
    test::ScratchFolder scratch(L"walk-names");
    const std::wstring folder = scratch / L"安装 目录";
    test::WriteFile(folder + L"\\说明 文件.txt", "1");
    test::WriteFile(folder + L"\\子 文件夹\\数据 一.dat", "2");
    int counter = 0;
    EXPECT_TRUE(CountFolderFiles(folder, counter));
    EXPECT_EQ(counter, 2);
    RecordingNotify notify;
    EXPECT_TRUE(DeleteFolderNotify(folder, &notify));
    EXPECT_EQ(Sorted(notify.deleted),
              (std::vector<std::wstring>{folder + L"\\子 文件夹\\数据 一.dat",
                                         folder + L"\\说明 文件.txt"}));
    EXPECT_FALSE(test::FolderExists(folder));
}

TEST(FolderWalkTest, HiddenAndSystemFilesAreCountedAndDeleted) {
    test::ScratchFolder scratch(L"walk-hidden");
    const std::wstring folder = scratch / L"install";
    test::WriteFile(folder + L"\\hidden.ini", "h");
    ASSERT_TRUE(::SetFileAttributesW((folder + L"\\hidden.ini").c_str(),
                                     FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    int counter = 0;
    EXPECT_TRUE(CountFolderFiles(folder, counter));
    EXPECT_EQ(counter, 1);
    EXPECT_TRUE(CDiskObject().DeleteFolderTree(folder));
    EXPECT_FALSE(test::FolderExists(folder));
}

TEST(FolderWalkTest, DeleteFolderTreeRemovesEverythingBelowAndTheFolder) {
    test::ScratchFolder scratch(L"walk-tree");
    const std::wstring folder = scratch / L"安装 目录";
    MakeSmallTree(folder);
    CDiskObject disk;
    EXPECT_TRUE(disk.DeleteFolderTree(folder));
    EXPECT_FALSE(test::FolderExists(folder));
    EXPECT_FALSE(disk.DeleteFolderTree(folder)) << "a missing folder";
    EXPECT_FALSE(disk.DeleteFolderTree(L""));
}

}  // namespace
