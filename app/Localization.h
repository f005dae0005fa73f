#pragma once

#include "JsonValue.h"
#include "resource.h"

#include <windows.h>

#include <string>
#include <string_view>

// Every text the pages show is written in Simplified Chinese; that text is the key of the
// translation dictionary (resource "JSON" 148, or Lang.json beside the program). LoadLanguage
// picks the language once at start-up from the user's interface language and an optional
// Lang.cfg beside the program; Translate then looks texts up. "CN" means the source texts.

constexpr int kDictionaryResourceId = IDR_LANG_DICTIONARY;
constexpr wchar_t kDictionaryResourceType[] = L"JSON";
constexpr wchar_t kSourceLanguage[] = L"CN";
// Bigger files beside the program are taken for broken ones: Lang.cfg names one language, and the
// embedded dictionary is 15 KiB.
constexpr size_t kLangConfigMaxSize = 4 * 1024;
constexpr size_t kDictionaryFileMaxSize = 4 * 1024 * 1024;

// The dictionary's language name for an interface language identifier, or an empty text when
// the language isn't carried (the caller keeps its current choice then).
std::wstring LanguageNameForLangId(LANGID langId);

// The "LangType" member of a parsed Lang.cfg, trimmed; empty when missing or blank.
std::wstring LanguageFromConfig(const JsonValue& langConfig);

// The text for language in dictionary, or source when there is none.
std::wstring TranslateWith(const JsonValue& dictionary, std::wstring_view language,
                           const std::wstring& source);

bool LoadLanguage(HMODULE module);
std::wstring Translate(const std::wstring& source);

const std::wstring& CurrentLanguage();
