#include "AppConfig.h"
#include "UninstallEngine.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

// The test program carries the program's resources, so the embedded configuration is loaded.
TEST(UninstallEngineTest, SettingsComeFromTheConfiguration) {
    ASSERT_TRUE(LoadAppConfig(::GetModuleHandleW(nullptr)));
    const UninstallSettings settings = UninstallSettingsFromConfig();
    EXPECT_EQ(settings.projectName, L"QuorvelTablet");
    EXPECT_EQ(settings.displayName, L"QuorvelTablet");
    EXPECT_EQ(settings.windowMarkName, L"QuorvelWndMark");
    EXPECT_EQ(settings.brandName, L"Quorvel");
    EXPECT_EQ(settings.runningProgramNames, std::vector<std::wstring>{L"QuorvelTablet.exe"});
}

TEST(UninstallEngineTest, IsOneObjectForTheProgram) {
    EXPECT_EQ(&UninstallEngine(), &UninstallEngine());
}

}  // namespace
