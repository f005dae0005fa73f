#include "Loaders.h"
#include "PathUtil.h"
#include "TextConvert.h"
#include "UniqueHandle.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The resources are checked in the built program itself, loaded as a data file.
class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        program_.Reset(::LoadLibraryExW(programPath_.c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_TRUE(program_) << "Uninstall.exe must be built beside the tests";
    }

    std::string Resource(int id, const wchar_t* type) {
        ByteBuffer buffer;
        EXPECT_TRUE(LoadResourceText(program_.Get(), id, type, buffer));
        return std::string(buffer.Text());
    }

    const std::wstring programPath_ = GetModuleFolder() + L"\\Uninstall.exe";
    ScopedModule program_;
};

const char* const kLanguages[] = {"Arabic",    "Dutch",   "English", "French", "German",
                                  "Indonesia", "Italian", "Japan",   "Korean", "Malaysian",
                                  "Polish",    "Portu",   "Russian", "Spaish"};

TEST_F(ResourcesTest, DictionaryCarriesEveryPageTextInFourteenLanguages) {
    const std::string text = Resource(IDR_LANG_DICTIONARY, L"JSON");
    EXPECT_NE(text.substr(0, 3), "\xEF\xBB\xBF") << "stored without byte-order mark";
    EXPECT_EQ(text.find('\r'), std::string::npos) << "stored with LF line ends";

    JsonValue dictionary;
    ASSERT_TRUE(ParseJsonText(text.c_str(), dictionary));
    const std::pair<const char*, const char*> pageTexts[] = {
        {"您确定要卸载吗?", "Are you sure you want to uninstall?"},
        {"残忍卸载", "Uninstall"},
        {"取消卸载", "Cancel"},
        {"软件位置", "Location of installed software"},
        {"开始卸载", "Start Unloading"},
        {"正在卸载", "Unloading"},
        {"卸载进度", "Unload Progress"},
        {"卸载完毕", "Successfully Uninstalled"},
        {"确定", "Confirm"},
        {"已完成(@)了，请稍等一下下哦^_^", "@% is completed, please wait for a monment."},
    };
    for (const auto& [source, english] : pageTexts) {
        const JsonValue entry = dictionary[source];
        EXPECT_EQ(entry["English"].AsString(), english) << source;
        for (const char* language : kLanguages) {
            const std::string translated = entry[language].AsString();
            EXPECT_FALSE(translated.empty()) << source << " / " << language;
            if (std::string(source).find('@') != std::string::npos) {
                EXPECT_EQ(std::count(translated.begin(), translated.end(), '@'), 1)
                    << language << ": " << translated;
            }
        }
    }
}

TEST_F(ResourcesTest, LanguageNamesCarryTheSourceLanguageToo) {
    JsonValue dictionary;
    ASSERT_TRUE(ParseJsonText(Resource(IDR_LANG_DICTIONARY, L"JSON").c_str(), dictionary));
    const char* const names[] = {"阿拉伯语",     "荷兰语",   "英语", "法语",     "德语",
                                 "印度尼西亚语", "意大利语", "日语", "韩语",     "马来语",
                                 "波兰语",       "葡萄牙语", "俄语", "西班牙语", "简体中文"};
    for (const char* name : names) {
        EXPECT_EQ(dictionary[name]["CN"].AsString(), name);
        for (const char* language : kLanguages) {
            EXPECT_FALSE(dictionary[name][language].AsString().empty())
                << name << " / " << language;
        }
    }
    EXPECT_EQ(dictionary["德语"]["English"].AsString(), "German");
}

TEST_F(ResourcesTest, ConfigurationIsUtf8WithByteOrderMarkAndCrLf) {
    const std::string text = Resource(IDR_APP_CONFIG, L"JSON_APPCFG");
    EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(text.find("\r\n  \"BrandName\": \"Quorvel\""), std::string::npos);
    JsonValue config;
    ASSERT_TRUE(ParseJsonText(text.c_str(), config));
    EXPECT_EQ(config["ProjectName"].AsString(), "QuorvelTablet");
    EXPECT_EQ(config["DisplayName"].AsString(), "QuorvelTablet");
    EXPECT_EQ(config["WndMarkValue"].AsString(), "20201229");
    EXPECT_EQ(config["RegDisplayVersion"].AsString(), "16.0.0.20");
    EXPECT_EQ(config["DisableAdPicLoop"].AsString(), "1");
}

TEST_F(ResourcesTest, ManifestAsksForAdministratorRightsDpiAwarenessAndCommonControls6) {
    const std::string manifest = Resource(1, MAKEINTRESOURCEW(24));
    EXPECT_NE(manifest.find(R"(level="requireAdministrator" uiAccess="false")"), std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find(R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"),
              std::string::npos);
}

TEST_F(ResourcesTest, WindowIconAndVersionRecord) {
    EXPECT_NE(::FindResourceW(program_.Get(), MAKEINTRESOURCEW(IDI_MAIN_ICON), RT_GROUP_ICON),
              nullptr);

    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(programPath_.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(::GetFileVersionInfoW(programPath_.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 16));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(22, 0));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 16));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(22, 0));

    for (const wchar_t* name : {L"FileDescription", L"ProductName"}) {
        wchar_t* value = nullptr;
        const std::wstring query = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
        ASSERT_TRUE(::VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&value),
                                     &length));
        EXPECT_STREQ(value, L"卸载程序") << WideToUtf8(name);
    }
}

}  // namespace
