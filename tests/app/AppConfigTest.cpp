#include "AppConfig.h"
#include "PathUtil.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// This test program carries the program's resources, so its own module holds the embedded
// configuration; kernel32 stands for a module without it. ProjectController.json is looked for
// beside the running program, which here is the test program.
class AppConfigTest : public ::testing::Test {
protected:
    void TearDown() override {
        ::DeleteFileW(configFile_.c_str());
        LoadAppConfig(::GetModuleHandleW(nullptr));
    }

    void WriteConfigFile(std::string_view bytes) { test::WriteFile(configFile_, bytes); }

    static HMODULE ModuleWithoutConfig() { return ::GetModuleHandleW(L"kernel32.dll"); }

    const std::wstring configFile_ = GetModuleFolder() + L"\\ProjectController.json";
};

TEST_F(AppConfigTest, EmbeddedConfigurationWinsOverTheFileBesideTheProgram) {
    WriteConfigFile(R"({"BrandName": "FromFile", "ProjectName": "FileProject"})");
    ASSERT_TRUE(LoadAppConfig(::GetModuleHandleW(nullptr)));
    EXPECT_EQ(GetBrandName(), L"Quorvel");
    EXPECT_EQ(GetProjectName(), L"QuorvelTablet");
    EXPECT_EQ(GetDisplayName(), L"QuorvelTablet");
    EXPECT_EQ(GetWndMarkName(), L"QuorvelWndMark");
}

TEST_F(AppConfigTest, FileIsReadWhenTheResourceIsMissingWithOrWithoutByteOrderMark) {
    for (const char* prefix : {"", "\xEF\xBB\xBF"}) {
        WriteConfigFile(
            std::string(prefix) +
            "{\r\n  \"BrandName\": \"Acme\",\r\n  \"DisplayName\": \"Acme Pen\"\r\n}\r\n");
        ASSERT_TRUE(LoadAppConfig(ModuleWithoutConfig())) << "prefix length " << strlen(prefix);
        EXPECT_EQ(GetBrandName(), L"Acme");
        EXPECT_EQ(GetDisplayName(), L"Acme Pen");
        EXPECT_EQ(GetProjectName(), L"");
        EXPECT_EQ(GetWndMarkName(), L"AcmeWndMark");
    }
}

TEST_F(AppConfigTest, EmptyBrokenOrMissingFileLeavesEveryGetterEmpty) {
    for (const char* content : {"", "\xEF\xBB\xBF", "{\"BrandName\": \"Acme\"", "not json"}) {
        WriteConfigFile(content);
        EXPECT_FALSE(LoadAppConfig(ModuleWithoutConfig())) << content;
        EXPECT_EQ(GetBrandName(), L"") << content;
        EXPECT_EQ(GetDisplayName(), L"") << content;
        EXPECT_EQ(GetWndMarkName(), L"WndMark") << content;
    }
    ::DeleteFileW(configFile_.c_str());
    EXPECT_FALSE(LoadAppConfig(ModuleWithoutConfig()));
    EXPECT_EQ(GetProjectName(), L"");
}

TEST_F(AppConfigTest, AFileOverTheLimitIsTakenForBroken) {
    const struct {
        size_t size;
        bool loaded;
        const wchar_t* brand;
    } cases[] = {
        {kAppConfigFileMaxSize, true, L"Acme"},
        {kAppConfigFileMaxSize + 1, false, L""},
    };
    for (const auto& c : cases) {
        WriteConfigFile(test::PaddedTo(R"({"BrandName": "Acme"})", c.size));
        EXPECT_EQ(LoadAppConfig(ModuleWithoutConfig()), c.loaded) << c.size;
        EXPECT_EQ(GetBrandName(), c.brand) << c.size;
    }
}

TEST_F(AppConfigTest, NumbersBooleansListsAndChineseTextConvert) {
    WriteConfigFile(
        "{\"BrandName\": 20201229, \"ProjectName\": true, \"DisplayName\": \"数位板驱动\","
        " \"WndTitle\": [\"x\"]}");
    ASSERT_TRUE(LoadAppConfig(ModuleWithoutConfig()));
    EXPECT_EQ(GetBrandName(), L"20201229");
    EXPECT_EQ(GetProjectName(), L"true");
    EXPECT_EQ(GetDisplayName(), L"数位板驱动");

    WriteConfigFile("{\"BrandName\": [\"a\"], \"ProjectName\": {\"a\": 1}, \"DisplayName\": null}");
    ASSERT_TRUE(LoadAppConfig(ModuleWithoutConfig()));
    EXPECT_EQ(GetBrandName(), L"");
    EXPECT_EQ(GetProjectName(), L"");
    EXPECT_EQ(GetDisplayName(), L"");
}

}  // namespace
