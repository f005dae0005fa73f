#include "InstalledProductRecord.h"

#include "TestRegistry.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const std::wstring kKeyName = L"UninstallerTests-Record";
const std::wstring kKeyPath =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + kKeyName;

InstalledProductRecord Read(bool* opened = nullptr) {
    InstalledProductRecord record;
    const bool result = ReadInstalledProduct(kKeyName, record);
    if (opened != nullptr) {
        *opened = result;
    }
    return record;
}

bool SetValue(const std::wstring& name, const std::wstring& data, DWORD type = REG_SZ) {
    return test::SetStringValue(HKEY_LOCAL_MACHINE, kKeyPath, name, data, type);
}

std::wstring FirstValueName() {
    ScopedRegKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKeyPath.c_str(), 0, KEY_READ, key.Receive()) !=
        ERROR_SUCCESS) {
        return std::wstring();
    }
    wchar_t name[300];
    DWORD length = 300;
    if (::RegEnumValueW(key.Get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
        return std::wstring();
    }
    return std::wstring(name, length);
}

TEST(InstalledProductRecordTest, ReadsBothValuesWhateverTheLetterCaseOfTheirNames) {
    test::ScratchRegKey scratch(HKEY_LOCAL_MACHINE, kKeyPath);
    ASSERT_TRUE(SetValue(L"DISPLAYNAME", L"数位板驱动"));
    ASSERT_TRUE(SetValue(L"installpath", L"C:\\Program Files\\Tablet"));
    ASSERT_TRUE(SetValue(L"Publisher", L"someone"));
    bool opened = false;
    const InstalledProductRecord record = Read(&opened);
    EXPECT_TRUE(opened);
    EXPECT_EQ(record.displayName, L"数位板驱动");
    EXPECT_EQ(record.installPath, L"C:\\Program Files\\Tablet");
}

TEST(InstalledProductRecordTest, OversizedValueBeforeInstallPathEndsTheReading) {
    test::ScratchRegKey scratch(HKEY_LOCAL_MACHINE, kKeyPath);
    // First both by creation order (Windows) and by name (Wine's registry keeps values sorted).
    ASSERT_TRUE(SetValue(L"AAA Comments", std::wstring(300, L'c')));
    ASSERT_TRUE(SetValue(L"InstallPath", L"C:\\Tablet"));
    ASSERT_EQ(FirstValueName(), L"AAA Comments");
    bool opened = false;
    const InstalledProductRecord record = Read(&opened);
    EXPECT_TRUE(opened);
    EXPECT_EQ(record.installPath, L"");
}

TEST(InstalledProductRecordTest, ValueOfExactly520BytesIsRead) {
    test::ScratchRegKey scratch(HKEY_LOCAL_MACHINE, kKeyPath);
    const std::wstring path = L"C:\\" + std::wstring(256, L'p');  // 259 characters + terminator
    ASSERT_TRUE(SetValue(L"InstallPath", path));
    EXPECT_EQ(Read().installPath, path);
}

TEST(InstalledProductRecordTest, OnlyStringValuesAreTaken) {
    test::ScratchRegKey scratch(HKEY_LOCAL_MACHINE, kKeyPath);
    ASSERT_TRUE(SetValue(L"InstallPath", L"%ProgramFiles%\\Tablet", REG_EXPAND_SZ));
    ASSERT_TRUE(SetValue(L"DisplayName", L"Tablet"));
    const InstalledProductRecord record = Read();
    EXPECT_EQ(record.installPath, L"");
    EXPECT_EQ(record.displayName, L"Tablet");
}

TEST(InstalledProductRecordTest, DataWithoutTerminatorIsReadWhole) {
    test::ScratchRegKey scratch(HKEY_LOCAL_MACHINE, kKeyPath);
    const std::wstring text = L"Tablet";
    ASSERT_TRUE(test::SetBinaryValue(
        HKEY_LOCAL_MACHINE, kKeyPath, L"DisplayName",
        std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2), REG_SZ));
    EXPECT_EQ(Read().displayName, L"Tablet");
}

TEST(InstalledProductRecordTest, MissingKeyGivesFalseAndLeavesTheRecordUntouched) {
    test::ScratchRegKey scratch(HKEY_LOCAL_MACHINE, kKeyPath);
    InstalledProductRecord record{L"kept name", L"C:\\kept"};
    EXPECT_FALSE(ReadInstalledProduct(kKeyName, record));
    EXPECT_EQ(record.displayName, L"kept name");
    EXPECT_EQ(record.installPath, L"C:\\kept");
}

TEST(InstalledProductRecordTest, EntryWithoutValuesLeavesTheRecordEmpty) {
    test::ScratchRegKey scratch(HKEY_LOCAL_MACHINE, kKeyPath);
    ASSERT_TRUE(test::CreateKey(HKEY_LOCAL_MACHINE, kKeyPath));
    bool opened = false;
    const InstalledProductRecord record = Read(&opened);
    EXPECT_TRUE(opened);
    EXPECT_EQ(record.displayName, L"");
    EXPECT_EQ(record.installPath, L"");
}

TEST(InstalledProductRecordTest, ValueMatching) {
    InstalledProductRecord record;
    TakeInstalledProductValue(L"InstallPathOld", REG_SZ, L"x", record);
    TakeInstalledProductValue(L"DisplayName", REG_MULTI_SZ, L"x", record);
    TakeInstalledProductValue(L"Display", REG_SZ, L"x", record);
    EXPECT_EQ(record.displayName, L"");
    EXPECT_EQ(record.installPath, L"");
    TakeInstalledProductValue(L"dIsPlAyNaMe", REG_SZ, L"Tablet", record);
    EXPECT_EQ(record.displayName, L"Tablet");
}

}  // namespace
