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

// A link under the product's key (made by anybody with administrator rights) must not lead the
// deletion to the key it names.
TEST(RegistryHelpersTest, ALinkUnderTheKeyGoesAsALinkAndItsTargetStays) {
    const std::wstring target = L"Software\\UninstallerTestLinkTarget";
    const std::wstring product = L"Software\\UninstallerTestLinkedProduct";
    const std::wstring linkValue = L"\\Registry\\Machine\\" + target;
    using DeleteFunction = LONG (*)(HKEY, const std::wstring&);
    const DeleteFunction deletes[] = {DeleteKeyTree, DeleteKeyTreeNative};
    for (const DeleteFunction deleteTree : deletes) {
        test::ScratchRegKey targetKey(HKEY_LOCAL_MACHINE, target);
        test::ScratchRegKey productKey(HKEY_LOCAL_MACHINE, product);
        ASSERT_TRUE(
            test::SetStringValue(HKEY_LOCAL_MACHINE, target + L"\\Kept", L"Value", L"kept"));
        ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, product + L"\\Own"));
        for (const std::wstring& linkPath : {product + L"\\Link", product + L"\\Own\\Deep"}) {
            ScopedRegKey link;
            ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, linkPath.c_str(), 0, nullptr,
                                        REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, link.Receive(), nullptr),
                      ERROR_SUCCESS);
            ASSERT_EQ(::RegSetValueExW(link.Get(), L"SymbolicLinkValue", 0, REG_LINK,
                                       reinterpret_cast<const BYTE*>(linkValue.data()),
                                       static_cast<DWORD>(linkValue.size() * sizeof(wchar_t))),
                      ERROR_SUCCESS);
        }
        ASSERT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, product + L"\\Link\\Kept"))
            << "the link leads to its target";

        deleteTree(HKEY_LOCAL_MACHINE, product);

        EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, product));
        wchar_t kept[16] = {};
        DWORD size = sizeof kept;
        EXPECT_EQ(::RegGetValueW(HKEY_LOCAL_MACHINE, (target + L"\\Kept").c_str(), L"Value",
                                 RRF_RT_REG_SZ, nullptr, kept, &size),
                  ERROR_SUCCESS);
        EXPECT_STREQ(kept, L"kept");
    }
}

}  // namespace
