#include "Localization.h"

#include "Loaders.h"
#include "PathUtil.h"
#include "TextConvert.h"

namespace {

struct LanguageState {
    std::wstring current = kSourceLanguage;
    JsonValue dictionary;
};

LanguageState& State() {
    static LanguageState state;
    return state;
}

struct PrimaryLanguageName {
    WORD primary;
    const wchar_t* name;
};

// Primary language (low ten bits of a LANGID) to the dictionary's language name. "Spaish" and
// the other odd spellings are the dictionary's own keys.
constexpr PrimaryLanguageName kLanguageTable[] = {
    {0x01, L"Arabic"},  {0x04, L"CN"},        {0x07, L"German"},    {0x09, L"English"},
    {0x0A, L"Spaish"},  {0x0C, L"French"},    {0x10, L"Italian"},   {0x11, L"Japan"},
    {0x12, L"Korean"},  {0x13, L"Dutch"},     {0x15, L"Polish"},    {0x16, L"Portu"},
    {0x19, L"Russian"}, {0x21, L"Indonesia"}, {0x3E, L"Malaysian"},
};

constexpr LANGID kChineseTaiwan = 0x0404;

}  // namespace

std::wstring LanguageNameForLangId(LANGID langId) {
    if (langId == kChineseTaiwan) {
        return L"TCN";
    }
    const WORD primary = langId & 0x3FF;
    for (const auto& entry : kLanguageTable) {
        if (entry.primary == primary) {
            return entry.name;
        }
    }
    return std::wstring();
}

std::wstring LanguageFromConfig(const JsonValue& langConfig) {
    if (!langConfig.HasMember("LangType")) {
        return std::wstring();
    }
    return TrimWhitespace(Utf8ToWide(langConfig["LangType"].AsString()));
}

std::wstring TranslateWith(const JsonValue& dictionary, std::wstring_view language,
                           const std::wstring& source) {
    if (language == kSourceLanguage) {
        return source;
    }
    std::wstring translated =
        Utf8ToWide(dictionary[WideToUtf8(source)][WideToUtf8(language)].AsString());
    return translated.empty() ? source : translated;
}

bool LoadLanguage(HMODULE module) {
    LanguageState& state = State();
    std::wstring fromSystem = LanguageNameForLangId(::GetUserDefaultUILanguage());
    if (!fromSystem.empty()) {
        state.current = std::move(fromSystem);
    }

    JsonValue langConfig;
    if (ParseJsonFile(langConfig, GetModuleFolder() + L"\\Lang.cfg", kLangConfigMaxSize)) {
        std::wstring fromFile = LanguageFromConfig(langConfig);
        if (!fromFile.empty()) {
            state.current = std::move(fromFile);
        }
    }

    state.dictionary = JsonValue();
    {
        ByteBuffer embedded;
        if (LoadResourceText(module, kDictionaryResourceId, kDictionaryResourceType, embedded) &&
            ParseJsonText(embedded.Data(), state.dictionary)) {
            return true;
        }
    }
    return ParseJsonFile(state.dictionary, GetModuleFolder() + L"\\Lang.json",
                         kDictionaryFileMaxSize);
}

std::wstring Translate(const std::wstring& source) {
    const LanguageState& state = State();
    return TranslateWith(state.dictionary, state.current, source);
}

const std::wstring& CurrentLanguage() {
    return State().current;
}
