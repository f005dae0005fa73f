#include "PathUtil.h"
#include "TestFiles.h"
#include "TextConvert.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

namespace {

TEST(PathFolderTest, TakesEverythingBeforeTheLastBackslash) {
    EXPECT_EQ(PathFolder(L"C:\\a\\b.exe"), L"C:\\a");
    EXPECT_EQ(PathFolder(L"C:\\a\\b\\"), L"C:\\a\\b");
    EXPECT_EQ(PathFolder(L"C:\\b.exe"), L"C:");
    EXPECT_EQ(PathFolder(L"\\\\server\\share\\x"), L"\\\\server\\share");
    EXPECT_EQ(PathFolder(L"b.exe"), L"");
    EXPECT_EQ(PathFolder(L"C:/a/b.exe"), L"");
    EXPECT_EQ(PathFolder(L""), L"");
}

TEST(PathFolderTest, ModuleFolderHoldsTheRunningProgram) {
    const std::wstring folder = GetModuleFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), L'\\');
    EXPECT_EQ(GetModulePath().substr(0, folder.size() + 1), folder + L"\\");
    EXPECT_TRUE(test::FileExists(GetModulePath()));
}

TEST(PathFolderTest, TrailingSeparatorsGoExceptTheOneOfADriveRoot) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\a\\", L"C:\\a"}, {L"C:\\a\\\\", L"C:\\a"},
        {L"C:\\a", L"C:\\a"},   {L"C:\\", L"C:\\"},
        {L"C:\\\\", L"C:\\"},   {L"\\\\server\\share\\", L"\\\\server\\share"},
        {L"\\\\", L""},         {L"", L""},
        {L"a\\", L"a"},
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(WithoutTrailingSeparators(path), expected) << WideToUtf8(path);
    }
}

TEST(PathFolderTest, PlainFileNamesHoldNoSeparatorWildcardOrTrailingDot) {
    for (const wchar_t* name : {L"a", L"Tablet.lnk", L"数位板", L"a b.c", L".hidden"}) {
        EXPECT_TRUE(IsPlainFileName(name)) << WideToUtf8(name);
    }
    for (const wchar_t* name : {L"", L"a\\b", L"a/b", L"..", L"a.", L"a ", L"a:b", L"a*", L"a?",
                                L"a\"b", L"a<b", L"a>b", L"a|b", L"a\tb"}) {
        EXPECT_FALSE(IsPlainFileName(name)) << WideToUtf8(name);
    }
}

// GetTempPathW takes the TMP variable first; each case sets it and restores it afterwards.
class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t saved[4096] = {};
        hadTmp_ = ::GetEnvironmentVariableW(L"TMP", saved, 4096) > 0;
        savedTmp_ = saved;
    }
    void TearDown() override {
        ::SetEnvironmentVariableW(L"TMP", hadTmp_ ? savedTmp_.c_str() : nullptr);
    }
    bool hadTmp_ = false;
    std::wstring savedTmp_;
};

TEST_F(TempFolderTest, NeverEndsWithABackslash) {
    const std::wstring folder = GetTempFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), L'\\');
    EXPECT_TRUE(test::FolderExists(folder));

    test::ScratchFolder scratch(L"temp folder");
    ::SetEnvironmentVariableW(L"TMP", (scratch.Path() + L"\\").c_str());
    EXPECT_EQ(GetTempFolder(), scratch.Path());
    ::SetEnvironmentVariableW(L"TMP", scratch.Path().c_str());
    EXPECT_EQ(GetTempFolder(), scratch.Path());
}

TEST_F(TempFolderTest, TooLongForTheBufferGivesTheEmptyText) {
    ::SetEnvironmentVariableW(L"TMP", (L"C:\\" + std::wstring(300, L'x') + L"\\").c_str());
    EXPECT_EQ(GetTempFolder(), L"");
}

TEST(TextConvertTest, Utf8AndUtf16RoundTrip) {
    const std::wstring chinese = L"已完成(@)了，请稍等一下下哦^_^";
    const std::string utf8 = WideToUtf8(chinese);
    EXPECT_EQ(utf8, "已完成(@)了，请稍等一下下哦^_^");
    EXPECT_EQ(Utf8ToWide(utf8), chinese);
    EXPECT_EQ(Utf8ToWide("\xF0\x9F\x96\x8A pen"), L"\U0001F58A pen");
    EXPECT_EQ(Utf8ToWide(""), L"");
    EXPECT_EQ(WideToUtf8(L""), "");
    EXPECT_EQ(Utf8ToWide(std::string(1, '\0')), std::wstring(1, L'\0'));
}

TEST(TextConvertTest, TrimRemovesWhiteSpaceAtBothEnds) {
    EXPECT_EQ(TrimWhitespace(L" \t German \r\n"), L"German");
    EXPECT_EQ(TrimWhitespace(L"Two words"), L"Two words");
    EXPECT_EQ(TrimWhitespace(L" \t\r\n"), L"");
    EXPECT_EQ(TrimWhitespace(L""), L"");
}

TEST(PathFolderTest, WhatLiesAtOrBelowAFolderIgnoringLetterCase) {
    const struct {
        const wchar_t* path;
        const wchar_t* folder;
        bool atOrBelow;
        bool below;
    } cases[] = {
        {L"C:\\Program Files\\Tablet", L"c:\\program files\\tablet", true, false},
        {L"C:\\Program Files\\Tablet\\a.dll", L"C:\\Program Files\\Tablet", true, true},
        {L"C:\\Program Files\\Tablet2\\a.dll", L"C:\\Program Files\\Tablet", false, false},
        {L"C:\\Program Files", L"C:\\Program Files\\Tablet", false, false},
        {L"C:\\Windows", L"C:\\", true, true},
        {L"C:\\Windows", L"", false, false},
        {L"", L"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsAtOrBelow(c.path, c.folder), c.atOrBelow) << c.path << " in " << c.folder;
        EXPECT_EQ(IsBelow(c.path, c.folder), c.below) << c.path << " in " << c.folder;
    }
    EXPECT_TRUE(EqualsIgnoringCase(L"Uninstall.EXE", L"uninstall.exe"));
    EXPECT_FALSE(EqualsIgnoringCase(L"Uninstall.exe", L"Uninstall.ex"));
}

}  // namespace
