#include "RegistryHelpers.h"

#include "TestRegistry.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const std::wstring kBase = L"Software\\UninstallerTests\\RegistryHelpers";

TEST(RegistryHelpersTest, DeleteKeyTreeRemovesTwoLevelsAndTheKeyButNotItsSiblings) {
    test::ScratchRegKey scratch(HKEY_LOCAL_MACHINE, kBase);
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, kBase + L"\\Product\\One\\Deep"));
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, kBase + L"\\Product\\One\\Deeper"));
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, kBase + L"\\Product\\Two"));
    ASSERT_TRUE(
        test::SetStringValue(HKEY_LOCAL_MACHINE, kBase + L"\\Product", L"DisplayName", L"x"));
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, kBase + L"\\Product Sibling\\Child"));
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, kBase + L"\\Other"));

    ScopedRegKey parent;
    ASSERT_EQ(
        ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kBase.c_str(), 0, KEY_ALL_ACCESS, parent.Receive()),
        ERROR_SUCCESS);
    EXPECT_EQ(DeleteKeyTree(parent.Get(), L"Product"), 0);
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Product"));
    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Product Sibling\\Child"));
    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Other"));
}

TEST(RegistryHelpersTest, DeleteKeyTreeOfKeyWithoutSubkeysOrAbsentKey) {
    test::ScratchRegKey scratch(HKEY_LOCAL_MACHINE, kBase);
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, kBase + L"\\Leaf"));
    EXPECT_EQ(DeleteKeyTree(HKEY_LOCAL_MACHINE, kBase + L"\\Leaf"), 0) << "a path below parent";
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Leaf"));
    EXPECT_EQ(DeleteKeyTree(HKEY_LOCAL_MACHINE, kBase + L"\\Leaf"), 0) << "absent is no error";
    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, kBase));
}

TEST(RegistryHelpersTest, DeleteKeyTreeHandlesTheLongestSubkeyNames) {
    test::ScratchRegKey scratch(HKEY_LOCAL_MACHINE, kBase);
    const std::wstring longName(255, L'n');
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, kBase + L"\\Product\\" + longName + L"\\c"));
    EXPECT_EQ(DeleteKeyTree(HKEY_LOCAL_MACHINE, kBase + L"\\Product"), 0);
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Product"));
}

TEST(RegistryHelpersTest, DeleteKeyTreeNativeRemovesANestedKey) {
    test::ScratchRegKey scratch(HKEY_LOCAL_MACHINE, kBase);
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, kBase + L"\\Tablet\\A\\A1\\A2"));
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, kBase + L"\\Tablet\\B"));
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, kBase + L"\\Tablet2"));
    EXPECT_EQ(DeleteKeyTreeNative(HKEY_LOCAL_MACHINE, kBase + L"\\Tablet"), 0);
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Tablet"));
    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Tablet2"));
    EXPECT_EQ(DeleteKeyTreeNative(HKEY_LOCAL_MACHINE, kBase + L"\\Tablet"), ERROR_FILE_NOT_FOUND)
        << "an absent key gives the open call's error and deletes nothing";
}

DWORD WINAPI DeleteSurvivorTree(void*) {
    return static_cast<DWORD>(DeleteKeyTreeNative(HKEY_LOCAL_MACHINE, kBase + L"\\Tablet"));
}

TEST(RegistryHelpersTest, DeleteKeyTreeNativeEndsWhenAChildSurvivesItsDeletion) {
    test::ScratchRegKey scratch(HKEY_LOCAL_MACHINE, kBase);
    // "A" can't be deleted: the name below it doesn't fit the walk's buffer, so "A" keeps a subkey.
    const std::wstring tooLong(253, L'x');
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, kBase + L"\\Tablet\\A\\" + tooLong));
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, kBase + L"\\Tablet\\B\\B1"));

    ScopedHandle worker(::CreateThread(nullptr, 0, DeleteSurvivorTree, nullptr, 0, nullptr));
    ASSERT_TRUE(worker);
    if (::WaitForSingleObject(worker.Get(), 30000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "DeleteKeyTreeNative repeats a surviving child forever";
        ::ExitProcess(3);
    }
    DWORD result = 1;
    ::GetExitCodeThread(worker.Get(), &result);
    EXPECT_EQ(result, 0u);
    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Tablet\\A\\" + tooLong));
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kBase + L"\\Tablet\\B"))
        << "children after the survivor are still deleted";
}

TEST(RegistryHelpersTest, Wow64AnswerMatchesTheProcessKind) {
#ifdef _WIN64
    EXPECT_FALSE(IsWow64Cached());
    EXPECT_FALSE(IsWow64Cached());
#else
    BOOL wow64 = FALSE;
    ::IsWow64Process(::GetCurrentProcess(), &wow64);
    EXPECT_EQ(IsWow64Cached(), wow64 != FALSE);
#endif
}

}  // namespace
