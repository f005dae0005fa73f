#include "CDiskObject.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

std::wstring CurrentFolder() {
    wchar_t buffer[MAX_PATH];
    const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, buffer);
    return std::wstring(buffer, length);
}

// Changes the current folder for one test and puts the old one back.
class CurrentFolderScope {
public:
    explicit CurrentFolderScope(const std::wstring& folder) : previous_(CurrentFolder()) {
        EXPECT_TRUE(::SetCurrentDirectoryW(folder.c_str()));
    }
    ~CurrentFolderScope() { ::SetCurrentDirectoryW(previous_.c_str()); }

private:
    std::wstring previous_;
};

std::wstring Completed(std::wstring path, const std::wstring& current, bool* valid = nullptr) {
    const bool result = CompleteFullPath(path, current);
    if (valid != nullptr) {
        *valid = result;
    }
    return path;
}

TEST(CDiskObjectTest, EmptyPathGivesTheInternalErrorText) {
    CDiskObject disk;
    EXPECT_FALSE(disk.DeleteSingleFile(L""));
    EXPECT_EQ(disk.ErrorText(), L"CDiskObject internal error - check call parameters");
}

TEST(CDiskObjectTest, MissingFileGivesTheSystemMessageAndTheFullPath) {
    test::ScratchFolder scratch(L"disk-missing");
    CurrentFolderScope inside(scratch.Path());
    CDiskObject disk;
    EXPECT_FALSE(disk.DeleteSingleFile(L"absent file.dll"));
    const std::wstring suffix = L" " + scratch.Path() + L"\\absent file.dll";
    const std::wstring& text = disk.ErrorText();
    ASSERT_GT(text.size(), suffix.size());
    EXPECT_EQ(text.substr(text.size() - suffix.size()), suffix);
    const std::wstring message = text.substr(0, text.size() - suffix.size());
    EXPECT_EQ(message, L"File not found.") << "the system's text for ERROR_FILE_NOT_FOUND, trimmed";
}

TEST(CDiskObjectTest, DeletedFileClearsTheErrorText) {
    test::ScratchFolder scratch(L"disk-delete");
    test::WriteFile(scratch / L"wintab32.dll", "x");
    CDiskObject disk;
    EXPECT_FALSE(disk.DeleteSingleFile(scratch / L"other.dll"));
    EXPECT_FALSE(disk.ErrorText().empty());
    EXPECT_TRUE(disk.DeleteSingleFile(scratch / L"wintab32.dll"));
    EXPECT_TRUE(disk.ErrorText().empty());
    EXPECT_FALSE(test::FileExists(scratch / L"wintab32.dll"));
}

TEST(CDiskObjectTest, WildcardInThePathDeletesNothingAndLeavesNoText) {
    test::ScratchFolder scratch(L"disk-wildcard");
    test::WriteFile(scratch / L"a.dll", "x");
    CDiskObject disk;
    EXPECT_FALSE(disk.DeleteSingleFile(scratch / L"*.dll"));
    EXPECT_TRUE(disk.ErrorText().empty());
    EXPECT_TRUE(test::FileExists(scratch / L"a.dll"));
}

TEST(CDiskObjectTest, ErrorTextIsWrittenIntoTheFeedbackWindow) {
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                          nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    CDiskObject disk(window);
    disk.SetSystemError(ERROR_ACCESS_DENIED, L"");
    wchar_t shown[256] = {};
    ::GetWindowTextW(window, shown, 256);
    EXPECT_EQ(disk.ErrorText(), shown);
    EXPECT_FALSE(disk.ErrorText().empty());
    EXPECT_NE(disk.ErrorText().back(), L' ') << "no file name, no trailing blank";
    EXPECT_NE(disk.ErrorText().back(), L'\n');
    ::DestroyWindow(window);
}

TEST(CDiskObjectTest, FullPathArithmetic) {
    const std::wstring current = L"C:\\Program Files\\Tablet";
    EXPECT_EQ(Completed(L"D:\\data\\f.txt", current), L"D:\\data\\f.txt") << "with a drive";
    EXPECT_EQ(Completed(L"sub\\f.txt", current), L"C:\\Program Files\\Tablet\\sub\\f.txt");
    EXPECT_EQ(Completed(L"f.txt", current), L"C:\\Program Files\\Tablet\\f.txt");
    EXPECT_EQ(Completed(L"\\dir\\f.txt", current), L"C:\\dir\\f.txt") << "rooted";
    EXPECT_EQ(Completed(L"..\\f.txt", current), L"C:\\Program Files\\f.txt");
    EXPECT_EQ(Completed(L"..\\..\\x\\f.txt", current), L"C:\\x\\f.txt");
    EXPECT_EQ(Completed(L"..\\..\\..\\f.txt", current), L"C:\\f.txt") << "stops at the root";
    EXPECT_EQ(Completed(L"f.txt", L"C:\\"), L"C:\\f.txt") << "no doubled backslash";
    EXPECT_EQ(Completed(L"\\\\server\\share\\f.txt", current), L"\\\\server\\share\\f.txt");
}

TEST(CDiskObjectTest, PathPartsWithColonOrWildcardsAreInvalid) {
    bool valid = true;
    Completed(L"C:\\dir\\f?.txt", L"C:\\", &valid);
    EXPECT_FALSE(valid);
    Completed(L"C:\\di*r\\f.txt", L"C:\\", &valid);
    EXPECT_FALSE(valid);
    Completed(L"dir\\a:b.txt", L"C:\\", &valid);
    EXPECT_FALSE(valid);
    Completed(L"C:\\dir\\name.t?t", L"C:\\", &valid);
    EXPECT_FALSE(valid);
    Completed(L"C:\\dir.d\\name", L"C:\\", &valid);
    EXPECT_TRUE(valid);
}

TEST(CDiskObjectTest, MakeFullPathUsesTheCurrentFolderAndLeavesItAsItWas) {
    test::ScratchFolder scratch(L"disk-fullpath");
    test::MakeFolders(scratch / L"inner");
    CurrentFolderScope inside(scratch / L"inner");
    CDiskObject disk;
    std::wstring path = L"sub/f.txt";
    EXPECT_TRUE(disk.MakeFullPath(path));
    EXPECT_EQ(path, scratch / L"inner\\sub\\f.txt");
    path = L"..\\f.txt";
    EXPECT_TRUE(disk.MakeFullPath(path));
    EXPECT_EQ(path, scratch / L"f.txt");
    EXPECT_EQ(CurrentFolder(), scratch / L"inner");
}

}  // namespace
