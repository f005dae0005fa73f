#include "Loaders.h"
#include "Localization.h"
#include "PathUtil.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

constexpr wchar_t kPercentText[] = L"已完成(@)了，请稍等一下下哦^_^";

TEST(LanguageSelectionTest, InterfaceLanguagesMapToTheDictionaryNames) {
    struct Case {
        LANGID langId;
        const wchar_t* name;
    };
    const Case cases[] = {
        {0x0409, L"English"},   {0x0809, L"English"}, {0x0C09, L"English"}, {0x0804, L"CN"},
        {0x0C04, L"CN"},        {0x1004, L"CN"},      {0x0404, L"TCN"},     {0x040A, L"Spaish"},
        {0x0C0A, L"Spaish"},    {0x0407, L"German"},  {0x040C, L"French"},  {0x0410, L"Italian"},
        {0x0411, L"Japan"},     {0x0412, L"Korean"},  {0x0413, L"Dutch"},   {0x0415, L"Polish"},
        {0x0416, L"Portu"},     {0x0816, L"Portu"},   {0x0419, L"Russian"}, {0x0421, L"Indonesia"},
        {0x043E, L"Malaysian"}, {0x0401, L"Arabic"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LanguageNameForLangId(c.langId), c.name) << std::hex << c.langId;
    }
    // Languages outside the table give no name, so the caller keeps its choice ("CN").
    for (LANGID outside : {0x041F /* Turkish */, 0x0405 /* Czech */, 0x0000, 0x03FF}) {
        EXPECT_EQ(LanguageNameForLangId(outside), L"") << std::hex << outside;
    }
}

TEST(LanguageSelectionTest, LangTypeIsTrimmedAndBlankOrMissingIsIgnored) {
    const auto fromConfig = [](const char* json) {
        JsonValue config;
        EXPECT_TRUE(ParseJsonText(json, config)) << json;
        return LanguageFromConfig(config);
    };
    EXPECT_EQ(fromConfig(R"({"LangType": "  German \t"})"), L"German");
    EXPECT_EQ(fromConfig(R"({"LangType": "Klingon"})"), L"Klingon");
    EXPECT_EQ(fromConfig(R"({"LangType": ""})"), L"");
    EXPECT_EQ(fromConfig(R"({"LangType": "   "})"), L"");
    EXPECT_EQ(fromConfig(R"({"Language": "German"})"), L"");
    EXPECT_EQ(fromConfig(R"(["LangType"])"), L"");
}

class TranslateTest : public ::testing::Test {
protected:
    void SetUp() override {
        JsonValue parsed;
        ASSERT_TRUE(ParseJsonText(R"({
            "确定": {"English": "Confirm", "German": "OK", "Empty": "", "Listed": ["x"]},
            "已完成(@)了，请稍等一下下哦^_^": {"English": "@% is completed"}
        })",
                                  parsed));
        dictionary_ = parsed;
    }
    JsonValue dictionary_;
};

TEST_F(TranslateTest, KnownTextsTranslateAndEverythingElseFallsBackToTheSource) {
    EXPECT_EQ(TranslateWith(dictionary_, L"English", L"确定"), L"Confirm");
    EXPECT_EQ(TranslateWith(dictionary_, L"German", L"确定"), L"OK");
    EXPECT_EQ(TranslateWith(dictionary_, L"English", kPercentText), L"@% is completed");
    EXPECT_EQ(TranslateWith(dictionary_, L"French", L"确定"), L"确定");
    EXPECT_EQ(TranslateWith(dictionary_, L"TCN", L"确定"), L"确定");
    EXPECT_EQ(TranslateWith(dictionary_, L"English", L"未知"), L"未知");
    EXPECT_EQ(TranslateWith(dictionary_, L"Empty", L"确定"), L"确定");
    EXPECT_EQ(TranslateWith(dictionary_, L"Listed", L"确定"), L"确定");
    EXPECT_EQ(TranslateWith(dictionary_, L"english", L"确定"), L"确定");
    EXPECT_EQ(TranslateWith(JsonValue(), L"English", L"确定"), L"确定");
}

TEST_F(TranslateTest, SourceLanguageNeverConsultsTheDictionary) {
    JsonValue claimsCn;
    ASSERT_TRUE(ParseJsonText(R"({"确定": {"CN": "不是这个", "cn": "小写"}})", claimsCn));
    EXPECT_EQ(TranslateWith(claimsCn, L"CN", L"确定"), L"确定");
    EXPECT_EQ(TranslateWith(claimsCn, L"cn", L"确定"), L"小写");
}

// LoadLanguage reads Lang.cfg and Lang.json beside the running program (here: the test program,
// which carries the program's resources).
class LoadLanguageTest : public ::testing::Test {
protected:
    void TearDown() override {
        ::DeleteFileW(langConfig_.c_str());
        ::DeleteFileW(langFile_.c_str());
        LoadLanguage(::GetModuleHandleW(nullptr));
    }
    const std::wstring langConfig_ = GetModuleFolder() + L"\\Lang.cfg";
    const std::wstring langFile_ = GetModuleFolder() + L"\\Lang.json";
};

TEST_F(LoadLanguageTest, EmbeddedDictionaryWithTheSystemLanguage) {
    test::WriteFile(langFile_, R"({"确定": {"English": "From the file"}})");
    ASSERT_TRUE(LoadLanguage(::GetModuleHandleW(nullptr)));
    // The test prefix runs with an English interface.
    EXPECT_EQ(CurrentLanguage(), L"English");
    EXPECT_EQ(Translate(L"确定"), L"Confirm");
    EXPECT_EQ(Translate(kPercentText), L"@% is completed, please wait for a monment.");
    EXPECT_EQ(Translate(L"不在字典里"), L"不在字典里");
}

TEST_F(LoadLanguageTest, LangCfgOverridesTheSystemLanguage) {
    test::WriteFile(langConfig_, "\xEF\xBB\xBF{\"LangType\": \"  Spaish  \"}");
    ASSERT_TRUE(LoadLanguage(::GetModuleHandleW(nullptr)));
    EXPECT_EQ(CurrentLanguage(), L"Spaish");
    EXPECT_NE(Translate(L"确定"), L"确定");

    test::WriteFile(langConfig_, R"({"LangType": "Klingon"})");
    ASSERT_TRUE(LoadLanguage(::GetModuleHandleW(nullptr)));
    EXPECT_EQ(CurrentLanguage(), L"Klingon");
    EXPECT_EQ(Translate(L"确定"), L"确定");

    for (const char* ignored : {R"({"LangType": " "})", R"({"Other": "German"})", "{broken"}) {
        test::WriteFile(langConfig_, ignored);
        ASSERT_TRUE(LoadLanguage(::GetModuleHandleW(nullptr)));
        EXPECT_EQ(CurrentLanguage(), L"English") << ignored;
    }
}

// A file over its limit is taken for a broken one, as if it were missing.
TEST_F(LoadLanguageTest, FilesOverTheirLimitAreTakenForBroken) {
    const HMODULE withoutDictionary = ::GetModuleHandleW(L"kernel32.dll");
    const struct {
        const wchar_t* name;
        const char* json;
        size_t size;
        const wchar_t* language;
        const wchar_t* confirm;
    } cases[] = {
        {L"Lang.cfg", R"({"LangType": "German"})", kLangConfigMaxSize, L"German", L"确定"},
        {L"Lang.cfg", R"({"LangType": "German"})", kLangConfigMaxSize + 1, L"English", L"确定"},
        {L"Lang.json", R"({"确定": {"English": "From the file"}})", kDictionaryFileMaxSize,
         L"English", L"From the file"},
        {L"Lang.json", R"({"确定": {"English": "From the file"}})", kDictionaryFileMaxSize + 1,
         L"English", L"确定"},
    };
    for (const auto& c : cases) {
        const std::wstring path = GetModuleFolder() + L"\\" + c.name;
        test::WriteFile(path, test::PaddedTo(c.json, c.size));
        LoadLanguage(withoutDictionary);
        EXPECT_EQ(CurrentLanguage(), c.language) << testing::PrintToString(c.name) << c.size;
        EXPECT_EQ(Translate(L"确定"), c.confirm) << testing::PrintToString(c.name) << c.size;
        ::DeleteFileW(path.c_str());
    }
}

TEST_F(LoadLanguageTest, LangJsonIsTheFallbackDictionary) {
    const HMODULE withoutDictionary = ::GetModuleHandleW(L"kernel32.dll");
    test::WriteFile(langFile_, R"({"确定": {"English": "From the file"}})");
    ASSERT_TRUE(LoadLanguage(withoutDictionary));
    EXPECT_EQ(Translate(L"确定"), L"From the file");

    ::DeleteFileW(langFile_.c_str());
    EXPECT_FALSE(LoadLanguage(withoutDictionary));
    EXPECT_EQ(Translate(L"确定"), L"确定");
}

}  // namespace
